#include "platform/filesystem.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <filesystem>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tw {

FileSystem::ReadResult FileSystem::readChosen(const std::string& path, std::int64_t limit, const ReadProgress& progress) {
    ReadResult result = read(path);
    const auto size = std::int64_t(result.bytes.size());
    if (result.ok() && size > limit) {
        result.status = ReadStatus::TooLarge;
        result.bytes.clear();
    }
    if (result.ok() && progress) progress(size, size);
    return result;
}

namespace {

// Larger than any file the program reads whole (the record is under 2 MB, a chosen file is capped
// lower): what read() accepts.
constexpr std::int64_t kReadLimit = std::int64_t(256) << 20;
// A long read goes in pieces of this size, each reported to the progress callback.
constexpr std::int64_t kReadPiece = std::int64_t(1) << 20;

// What strerror_r gave: the GNU one returns its text (which may or may not be the buffer), the POSIX one
// fills the buffer and returns 0.
[[maybe_unused]] const char* reasonText(const char* text, const char*) { return text; }
[[maybe_unused]] const char* reasonText(int result, const char* buffer) {
    return result == 0 ? buffer : "unknown error";
}

// The system's own words for an error number (the program runs in a UTF-8 locale).
std::string systemReason(int error) {
    char buffer[256] = {};
    return reasonText(strerror_r(error, buffer, sizeof buffer), buffer);
}

// Paths are UTF-8 and so are the system's names: the path is passed as it is.
const char* nativePath(const std::string& path) { return path.c_str(); }

FileSystem::ReadResult refused(FileSystem::ReadStatus status, std::string error = {}) {
    FileSystem::ReadResult result;
    result.status = status;
    if (error.empty() && status == FileSystem::ReadStatus::NotAFile) error = "это не обычный файл";
    if (error.empty() && status == FileSystem::ReadStatus::TooLarge) error = "файл слишком велик";
    if (error.empty() && status == FileSystem::ReadStatus::Cancelled) error = "чтение прервано";
    result.error = std::move(error);
    return result;
}

// Reads a regular file whole. The kind and size are checked on the path before it is opened, so that a
// pipe or a device is never opened at all (opening a pipe waits for a writer, reading /dev/zero never
// ends), and checked again on the opened descriptor, which must be the same file: a file swapped for
// another between the two looks is refused. O_NONBLOCK keeps the open itself from waiting in any case.
FileSystem::ReadResult readRegular(const std::string& path, std::int64_t limit, const FileSystem::ReadProgress& progress) {
    using Status = FileSystem::ReadStatus;
    const char* name = nativePath(path);
    struct stat before {};
    if (::stat(name, &before) != 0) return refused(Status::OpenFailed, systemReason(errno));
    if (!S_ISREG(before.st_mode)) return refused(Status::NotAFile);
    if (before.st_size > limit) return refused(Status::TooLarge);

    const int fd = ::open(name, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return refused(Status::OpenFailed, systemReason(errno));
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat opened {};
    if (::fstat(fd, &opened) != 0) return refused(Status::ReadFailed, systemReason(errno));
    if (!S_ISREG(opened.st_mode) || opened.st_dev != before.st_dev || opened.st_ino != before.st_ino)
        return refused(Status::NotAFile);
    const std::int64_t size = opened.st_size;
    if (size > limit) return refused(Status::TooLarge);

    // One buffer of the file's size, filled in place; a file that grows while it is read is refused
    // rather than read past the limit.
    FileSystem::ReadResult result;
    result.bytes.resize(std::size_t(size));
    std::int64_t done = 0;
    for (;;) {
        if (done == std::int64_t(result.bytes.size())) {
            if (done >= limit) break;
            char probe = 0;
            const ssize_t more = ::read(fd, &probe, 1);
            if (more == 0) break;
            if (more > 0) return refused(Status::TooLarge);
            if (errno == EINTR) continue;
            return refused(Status::ReadFailed, systemReason(errno));
        }
        const std::int64_t want = std::min(kReadPiece, std::int64_t(result.bytes.size()) - done);
        const ssize_t got = ::read(fd, result.bytes.data() + done, std::size_t(want));
        if (got < 0) {
            if (errno == EINTR) continue;
            return refused(Status::ReadFailed, systemReason(errno));
        }
        if (got == 0) { // the file shrank while it was read
            result.bytes.resize(std::size_t(done));
            break;
        }
        done += got;
        if (progress && !progress(done, size)) return refused(Status::Cancelled);
    }
    result.status = Status::Ok;
    return result;
}

// A name no other file in the folder is likely to have: 64 random bits in base 36.
std::string temporaryName() {
    static thread_local std::mt19937_64 generator{std::random_device{}()};
    std::uint64_t value = generator();
    std::string name;
    do {
        name.insert(name.begin(), "0123456789abcdefghijklmnopqrstuvwxyz"[value % 36]);
        value /= 36;
    } while (value != 0);
    return name;
}

// A write that may be cut short or interrupted: the whole buffer goes out, or the error number is
// returned (0 on success).
int writeAll(int fd, const char* data, std::int64_t size) {
    while (size > 0) {
        const ssize_t done = ::write(fd, data, std::size_t(std::min<std::int64_t>(size, std::int64_t(1) << 30)));
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

FileSystem::ReadResult DiskFileSystem::read(const std::string& path) { return readRegular(path, kReadLimit, {}); }

FileSystem::ReadResult DiskFileSystem::readChosen(const std::string& path, std::int64_t limit, const ReadProgress& progress) {
    return readRegular(path, limit, progress);
}

std::string cleanPath(const std::string& path) {
    std::string clean = std::filesystem::path(path).lexically_normal().generic_string();
    if (clean.size() > 1 && clean.back() == '/') clean.pop_back();
    return clean;
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::string fileNameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string fileErrorReason(int error) {
    switch (error) {
    case ENOSPC: return "Нет места на диске";
    case EDQUOT: return "Исчерпана квота на диске";
    case ENAMETOOLONG: return "Слишком длинное имя файла";
    case EACCES:
    case EPERM: return "Нет прав на запись";
    case EROFS: return "Диск только для чтения";
    case EIO: return "Ошибка ввода-вывода";
    case ENOENT: return "Нет такого файла или папки";
    case ENOTDIR: return "Часть пути — не папка";
    case EISDIR: return "Это папка, а не файл";
    case EEXIST: return "Такое имя уже есть";
    case ELOOP: return "Путь идёт через ссылку";
    case EFBIG: return "Файл слишком велик";
    case EMFILE:
    case ENFILE: return "Открыто слишком много файлов";
    case ETXTBSY:
    case EBUSY: return "Файл занят";
    default: return systemReason(error);
    }
}

std::string DiskFileSystem::writeAtomically(const std::string& path, const Bytes& bytes) {
    // The bytes go to a new file beside the target, are flushed to disk and renamed over it: any failure
    // before the rename leaves the old file untouched. A link at the target is refused rather than
    // followed (the temporary file is made with O_EXCL and O_NOFOLLOW, and the rename replaces a name,
    // never what a link points to). The new file keeps the mode of the file it replaces.
    const std::string target = nativePath(path);
    struct stat old {};
    bool replaces = false;
    if (::lstat(target.c_str(), &old) == 0) {
        if (S_ISLNK(old.st_mode)) return kLinkReason;
        if (S_ISDIR(old.st_mode)) return fileErrorReason(EISDIR);
        replaces = S_ISREG(old.st_mode);
    } else if (errno != ENOENT) {
        return fileErrorReason(errno);
    }
    const std::size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string(".") : target.substr(0, std::max<std::size_t>(slash, 1));
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 64 && fd < 0; ++attempt) {
        temporary = folder + "/.tw-" + temporaryName() + ".tmp";
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) return fileErrorReason(errno);
    }
    if (fd < 0) return fileErrorReason(EEXIST);
    int error = writeAll(fd, bytes.data(), std::int64_t(bytes.size()));
    if (error == 0 && replaces && ::fchmod(fd, old.st_mode & 07777) != 0) error = errno;
    if (error == 0 && ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0) error = errno;
    if (error == 0) return {};
    ::unlink(temporary.c_str());
    return fileErrorReason(error);
}

std::string DiskFileSystem::copy(const std::string& from, const std::string& to) {
    // Read as every file is: a regular file only, never a pipe or a device.
    ReadResult source = read(from);
    if (!source.ok()) return source.error;
    return writeAtomically(to, source.bytes);
}

bool DiskFileSystem::exists(const std::string& path) {
    struct stat info {};
    return ::stat(nativePath(path), &info) == 0;
}

bool DiskFileSystem::isDirectory(const std::string& path) {
    struct stat info {};
    return ::stat(nativePath(path), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string DiskFileSystem::makeDirectory(const std::string& path) {
    if (::mkdir(nativePath(path), 0777) == 0) return {};
    return fileErrorReason(errno);
}

bool DiskFileSystem::remove(const std::string& path) { return ::remove(nativePath(path)) == 0; }

std::string DiskFileSystem::makeExecutable(const std::string& path) {
    // chmod follows links: a link is refused first.
    if (isLink(path)) return kLinkReason;
    if (::chmod(nativePath(path), 0755) == 0) return {};
    return fileErrorReason(errno);
}

bool DiskFileSystem::isLink(const std::string& path) {
    struct stat info {};
    return ::lstat(nativePath(path), &info) == 0 && S_ISLNK(info.st_mode);
}

std::vector<std::string> DiskFileSystem::entries(const std::string& folder) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(nativePath(folder));
    if (!dir) return names;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") names.push_back(name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

bool DiskFileSystem::sameFile(const std::string& a, const std::string& b) {
    struct stat first {}, second {};
    return ::stat(nativePath(a), &first) == 0 && ::stat(nativePath(b), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

} // namespace tw
