#pragma once

#include "platform/filesystem.h"
#include "project/assetpaths.h"
#include "toolkit/toolkittypes.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tw {

// What the builds of a game (for the desktop and for the browser) share in writing their folder.

// The folder as an absolute, clean path; the real one where it exists (links resolved).
QString realFolder(const QString& path);
// `path` is `folder` or lies inside it.
bool isWithin(const QString& path, const QString& folder);
// Why a game cannot be built into the folder `chosen` (the editor's own folder, or one inside its mzh/ or
// graf/); empty when it can.
QString buildFolderProblem(const AssetPaths& paths, const QString& chosen);
// The first names of a list, for a message, and how many more there are.
QString nameList(const QStringList& names);

// The build's writes into its folder, kept so that a build that fails can take them back: the folders
// and files it made are removed, the files it replaced get their old bytes again. Every write refuses a
// link (the file seam does not follow one), and every folder is checked after it is made or found.
class BuildWriter {
public:
    BuildWriter(FileSystem& files, QString base) : files_(files), base_(std::move(base)) {}

    // The path of `relative` in the folder.
    QString path(const QString& relative) const { return base_ + relative; }
    // The reason the last call failed; the path it concerns.
    const QString& failure() const { return failure_; }
    const QString& failedPath() const { return failedPath_; }

    bool makeFolder(const QString& relative) {
        const QString folder = path(relative);
        const std::string disk = fromQt(folder);
        if (!files_.isLink(disk) && files_.isDirectory(disk)) return true;
        if (std::string reason = files_.makeDirectory(disk); !reason.empty()) return fail(folder, toQt(reason));
        madeFolders_.push_back(disk);
        // Made by us a moment ago, but a link put in its place since would lead the writes out.
        if (files_.isLink(disk) || !files_.isDirectory(disk))
            return fail(folder, QString::fromUtf8(kLinkReason));
        return true;
    }

    bool write(const QString& relative, const Bytes& bytes) {
        const QString target = path(relative);
        const std::string disk = fromQt(target);
        std::optional<Bytes> before;
        if (files_.isLink(disk)) return fail(target, QString::fromUtf8(kLinkReason));
        if (files_.exists(disk)) {
            FileSystem::ReadResult old = files_.read(disk);
            // A file that cannot be read could not be put back after a failure: it is left alone.
            if (!old.ok()) return fail(target, toQt(old.error));
            before = std::move(old.bytes);
        }
        if (std::string reason = files_.writeAtomically(disk, bytes); !reason.empty())
            return fail(target, toQt(reason));
        if (before)
            replaced_.push_back({disk, std::move(*before)});
        else
            madeFiles_.push_back(disk);
        return true;
    }

    bool makeExecutable(const QString& relative) {
        const QString target = path(relative);
        if (std::string reason = files_.makeExecutable(fromQt(target)); !reason.empty()) return fail(target, toQt(reason));
        return true;
    }

    // Takes back every write. The files made go first: on a full disk their room is what the old bytes
    // of the replaced files need. Returns the paths that could not be taken back.
    QStringList takeBack() {
        QStringList left;
        for (auto it = madeFiles_.rbegin(); it != madeFiles_.rend(); ++it)
            if (!files_.remove(*it)) left << toQt(*it);
        for (auto it = replaced_.rbegin(); it != replaced_.rend(); ++it)
            if (!files_.writeAtomically(it->first, it->second).empty()) left << toQt(it->first);
        for (auto it = madeFolders_.rbegin(); it != madeFolders_.rend(); ++it)
            if (!files_.remove(*it)) left << toQt(*it);
        replaced_.clear();
        madeFiles_.clear();
        madeFolders_.clear();
        return left;
    }

private:
    bool fail(const QString& path, const QString& reason) {
        failedPath_ = path;
        failure_ = reason;
        return false;
    }

    FileSystem& files_;
    QString base_;
    QString failure_;
    QString failedPath_;
    std::vector<std::pair<std::string, Bytes>> replaced_;
    std::vector<std::string> madeFiles_;
    std::vector<std::string> madeFolders_;
};

// The folder's names the build would write that are links or stand where a folder or file of the other
// kind must be; and those that are files the build would replace.
struct FolderCheck {
    QStringList links;
    QStringList wrongKind;
    QStringList replaced;
};

// `folders` are the folders the build makes, `written` the files it writes (paths relative to `base`).
FolderCheck checkFolder(FileSystem& files, const QString& base, const std::vector<const char*>& folders,
                        const QStringList& written);

} // namespace tw
