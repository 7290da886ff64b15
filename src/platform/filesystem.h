#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

namespace tw {

// Every file the program reads or writes goes through this seam, so tests can run on an in-memory tree,
// count what is opened and inject failures. The disk implementation keeps no state of its own and may be
// called from any thread (the recovery copy of the record is written from a worker).
class FileSystem {
public:
    // NotAFile: a folder, a device, a pipe or a socket, refused unopened. TooLarge: more bytes than the
    // reader accepts, refused before a byte is read. Cancelled: the progress callback asked to stop.
    enum class ReadStatus { Ok, OpenFailed, ReadFailed, NotAFile, TooLarge, Cancelled };
    struct ReadResult {
        ReadStatus status = ReadStatus::OpenFailed;
        QByteArray bytes;
        QString error; // the system's reason when status is not Ok
        bool ok() const { return status == ReadStatus::Ok; }
    };

    virtual ~FileSystem() = default;

    // Reads the whole file. Only a regular file is read (on disk a device, a pipe or a socket is refused
    // as NotAFile without waiting on it).
    virtual ReadResult read(const QString& path) = 0;
    // Told how far a long read has come (bytes so far, bytes in all); returning false stops the read.
    using ReadProgress = std::function<bool(qint64 done, qint64 total)>;
    // Reads a file the user chose, once: refused as NotAFile unless it is a regular file and as TooLarge
    // when it holds more than `limit` bytes, both before anything is read. `progress`, when given, hears
    // of the read piece by piece. This fallback reads through read() and checks the size after.
    virtual ReadResult readChosen(const QString& path, qint64 limit, const ReadProgress& progress);
    // Replaces the file as a whole: the bytes go to a temporary file in the same folder, which is flushed
    // to disk and then renamed over the target. On failure the old file is left intact and the reason is
    // returned; an empty string means success.
    virtual QString writeAtomically(const QString& path, const QByteArray& bytes) = 0;
    // Copies a file over another (replacing it). Returns false when the copy failed.
    virtual bool copy(const QString& from, const QString& to) = 0;
    virtual bool exists(const QString& path) = 0;
    virtual bool isDirectory(const QString& path) = 0;
    // Creates one folder (its parent must exist). Returns false on failure.
    virtual bool makeDirectory(const QString& path) = 0;
    // Deletes a file. Returns false when there was none or it could not be deleted.
    virtual bool remove(const QString& path) = 0;
    // Lets everyone run the file and its owner change it (mode 0755). Returns false on failure.
    virtual bool makeExecutable(const QString& path) = 0;
};

// The real disk.
class DiskFileSystem final : public FileSystem {
public:
    ReadResult read(const QString& path) override;
    ReadResult readChosen(const QString& path, qint64 limit, const ReadProgress& progress) override;
    QString writeAtomically(const QString& path, const QByteArray& bytes) override;
    bool copy(const QString& from, const QString& to) override;
    bool exists(const QString& path) override;
    bool isDirectory(const QString& path) override;
    bool makeDirectory(const QString& path) override;
    bool remove(const QString& path) override;
    bool makeExecutable(const QString& path) override;
};

} // namespace tw
