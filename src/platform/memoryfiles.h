#pragma once

#include "platform/filesystem.h"
#include "project/gamepack.h"

#include <functional>
#include <set>

namespace tw {

// A game's files held in memory, as a web page has them after fetching the game's pack: paths are
// relative to the game's folder, as in the pack. Folders are the paths' own prefixes. Writes land in
// memory, and each one is told to `written`, so that the page can keep what must outlive it (the
// saved game) in the browser's storage.
class MemoryFileSystem final : public FileSystem {
public:
    explicit MemoryFileSystem(GameFilesByPath files = {}) : files_(std::move(files)) {}

    std::function<void(const std::string& path, const Bytes& bytes)> written;

    ReadResult read(const std::string& path) override;
    std::string writeAtomically(const std::string& path, const Bytes& bytes) override;
    std::string copy(const std::string& from, const std::string& to) override;
    bool exists(const std::string& path) override;
    bool isDirectory(const std::string& path) override;
    std::string makeDirectory(const std::string& path) override;
    bool remove(const std::string& path) override;
    std::string makeExecutable(const std::string& path) override;
    bool isLink(const std::string&) override { return false; }
    std::vector<std::string> entries(const std::string& folder) override;
    bool sameFile(const std::string& a, const std::string& b) override;

    const GameFilesByPath& files() const { return files_; }

private:
    GameFilesByPath files_;
    std::set<std::string> folders_; // made with makeDirectory and still empty
};

} // namespace tw
