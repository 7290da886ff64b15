#include "support/demopack.h"

#include "make-demo/demotree.h"
#include "platform/filesystem.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <stdexcept>

namespace tw::test {
namespace {

void collect(DiskFileSystem& disk, const std::string& root, const std::string& relative, GameFilesByPath& into) {
    for (const std::string& name : disk.entries(root + relative)) {
        const std::string path = relative.empty() ? name : relative + '/' + name;
        if (disk.isDirectory(root + path)) {
            collect(disk, root, path, into);
            continue;
        }
        FileSystem::ReadResult read = disk.read(root + path);
        if (!read.ok()) throw std::runtime_error("demo file not read: " + path);
        into[path] = std::move(read.bytes);
    }
}

} // namespace

const GameFilesByPath& demoGameFiles() {
    static const GameFilesByPath files = [] {
        QTemporaryDir dir;
        QString error;
        if (demo::writeDemoTree({dir.path(), QCoreApplication::applicationFilePath()}, &error) != demo::DemoResult::Written)
            throw std::runtime_error("demo not written: " + error.toStdString());
        DiskFileSystem disk;
        GameFilesByPath all;
        collect(disk, dir.path().toStdString() + '/', "", all);
        all.erase("mzh/data/Comp"); // the player program has no place in a web page
        return all;
    }();
    return files;
}

} // namespace tw::test
