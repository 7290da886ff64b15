#include "editor/plotpresses.h"

#include "editor/canvasediting.h"
#include "editor/doors.h"
#include "editor/items.h"

#include "runtime/engine.h"

namespace tw {
namespace {

bool isWalkable(const Engine& engine, int c, int r) {
    return engine.record().passOrBlocked(engine.screen().currentScene, c, r) < kBlockedCell;
}

std::uint8_t low8(int v) { return static_cast<std::uint8_t>(v); }

} // namespace

bool plotEditorTakesPress(const EditorState& editor) {
    return editor.heroPlacementArmed || editor.portalPlacementUnderway() || editor.animSpotArmed || editor.itemArmed ||
           editor.doorArmed || editor.crowdRemarkArmed || editor.keyZoneArmed || editor.doorCellArmed ||
           editor.dialogApproachArmed || editor.heroRemarkArmed || editor.hintTextArmed || editor.dialogTextArmed ||
           editor.hintZoneArmed || editor.dialogZoneArmed || editor.doorEditing;
}

void servePlotEditorPress(Engine& engine, int x, int y, int c, int r) {
    EditorState& editor = editorState(engine);
    ProjectRecord& record = engine.record();
    ScreenState& screen = engine.screen();
    SceneBlock* scenePointer = &record.scene(screen.currentScene);

    if (editor.heroPlacementArmed) {
        editor.heroPlacementArmed = false;
        record.heroX = playX(x);
        record.heroY = playY(y);
    }
    if (editor.portalPick == 1 && isWalkable(engine, c, r)) {
        // The cell is kept aside until the arrival is pressed: the placement is written as a whole.
        editor.portalPick = 0;
        editor.targetChooserVisible = true;
        editor.portalScene = screen.currentScene;
        editor.portalCol = c;
        editor.portalRow = r;
    } else if (editor.portalPick == 2 && isWalkable(engine, c, r)) {
        editor.portalPick = 0;
        // The portal chosen when the placement was armed, whatever the spinner shows now.
        Portal& portal = record.scene(editor.portalScene).portal(editor.portalNumber);
        portal.col = low8(editor.portalCol);
        portal.row = low8(editor.portalRow);
        portal.targetScene = screen.currentScene;
        portal.arrivalCol = low8(c);
        portal.arrivalRow = low8(r);
        // Back on the portal's scene: the orders given on the target scene end (play, kept out).
        if (screen.currentScene != editor.portalScene) engine.leaveScene();
        screen.currentScene = std::uint16_t(editor.portalScene);
        engine.reloadBackground();
        // The sub-modes served after this one act on the scene now shown.
        scenePointer = &record.scene(screen.currentScene);
    }
    SceneBlock& scene = *scenePointer;
    if (editor.animSpotArmed) {
        editor.animSpotArmed = false;
        AnimSpot& spot = scene.animSpot(editor.spotSpin);
        spot.visible = 1;
        spot.x = playX(x);
        spot.y = playY(y);
        spot.animation = low8(editor.spotAnimationSpin);
        spot.randomFrame = editor.spotRandomChecked ? 1 : 0;
    }
    if (editor.itemArmed && isWalkable(engine, c, r)) {
        editor.itemArmed = false;
        placeItem(record, editor.currentItem, screen.currentScene, c, r);
    }
    if (editor.doorArmed) {
        editor.doorArmed = false;
        placeDoor(record, screen.currentScene, editor.doorSpin, playX(x), playY(y), doorPicks(editor));
    }
    if (editor.crowdRemarkArmed) {
        CrowdRemark& remark = record.crowdRemark(editor.crowdRemarkSpin);
        remark.x = playX(x);
        remark.y = playY(y);
        remark.scene = low8(screen.currentScene);
    }
    if (editor.keyZoneArmed) {
        Door& door = scene.door(editor.doorSpin);
        door.keyZoneX1 = playX(x);
        door.keyZoneY1 = playY(y);
    }
    if (editor.doorCellArmed) {
        editor.doorCellArmed = false;
        setDoorApproach(record, screen.currentScene, editor.doorSpin, c, r);
    }
    if (editor.dialogApproachArmed) {
        editor.dialogApproachArmed = false;
        Dialog& dialog = scene.dialog(editor.currentDialog);
        dialog.approachCol = low8(c);
        dialog.approachRow = low8(r);
    }
    if (editor.heroRemarkArmed) {
        editor.heroRemarkArmed = false;
        HeroRemark& remark = record.heroRemark(editor.currentHeroRemark);
        remark.state = 1;
        remark.col = low8(c);
        remark.row = low8(r);
        remark.scene = screen.currentScene;
    }
    if (editor.hintTextArmed) {
        editor.hintTextArmed = false;
        Hint& hint = scene.hint(editor.currentHint);
        hint.textX = playX(x);
        hint.textY = playY(y);
    }
    if (editor.dialogTextArmed) {
        editor.dialogTextArmed = false;
        Dialog& dialog = scene.dialog(editor.currentDialog);
        dialog.textX = playX(x);
        dialog.textY = playY(y);
    }
}

void servePlotEditorMove(Engine& engine, int x, int y) {
    EditorState& editor = editorState(engine);
    PlayState& play = engine.play();
    SceneBlock& scene = engine.record().scene(engine.screen().currentScene);
    const Point press = play.mouseDownPoint;
    if (play.mouseHeld && editor.keyZoneArmed) {
        Door& door = scene.door(editor.doorSpin);
        door.keyZoneX2 = playX(x);
        door.keyZoneY2 = playY(y);
    }
    if (play.mouseHeld && editor.hintZoneArmed) {
        Hint& hint = scene.hint(editor.currentHint);
        hint.zoneX1 = playX(press.x);
        hint.zoneY1 = playY(press.y);
        hint.zoneX2 = playX(x);
        hint.zoneY2 = playY(y);
    }
    if (play.mouseHeld && editor.dialogZoneArmed) {
        Dialog& dialog = scene.dialog(editor.currentDialog);
        dialog.zoneX1 = playX(press.x);
        dialog.zoneY1 = playY(press.y);
        dialog.zoneX2 = playX(x);
        dialog.zoneY2 = playY(y);
    }
    if (editor.animSpotArmed) {
        // The animation the press will place: the spinner, which writes the spot's number at once and,
        // unlike a never-set spot's stored 0, always names an animation of the table.
        engine.cutFrame(x, y, editor.spotAnimationSpin, false, 1);
    }
}

} // namespace tw
