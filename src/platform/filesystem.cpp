#include "platform/filesystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace tw {

FileSystem::ReadResult DiskFileSystem::read(const QString& path) {
    ReadResult result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.status = ReadStatus::OpenFailed;
        result.error = file.errorString();
        return result;
    }
    result.bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.status = ReadStatus::ReadFailed;
        result.error = file.errorString();
        result.bytes.clear();
        return result;
    }
    result.status = ReadStatus::Ok;
    return result;
}

QString DiskFileSystem::writeAtomically(const QString& path, const QByteArray& bytes) {
    // QSaveFile writes beside the target, syncs it to disk on commit and renames it over the target;
    // any failure before the rename leaves the old file untouched.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return file.errorString();
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason.isEmpty() ? QStringLiteral("write failed") : reason;
    }
    if (!file.commit()) return file.errorString();
    return {};
}

bool DiskFileSystem::copy(const QString& from, const QString& to) {
    if (!QFileInfo(from).isFile()) return false;
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly)) return false;
    return writeAtomically(to, source.readAll()).isEmpty();
}

bool DiskFileSystem::exists(const QString& path) { return QFileInfo::exists(path); }

bool DiskFileSystem::isDirectory(const QString& path) { return QFileInfo(path).isDir(); }

bool DiskFileSystem::makeDirectory(const QString& path) { return QDir().mkdir(path); }

bool DiskFileSystem::remove(const QString& path) {
    return QFile::remove(path);
}

bool DiskFileSystem::makeExecutable(const QString& path) {
    using P = QFileDevice::Permission;
    return QFile::setPermissions(path, P::ReadOwner | P::WriteOwner | P::ExeOwner | P::ReadGroup | P::ExeGroup |
                                           P::ReadOther | P::ExeOther);
}

} // namespace tw
