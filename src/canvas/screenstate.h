#pragma once

#include "canvas/geometry.h"

#include <cstdint>

namespace tw {

// Which screen the canvas shows.
enum class ScreenMode : std::uint8_t {
    Menu = 1,
    Help = 2,
    Applicator = 3,
    Animator = 4,
    Passability = 5,
    Scene = 6,
};

// What the canvas shows: the screen, the scene that is shown, played and edited, and where the
// background's top-left corner lies (moved only by the background applicator).
struct ScreenState {
    ScreenMode screenMode = ScreenMode::Menu;
    std::uint16_t currentScene = 1;
    Point sceneViewOffset{0, 0};
};

} // namespace tw
