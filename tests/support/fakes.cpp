#include "support/fakes.h"

#include <QDir>

#include <cerrno>

namespace tw::test {
namespace {

QString qt(const std::string& path) { return QString::fromStdString(path); }

} // namespace

FileSystem::ReadResult FakeFileSystem::readChosen(const std::string& pathText, std::int64_t limit,
                                                  const ReadProgress& progress) {
    const QString path = qt(pathText);
    if (!onDisk.contains(path)) return FileSystem::readChosen(pathText, limit, progress);
    opened << path;
    return DiskFileSystem().readChosen(onDisk.value(path).toStdString(), limit, progress);
}

FileSystem::ReadResult FakeFileSystem::read(const std::string& pathText) {
    const QString path = qt(pathText);
    if (onDisk.contains(path)) {
        opened << path;
        return DiskFileSystem().read(onDisk.value(path).toStdString());
    }
    opened << path;
    ReadResult result;
    auto it = files.constFind(path);
    if (it == files.constEnd()) {
        result.status = ReadStatus::OpenFailed;
        result.error = "No such file or directory";
        return result;
    }
    if (failReadsOf.contains(path)) {
        result.status = ReadStatus::ReadFailed;
        result.error = "Input/output error";
        return result;
    }
    result.status = ReadStatus::Ok;
    result.bytes = it.value().toStdString();
    return result;
}

std::string FakeFileSystem::writeAtomically(const std::string& pathText, const Bytes& bytes) {
    const QString path = qt(pathText);
    if (failWritesTo.contains(path)) return "Permission denied";
    if (links.contains(path)) return kLinkReason;
    if (spaceLeft >= 0) {
        if (std::int64_t(bytes.size()) > spaceLeft) return fileErrorReason(ENOSPC);
        spaceLeft -= std::int64_t(bytes.size());
    }
    files.insert(path, QByteArray(bytes.data(), qsizetype(bytes.size())));
    written << path;
    return {};
}

std::string FakeFileSystem::copy(const std::string& from, const std::string& to) {
    auto it = files.constFind(qt(from));
    if (it == files.constEnd()) return "No such file or directory";
    // A copy of the bytes: writing may grow the table and move what `it` points at.
    const Bytes bytes = it.value().toStdString();
    return writeAtomically(to, bytes);
}

bool FakeFileSystem::exists(const std::string& pathText) {
    const QString path = qt(pathText);
    return files.contains(path) || directories.contains(path);
}

bool FakeFileSystem::isDirectory(const std::string& path) { return directories.contains(qt(path)); }

std::string FakeFileSystem::makeDirectory(const std::string& pathText) {
    const QString path = qt(pathText);
    if (files.contains(path) || links.contains(path)) return fileErrorReason(EEXIST);
    if (!directories.contains(path)) directories << path;
    return {};
}

std::string FakeFileSystem::makeExecutable(const std::string& path) {
    if (!files.contains(qt(path))) return "No such file or directory";
    executables << qt(path);
    return {};
}

bool FakeFileSystem::remove(const std::string& pathText) {
    const QString path = qt(pathText);
    // A file removed gives its room back to a disk with a limit.
    if (spaceLeft >= 0 && files.contains(path)) spaceLeft += files.value(path).size();
    if (!files.remove(path) && !links.removeOne(path)) {
        // A folder goes only when nothing is left in it.
        if (!directories.contains(path) || !entries(pathText).empty()) return false;
        directories.removeOne(path);
    }
    removed << path;
    return true;
}

std::vector<std::string> FakeFileSystem::entries(const std::string& folderText) {
    const QString folder = qt(folderText);
    const QString prefix = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    QStringList names;
    const auto take = [&](const QString& path) {
        if (!path.startsWith(prefix) || path.size() == prefix.size()) return;
        const QString name = path.mid(prefix.size()).section(QLatin1Char('/'), 0, 0);
        if (!names.contains(name)) names << name;
    };
    for (auto it = files.cbegin(); it != files.cend(); ++it) take(it.key());
    for (const QString& path : directories) take(path);
    for (const QString& path : links) take(path);
    names.sort();
    std::vector<std::string> sorted;
    for (const QString& name : names) sorted.push_back(name.toStdString());
    return sorted;
}

bool FakeFileSystem::sameFile(const std::string& a, const std::string& b) {
    const std::string first = cleanPath(a);
    return first == cleanPath(b) && exists(first);
}

} // namespace tw::test
