#include "editor/buildcheck.h"

#include "check/projectcheck.h"
#include "runtime/engine.h"

#include <memory>

namespace tw {

check::CheckReport checkGameAsBuilt(Engine& engine, const check::CheckLimits& limits) {
    // The build starts the game in the scene shown; the check must start where the game will.
    auto built = std::make_unique<ProjectRecord>(engine.record());
    built->startScene = engine.screen().currentScene;
    return check::checkRecord(*built, engine.services().files, engine.paths(), limits);
}

} // namespace tw
