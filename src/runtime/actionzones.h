#pragma once

#include "canvas/geometry.h"

#include <vector>

namespace tw {

class Engine;

// A place of the scene shown that answers a click: what it is and where, in canvas pixels.
struct ActionZone {
    enum class Kind { Item, Character, Hint, DoorKey, Portal };
    Kind kind;
    Rect rect;

    bool operator==(const ActionZone&) const = default;
};

// The places of the scene shown that answer a click, for the player who looks for them: the cells of the
// items lying there, the characters' click zones, the zones of hints with a text, the key zones of closed
// doors and the portal cells. Zones are rectangles (x1, y1)-(x2 - 1, y2 - 1) of well-formed stored
// corners (a click counts strictly inside them), cells 20 x 20; all clipped to the 1009 x 700 canvas, and
// those that lie wholly outside it are left out. Empty unless the scene is shown.
std::vector<ActionZone> actionZones(const Engine& engine);

} // namespace tw
