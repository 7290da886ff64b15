#include "platform/filesystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tw {

FileSystem::ReadResult FileSystem::readChosen(const QString& path, qint64 limit, const ReadProgress& progress) {
    ReadResult result = read(path);
    if (result.ok() && result.bytes.size() > limit) {
        result.status = ReadStatus::TooLarge;
        result.bytes.clear();
    }
    if (result.ok() && progress) progress(result.bytes.size(), result.bytes.size());
    return result;
}

namespace {

// Larger than any file the program reads whole (the record is under 2 MB, a chosen file is capped
// lower): what read() accepts.
constexpr qint64 kReadLimit = qint64(256) << 20;
// A long read goes in pieces of this size, each reported to the progress callback.
constexpr qint64 kReadPiece = qint64(1) << 20;

QString systemReason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

FileSystem::ReadResult refused(FileSystem::ReadStatus status, QString error = {}) {
    FileSystem::ReadResult result;
    result.status = status;
    if (error.isEmpty() && status == FileSystem::ReadStatus::NotAFile) error = QStringLiteral("это не обычный файл");
    if (error.isEmpty() && status == FileSystem::ReadStatus::TooLarge) error = QStringLiteral("файл слишком велик");
    if (error.isEmpty() && status == FileSystem::ReadStatus::Cancelled) error = QStringLiteral("чтение прервано");
    result.error = std::move(error);
    return result;
}

// Reads a regular file whole. The kind and size are checked on the path before it is opened, so that a
// pipe or a device is never opened at all (opening a pipe waits for a writer, reading /dev/zero never
// ends), and checked again on the opened descriptor, which must be the same file: a file swapped for
// another between the two looks is refused. O_NONBLOCK keeps the open itself from waiting in any case.
FileSystem::ReadResult readRegular(const QString& path, qint64 limit, const FileSystem::ReadProgress& progress) {
    using Status = FileSystem::ReadStatus;
    const QByteArray name = QFile::encodeName(path);
    struct stat before {};
    if (::stat(name.constData(), &before) != 0) return refused(Status::OpenFailed, systemReason(errno));
    if (!S_ISREG(before.st_mode)) return refused(Status::NotAFile);
    if (before.st_size > limit) return refused(Status::TooLarge);

    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return refused(Status::OpenFailed, systemReason(errno));
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat opened {};
    if (::fstat(fd, &opened) != 0) return refused(Status::ReadFailed, systemReason(errno));
    if (!S_ISREG(opened.st_mode) || opened.st_dev != before.st_dev || opened.st_ino != before.st_ino)
        return refused(Status::NotAFile);
    const qint64 size = opened.st_size;
    if (size > limit) return refused(Status::TooLarge);

    // One buffer of the file's size, filled in place; a file that grows while it is read is refused
    // rather than read past the limit.
    FileSystem::ReadResult result;
    result.bytes.resize(size);
    qint64 done = 0;
    for (;;) {
        if (done == result.bytes.size()) {
            if (done >= limit) break;
            char probe = 0;
            const ssize_t more = ::read(fd, &probe, 1);
            if (more == 0) break;
            if (more > 0) return refused(Status::TooLarge);
            if (errno == EINTR) continue;
            return refused(Status::ReadFailed, systemReason(errno));
        }
        const qint64 want = std::min(kReadPiece, result.bytes.size() - done);
        const ssize_t got = ::read(fd, result.bytes.data() + done, std::size_t(want));
        if (got < 0) {
            if (errno == EINTR) continue;
            return refused(Status::ReadFailed, systemReason(errno));
        }
        if (got == 0) { // the file shrank while it was read
            result.bytes.resize(done);
            break;
        }
        done += got;
        if (progress && !progress(done, size)) return refused(Status::Cancelled);
    }
    result.status = Status::Ok;
    return result;
}

} // namespace

FileSystem::ReadResult DiskFileSystem::read(const QString& path) { return readRegular(path, kReadLimit, {}); }

FileSystem::ReadResult DiskFileSystem::readChosen(const QString& path, qint64 limit, const ReadProgress& progress) {
    return readRegular(path, limit, progress);
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
