#include "check/projectcheck.h"

#include "check/walkthroughreplay.h"
#include "platform/filesystem.h"
#include "project/recordfile.h"
#include "toolkit/toolkittypes.h"

namespace tw::check {

CheckReport checkRecord(const ProjectRecord& record, FileSystem& files, const AssetPaths& paths, const CheckLimits& limits) {
    CheckReport report = searchGame(record, limits);
    const ReplayResult replay = replayWalkthrough(record, files, paths, report.walkthrough, report.walkthroughReaches);
    report.replayed = replay.reached;
    if (!replay.reached) {
        Warning diverged;
        diverged.kind = Warning::Kind::ReplayDiverged;
        diverged.detail = replay.detail;
        report.warnings.push_back(diverged);
    }
    return report;
}

ProjectCheck checkProjectTree(FileSystem& files, const AssetPaths& paths, const CheckLimits& limits) {
    ProjectCheck check;
    RecordLoad load = loadRecordFile(files, paths.recordFile());
    if (load.status != RecordLoad::Status::Ok) {
        check.reason = load.status == RecordLoad::Status::OpenFailed
                           ? QStringLiteral("Не удалось открыть файл %1").arg(toQt(paths.recordFile()))
                           : toQt(load.message);
        return check;
    }
    // The game as it starts: the same defaults play gives a record at start-up.
    applyStartDefaults(*load.record);
    check.readable = true;
    check.report = checkRecord(*load.record, files, paths, limits);
    return check;
}

} // namespace tw::check
