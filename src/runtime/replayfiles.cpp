#include "runtime/replayfiles.h"

#include "project/assetpaths.h"

#include <algorithm>

namespace tw {
namespace {

const char* const kNoSuchFile = "No such file or directory";
const char* const kWritesNothing = "при повторе записи на диск ничего не пишется";

} // namespace

ReplayFiles::ReplayFiles(FileSystem& files, const AssetPaths& paths) : files_(files) {
    gone_.insert(cleanPath(paths.savePointFile()));
    gone_.insert(cleanPath(paths.recoveryFile()));
}

std::vector<std::string> ReplayFiles::written() const {
    std::vector<std::string> paths;
    for (const auto& [path, bytes] : written_) paths.push_back(path);
    return paths;
}

FileSystem::ReadResult ReplayFiles::read(const std::string& path) {
    const std::string key = cleanPath(path);
    if (const auto found = written_.find(key); found != written_.end()) {
        ReadResult result;
        result.status = ReadStatus::Ok;
        result.bytes = found->second;
        return result;
    }
    if (gone_.contains(key)) {
        ReadResult none;
        none.error = kNoSuchFile;
        return none;
    }
    return files_.read(path);
}

std::string ReplayFiles::writeAtomically(const std::string& path, const Bytes& bytes) {
    const std::string key = cleanPath(path);
    written_[key] = bytes;
    gone_.erase(key);
    return {};
}

std::string ReplayFiles::copy(const std::string& from, const std::string& to) {
    const ReadResult source = read(from);
    if (!source.ok()) return source.error.empty() ? std::string(kNoSuchFile) : source.error;
    return writeAtomically(to, source.bytes);
}

bool ReplayFiles::exists(const std::string& path) {
    const std::string key = cleanPath(path);
    if (written_.contains(key)) return true;
    if (gone_.contains(key)) return false;
    return files_.exists(path);
}

bool ReplayFiles::isDirectory(const std::string& path) {
    const std::string key = cleanPath(path);
    if (written_.contains(key) || gone_.contains(key)) return false;
    return files_.isDirectory(path);
}

std::string ReplayFiles::makeDirectory(const std::string&) { return kWritesNothing; }

bool ReplayFiles::remove(const std::string& path) {
    const bool existed = exists(path);
    const std::string key = cleanPath(path);
    written_.erase(key);
    gone_.insert(key);
    return existed;
}

std::string ReplayFiles::makeExecutable(const std::string&) { return kWritesNothing; }

bool ReplayFiles::isLink(const std::string& path) {
    const std::string key = cleanPath(path);
    if (written_.contains(key) || gone_.contains(key)) return false;
    return files_.isLink(path);
}

std::vector<std::string> ReplayFiles::entries(const std::string& folder) {
    const std::string base = cleanPath(folder);
    std::vector<std::string> names;
    for (const std::string& name : files_.entries(folder)) {
        if (!gone_.contains(cleanPath(base + '/' + name))) names.push_back(name);
    }
    for (const auto& [path, bytes] : written_) {
        const std::size_t slash = path.rfind('/');
        if (slash != std::string::npos && path.substr(0, slash) == base) names.push_back(path.substr(slash + 1));
    }
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

bool ReplayFiles::sameFile(const std::string& a, const std::string& b) {
    if (written_.contains(cleanPath(a)) || written_.contains(cleanPath(b))) return cleanPath(a) == cleanPath(b);
    return files_.sameFile(a, b);
}

} // namespace tw
