#include "support/fakes.h"

namespace tw::test {

FileSystem::ReadResult FakeFileSystem::readChosen(const QString& path, qint64 limit, const ReadProgress& progress) {
    if (!onDisk.contains(path)) return FileSystem::readChosen(path, limit, progress);
    opened << path;
    return DiskFileSystem().readChosen(onDisk.value(path), limit, progress);
}

FileSystem::ReadResult FakeFileSystem::read(const QString& path) {
    if (onDisk.contains(path)) {
        opened << path;
        return DiskFileSystem().read(onDisk.value(path));
    }
    opened << path;
    ReadResult result;
    auto it = files.constFind(path);
    if (it == files.constEnd()) {
        result.status = ReadStatus::OpenFailed;
        result.error = QStringLiteral("No such file or directory");
        return result;
    }
    if (failReadsOf.contains(path)) {
        result.status = ReadStatus::ReadFailed;
        result.error = QStringLiteral("Input/output error");
        return result;
    }
    result.status = ReadStatus::Ok;
    result.bytes = it.value();
    return result;
}

QString FakeFileSystem::writeAtomically(const QString& path, const QByteArray& bytes) {
    if (failWritesTo.contains(path)) return QStringLiteral("Permission denied");
    files.insert(path, bytes);
    written << path;
    return {};
}

bool FakeFileSystem::copy(const QString& from, const QString& to) {
    auto it = files.constFind(from);
    if (it == files.constEnd()) return false;
    // A copy of the bytes: writing may grow the table and move what `it` points at.
    const QByteArray bytes = it.value();
    return writeAtomically(to, bytes).isEmpty();
}

bool FakeFileSystem::exists(const QString& path) { return files.contains(path) || directories.contains(path); }

bool FakeFileSystem::isDirectory(const QString& path) { return directories.contains(path); }

bool FakeFileSystem::makeDirectory(const QString& path) {
    if (!directories.contains(path)) directories << path;
    return true;
}

bool FakeFileSystem::remove(const QString& path) {
    if (!files.remove(path)) return false;
    removed << path;
    return true;
}

} // namespace tw::test
