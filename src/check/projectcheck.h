#pragma once

#include "check/gamecheck.h"
#include "project/assetpaths.h"

#include <QString>

namespace tw {
class FileSystem;
}

namespace tw::check {

// The whole check of a game: the search over its states, then its walkthrough played in the real engine
// headless, from a copy of the record. The engine runs on `files` read-only: nothing is written anywhere,
// and the record handed in is not changed. When the walkthrough does not reach in the engine what the
// search promised, the report says so (Warning::Kind::ReplayDiverged) and `replayed` stays false.
CheckReport checkRecord(const ProjectRecord& record, FileSystem& files, const AssetPaths& paths,
                        const CheckLimits& limits = {});

// Reads the project's record from its tree and checks it. An unreadable record (missing, short, damaged)
// gives `readable` false and the reason, naming the file.
struct ProjectCheck {
    bool readable = false;
    QString reason;
    CheckReport report;
};
ProjectCheck checkProjectTree(FileSystem& files, const AssetPaths& paths, const CheckLimits& limits = {});

} // namespace tw::check
