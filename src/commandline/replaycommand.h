#pragma once

#include "runtime/replay.h"

namespace tw {

// The program was started to replay a recording: its arguments hold "--replay". Looks at argv itself,
// because it must be known before the application object is made.
bool isReplayCommand(int argc, char** argv);

// `--replay FILE [--grab PNG] [--json]`: plays the recording FILE on the game beside the executable with
// no window, no display and no sound (the offscreen platform is chosen unless one was), then prints the
// final state (with --json as one JSON object on standard output, see playStateJson) and, with --grab,
// saves the last frame as PNG. Writes nothing else anywhere. Returns the program's exit code: 0 done, 1
// the picture could not be written, 2 the arguments, the recording or the game could not be read (the
// reason on standard error). `editor`, when given, plugs the editor into the engine.
int runReplayCommand(int argc, char** argv, const ReplayEditor& editor = {});

} // namespace tw
