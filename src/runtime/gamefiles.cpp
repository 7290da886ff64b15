#include "runtime/gamefiles.h"

#include "project/assetpaths.h"

#include <algorithm>

namespace tw {
namespace {

const char* const kNoSuchFile = "No such file or directory";
const char* const kReadOnly = "файл игры только для чтения";

} // namespace

// Paths are compared in one spelling, so "mzh/data/../data/typ.dll" is the record file too.
GameFiles::GameFiles(FileSystem& files, const AssetPaths& paths)
    : files_(files), recordFile_(cleanPath(paths.recordFile())), recoveryFile_(cleanPath(paths.recoveryFile())) {}

bool GameFiles::isProtected(const std::string& path) {
    const std::string clean = cleanPath(path);
    return clean == recordFile_ || clean == recoveryFile_ || files_.sameFile(path, recordFile_);
}

FileSystem::ReadResult GameFiles::read(const std::string& path) {
    if (cleanPath(path) == recoveryFile_) {
        ReadResult none;
        none.status = ReadStatus::OpenFailed;
        none.error = kNoSuchFile;
        return none;
    }
    return files_.read(path);
}

std::string GameFiles::writeAtomically(const std::string& path, const Bytes& bytes) {
    // A link is refused as such below; one that reaches the game file says so here first.
    if (isProtected(path)) return files_.isLink(path) ? std::string(kLinkReason) + " (на файл игры)" : kReadOnly;
    return files_.writeAtomically(path, bytes);
}

std::string GameFiles::copy(const std::string& from, const std::string& to) {
    if (isProtected(to)) return kReadOnly;
    if (cleanPath(from) == recoveryFile_) return kNoSuchFile;
    return files_.copy(from, to);
}

bool GameFiles::exists(const std::string& path) {
    if (cleanPath(path) == recoveryFile_) return false;
    return files_.exists(path);
}

bool GameFiles::isDirectory(const std::string& path) { return files_.isDirectory(path); }

std::string GameFiles::makeDirectory(const std::string& path) { return files_.makeDirectory(path); }

bool GameFiles::remove(const std::string& path) {
    if (isProtected(path)) return false;
    return files_.remove(path);
}

std::string GameFiles::makeExecutable(const std::string& path) {
    if (isProtected(path)) return kReadOnly;
    return files_.makeExecutable(path);
}

bool GameFiles::isLink(const std::string& path) { return files_.isLink(path); }

std::vector<std::string> GameFiles::entries(const std::string& folder) {
    std::vector<std::string> names = files_.entries(folder);
    if (cleanPath(folder) == folderOf(recoveryFile_)) std::erase(names, fileNameOf(recoveryFile_));
    return names;
}

bool GameFiles::sameFile(const std::string& a, const std::string& b) { return files_.sameFile(a, b); }

} // namespace tw
