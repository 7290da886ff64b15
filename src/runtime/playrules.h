#pragma once

// The small decisions of play that more than one part of the program takes: the frame tick makes them
// while a game is played, and the game check makes the same ones when it searches every state a player
// can reach. Keeping them here, once, is what keeps the check from drifting away from play.
#include "project/projectrecord.h"

#include <cstdlib>

namespace tw {

// A cell value below 30000 is walkable (0 or a mark of the hero's wave); 30000 and above is blocked.
inline bool isWalkableMark(std::uint16_t value) { return value < kBlockedCell; }

// The cell a foot point coordinate lies in: pixel 20(c - 1)..20c - 1 is column (row) c.
inline int footCell(std::uint16_t pixel) { return pixel / kCellSize + 1; }

// The scene a game starts in: its stored start scene when that is one of the game's scenes, else scene 1.
inline int startSceneOf(const ProjectRecord& record) {
    return record.startScene >= 1 && record.startScene <= usableSceneCount(record) ? record.startScene : 1;
}

// The hero counts as arrived at a door or a character once he stands on a cell next to its approach cell,
// diagonals included, or on it.
inline bool isNextTo(int heroCol, int heroRow, int col, int row) {
    return std::abs(heroCol - col) < 2 && std::abs(heroRow - row) < 2;
}

// The bag takes a received item into slot 18 only while that slot is free (or holds the item already).
inline bool bagTakes(int slot18, int n) { return isItemNumber(n) && (slot18 == 0 || slot18 == n); }

// A closed door takes the key it was given; a removed or open door takes none.
inline bool doorTakesKey(const Door& door, int held) { return door.state == 1 && door.keyItem == held; }

// What a character of kind 2 gives on the talk that opens its dialog: its item, once.
inline bool giftHappens(const Dialog& dialog, int slot18) {
    return dialog.kind == 2 && dialog.progress == 0 && slot18 == 0 && isItemNumber(dialog.getItem);
}
// A character of kind 3 exchanges its item for the one in the hand (none counts as item 0), once.
inline bool exchangeHappens(const Dialog& dialog, int hand, int slot18) {
    return dialog.kind == 3 && dialog.giveItem == hand && dialog.progress == 0 && slot18 == 0 &&
           isItemNumber(dialog.getItem);
}
// A character whose talk is over shows one of the scene's first 49 random dialogs, picked at random.
inline constexpr int kRandomDialogsShown = 49;

// What happens to a character's dialog when the hero leaves its scene through a portal: a talk (kind 1)
// or a gift (kind 2) that is over moves on to the scene's random dialogs.
inline void moveDialogOn(Dialog& dialog) {
    if ((dialog.kind == 1 || dialog.kind == 2) && dialog.progress == 1) {
        dialog.kind = 3;
        dialog.progress = 2;
    }
}

// The item that putting `held` on `inSlot` in the bag makes, or 0 when the two make nothing.
inline int combinationProduct(const ProjectRecord& record, int inSlot, int held) {
    if (!isItemNumber(inSlot) || held == 0 || record.item(inSlot).partner != held) return 0;
    const int product = record.item(inSlot).product;
    return isItemNumber(product) ? product : 0;
}

// A portal is a portal when both its cell numbers are set; it leads somewhere when its target is a scene
// of the game.
inline bool isPlacedPortal(const Portal& portal) { return portal.col != 0 && portal.row != 0; }
inline bool portalLeadsSomewhere(const ProjectRecord& record, const Portal& portal) {
    return portal.targetScene >= 1 && portal.targetScene <= usableSceneCount(record);
}
// The foot point the hero is put on when he comes out of a portal, and so the cell he stands on there.
inline std::uint16_t arrivalX(const Portal& portal) { return std::uint16_t(kCellSize * portal.arrivalCol); }
inline std::uint16_t arrivalY(const Portal& portal) { return std::uint16_t(kCellSize * portal.arrivalRow); }

} // namespace tw
