#pragma once

#include <optional>

namespace tw {

// `tarnwick --check [FOLDER] [--json]`: checks the game whose `mzh/` lies in FOLDER (the program's own
// folder when none is given) and prints the report on standard output, in Russian or, with --json, as one
// JSON object. Runs before any window is made and needs no display: the engine that replays the walkthrough
// draws on the offscreen platform. It plays no sound and writes no file.
//
// Returns nothing when the arguments do not ask for the check; otherwise the program's exit code: 0 the
// check found nothing, 1 it found something, 2 the project could not be read (or the arguments made no
// sense), with the reason on standard error.
std::optional<int> runCheckCommand(int argc, char* argv[]);

} // namespace tw
