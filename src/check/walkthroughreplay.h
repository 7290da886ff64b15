#pragma once

#include "check/gamecheck.h"
#include "project/assetpaths.h"

#include <string>

namespace tw {
class FileSystem;
}

namespace tw::check {

struct ReplayResult {
    bool started = false; // the engine could start on the game's files
    bool reached = false; // every step did what it should and every promised goal was had
    std::string detail;   // otherwise: where it parted from the search, in Russian
    long long ticks = 0;  // frame ticks played
};

// Plays `steps` in the real engine, headless, as a player would: pointer moves, presses and frame ticks,
// from a copy of `record`, on the game's files under `paths` read through `files` and never written.
// Every goal of `promised` must be had on the way: each item in the bag at some tick, each door open at
// the end.
ReplayResult replayWalkthrough(const ProjectRecord& record, FileSystem& files, const AssetPaths& paths,
                               const std::vector<Action>& steps, const Goals& promised);

} // namespace tw::check
