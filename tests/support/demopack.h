#pragma once

#include "project/gamepack.h"

namespace tw::test {

// The demo's files as a game for the web page holds them: every file of a demo tree written afresh, under
// its path in the game's folder, without the desktop player program.
const GameFilesByPath& demoGameFiles();

} // namespace tw::test
