#include "runtime/gamefiles.h"

#include "project/assetpaths.h"

#include <QDir>
#include <QFileInfo>

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

bool GameFiles::isProtected(const QString& path) {
    const QString clean = normalised(path);
    return clean == recordFile_ || clean == recoveryFile_ || files_.sameFile(path, recordFile_);
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
    // A link is refused as such below; one that reaches the game file says so here first.
    if (isProtected(path))
        return files_.isLink(path) ? QString::fromUtf8(kLinkReason) + QStringLiteral(" (на файл игры)")
                                   : QStringLiteral("файл игры только для чтения");
    return files_.writeAtomically(path, bytes);
}

QString GameFiles::copy(const QString& from, const QString& to) {
    if (isProtected(to)) return QStringLiteral("файл игры только для чтения");
    if (normalised(from) == recoveryFile_) return QStringLiteral("No such file or directory");
    return files_.copy(from, to);
}

bool GameFiles::exists(const QString& path) {
    if (normalised(path) == recoveryFile_) return false;
    return files_.exists(path);
}

bool GameFiles::isDirectory(const QString& path) {
    return files_.isDirectory(path);
}

QString GameFiles::makeDirectory(const QString& path) {
    return files_.makeDirectory(path);
}

bool GameFiles::remove(const QString& path) {
    if (isProtected(path)) return false;
    return files_.remove(path);
}

QString GameFiles::makeExecutable(const QString& path) {
    if (isProtected(path)) return QStringLiteral("файл игры только для чтения");
    return files_.makeExecutable(path);
}

bool GameFiles::isLink(const QString& path) { return files_.isLink(path); }

QStringList GameFiles::entries(const QString& folder) {
    QStringList names = files_.entries(folder);
    if (normalised(folder) == normalised(QFileInfo(recoveryFile_).path()))
        names.removeAll(QFileInfo(recoveryFile_).fileName());
    return names;
}

bool GameFiles::sameFile(const QString& a, const QString& b) { return files_.sameFile(a, b); }

} // namespace tw
