#include "runtime/replayfiles.h"

#include "project/assetpaths.h"

#include <QDir>

namespace tw {
namespace {

QString clean(const QString& path) {
    return QDir::cleanPath(path);
}

const char* const kWritesNothing = "при повторе записи на диск ничего не пишется";

} // namespace

ReplayFiles::ReplayFiles(FileSystem& files, const AssetPaths& paths) : files_(files) {
    gone_.insert(clean(paths.savePointFile()));
    gone_.insert(clean(paths.recoveryFile()));
}

FileSystem::ReadResult ReplayFiles::read(const QString& path) {
    const QString key = clean(path);
    if (written_.contains(key)) {
        ReadResult result;
        result.status = ReadStatus::Ok;
        result.bytes = written_.value(key);
        return result;
    }
    if (gone_.contains(key)) {
        ReadResult none;
        none.error = QStringLiteral("No such file or directory");
        return none;
    }
    return files_.read(path);
}

QString ReplayFiles::writeAtomically(const QString& path, const QByteArray& bytes) {
    const QString key = clean(path);
    written_.insert(key, bytes);
    gone_.remove(key);
    return {};
}

QString ReplayFiles::copy(const QString& from, const QString& to) {
    const ReadResult source = read(from);
    if (!source.ok())
        return source.error.isEmpty() ? QStringLiteral("No such file or directory") : source.error;
    return writeAtomically(to, source.bytes);
}

bool ReplayFiles::exists(const QString& path) {
    const QString key = clean(path);
    if (written_.contains(key)) return true;
    if (gone_.contains(key)) return false;
    return files_.exists(path);
}

bool ReplayFiles::isDirectory(const QString& path) {
    const QString key = clean(path);
    if (written_.contains(key) || gone_.contains(key)) return false;
    return files_.isDirectory(path);
}

QString ReplayFiles::makeDirectory(const QString&) {
    return QString::fromUtf8(kWritesNothing);
}

bool ReplayFiles::remove(const QString& path) {
    const bool existed = exists(path);
    const QString key = clean(path);
    written_.remove(key);
    gone_.insert(key);
    return existed;
}

QString ReplayFiles::makeExecutable(const QString&) {
    return QString::fromUtf8(kWritesNothing);
}

bool ReplayFiles::isLink(const QString& path) {
    const QString key = clean(path);
    if (written_.contains(key) || gone_.contains(key)) return false;
    return files_.isLink(path);
}

QStringList ReplayFiles::entries(const QString& folder) {
    const QString base = clean(folder);
    QStringList names;
    for (const QString& name : files_.entries(folder)) {
        if (!gone_.contains(clean(base + QLatin1Char('/') + name))) names << name;
    }
    for (auto it = written_.cbegin(); it != written_.cend(); ++it) {
        const qsizetype slash = it.key().lastIndexOf(QLatin1Char('/'));
        if (slash >= 0 && it.key().left(slash) == base) names << it.key().mid(slash + 1);
    }
    names.removeDuplicates();
    names.sort();
    return names;
}

bool ReplayFiles::sameFile(const QString& a, const QString& b) {
    if (written_.contains(clean(a)) || written_.contains(clean(b))) return clean(a) == clean(b);
    return files_.sameFile(a, b);
}

} // namespace tw
