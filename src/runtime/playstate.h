#pragma once

#include "canvas/geometry.h"
#include "project/projectrecord.h"

namespace tw {

// The run-time state of play: input, the hero's drawing, walks under way, the panel, the comic, dialogs,
// remarks and hints. Not saved; the initial values are those of a fresh start.
struct PlayState {
    // Canvas input.
    bool mouseHeld = false;
    // A press on the scene that no frame tick has seen yet. The tick acts on a click (a key on a door,
    // a character, an item, a hint) while the button is down; a click shorter than a tick would
    // otherwise be lost, so the tick counts a press it has not seen as held.
    bool pressPending = false;
    // The button went down for an editor's placing sub-mode: until it is released, play sees no press.
    bool pressTaken = false;
    bool buttonDown() const { return (mouseHeld && !pressTaken) || pressPending; }
    Point mouseDownPoint{0, 0};
    Point mousePoint{0, 0};

    // The scene the walks to an item, a door or a character were ordered in; they complete only there.
    int orderScene = 0;

    // The hero.
    int heroAnimation = 1; // the animation he is drawn with
    int previewFrame = 1;  // his frame counter (shared with the animator's preview)
    bool heroFree = true;  // clicks give him orders

    // Animation spots of the current scene: their frame counters.
    int spotFrame[kSpotsPerScene] = {1, 1, 1, 1, 1, 1, 1, 1, 1};

    // Items and the panel.
    bool walkingToItem = false;
    int targetItem = 0;
    int targetItemCol = 0; // 0-based cell of the item walked to
    int targetItemRow = 0;
    bool itemHover = false;
    bool panelShown = false;
    int panelTicks = 0;

    // Doors and comics.
    bool walkingToDoor = false;
    int targetDoor = 1;
    bool comicOn = false;
    int comicTicks = 0;
    int comicNumber = 0; // the comic being shown

    // Dialogs, remarks and hints.
    bool walkingToDialog = false;
    int targetDialog = 1;
    bool dialogOpen = false;
    int randomDialogPick = 1;
    int remarkTicks = 0;
    int remarkNumber = 1;
    bool hintHover = false;

    // Music.
    bool musicLoop = false;
};

} // namespace tw
