#include "runtime/orders.h"

#include "project/projectrecord.h"
#include "runtime/playstate.h"

namespace tw {
namespace {

// Stops the hero's walk in scene s: the walkable cells lose their marks, so no neighbour is lower than
// his own cell.
void clearMarks(ProjectRecord& record, int s) {
    for (int c = 1; c <= kGridColumns; ++c) {
        for (int r = 1; r <= kGridRows; ++r) {
            std::uint16_t& cell = record.pass(s, c, r);
            if (cell < kBlockedCell) cell = 0;
        }
    }
}

} // namespace

void leaveScene(ProjectRecord& record, PlayState& play) {
    const int s = play.orderScene;
    const bool ordered = play.walkingToItem || play.walkingToDoor || play.walkingToDialog;
    if (play.walkingToDoor && isSceneNumber(s) && play.targetDoor >= 1 && play.targetDoor <= kDoorsPerScene) {
        // The key opened the door's cell to the search; the door stays shut, so the cell blocks again.
        const Door& door = record.scene(s).door(play.targetDoor);
        if (door.state == 1 && isCellInGrid(door.approachCol, door.approachRow))
            record.pass(s, door.approachCol, door.approachRow) = kBlockedCell;
    }
    // Walking to a door or a character is what took the clicks from him.
    if (play.walkingToDoor || play.walkingToDialog) play.heroFree = true;
    if (ordered && isSceneNumber(s)) clearMarks(record, s);
    play.walkingToItem = false;
    play.walkingToDoor = false;
    play.walkingToDialog = false;
    play.dialogOpen = false;
    play.pressPending = false;
}

} // namespace tw
