#pragma once

#include "project/bytes.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tw {

// Paths are UTF-8 texts. Every file the program reads or writes goes through this seam, so tests can run on an in-memory tree,
// count what is opened and inject failures. The disk implementation keeps no state of its own and may be
// called from any thread (the recovery copy of the record is written from a worker).
class FileSystem {
public:
    // NotAFile: a folder, a device, a pipe or a socket, refused unopened. TooLarge: more bytes than the
    // reader accepts, refused before a byte is read. Cancelled: the progress callback asked to stop.
    enum class ReadStatus { Ok, OpenFailed, ReadFailed, NotAFile, TooLarge, Cancelled };
    struct ReadResult {
        ReadStatus status = ReadStatus::OpenFailed;
        Bytes bytes;
        std::string error; // the system's reason when status is not Ok
        bool ok() const { return status == ReadStatus::Ok; }
    };

    virtual ~FileSystem() = default;

    // Reads the whole file. Only a regular file is read (on disk a device, a pipe or a socket is refused
    // as NotAFile without waiting on it).
    virtual ReadResult read(const std::string& path) = 0;
    // Told how far a long read has come (bytes so far, bytes in all); returning false stops the read.
    using ReadProgress = std::function<bool(std::int64_t done, std::int64_t total)>;
    // Reads a file the user chose, once: refused as NotAFile unless it is a regular file and as TooLarge
    // when it holds more than `limit` bytes, both before anything is read. `progress`, when given, hears
    // of the read piece by piece. This fallback reads through read() and checks the size after.
    virtual ReadResult readChosen(const std::string& path, std::int64_t limit, const ReadProgress& progress);
    // Replaces the file as a whole: the bytes go to a temporary file in the same folder, which is flushed
    // to disk and then renamed over the target. On failure the old file is left intact and the reason is
    // returned; an empty string means success. A target that is a symbolic link is refused, never written
    // through (kLinkReason).
    virtual std::string writeAtomically(const std::string& path, const Bytes& bytes) = 0;
    // Copies a file over another (replacing it, as writeAtomically does). Returns why the copy failed; an
    // empty string means success.
    virtual std::string copy(const std::string& from, const std::string& to) = 0;
    virtual bool exists(const std::string& path) = 0;
    virtual bool isDirectory(const std::string& path) = 0;
    // Creates one folder (its parent must exist; an existing name, a link too, is not followed but
    // refused). Returns why it failed; an empty string means success.
    virtual std::string makeDirectory(const std::string& path) = 0;
    // Deletes a file, a link (not what it points to) or an empty folder. Returns false when there was
    // none or it could not be deleted.
    virtual bool remove(const std::string& path) = 0;
    // Lets everyone run the file and its owner change it (mode 0755); a link is refused. Returns why it
    // failed; an empty string means success.
    virtual std::string makeExecutable(const std::string& path) = 0;

    // What a writer needs to stay inside a folder.
    // The path itself is a symbolic link (the link is looked at, not followed).
    virtual bool isLink(const std::string& path) = 0;
    // The names in a folder, sorted, without "." and ".."; empty for an empty or missing folder.
    virtual std::vector<std::string> entries(const std::string& folder) = 0;
    // Both paths reach the same file (links followed, so a link and its target, or two hard links of one
    // file, are the same). False when either does not exist.
    virtual bool sameFile(const std::string& a, const std::string& b) = 0;
};

// A path in one spelling: separators single, "." and resolvable ".." parts gone, no trailing separator
// ("mzh/data/../data//typ.dll" is "mzh/data/typ.dll"). The disk is not asked.
std::string cleanPath(const std::string& path);
// The folder part of a path ("." for a bare name) and its last part.
std::string folderOf(const std::string& path);
std::string fileNameOf(const std::string& path);

// The reason a write gave up, for an error number of the system: "Нет места на диске" for ENOSPC,
// "Слишком длинное имя файла" for ENAMETOOLONG and so on, in Russian as the messages that show it.
std::string fileErrorReason(int error);
// Why a write to a symbolic link was refused.
inline constexpr const char* kLinkReason = "это ссылка на другой файл, через ссылку запись не идёт";

// The real disk.
class DiskFileSystem final : public FileSystem {
public:
    ReadResult read(const std::string& path) override;
    ReadResult readChosen(const std::string& path, std::int64_t limit, const ReadProgress& progress) override;
    std::string writeAtomically(const std::string& path, const Bytes& bytes) override;
    std::string copy(const std::string& from, const std::string& to) override;
    bool exists(const std::string& path) override;
    bool isDirectory(const std::string& path) override;
    std::string makeDirectory(const std::string& path) override;
    bool remove(const std::string& path) override;
    std::string makeExecutable(const std::string& path) override;
    bool isLink(const std::string& path) override;
    std::vector<std::string> entries(const std::string& folder) override;
    bool sameFile(const std::string& a, const std::string& b) override;
};

} // namespace tw
