#include "runtime/world.h"

#include "canvas/blit.h"
#include "canvas/cutting.h"
#include "canvas/drawing.h"
#include "runtime/bag.h"
#include "runtime/engine.h"
#include "runtime/orders.h"
#include "runtime/playrules.h"
#include "runtime/talk.h"


namespace tw {

void drawLyingItems(Engine& engine) {
    const ProjectRecord& record = engine.record();
    PlayState& play = engine.play();
    Pictures& pictures = engine.pictures();
    const int s = engine.screen().currentScene;
    play.itemHover = false;
    for (int n = 1; n <= kItemCapacity; ++n) {
        const Item& item = record.item(n);
        if (item.state != 1 || item.scene != s) continue;
        if (cellOfPixel(play.mousePoint.x) - 1 == item.col0 && cellOfPixel(play.mousePoint.y) - 1 == item.row0) {
            play.itemHover = true;
            if (play.buttonDown()) {
                play.walkingToItem = true;
                play.targetItemCol = item.col0;
                play.targetItemRow = item.row0;
                play.targetItem = n;
                play.orderScene = s;
            }
        }
        cutCell(pictures.smallItemStrip, 20, 20, n, pictures.smallItemPicture);
        drawTransparent(engine.canvas(), pictures.smallItemPicture, Point{20 * item.col0, 20 * item.row0});
    }
}

void pickUpArrival(Engine& engine) {
    ProjectRecord& record = engine.record();
    PlayState& play = engine.play();
    if (!play.walkingToItem) return;
    if (record.heroCol != play.targetItemCol + 1 || record.heroRow != play.targetItemRow + 1) return;
    if (record.bagSlot(kBagSlots) != 0) return; // the order stays pending until slot 18 is free
    play.walkingToItem = false;
    // Only the item still lying on that cell of this scene is picked up; one taken or moved meanwhile
    // stays where it is.
    if (!orderHoldsIn(play.orderScene, engine.screen().currentScene) || !isItemNumber(play.targetItem)) return;
    const Item& item = record.item(play.targetItem);
    if (item.state != 1 || item.scene != play.orderScene || item.col0 != play.targetItemCol ||
        item.row0 != play.targetItemRow)
        return;
    engine.playEffect("even.wav");
    receiveIntoBag(record, play.targetItem);
    play.panelTicks = 50;
}

void drawPortalAndDialogMarkers(Engine& engine) {
    if (!engine.drawsEditorAids()) return;
    const SceneBlock& scene = engine.record().scene(engine.screen().currentScene);
    Picture& canvas = engine.canvas();
    for (int k = 1; k <= kPortalsPerScene; ++k) outlineCell(canvas, scene.portal(k).col, scene.portal(k).row);
    for (int d = 1; d <= kDialogsPerScene; ++d) {
        if (scene.dialog(d).kind != 0) outlineCell(canvas, scene.dialog(d).approachCol, scene.dialog(d).approachRow);
    }
    for (int k = 1; k <= kPortalsPerScene; ++k) {
        const Portal& portal = scene.portal(k);
        engine.text().drawLabel(canvas, 20 * (portal.col - 1), 20 * (portal.row - 1), "P-" + std::to_string(k));
    }
    for (int d = 1; d <= kDialogsPerScene; ++d) {
        const Dialog& dialog = scene.dialog(d);
        if (dialog.kind == 0) continue;
        engine.text().drawLabel(canvas, 20 * (dialog.approachCol - 1), 20 * (dialog.approachRow - 1),
                  "D-" + std::to_string(d));
    }
}

void portalTest(Engine& engine) {
    ProjectRecord& record = engine.record();
    const int heroCol = record.heroCol;
    const int heroRow = record.heroRow;
    for (int k = 1; k <= kPortalsPerScene; ++k) {
        const Portal& portal = record.scene(engine.screen().currentScene).portal(k);
        if (portal.col != heroCol || portal.row != heroRow) continue;
        // A target outside the scenes that exist leads nowhere.
        if (!portalLeadsSomewhere(record, portal)) continue;
        moveDialogsOn(record, engine.screen().currentScene);
        record.heroX = arrivalX(portal);
        record.heroY = arrivalY(portal);
        engine.screen().currentScene = portal.targetScene;
        leaveScene(record, engine.play());
        engine.reloadBackground();
        engine.playEffect("hod.wav");
        const int s = engine.screen().currentScene;
        for (int c = 1; c <= kGridColumns; ++c) {
            for (int r = 1; r <= kGridRows; ++r) {
                std::uint16_t& cell = record.pass(s, c, r);
                if (cell < kBlockedCell) cell = 0;
            }
        }
    }
}

} // namespace tw
