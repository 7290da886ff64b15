#pragma once

#include "platform/filesystem.h"

namespace tw {

class AssetPaths;

// The files of a built game as its player sees them: everything of the underlying file system, except that
// the game's project record (mzh/data/typ.dll) can be read but never written or deleted, and the editor's
// recovery copy of it does not exist. The player keeps its own save in the save point file; the game as
// built stays exactly as the author shipped it, and a recovery file an editor left behind is neither
// offered to the player nor deleted. The record file is known by its identity as well as its name: no other
// path that reaches it (a link, a hard link, a linked folder) writes it either.
class GameFiles final : public FileSystem {
public:
    GameFiles(FileSystem& files, const AssetPaths& paths);

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

private:
    bool isProtected(const std::string& path);

    FileSystem& files_;
    std::string recordFile_;
    std::string recoveryFile_;
};

} // namespace tw
