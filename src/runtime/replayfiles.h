#pragma once

#include "platform/filesystem.h"

#include <map>
#include <set>

namespace tw {

class AssetPaths;

// A game's files as a replay sees them: read from the tree beneath, with every write, copy and deletion
// kept in memory, so a replay writes nothing anywhere. The saved game and the editor's recovery copy
// start out absent: a replay does not depend on what a player saved in that folder, and no recovery
// question is asked. A game saved during the replay can be opened again in it.
class ReplayFiles final : public FileSystem {
public:
    ReplayFiles(FileSystem& files, const AssetPaths& paths);

    ReadResult read(const std::string& path) override;
    std::string writeAtomically(const std::string& path, const Bytes& bytes) override;
    std::string copy(const std::string& from, const std::string& to) override;
    bool exists(const std::string& path) override;
    bool isDirectory(const std::string& path) override;
    std::string makeDirectory(const std::string& path) override;
    bool remove(const std::string& path) override;
    std::string makeExecutable(const std::string& path) override;
    bool isLink(const std::string& path) override;
    std::vector<std::string> entries(const std::string& folder) override;
    bool sameFile(const std::string& a, const std::string& b) override;

    // The files written so far (kept in memory only).
    std::vector<std::string> written() const;

private:
    FileSystem& files_;
    std::map<std::string, Bytes> written_;
    std::set<std::string> gone_; // absent whatever the tree beneath holds
};

} // namespace tw
