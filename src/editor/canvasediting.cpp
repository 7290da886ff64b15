#include "editor/canvasediting.h"

#include "canvas/cutting.h"
#include "canvas/blit.h"
#include "canvas/drawing.h"
#include "editor/animator.h"
#include "editor/applicator.h"
#include "editor/plotpresses.h"
#include "editor/portals.h"
#include "runtime/editrecorder.h"
#include "runtime/engine.h"

#include <QtGlobal>

#include <cstdlib>

namespace tw {
namespace {

// The passability brush: the cell under `at` becomes walkable (0, which also clears a path mark) or
// blocked. A point off the play area paints nothing, so a drag that leaves the canvas stops at its edge.
void paintCell(ProjectRecord& record, int scene, Point at, bool walkable) {
    if (!isPlayPoint(at.x, at.y) || !isSceneNumber(scene)) return;
    record.pass(scene, cellOfPixel(at.x), cellOfPixel(at.y)) = walkable ? 0 : kBlockedCell;
}

bool isMenuZone(int k) { return k >= 1 && k <= kMenuZones; }

} // namespace

CanvasEditing::CanvasEditing(Engine& engine) : engine_(engine) { engine_.setEditorHooks(this); }

CanvasEditing::~CanvasEditing() {
    if (engine_.editorHooks() == this) engine_.setEditorHooks(nullptr);
}

bool CanvasEditing::inApplicator() const {
    return applicator_ && engine_.screen().screenMode == ScreenMode::Applicator;
}

void CanvasEditing::pressed(MouseButton, Point at) {
    state_.offsetAtMouseDown = state_.sheetViewOffset;
    // Every press stamps, the second of a double click too.
    if (inApplicator()) applicator_->press(at);
    if (engine_.screen().screenMode == ScreenMode::Passability) {
        const EditScope edit(engine_.editRecorder());
        paintCell(engine_.record(), engine_.screen().currentScene, at, state_.drawWalkable);
    }
}

bool CanvasEditing::tookMenuPress(Point at) {
    const int k = state_.menuZoneBeingSet;
    if (!isMenuZone(k)) return false;
    const EditScope edit(engine_.editRecorder());
    const Point16 point{playX(at.x), playY(at.y)};
    engine_.record().menuTopLeft(k) = point;
    engine_.record().menuBottomRight(k) = point;
    return true;
}

bool CanvasEditing::tookMenuMove(Point at) {
    const int k = state_.menuZoneBeingSet;
    if (!isMenuZone(k)) return false;
    if (engine_.play().mouseHeld) {
        const EditScope edit(engine_.editRecorder());
        engine_.record().menuBottomRight(k) = Point16{playX(at.x), playY(at.y)};
    }
    return true;
}

bool CanvasEditing::tookScenePress(Point at, int col, int row) {
    if (!plotEditorTakesPress(state_)) return false;
    const EditScope edit(engine_.editRecorder());
    servePlotEditorPress(engine_, at.x, at.y, col, row);
    return true;
}

void CanvasEditing::moved(Point at) {
    PlayState& play = engine_.play();
    switch (engine_.screen().screenMode) {
    case ScreenMode::Scene: {
        // Only a held button drags a zone; a free pointer merely previews.
        const EditScope edit(play.mouseHeld ? engine_.editRecorder() : nullptr);
        servePlotEditorMove(engine_, at.x, at.y);
        break;
    }
    case ScreenMode::Animator:
        if (!play.mouseHeld) break;
        if (state_.animatorMouseMode == 1) {
            state_.sheetViewOffset = draggedViewOffset(state_, play.mouseDownPoint, at);
        } else if (!state_.figureFitHeld) {
            const EditScope edit(engine_.editRecorder());
            stretchFrame(engine_.record(), state_, play.mouseDownPoint, at, engine_.pictures().sheetPicture.size());
        }
        break;
    case ScreenMode::Applicator:
        if (applicator_) applicator_->move(at);
        break;
    case ScreenMode::Passability:
        state_.pointerCell = isPlayPoint(at.x, at.y) ? Point{cellOfPixel(at.x), cellOfPixel(at.y)} : Point{};
        if (play.mouseHeld) {
            const EditScope edit(engine_.editRecorder());
            paintCell(engine_.record(), engine_.screen().currentScene, at, state_.drawWalkable);
        }
        break;
    default:
        break;
    }
}

void CanvasEditing::released() {
    // A brush stroke reaches the scene file with the release.
    if (applicator_) applicator_->release();
    state_.keyZoneArmed = false;
    state_.hintZoneArmed = false;
    state_.dialogZoneArmed = false;
    state_.doorEditing = false;
    state_.crowdRemarkArmed = false;
    state_.menuZoneBeingSet = 0;
    state_.figureFitHeld = false;
}

void CanvasEditing::doubleClicked(MouseButton button, Point at) {
    if (engine_.screen().screenMode != ScreenMode::Animator || state_.animatorMouseMode != 2 || button != MouseButton::Left)
        return;
    const EditScope edit(engine_.editRecorder());
    state_.figureFitHeld = fitFrameToFigure(engine_.record(), state_, engine_.pictures().sheetPicture, at);
}

void CanvasEditing::escapePressed() { abandonPortalPlacement(engine_); }

bool CanvasEditing::holdsHero() const { return state_.portalPlacementUnderway(); }

void CanvasEditing::frameBegins() {
    if (state_.applicatorOn) engine_.screen().sceneViewOffset = Point{0, 0};
}

void CanvasEditing::editorFrame() {
    if (engine_.screen().screenMode != ScreenMode::Animator) return;
    Pictures& pictures = engine_.pictures();
    drawPreview(pictures.previewPicture, pictures.sheetPicture, pictures.framePicture, engine_.record(),
                state_.currentAnimation, engine_.play().previewFrame);
}

void CanvasEditing::drawUnderPlay() {
    if (!state_.doorArmed) return;
    Pictures& pictures = engine_.pictures();
    cutCell(pictures.doorStrip, 60, 90, state_.closedDoorPick, pictures.doorPicture);
    drawTransparent(engine_.canvas(), pictures.doorPicture, engine_.play().mousePoint);
}

bool CanvasEditing::outlinesCellsInPlay() const { return state_.outlinesCellsOnFrameTick(); }

Rect CanvasEditing::drawEditorScreen() {
    // The applicator draws its own overlay from the window.
    if (engine_.screen().screenMode != ScreenMode::Animator) return {};
    const AnimFrame& frame = currentFrameOf(engine_.record(), state_);
    return sheetView_.draw(engine_.canvas(), engine_.pictures().backgroundPicture, state_.sheetViewOffset,
                           Rect{frame.srcX, frame.srcY, frame.width, frame.height});
}

CellAids CanvasEditing::cellAids() const {
    const ScreenMode mode = engine_.screen().screenMode;
    CellAids aids;
    aids.outlines = mode == ScreenMode::Passability || (mode != ScreenMode::Scene && state_.outlinesCellsOnOverlayTick());
    aids.trails = mode == ScreenMode::Scene && state_.trailsShown;
    if (mode == ScreenMode::Passability) aids.pointerCell = state_.pointerCell;
    return aids;
}

EditorState& editorState(Engine& engine) {
    auto* editing = dynamic_cast<CanvasEditing*>(engine.editorHooks());
    if (!editing) qFatal("The engine has no editor attached.");
    return editing->state();
}

const EditorState& editorState(const Engine& engine) {
    const auto* editing = dynamic_cast<const CanvasEditing*>(engine.editorHooks());
    if (!editing) qFatal("The engine has no editor attached.");
    return editing->state();
}

} // namespace tw
