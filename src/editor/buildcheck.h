#pragma once

#include "check/gamecheck.h"

namespace tw {

class Engine;

// The check of the game as "Сохранить" would build it: a copy of the record with the scene shown as its
// start scene, searched and its walkthrough replayed on the project's files. Neither the record nor any
// file is changed.
check::CheckReport checkGameAsBuilt(Engine& engine, const check::CheckLimits& limits = {});

} // namespace tw
