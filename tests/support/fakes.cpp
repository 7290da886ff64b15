#include "support/fakes.h"

#include <QDir>

#include <cerrno>

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
    if (links.contains(path)) return QString::fromUtf8(kLinkReason);
    if (spaceLeft >= 0) {
        if (bytes.size() > spaceLeft) return fileErrorReason(ENOSPC);
        spaceLeft -= bytes.size();
    }
    files.insert(path, bytes);
    written << path;
    return {};
}

QString FakeFileSystem::copy(const QString& from, const QString& to) {
    auto it = files.constFind(from);
    if (it == files.constEnd()) return QStringLiteral("No such file or directory");
    // A copy of the bytes: writing may grow the table and move what `it` points at.
    const QByteArray bytes = it.value();
    return writeAtomically(to, bytes);
}

bool FakeFileSystem::exists(const QString& path) { return files.contains(path) || directories.contains(path); }

bool FakeFileSystem::isDirectory(const QString& path) { return directories.contains(path); }

QString FakeFileSystem::makeDirectory(const QString& path) {
    if (files.contains(path) || links.contains(path)) return fileErrorReason(EEXIST);
    if (!directories.contains(path)) directories << path;
    return {};
}

bool FakeFileSystem::remove(const QString& path) {
    // A file removed gives its room back to a disk with a limit.
    if (spaceLeft >= 0 && files.contains(path)) spaceLeft += files.value(path).size();
    if (!files.remove(path) && !links.removeOne(path)) {
        // A folder goes only when nothing is left in it.
        if (!directories.contains(path) || !entries(path).isEmpty()) return false;
        directories.removeOne(path);
    }
    removed << path;
    return true;
}

QStringList FakeFileSystem::entries(const QString& folder) {
    const QString prefix = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    QStringList names;
    const auto take = [&](const QString& path) {
        if (!path.startsWith(prefix) || path.size() == prefix.size()) return;
        const QString name = path.mid(prefix.size()).section(QLatin1Char('/'), 0, 0);
        if (!names.contains(name)) names << name;
    };
    for (auto it = files.cbegin(); it != files.cend(); ++it) take(it.key());
    for (const QString& path : directories) take(path);
    for (const QString& path : links) take(path);
    names.sort();
    return names;
}

bool FakeFileSystem::sameFile(const QString& a, const QString& b) {
    const QString first = QDir::cleanPath(a);
    return first == QDir::cleanPath(b) && exists(first);
}

} // namespace tw::test
