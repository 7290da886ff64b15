#pragma once

#include "project/projectrecord.h"

#include <optional>

namespace tw::check {

// A point of the canvas, in canvas pixels.
struct ClickPoint {
    int x = 0;
    int y = 0;
    bool operator==(const ClickPoint&) const = default;
};

// Where a press does what it is meant for and nothing else that answers a press in play. Every point lies
// on the canvas below the strip that opens the bag's panel. A point inside a character's zone sends the
// hero to that character whatever else was meant, so only the character's own press may lie in one.

// A press on cell (col, row) of the scene: the hero walks there, or to the item lying on it.
std::optional<ClickPoint> cellClickPoint(const ProjectRecord& record, int scene, int col, int row);
// A press on character d: inside its zone, in no other character's zone and on no closed door's key zone
// (a door takes a key held over its zone before a character sees the press). With `holding`, also off
// the place on the panel's left where a held item is laid down.
std::optional<ClickPoint> characterClickPoint(const ProjectRecord& record, int scene, int d, bool holding);
// A press with a key on door d's key zone: inside it, in no other closed door's key zone and off the place
// where a held item is laid down.
std::optional<ClickPoint> keyZoneClickPoint(const ProjectRecord& record, int scene, int d);

} // namespace tw::check
