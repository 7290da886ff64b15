#include "check/readonlyfiles.h"

namespace tw::check {
namespace {

const char* const kRefused = "проверка игры ничего не записывает";

} // namespace

FileSystem::ReadResult ReadOnlyFiles::read(const std::string& path) {
    if (path == recordPath_) return ReadResult{ReadStatus::Ok, record_, {}};
    if (path == recoveryPath_) return ReadResult{ReadStatus::OpenFailed, {}, {}};
    return files_.read(path);
}

FileSystem::ReadResult ReadOnlyFiles::readChosen(const std::string& path, std::int64_t limit, const ReadProgress& progress) {
    if (path == recordPath_ || path == recoveryPath_) return read(path);
    return files_.readChosen(path, limit, progress);
}

std::string ReadOnlyFiles::writeAtomically(const std::string&, const Bytes&) { return kRefused; }
std::string ReadOnlyFiles::copy(const std::string&, const std::string&) { return kRefused; }
std::string ReadOnlyFiles::makeDirectory(const std::string&) { return kRefused; }
bool ReadOnlyFiles::remove(const std::string&) { return false; }
std::string ReadOnlyFiles::makeExecutable(const std::string&) { return kRefused; }

bool ReadOnlyFiles::exists(const std::string& path) {
    if (path == recordPath_) return true;
    if (path == recoveryPath_) return false;
    return files_.exists(path);
}

} // namespace tw::check
