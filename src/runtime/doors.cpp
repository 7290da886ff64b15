#include "runtime/doors.h"

#include "canvas/blit.h"
#include "canvas/cutting.h"
#include "canvas/drawing.h"
#include "runtime/bag.h"
#include "runtime/engine.h"
#include "runtime/orders.h"
#include "runtime/playrules.h"
#include "runtime/walking.h"


#include <cstdlib>

namespace tw {
namespace {

// Loads the comic shown when door d opens. A comic that cannot be loaded is reported once and not
// shown, so the game is never stuck under a black screen.
void startComic(Engine& engine, int comic) {
    PlayState& play = engine.play();
    play.comicNumber = comic;
    if (comic < 1 || !engine.loadPicture(engine.paths().comic(comic), engine.pictures().comicPicture)) {
        play.comicOn = false;
        play.comicTicks = 0;
        play.heroFree = true;
        return;
    }
    play.comicOn = true;
    play.comicTicks = 30;
}

} // namespace

void drawDoors(Engine& engine) {
    const SceneBlock& scene = engine.record().scene(engine.screen().currentScene);
    Pictures& pictures = engine.pictures();
    Picture& canvas = engine.canvas();
    for (int d = 1; d <= kDoorsPerScene; ++d) {
        const Door& door = scene.door(d);
        if (door.state != 1 && door.state != 2) continue;
        const int picture = door.state == 1 ? door.closedPicture : door.openPicture;
        cutCell(pictures.doorStrip, 60, 90, picture, pictures.doorPicture);
        drawTransparent(canvas, pictures.doorPicture, Point{door.pictureX, door.pictureY});
        if (!engine.drawsEditorAids()) continue;
        engine.text().drawLabel(canvas, door.pictureX, door.pictureY, std::to_string(d));
        if (door.state != 1) continue;
        if (isWellFormed(door.keyZoneX1, door.keyZoneY1, door.keyZoneX2, door.keyZoneY2))
            outlineRect(canvas, door.keyZoneX1, door.keyZoneY1, door.keyZoneX2, door.keyZoneY2);
        outlineCell(canvas, door.approachCol, door.approachRow);
        engine.text().drawLabel(canvas, 20 * (door.approachCol - 1), 20 * (door.approachRow - 1),
                  "двр-" + std::to_string(d));
    }
}

void doorKeyUseAndArrival(Engine& engine) {
    ProjectRecord& record = engine.record();
    PlayState& play = engine.play();
    const int s = engine.screen().currentScene;
    SceneBlock& scene = record.scene(s);
    const Point mouse = play.mousePoint;

    if (isHoldingItem(record) && play.buttonDown() && play.heroFree) {
        for (int d = 1; d <= kDoorsPerScene; ++d) {
            Door& door = scene.door(d);
            // Only a closed door takes a key: a removed one keeps its key and zone stored but is gone.
            if (door.state != 1) continue;
            if (!isInside(mouse.x, mouse.y, door.keyZoneX1, door.keyZoneY1, door.keyZoneX2, door.keyZoneY2))
                continue;
            if (!doorTakesKey(door, record.heldItem)) continue;
            // The door's blocked cell opens to the search and the hero walks up to it.
            if (isCellInGrid(door.approachCol, door.approachRow)) record.pass(s, door.approachCol, door.approachRow) = 0;
            spreadWave(record, s, door.approachCol, door.approachRow, true);
            play.walkingToDoor = true;
            play.targetDoor = d;
            play.orderScene = s;
            play.heroFree = false;
            // Keys are kept: back into the bag when slot 18 is free.
            if (record.bagSlot(kBagSlots) == 0 && receiveIntoBag(record, door.keyItem)) play.panelTicks = 50;
            if (!isHoldingItem(record)) break; // the key has left the cursor: no other door can take it
        }
    }

    if (play.walkingToDoor) {
        Door& door = scene.door(play.targetDoor);
        // Only the door the key was used on, still shut, opens: an order from another scene, or a door
        // removed or opened meanwhile, ends the walk quietly.
        if (!orderHoldsIn(play.orderScene, s) || door.state != 1) {
            play.walkingToDoor = false;
            play.heroFree = true;
        } else if (isNextTo(record.heroCol, record.heroRow, door.approachCol, door.approachRow)) {
            door.state = 2;
            door.keyItem = 0;
            play.walkingToDoor = false;
            startComic(engine, door.comic);
        }
    }
}

void drawComic(Engine& engine) {
    PlayState& play = engine.play();
    if (!play.comicOn) return;
    Picture& canvas = engine.canvas();
    canvas.fill(rgb(0, 0, 0));
    const Picture& comic = engine.pictures().comicPicture;
    drawOpaque(canvas, comic, Point{(canvas.width() - comic.width()) / 2, (canvas.height() - comic.height()) / 2});
    if (--play.comicTicks <= 0) {
        play.comicOn = false;
        play.heroFree = true;
        engine.playEffect("even.wav");
    }
}

} // namespace tw
