// Canvas and keyboard input, shared by the player and the editors: the handlers record the pointer and
// the buttons, give walking orders and serve the editing sub-modes; the next frame tick acts on the rest.
#include "canvas/drawing.h"
#include "platform/audio.h"
#include "platform/cursors.h"
#include "platform/messages.h"
#include "runtime/bag.h"
#include "runtime/editorhooks.h"
#include "runtime/editrecorder.h"
#include "runtime/engine.h"
#include "runtime/walking.h"

namespace tw {
namespace {

// Menu zones are compared as unsigned 16-bit numbers, like the stored corners.
bool insideMenuZone(const ProjectRecord& record, int k, int x, int y) {
    const Point16& a = record.menuTopLeft(k);
    const Point16& b = record.menuBottomRight(k);
    return isInside(std::uint16_t(x), std::uint16_t(y), a.x, a.y, b.x, b.y);
}

} // namespace

void Engine::mouseDown(MouseButton button, int x, int y) {
    if (!started_) return;
    // What the author does from this press to its release is one step of an editor's history.
    if (recorder_) recorder_->gestureBegins();
    services_.audio.playClick(paths_.sound("clik.wav"));
    play_.mouseHeld = true;
    play_.pressTaken = false;
    play_.mouseDownPoint = Point{x, y};
    if (hooks_) hooks_->pressed(button, Point{x, y});

    // An armed placing sub-mode takes a press on the scene whole, the bag's panel shown or not: it is an
    // edit, not a click of play.
    if (screen_.screenMode == ScreenMode::Scene && hooks_ &&
        hooks_->tookScenePress(Point{x, y}, cellOfPixel(x), cellOfPixel(y))) {
        play_.pressTaken = true;
        return;
    }

    // A menu zone being set takes the press on the menu the same way.
    if (screen_.screenMode == ScreenMode::Menu && hooks_ && hooks_->tookMenuPress(Point{x, y})) {
        play_.pressTaken = true;
        return;
    }

    const PlayScope play(recorder_);
    play_.dialogOpen = false;
    switch (screen_.screenMode) {
    case ScreenMode::Menu:
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
        break;
    case ScreenMode::Scene:
        play_.pressPending = true;
        // The hero held while a portal is placed takes no order.
        if (!play_.panelShown && play_.heroFree && !(hooks_ && hooks_->holdsHero()))
            spreadWave(*record_, screen_.currentScene, cellOfPixel(x), cellOfPixel(y), false);
        break;
    default:
        break;
    }

    // The bag and the right button's release of the hero belong to the scene being played; a press on
    // an editor's own screen (the menu zones, the brush, the sheet) is not play.
    if (screen_.screenMode != ScreenMode::Scene) return;
    bagClick(*this, x, y);
    if (button == MouseButton::Right) {
        play_.heroFree = true;
        play_.walkingToDoor = false;
        play_.walkingToDialog = false;
    }
}

PanelChange Engine::mouseMove(int x, int y, int canvasHeight) {
    play_.mousePoint = Point{x, y};
    PanelChange panel = PanelChange::Keep;
    if (y > canvasHeight - 5) panel = PanelChange::Show;
    else if (y < canvasHeight - 50) panel = PanelChange::Hide;
    if (!started_) return panel;

    int shape = canvasCursor_;
    const ScreenMode mode = screen_.screenMode;
    if (mode == ScreenMode::Menu && !(hooks_ && hooks_->tookMenuMove(Point{x, y}))) {
        shape = cursorNeutral;
        for (int zone = 1; zone <= kMenuZones; ++zone) {
            if (insideMenuZone(*record_, zone, x, y)) shape = cursorMenu;
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
    }
    if (mode != ScreenMode::Menu && hooks_) hooks_->moved(Point{x, y});
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
    play_.pressTaken = false;
    // The release may still write (a brush stroke): it belongs to the press's step.
    if (hooks_) hooks_->released();
    if (recorder_) recorder_->gestureEnds();
}

void Engine::mouseDoubleClick(MouseButton button, int x, int y) {
    mouseDown(button, x, y);
    if (started_ && hooks_) hooks_->doubleClicked(button, Point{x, y});
}

void Engine::keyDown(int key) {
    if (!started_ || key != kEscapeKey) return;
    if (hooks_) hooks_->escapePressed();
    // The game waits on the menu with its state intact: walks under way go on when it is shown again.
    // Only a press no frame tick has seen is forgotten; it was made on the scene now hidden.
    play_.pressPending = false;
    screen_.screenMode = ScreenMode::Menu;
    setCanvasCursor(cursorNeutral);
    reloadBackground();
}

} // namespace tw
