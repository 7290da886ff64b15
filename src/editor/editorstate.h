#pragma once

#include "canvas/geometry.h"

#include <cstdint>

namespace tw {

// Where the animator shows the sheet's top-left corner at first and after a sheet is loaded: just right of
// the animator's panel (345 pixels wide at the window's left edge), so that none of it lies under the panel.
inline constexpr Point kSheetViewHome{350, 0};

// The editor's run-time state: armed sub-modes of the canvas and the numbers chosen on the pages. Not
// saved. The pages write their controls' values here; canvas presses and the ticks read them.
struct EditorState {
    // Menu page: the click zone (1..4) the next press-drag-release sets; 0 none.
    int menuZoneBeingSet = 0;

    // Sub-modes of the plot editor, in the order a press serves them.
    bool heroPlacementArmed = false;
    int portalPick = 0; // 0 none, 1 waiting for the portal cell, 2 for the arrival cell
    bool animSpotArmed = false;
    bool itemArmed = false;
    bool doorArmed = false;
    bool crowdRemarkArmed = false;
    bool keyZoneArmed = false;
    bool doorCellArmed = false;
    bool dialogApproachArmed = false;
    bool heroRemarkArmed = false;
    bool hintTextArmed = false;
    bool dialogTextArmed = false;
    bool hintZoneArmed = false;
    bool dialogZoneArmed = false;
    bool doorEditing = false; // set with doorArmed and keyZoneArmed; only controls the overlay

    // Portal being placed: its scene and number, and once pressed, its cell and the target chosen. The
    // record is written only when the arrival is pressed, so a placement left half-way leaves nothing.
    int portalScene = 1;
    int portalNumber = 1;
    int portalCol = 0;
    int portalRow = 0;
    bool targetChooserVisible = false; // the floating panel RzPanel1

    // Numbers chosen on the pages.
    int currentAnimation = 1;
    int currentFrame = 1; // the animator's frame, 1..frames in use of currentAnimation

    // The animator's canvas: where the sheet's top-left corner lies, what a drag does (1 moves the sheet
    // view, 2 stretches the current frame), the view offset when the button went down, and whether the
    // gesture under way fitted the frame to a figure (its moves then leave the frame alone).
    Point sheetViewOffset = kSheetViewHome;
    int animatorMouseMode = 1;
    Point offsetAtMouseDown;
    bool figureFitHeld = false;
    int currentStamp = 1;
    int currentItem = 1;
    // The combination panel's parts, which are also the dialog page's items to give and to get: 1..100,
    // or 0 after loading a dialog that gives or gets nothing, until a picker moves.
    int itemPickA = 1;
    int itemPickB = 1;
    int closedDoorPick = 1;
    int openDoorPick = 1;
    int keyItemPick = 1;
    int comicPick = 2;
    int currentHeroRemark = 1;
    int currentHint = 1;
    int currentDialog = 1;
    int currentRandomDialog = 1;
    int portalSpin = 1;         // SpinEdit6: portal number
    int spotSpin = 1;           // SpinEdit8: animation spot number
    int spotAnimationSpin = 1;  // SpinEdit9: animation of the spot
    bool spotRandomChecked = false; // CheckBox3 "Случайный кадр"
    int doorSpin = 1;           // SpinEdit10: door number
    int crowdRemarkSpin = 1;    // SpinEdit15: crowd remark number

    // The passability brush paints walkable cells (true) or blocked ones; kept for the whole run.
    bool drawWalkable = true;
    // The cell under the pointer on the passability page, outlined in red; (0, 0) when the pointer is off
    // the play area.
    Point pointerCell;

    // Check boxes.
    bool trailsShown = false;   // CheckBox1 "Дорожки"
    bool applicatorOn = false;  // the applicator's "Вкл."

    // Outlines of the walkable cells while a placing mode is armed. On the playing scene they are drawn
    // with each frame, over the scene; the fast overlay tick would redraw the bare background over the
    // hero and the animations between two frames and make them flicker. On the other screens (a portal
    // pick left armed while the menu or the animator is shown) the overlay tick draws them.
    bool outlinesCellsOnFrameTick() const {
        return doorCellArmed || doorEditing || heroRemarkArmed || dialogApproachArmed || animSpotArmed ||
               portalPick != 0 || itemArmed;
    }
    bool outlinesCellsOnOverlayTick() const { return portalPick != 0 || itemArmed; }
    // From arming a portal's cell to pressing its arrival: the hero takes no orders and makes no step,
    // so that he neither walks into a portal of the scene shown nor leaves it before the target is set.
    bool portalPlacementUnderway() const { return portalPick != 0 || targetChooserVisible; }
};

} // namespace tw
