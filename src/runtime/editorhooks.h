#pragma once

#include "runtime/tickmemo.h"

#include "canvas/geometry.h"

namespace tw {

enum class MouseButton;

// What an editor attached to the engine adds to it. The engine plays the game the same way with or
// without one; an attached editor serves its own canvas modes (menu zones being set, the passability
// brush, the animator's sheet, the plot editor's placing sub-modes), may hold the hero while the author
// places a portal, and has the play frame and the overlay draw the author's aids: zone outlines, labels,
// numbers, cell outlines and dots. The player runs without one and never draws an aid.
class EditorHooks {
public:
    virtual ~EditorHooks() = default;

    // Input, in canvas pixels; each is called from the engine's handler of the same name.
    // Every press, before the mode shown handles it.
    virtual void pressed(MouseButton button, Point at) = 0;
    // A press or a move on the menu: true when it was the author's (a zone being set); the menu's own
    // zones then neither act nor change the pointer.
    virtual bool tookMenuPress(Point at) = 0;
    virtual bool tookMenuMove(Point at) = 0;
    // A press on the scene: true when an armed placing sub-mode took it. The
    // press, and the drag up to its release, is then an edit and never a play order: the engine gives
    // no walking order and the frame tick sees no press.
    virtual bool tookScenePress(Point at, int col, int row) = 0;
    // A move in any mode but the menu.
    virtual void moved(Point at) = 0;
    virtual void released() = 0;
    // The second press of a double-click, after it was handled as a press.
    virtual void doubleClicked(MouseButton button, Point at) = 0;
    // Esc, before the engine shows the menu.
    virtual void escapePressed() = 0;

    // The hero takes no orders and makes no step, and portals do not carry him away.
    virtual bool holdsHero() const = 0;

    // The frame tick: before anything else; in the modes that are not play (the animator's preview); in
    // play, right over the background (a door being placed follows the pointer).
    virtual void frameBegins() = 0;
    virtual void editorFrame() = 0;
    virtual void drawUnderPlay() = 0;
    // The walkable cells are outlined with each play frame.
    virtual bool outlinesCellsInPlay() const = 0;

    // The overlay tick: the editor's own canvas (the animator's sheet) drawn in its modes, returning the
    // part drawn; and what the overlay draws of the cells.
    virtual Rect drawEditorScreen() = 0;
    virtual CellAids cellAids() const = 0;
};

} // namespace tw
