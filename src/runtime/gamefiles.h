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

    ReadResult read(const QString& path) override;
    QString writeAtomically(const QString& path, const QByteArray& bytes) override;
    QString copy(const QString& from, const QString& to) override;
    bool exists(const QString& path) override;
    bool isDirectory(const QString& path) override;
    QString makeDirectory(const QString& path) override;
    bool remove(const QString& path) override;
    QString makeExecutable(const QString& path) override;
    bool isLink(const QString& path) override;
    QStringList entries(const QString& folder) override;
    bool sameFile(const QString& a, const QString& b) override;

private:
    bool isProtected(const QString& path);

    FileSystem& files_;
    QString recordFile_;
    QString recoveryFile_;
};

} // namespace tw
