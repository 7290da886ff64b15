#include "check/clickpoints.h"

#include "canvas/drawing.h"
#include "runtime/bag.h"

#include <algorithm>
#include <functional>

namespace tw::check {
namespace {

// The strip along the top edge where the pointer opens the bag's panel: a press there is a press on the
// panel, not on the scene.
constexpr int kPanelStrip = 5;

// A held item pressed on the panel's first place, near the top, is laid down wherever the pointer is.
bool laysHeldItemDown(int x, int y) { return x >= 0 && bagSlotAt(x) == 0 && y < 60; }

bool inCharacterZone(const SceneBlock& scene, int x, int y, int except) {
    for (int d = 1; d <= kDialogsPerScene; ++d) {
        const Dialog& dialog = scene.dialog(d);
        if (d != except && isInside(x, y, dialog.zoneX1, dialog.zoneY1, dialog.zoneX2, dialog.zoneY2)) return true;
    }
    return false;
}

bool inClosedDoorKeyZone(const SceneBlock& scene, int x, int y, int except) {
    for (int d = 1; d <= kDoorsPerScene; ++d) {
        const Door& door = scene.door(d);
        if (d != except && door.state == 1 && isInside(x, y, door.keyZoneX1, door.keyZoneY1, door.keyZoneX2, door.keyZoneY2))
            return true;
    }
    return false;
}

// The first point of the rectangle (x1..x2, y1..y2, inclusive) on the canvas that `fits`, its centre first.
std::optional<ClickPoint> firstPoint(int x1, int y1, int x2, int y2, const std::function<bool(int, int)>& fits) {
    x1 = std::max(x1, 0);
    y1 = std::max(y1, kPanelStrip);
    x2 = std::min(x2, kPlayWidth - 1);
    y2 = std::min(y2, kPlayHeight - 1);
    if (x1 > x2 || y1 > y2) return std::nullopt;
    const int cx = (x1 + x2) / 2;
    const int cy = (y1 + y2) / 2;
    if (fits(cx, cy)) return ClickPoint{cx, cy};
    for (int y = y1; y <= y2; ++y) {
        for (int x = x1; x <= x2; ++x) {
            if (fits(x, y)) return ClickPoint{x, y};
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<ClickPoint> cellClickPoint(const ProjectRecord& record, int scene, int col, int row) {
    if (!isSceneNumber(scene) || !isCellInGrid(col, row)) return std::nullopt;
    const SceneBlock& block = record.scene(scene);
    const int x1 = kCellSize * (col - 1);
    const int y1 = kCellSize * (row - 1);
    return firstPoint(x1, y1, x1 + kCellSize - 1, y1 + kCellSize - 1,
                      [&](int x, int y) { return !inCharacterZone(block, x, y, 0); });
}

std::optional<ClickPoint> characterClickPoint(const ProjectRecord& record, int scene, int d, bool holding) {
    if (!isSceneNumber(scene) || d < 1 || d > kDialogsPerScene) return std::nullopt;
    const SceneBlock& block = record.scene(scene);
    const Dialog& dialog = block.dialog(d);
    if (!isWellFormed(dialog.zoneX1, dialog.zoneY1, dialog.zoneX2, dialog.zoneY2)) return std::nullopt;
    // A press counts strictly inside the stored corners.
    return firstPoint(dialog.zoneX1 + 1, dialog.zoneY1 + 1, dialog.zoneX2 - 1, dialog.zoneY2 - 1, [&](int x, int y) {
        return !inCharacterZone(block, x, y, d) && !inClosedDoorKeyZone(block, x, y, 0) &&
               !(holding && laysHeldItemDown(x, y));
    });
}

std::optional<ClickPoint> keyZoneClickPoint(const ProjectRecord& record, int scene, int d) {
    if (!isSceneNumber(scene) || d < 1 || d > kDoorsPerScene) return std::nullopt;
    const SceneBlock& block = record.scene(scene);
    const Door& door = block.door(d);
    if (!isWellFormed(door.keyZoneX1, door.keyZoneY1, door.keyZoneX2, door.keyZoneY2)) return std::nullopt;
    return firstPoint(door.keyZoneX1 + 1, door.keyZoneY1 + 1, door.keyZoneX2 - 1, door.keyZoneY2 - 1,
                      [&](int x, int y) { return !inClosedDoorKeyZone(block, x, y, d) && !laysHeldItemDown(x, y); });
}

} // namespace tw::check
