#pragma once

#include "platform/filesystem.h"

#include <QHash>
#include <QSet>

namespace tw {

class AssetPaths;

// A game's files as a replay sees them: read from the tree beneath, with every write, copy and deletion
// kept in memory, so a replay writes nothing anywhere. The saved game and the editor's recovery copy
// start out absent: a replay does not depend on what a player saved in that folder, and no recovery
// question is asked. A game saved during the replay can be opened again in it.
class ReplayFiles final : public FileSystem {
public:
    ReplayFiles(FileSystem& files, const AssetPaths& paths);

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

    // The files written so far (kept in memory only).
    QStringList written() const { return written_.keys(); }

private:
    FileSystem& files_;
    QHash<QString, QByteArray> written_;
    QSet<QString> gone_; // absent whatever the tree beneath holds
};

} // namespace tw
