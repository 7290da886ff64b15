#include "project/erase.h"

#include "project/projectrecord.h"

namespace tw {

namespace {

// Portals are moved to the "no portal" cell (0, 0), outside the grid: a blank game has no passages,
// and a portal left on a real cell would send the hero away whenever he stepped on it.
void erasePortal(Portal& portal) {
    portal.col = 0;
    portal.row = 0;
    portal.arrivalCol = 1;
    portal.arrivalRow = 1;
    portal.targetScene = 1;
}

void eraseAnimSpot(AnimSpot& spot) {
    spot.visible = 0;
    spot.x = 0;
    spot.y = 0;
    spot.animation = 1;
    spot.randomFrame = 1;
}

void eraseDoor(Door& door) {
    door.state = 0;
    door.keyItem = 1;
    door.openPicture = 1;
    door.closedPicture = 1;
    door.comic = 1;
    door.approachCol = 1;
    door.approachRow = 1;
    door.keyZoneX1 = door.keyZoneY1 = door.keyZoneX2 = door.keyZoneY2 = 1;
    door.pictureX = 1;
    door.pictureY = 1;
}

void eraseHint(Hint& hint) {
    hint.textX = 1;
    hint.textY = 1;
    hint.text.clear();
    hint.zoneX1 = hint.zoneY1 = hint.zoneX2 = hint.zoneY2 = 1;
}

void eraseDialog(Dialog& dialog) {
    dialog.kind = 0;
    dialog.progress = 0;
    dialog.approachCol = 1;
    dialog.approachRow = 1;
    dialog.zoneX1 = dialog.zoneY1 = dialog.zoneX2 = dialog.zoneY2 = 1;
    dialog.giveItem = 1;
    dialog.getItem = 1;
    for (auto& line : dialog.lines)
        line.clear();
    dialog.textX = 1;
    dialog.textY = 1;
}

void eraseScene(SceneBlock& scene) {
    for (Portal& portal : scene.portals)
        erasePortal(portal);
    for (AnimSpot& spot : scene.animSpots)
        eraseAnimSpot(spot);
    for (Door& door : scene.doors)
        eraseDoor(door);
    for (Hint& hint : scene.hints)
        eraseHint(hint);
    for (Dialog& dialog : scene.dialogs)
        eraseDialog(dialog);
    for (RandomDialog& random : scene.randomDialogs) {
        for (auto& line : random.lines)
            line.clear();
    }
}

} // namespace

void erasePlot(ProjectRecord& record) {
    for (int k = 0; k < kMenuZones; ++k) {
        record.menuZoneTopLeft[k] = Point16{1, 1};
        record.menuZoneBottomRight[k] = Point16{1, 1};
    }

    for (HeroRemark& remark : record.heroRemarks) {
        remark.state = 0;
        remark.text.clear();
        remark.col = 1;
        remark.row = 1;
        remark.scene = 1;
    }
    // Scene 0 is no scene: an erased crowd spot shows its text nowhere until the author places it.
    for (CrowdRemark& remark : record.crowdRemarks) {
        remark.x = 1;
        remark.y = 1;
        remark.text.clear();
        remark.scene = 0;
        remark.countdown = 1;
        remark.shownIndex = 1;
    }

    for (Item& item : record.items) {
        item.state = 0;
        item.col0 = 1;
        item.row0 = 1;
        item.scene = 1;
        item.gap = 0;
        item.partner = 0;
        item.product = 0;
        item.isComposite = 0;
    }

    for (auto& scene : record.passGrid) {
        for (auto& column : scene) {
            for (std::uint16_t& cell : column)
                cell = 0;
        }
    }
    for (SceneBlock& scene : record.scenes)
        eraseScene(scene);

    for (std::uint8_t& slot : record.inventory)
        slot = 0;
    record.heroX = record.heroY = 1;
    record.heroCol = record.heroRow = 1;
    record.heroAnimForward = record.heroAnimBack = record.heroAnimLeft = record.heroAnimRight = 1;
    record.heroAnimStand = 1;
    record.heldItem = 1; // not on the cursor: holdingItem is what says an item is carried
    record.holdingItem = 0;
    record.heroStep = 5;
    record.gameName.setText("none");
    record.startScene = 1;
    // The frame period a fresh start would choose; a period of 1 ms would run the game flat out after
    // the next start.
    record.tickInterval = 50;
    for (std::int32_t& reserved : record.reservedInts)
        reserved = 1;
    for (auto& text : record.reservedTexts)
        text.clear();
    record.reservedTail[0] = 0;
}

void eraseAnimations(ProjectRecord& record) {
    for (Animation& animation : record.animations) {
        for (AnimFrame& frame : animation.frames)
            frame = AnimFrame{0, 0, 0, 0};
        animation.frameCount = 1;
    }
}

} // namespace tw
