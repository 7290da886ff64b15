#pragma once

#include <optional>

namespace tw {

// `tarnwick --build-web NAME FOLDER [PROJECT]`: builds the project's game for the browser into FOLDER
// (made when missing; one that is not empty is refused) under NAME, with no window and no display.
// PROJECT is the program's own folder when not given. The exit code is 0 when the game was built, 2 with
// the reason on standard error when it was not. Nothing when the option is not on the command line.
std::optional<int> runBuildWebCommand(int argc, char* argv[]);

} // namespace tw
