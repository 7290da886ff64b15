#include "runtime/actionzones.h"

#include "canvas/drawing.h"
#include "runtime/engine.h"

namespace tw {
namespace {

constexpr Rect kCanvasRect{0, 0, kPlayWidth, kPlayHeight};

void add(std::vector<ActionZone>& zones, ActionZone::Kind kind, const Rect& rect) {
    const Rect shown = rect.intersected(kCanvasRect);
    if (!shown.isEmpty()) zones.push_back(ActionZone{kind, shown});
}

// A stored zone: nothing when its corners are not well formed, since no click can lie strictly inside.
void addZone(std::vector<ActionZone>& zones, ActionZone::Kind kind, int x1, int y1, int x2, int y2) {
    if (isWellFormed(x1, y1, x2, y2)) add(zones, kind, Rect::fromCorners(x1, y1, x2, y2));
}

// Cell (c, r) of the grid, 1-based: pixels 20(c-1)..20c-1.
Rect cellRect(int c, int r) {
    return Rect{kCellSize * (c - 1), kCellSize * (r - 1), kCellSize, kCellSize};
}

} // namespace

std::vector<ActionZone> actionZones(const Engine& engine) {
    std::vector<ActionZone> zones;
    if (!engine.isStarted() || engine.screen().screenMode != ScreenMode::Scene) return zones;
    const int s = engine.screen().currentScene;
    if (!isSceneNumber(s)) return zones;
    const ProjectRecord& record = engine.record();
    const SceneBlock& scene = record.scene(s);

    for (int n = 1; n <= kItemCapacity; ++n) {
        const Item& item = record.item(n);
        // An item is drawn, and picked up, in the cell whose 0-based column and row it stores.
        if (item.state == 1 && item.scene == s)
            add(zones, ActionZone::Kind::Item, cellRect(item.col0 + 1, item.row0 + 1));
    }
    for (int d = 1; d <= kDialogsPerScene; ++d) {
        const Dialog& dialog = scene.dialog(d);
        if (dialog.kind != 0)
            addZone(zones, ActionZone::Kind::Character, dialog.zoneX1, dialog.zoneY1, dialog.zoneX2,
                    dialog.zoneY2);
    }
    for (int h = 1; h <= kHintsPerScene; ++h) {
        const Hint& hint = scene.hint(h);
        if (hint.text.usedLength() > 0)
            addZone(zones, ActionZone::Kind::Hint, hint.zoneX1, hint.zoneY1, hint.zoneX2, hint.zoneY2);
    }
    for (int d = 1; d <= kDoorsPerScene; ++d) {
        const Door& door = scene.door(d);
        if (door.state == 1)
            addZone(zones, ActionZone::Kind::DoorKey, door.keyZoneX1, door.keyZoneY1, door.keyZoneX2,
                    door.keyZoneY2);
    }
    for (int k = 1; k <= kPortalsPerScene; ++k) {
        const Portal& portal = scene.portal(k);
        if (portal.col != 0 && portal.row != 0)
            add(zones, ActionZone::Kind::Portal, cellRect(portal.col, portal.row));
    }
    return zones;
}

} // namespace tw
