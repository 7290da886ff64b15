#include "runtime/gamefiles.h"

#include "project/assetpaths.h"

#include <QDir>

namespace tw {
namespace {

// Paths are compared in one spelling, so "mzh/data/../data/typ.dll" is the record file too.
QString normalised(const QString& path) {
    return QDir::cleanPath(path);
}

} // namespace

GameFiles::GameFiles(FileSystem& files, const AssetPaths& paths)
    : files_(files), recordFile_(normalised(paths.recordFile())),
      recoveryFile_(normalised(paths.recoveryFile())) {}

bool GameFiles::isProtected(const QString& path) const {
    const QString clean = normalised(path);
    return clean == recordFile_ || clean == recoveryFile_;
}

FileSystem::ReadResult GameFiles::read(const QString& path) {
    if (normalised(path) == recoveryFile_) {
        ReadResult none;
        none.status = ReadStatus::OpenFailed;
        none.error = QStringLiteral("No such file or directory");
        return none;
    }
    return files_.read(path);
}

QString GameFiles::writeAtomically(const QString& path, const QByteArray& bytes) {
    if (isProtected(path)) return QStringLiteral("файл игры только для чтения");
    return files_.writeAtomically(path, bytes);
}

bool GameFiles::copy(const QString& from, const QString& to) {
    if (isProtected(to) || normalised(from) == recoveryFile_) return false;
    return files_.copy(from, to);
}

bool GameFiles::exists(const QString& path) {
    if (normalised(path) == recoveryFile_) return false;
    return files_.exists(path);
}

bool GameFiles::isDirectory(const QString& path) {
    return files_.isDirectory(path);
}

bool GameFiles::makeDirectory(const QString& path) {
    return files_.makeDirectory(path);
}

bool GameFiles::remove(const QString& path) {
    if (isProtected(path)) return false;
    return files_.remove(path);
}

bool GameFiles::makeExecutable(const QString& path) {
    if (isProtected(path)) return false;
    return files_.makeExecutable(path);
}

} // namespace tw
