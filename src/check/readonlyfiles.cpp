#include "check/readonlyfiles.h"

namespace tw::check {
namespace {

const QString kRefused = QStringLiteral("проверка игры ничего не записывает");

} // namespace

FileSystem::ReadResult ReadOnlyFiles::read(const QString& path) {
    if (path == recordPath_) return ReadResult{ReadStatus::Ok, record_, {}};
    if (path == recoveryPath_) return ReadResult{ReadStatus::OpenFailed, {}, {}};
    return files_.read(path);
}

FileSystem::ReadResult ReadOnlyFiles::readChosen(const QString& path, qint64 limit, const ReadProgress& progress) {
    if (path == recordPath_ || path == recoveryPath_) return read(path);
    return files_.readChosen(path, limit, progress);
}

QString ReadOnlyFiles::writeAtomically(const QString&, const QByteArray&) { return kRefused; }
QString ReadOnlyFiles::copy(const QString&, const QString&) { return kRefused; }
QString ReadOnlyFiles::makeDirectory(const QString&) { return kRefused; }
bool ReadOnlyFiles::remove(const QString&) { return false; }
QString ReadOnlyFiles::makeExecutable(const QString&) { return kRefused; }

bool ReadOnlyFiles::exists(const QString& path) {
    if (path == recordPath_) return true;
    if (path == recoveryPath_) return false;
    return files_.exists(path);
}

} // namespace tw::check
