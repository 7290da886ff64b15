#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

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
    // returned; an empty string means success. A target that is a symbolic link is refused, never written
    // through (kLinkReason).
    virtual QString writeAtomically(const QString& path, const QByteArray& bytes) = 0;
    // Copies a file over another (replacing it, as writeAtomically does). Returns why the copy failed; an
    // empty string means success.
    virtual QString copy(const QString& from, const QString& to) = 0;
    virtual bool exists(const QString& path) = 0;
    virtual bool isDirectory(const QString& path) = 0;
    // Creates one folder (its parent must exist; an existing name, a link too, is not followed but
    // refused). Returns why it failed; an empty string means success.
    virtual QString makeDirectory(const QString& path) = 0;
    // Deletes a file, a link (not what it points to) or an empty folder. Returns false when there was
    // none or it could not be deleted.
    virtual bool remove(const QString& path) = 0;
    // Lets everyone run the file and its owner change it (mode 0755); a link is refused. Returns why it
    // failed; an empty string means success.
    virtual QString makeExecutable(const QString& path) = 0;

    // What a writer needs to stay inside a folder.
    // The path itself is a symbolic link (the link is looked at, not followed).
    virtual bool isLink(const QString& path) = 0;
    // The names in a folder, sorted, without "." and ".."; empty for an empty or missing folder.
    virtual QStringList entries(const QString& folder) = 0;
    // Both paths reach the same file (links followed, so a link and its target, or two hard links of one
    // file, are the same). False when either does not exist.
    virtual bool sameFile(const QString& a, const QString& b) = 0;
};

// The reason a write gave up, for an error number of the system: "Нет места на диске" for ENOSPC,
// "Слишком длинное имя файла" for ENAMETOOLONG and so on, in Russian as the messages that show it.
QString fileErrorReason(int error);
// Why a write to a symbolic link was refused.
inline constexpr const char* kLinkReason = "это ссылка на другой файл, через ссылку запись не идёт";

// The real disk.
class DiskFileSystem final : public FileSystem {
public:
    ReadResult read(const QString& path) override;
    ReadResult readChosen(const QString& path, qint64 limit, const ReadProgress& progress) override;
    QString writeAtomically(const QString& path, const QByteArray& bytes) override;
    QString copy(const QString& from, const QString& to) override;
    bool exists(const QString& path) override;
    bool isDirectory(const QString& path) override;
    QString makeDirectory(const QString& path) override;
    bool remove(const QString& path) override;
    QString makeExecutable(const QString& path) override;
    bool isLink(const QString& path) override;
    QStringList entries(const QString& folder) override;
    bool sameFile(const QString& a, const QString& b) override;
};

} // namespace tw
