#include "platform/memoryfiles.h"

#include <cerrno>

namespace tw {
namespace {

const char* const kNoSuchFile = "Нет такого файла или папки";

// The path as the table holds it: one spelling, no "./" in front.
std::string key(const std::string& path) {
    std::string clean = cleanPath(path);
    return clean == "." ? std::string() : clean;
}

// Whether `path` lies inside `folder` (the empty folder is the game's own).
bool isInside(const std::string& path, const std::string& folder) {
    return folder.empty() ? !path.empty() : path.size() > folder.size() && path.starts_with(folder + '/');
}

} // namespace

FileSystem::ReadResult MemoryFileSystem::read(const std::string& path) {
    ReadResult result;
    const auto found = files_.find(key(path));
    if (found == files_.end()) {
        result.status = isDirectory(path) ? ReadStatus::NotAFile : ReadStatus::OpenFailed;
        result.error = isDirectory(path) ? "это не обычный файл" : kNoSuchFile;
        return result;
    }
    result.status = ReadStatus::Ok;
    result.bytes = found->second;
    return result;
}

std::string MemoryFileSystem::writeAtomically(const std::string& path, const Bytes& bytes) {
    const std::string name = key(path);
    if (!isPackablePath(name)) return kNoSuchFile;
    if (isDirectory(name)) return fileErrorReason(EISDIR);
    files_[name] = bytes;
    if (written) written(name, bytes);
    return {};
}

std::string MemoryFileSystem::copy(const std::string& from, const std::string& to) {
    const ReadResult source = read(from);
    if (!source.ok()) return source.error;
    return writeAtomically(to, source.bytes);
}

bool MemoryFileSystem::exists(const std::string& path) { return files_.contains(key(path)) || isDirectory(path); }

bool MemoryFileSystem::isDirectory(const std::string& path) {
    const std::string name = key(path);
    if (name.empty() || folders_.contains(name)) return true;
    const auto next = files_.lower_bound(name + '/');
    return next != files_.end() && isInside(next->first, name);
}

std::string MemoryFileSystem::makeDirectory(const std::string& path) {
    const std::string name = key(path);
    if (exists(name)) return fileErrorReason(EEXIST);
    if (!isPackablePath(name)) return kNoSuchFile;
    folders_.insert(name);
    return {};
}

bool MemoryFileSystem::remove(const std::string& path) {
    const std::string name = key(path);
    if (files_.erase(name) > 0) return true;
    // A folder goes only when nothing is left in it.
    return folders_.contains(name) && entries(name).empty() && folders_.erase(name) > 0;
}

std::string MemoryFileSystem::makeExecutable(const std::string&) { return "в браузере программ нет"; }

std::vector<std::string> MemoryFileSystem::entries(const std::string& folder) {
    const std::string name = key(folder);
    std::set<std::string> names;
    const auto take = [&](const std::string& path) {
        if (!isInside(path, name)) return;
        const std::string rest = name.empty() ? path : path.substr(name.size() + 1);
        names.insert(rest.substr(0, rest.find('/')));
    };
    for (const auto& [path, bytes] : files_) take(path);
    for (const std::string& path : folders_) take(path);
    return {names.begin(), names.end()};
}

bool MemoryFileSystem::sameFile(const std::string& a, const std::string& b) {
    return key(a) == key(b) && exists(a);
}

} // namespace tw
