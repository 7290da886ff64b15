#include "platform/filedialogs.h"

#include <filesystem>

namespace tw {
namespace {

// The absolute folder of a file: a relative path is taken from the working folder, and "." and ".."
// are resolved by name, links left alone.
std::string absoluteFolderOf(const std::string& file) {
    std::error_code error;
    std::filesystem::path path = std::filesystem::path(file);
    if (path.is_relative()) path = std::filesystem::absolute(path, error);
    return path.lexically_normal().parent_path().string();
}

} // namespace

std::string FileDialogs::chooseFile(const std::string& kind, const std::string& title, const std::string& filter,
                                    const std::string& firstFolder) {
    const auto last = lastFolders_.find(kind);
    const std::string chosen = openFile(title, filter, last != lastFolders_.end() ? last->second : firstFolder);
    if (!chosen.empty()) lastFolders_[kind] = absoluteFolderOf(chosen);
    return chosen;
}

} // namespace tw
