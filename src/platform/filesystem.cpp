#include "platform/filesystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

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

QByteArray nativePath(const QString& path) { return QFile::encodeName(path); }

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
    const QByteArray name = nativePath(path);
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

// A write that may be cut short or interrupted: the whole buffer goes out, or the error number is
// returned (0 on success).
int writeAll(int fd, const char* data, qsizetype size) {
    while (size > 0) {
        const ssize_t done = ::write(fd, data, std::size_t(std::min<qsizetype>(size, qsizetype(1) << 30)));
        if (done < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        data += done;
        size -= done;
    }
    return 0;
}

} // namespace

FileSystem::ReadResult DiskFileSystem::read(const QString& path) { return readRegular(path, kReadLimit, {}); }

FileSystem::ReadResult DiskFileSystem::readChosen(const QString& path, qint64 limit, const ReadProgress& progress) {
    return readRegular(path, limit, progress);
}

QString fileErrorReason(int error) {
    switch (error) {
    case ENOSPC: return QStringLiteral("Нет места на диске");
    case EDQUOT: return QStringLiteral("Исчерпана квота на диске");
    case ENAMETOOLONG: return QStringLiteral("Слишком длинное имя файла");
    case EACCES:
    case EPERM: return QStringLiteral("Нет прав на запись");
    case EROFS: return QStringLiteral("Диск только для чтения");
    case EIO: return QStringLiteral("Ошибка ввода-вывода");
    case ENOENT: return QStringLiteral("Нет такого файла или папки");
    case ENOTDIR: return QStringLiteral("Часть пути — не папка");
    case EISDIR: return QStringLiteral("Это папка, а не файл");
    case EEXIST: return QStringLiteral("Такое имя уже есть");
    case ELOOP: return QStringLiteral("Путь идёт через ссылку");
    case EFBIG: return QStringLiteral("Файл слишком велик");
    case EMFILE:
    case ENFILE: return QStringLiteral("Открыто слишком много файлов");
    case ETXTBSY:
    case EBUSY: return QStringLiteral("Файл занят");
    default: return qt_error_string(error);
    }
}

QString DiskFileSystem::writeAtomically(const QString& path, const QByteArray& bytes) {
    // The bytes go to a new file beside the target, are flushed to disk and renamed over it: any failure
    // before the rename leaves the old file untouched. A link at the target is refused rather than
    // followed (the temporary file is made with O_EXCL and O_NOFOLLOW, and the rename replaces a name,
    // never what a link points to). The new file keeps the mode of the file it replaces.
    const QByteArray target = nativePath(path);
    struct stat old {};
    bool replaces = false;
    if (::lstat(target.constData(), &old) == 0) {
        if (S_ISLNK(old.st_mode)) return QString::fromUtf8(kLinkReason);
        if (S_ISDIR(old.st_mode)) return fileErrorReason(EISDIR);
        replaces = S_ISREG(old.st_mode);
    } else if (errno != ENOENT) {
        return fileErrorReason(errno);
    }
    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray(".") : target.left(std::max<qsizetype>(slash, 1));
    QByteArray temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 64 && fd < 0; ++attempt) {
        temporary = folder + "/.tw-" + QByteArray::number(QRandomGenerator::global()->generate64(), 36) + ".tmp";
        fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) return fileErrorReason(errno);
    }
    if (fd < 0) return fileErrorReason(EEXIST);
    int error = writeAll(fd, bytes.constData(), bytes.size());
    if (error == 0 && replaces && ::fchmod(fd, old.st_mode & 07777) != 0) error = errno;
    if (error == 0 && ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && ::rename(temporary.constData(), target.constData()) != 0) error = errno;
    if (error == 0) return {};
    ::unlink(temporary.constData());
    return fileErrorReason(error);
}

QString DiskFileSystem::copy(const QString& from, const QString& to) {
    // Read as every file is: a regular file only, never a pipe or a device.
    ReadResult source = read(from);
    if (!source.ok()) return source.error;
    return writeAtomically(to, source.bytes);
}

bool DiskFileSystem::exists(const QString& path) { return QFileInfo::exists(path); }

bool DiskFileSystem::isDirectory(const QString& path) { return QFileInfo(path).isDir(); }

QString DiskFileSystem::makeDirectory(const QString& path) {
    if (::mkdir(nativePath(path).constData(), 0777) == 0) return {};
    return fileErrorReason(errno);
}

bool DiskFileSystem::remove(const QString& path) { return ::remove(nativePath(path).constData()) == 0; }

QString DiskFileSystem::makeExecutable(const QString& path) {
    // chmod follows links: a link is refused first.
    if (isLink(path)) return QString::fromUtf8(kLinkReason);
    if (::chmod(nativePath(path).constData(), 0755) == 0) return {};
    return fileErrorReason(errno);
}

bool DiskFileSystem::isLink(const QString& path) {
    struct stat info {};
    return ::lstat(nativePath(path).constData(), &info) == 0 && S_ISLNK(info.st_mode);
}

QStringList DiskFileSystem::entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

bool DiskFileSystem::sameFile(const QString& a, const QString& b) {
    struct stat first {}, second {};
    return ::stat(nativePath(a).constData(), &first) == 0 && ::stat(nativePath(b).constData(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

} // namespace tw
