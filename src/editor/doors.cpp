#include "editor/doors.h"

#include "editor/editorstate.h"
#include "project/projectrecord.h"

#include <algorithm>

namespace tw {
namespace {

int within(int v, int low, int high) { return std::clamp(v, low, std::max(low, high)); }

// Whether door k of the scene blocks its approach cell: it is closed and set that cell itself. A door
// that was removed, never placed, opened in play, or placed without its cell set since blocks nothing,
// whatever its stored cell says (an erased plot stores (1, 1) for every door).
bool blocksItsCell(const Door& door) {
    return door.state == 1 && door.cellUnclaimed == 0 && isCellInGrid(door.approachCol, door.approachRow);
}

// Gives back the cell door k blocks, unless another door of scene s blocks the same cell.
void freeApproachCell(ProjectRecord& record, int s, int k) {
    const SceneBlock& scene = record.scene(s);
    const Door& door = scene.door(k);
    if (!blocksItsCell(door)) return;
    const int c = door.approachCol;
    const int r = door.approachRow;
    for (int d = 1; d <= kDoorsPerScene; ++d) {
        const Door& other = scene.door(d);
        if (d != k && blocksItsCell(other) && other.approachCol == c && other.approachRow == r) return;
    }
    record.pass(s, c, r) = 0;
}

// A door that becomes closed now has blocked no cell yet.
void close(Door& door) {
    if (door.state != 1) door.cellUnclaimed = 1;
    door.state = 1;
}

} // namespace

DoorPicks doorPicks(const EditorState& editor) {
    return {editor.closedDoorPick, editor.openDoorPick, editor.keyItemPick, editor.comicPick};
}

void showPicks(EditorState& editor, const DoorPicks& picks) {
    editor.closedDoorPick = picks.closedPicture;
    editor.openDoorPick = picks.openPicture;
    editor.keyItemPick = picks.keyItem;
    editor.comicPick = picks.comic;
}

DoorPicks picksOf(const Door& door, int comicCount) {
    DoorPicks picks;
    picks.closedPicture = within(door.closedPicture, 1, kDoorPictures);
    picks.openPicture = within(door.openPicture, 1, kDoorPictures);
    picks.keyItem = within(door.keyItem, 1, kItemCapacity);
    picks.comic = within(door.comic, 1, comicCount);
    return picks;
}

void saveDoor(ProjectRecord& record, int s, int k, const DoorPicks& picks) {
    Door& door = record.scene(s).door(k);
    close(door);
    door.closedPicture = std::uint8_t(picks.closedPicture);
    door.openPicture = std::uint8_t(picks.openPicture);
    door.keyItem = std::uint8_t(picks.keyItem);
    door.comic = std::uint8_t(picks.comic);
}

void placeDoor(ProjectRecord& record, int s, int k, int x, int y, const DoorPicks& picks) {
    saveDoor(record, s, k, picks);
    Door& door = record.scene(s).door(k);
    door.pictureX = std::uint16_t(x);
    door.pictureY = std::uint16_t(y);
}

void setDoorApproach(ProjectRecord& record, int s, int k, int c, int r) {
    Door& door = record.scene(s).door(k);
    if (door.approachCol != c || door.approachRow != r) freeApproachCell(record, s, k);
    door.approachCol = std::uint8_t(c);
    door.approachRow = std::uint8_t(r);
    if (!isCellInGrid(c, r)) return;
    record.pass(s, c, r) = kBlockedCell;
    if (door.state == 1) door.cellUnclaimed = 0;
}

void removeDoor(ProjectRecord& record, int s, int k) {
    freeApproachCell(record, s, k);
    record.scene(s).door(k).state = 0;
}

} // namespace tw
