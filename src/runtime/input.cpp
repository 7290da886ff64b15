// Canvas and keyboard input, shared by the player and the editors: the handlers record the pointer and
// the buttons, give walking orders and serve the editing sub-modes; the next frame tick acts on the rest.
#include "canvas/drawing.h"
#include "editor/animator.h"
#include "editor/plotpresses.h"
#include "editor/portals.h"
#include "platform/audio.h"
#include "platform/cursors.h"
#include "platform/messages.h"
#include "runtime/bag.h"
#include "runtime/editrecorder.h"
#include "runtime/engine.h"
#include "runtime/orders.h"
#include "runtime/walking.h"

namespace tw {
namespace {

// Menu zones are compared as unsigned 16-bit numbers, like the stored corners.
bool insideMenuZone(const ProjectRecord& record, int k, int x, int y) {
    const Point16& a = record.menuTopLeft(k);
    const Point16& b = record.menuBottomRight(k);
    return isInside(std::uint16_t(x), std::uint16_t(y), a.x, a.y, b.x, b.y);
}

// The passability brush: the cell under (x, y) becomes walkable (0, which also clears a path mark) or
// blocked. A point off the play area paints nothing, so a drag that leaves the canvas stops at its edge.
void paintCell(ProjectRecord& record, int scene, int x, int y, bool walkable) {
    if (!isPlayPoint(x, y) || !isSceneNumber(scene)) return;
    record.pass(scene, cellOfPixel(x), cellOfPixel(y)) = walkable ? 0 : kBlockedCell;
}

} // namespace

void Engine::mouseDown(MouseButton button, int x, int y) {
    if (!started_) return;
    services_.audio.playClick(paths_.sound(QStringLiteral("clik.wav")));
    play_.dialogOpen = false;
    play_.mouseHeld = true;
    play_.mouseDownPoint = QPoint(x, y);
    editor_.offsetAtMouseDown = editor_.sheetViewOffset;

    switch (screen_.screenMode) {
    case ScreenMode::Menu:
        if (editor_.menuZoneBeingSet >= 1 && editor_.menuZoneBeingSet <= kMenuZones) {
            const EditScope edit(recorder_);
            const Point16 point{playX(x), playY(y)};
            record_->menuTopLeft(editor_.menuZoneBeingSet) = point;
            record_->menuBottomRight(editor_.menuZoneBeingSet) = point;
        } else {
            for (int k = 1; k <= kMenuZones; ++k) {
                if (!insideMenuZone(*record_, k, x, y)) continue;
                if (k < 4 && menuChoice_) {
                    // The player's action may leave the menu: the other zones no longer lie under the press.
                    menuChoice_(k);
                    break;
                }
                if (k < 4) {
                    services_.messages.beep();
                } else {
                    screen_.screenMode = ScreenMode::Help;
                    setCanvasCursor(cursorNeutral);
                    reloadBackground();
                }
            }
        }
        break;
    case ScreenMode::Passability: {
        const EditScope edit(recorder_);
        paintCell(*record_, screen_.currentScene, x, y, editor_.drawWalkable);
        break;
    }
    case ScreenMode::Scene:
        play_.pressPending = true;
        if (!play_.panelShown) {
            const int c = cellOfPixel(x);
            const int r = cellOfPixel(y);
            // The walking order is play; whatever the armed sub-modes place is an edit. While a portal is
            // being placed the presses are the author's, not orders to the hero.
            if (play_.heroFree && !editor_.portalPlacementUnderway())
                spreadWave(*record_, screen_.currentScene, c, r, false);
            const EditScope edit(recorder_);
            servePlotEditorPress(*this, x, y, c, r);
        }
        break;
    default:
        break;
    }

    bagClick(*this, x, y);
    if (button == MouseButton::Right) {
        play_.heroFree = true;
        play_.walkingToDoor = false;
        play_.walkingToDialog = false;
    }
}

PanelChange Engine::mouseMove(int x, int y, int canvasHeight) {
    play_.mousePoint = QPoint(x, y);
    PanelChange panel = PanelChange::Keep;
    if (y > canvasHeight - 5) panel = PanelChange::Show;
    else if (y < canvasHeight - 50) panel = PanelChange::Hide;
    if (!started_) return panel;

    int shape = canvasCursor_;
    const ScreenMode mode = screen_.screenMode;
    if (mode == ScreenMode::Menu) {
        const int k = editor_.menuZoneBeingSet;
        if (k >= 1 && k <= kMenuZones) {
            if (play_.mouseHeld) {
                const EditScope edit(recorder_);
                record_->menuBottomRight(k) = Point16{playX(x), playY(y)};
            }
        } else {
            shape = cursorNeutral;
            for (int zone = 1; zone <= kMenuZones; ++zone) {
                if (insideMenuZone(*record_, zone, x, y)) shape = cursorMenu;
            }
        }
    }
    if (mode == ScreenMode::Scene) {
        const int s = screen_.currentScene;
        const int c = cellOfPixel(x);
        const int r = cellOfPixel(y);
        const std::uint16_t v = record_->passOrBlocked(s, c, r);
        if (v == kBlockedCell) shape = cursorUnavailable;
        else if (v < kBlockedCell) shape = cursorNeutral;
        const SceneBlock& scene = record_->scene(s);
        for (int k = 1; k <= kPortalsPerScene; ++k) {
            if (scene.portal(k).col == c && scene.portal(k).row == r) shape = cursorTransition;
        }
        // Only a held button drags a zone; a free pointer merely previews.
        const EditScope edit(play_.mouseHeld ? recorder_ : nullptr);
        servePlotEditorMove(*this, x, y);
    }
    if (mode == ScreenMode::Animator && play_.mouseHeld) {
        if (editor_.animatorMouseMode == 1) {
            editor_.sheetViewOffset = draggedViewOffset(editor_, play_.mouseDownPoint, QPoint(x, y));
        } else if (!editor_.figureFitHeld) {
            const EditScope edit(recorder_);
            stretchFrame(*record_, editor_, play_.mouseDownPoint, QPoint(x, y), pictures_.sheetPicture.size());
        }
    }
    if (mode == ScreenMode::Passability) {
        editor_.pointerCell = isPlayPoint(x, y) ? QPoint(cellOfPixel(x), cellOfPixel(y)) : QPoint();
        if (play_.mouseHeld) {
            const EditScope edit(recorder_);
            paintCell(*record_, screen_.currentScene, x, y, editor_.drawWalkable);
        }
    }
    if (play_.panelShown) shape = cursorItem;
    const SceneBlock& scene = record_->scene(screen_.currentScene);
    for (int d = 1; d <= kDialogsPerScene; ++d) {
        const Dialog& dialog = scene.dialog(d);
        if (isInside(x, y, dialog.zoneX1, dialog.zoneY1, dialog.zoneX2, dialog.zoneY2)) shape = cursorDialog;
    }
    if (play_.itemHover) shape = cursorItem;
    if (play_.hintHover) shape = cursorLook;
    if (play_.walkingToDoor || play_.walkingToDialog) shape = cursorClock;
    if (shape != canvasCursor_) setCanvasCursor(shape);
    return panel;
}

void Engine::mouseUp() {
    play_.mouseHeld = false;
    if (recorder_) recorder_->gestureEnds();
    editor_.keyZoneArmed = false;
    editor_.hintZoneArmed = false;
    editor_.dialogZoneArmed = false;
    editor_.doorEditing = false;
    editor_.crowdRemarkArmed = false;
    editor_.menuZoneBeingSet = 0;
    editor_.figureFitHeld = false;
}

void Engine::mouseDoubleClick(MouseButton button, int x, int y) {
    mouseDown(button, x, y);
    if (!started_ || screen_.screenMode != ScreenMode::Animator || editor_.animatorMouseMode != 2 ||
        button != MouseButton::Left)
        return;
    const EditScope edit(recorder_);
    editor_.figureFitHeld = fitFrameToFigure(*record_, editor_, pictures_.sheetPicture, QPoint(x, y));
}

void Engine::keyDown(int key) {
    if (!started_ || key != kEscapeKey) return;
    abandonPortalPlacement(*this);
    leaveScene(*record_, play_);
    screen_.screenMode = ScreenMode::Menu;
    setCanvasCursor(cursorNeutral);
    reloadBackground();
}

} // namespace tw
