#pragma once

#include "project/projectrecord.h"

#include <memory>

namespace tw::test {

// A small built game for the player's tests: three scenes, played from scene 2, every cell walkable, the
// hero (animation 1, one 20 x 40 frame, step 10) at cell (5, 10). Menu zone k (1..4) covers
// (100, 100k)-(300, 100k + 60). In scene 2: item 5 lies in cell (9, 10), portal 1 in cell (14, 10) leads
// to scene 3, a character's zone, a hint with a text, a closed door with a key zone and a crowd remark.
inline std::unique_ptr<ProjectRecord> playerGame() {
    auto record = ProjectRecord::createBlank();
    record->sceneCount = 3;
    record->startScene = 2;
    record->tickInterval = 50;
    record->heroStep = 10;
    record->gameName.setText("Клад короля");
    record->animation(1).frameCount = 1;
    record->animation(1).frame(1) = AnimFrame{0, 0, 20, 40};
    record->heroAnimStand = record->heroAnimLeft = record->heroAnimRight = 1;
    record->heroAnimForward = record->heroAnimBack = 1;
    record->heroX = 20 * 4 + 10;
    record->heroY = 20 * 9 + 10;
    record->heroCol = 5;
    record->heroRow = 10;
    for (int k = 1; k <= kMenuZones; ++k) {
        record->menuTopLeft(k) = Point16{100, std::uint16_t(100 * k)};
        record->menuBottomRight(k) = Point16{300, std::uint16_t(100 * k + 60)};
    }
    Item& item = record->item(5);
    item.state = 1;
    item.scene = 2;
    item.col0 = 8;
    item.row0 = 9;
    SceneBlock& scene = record->scene(2);
    scene.portal(1) = Portal{14, 10, 5, 10, 3};
    Dialog& dialog = scene.dialog(1);
    dialog.kind = 1;
    dialog.approachCol = 30;
    dialog.approachRow = 20;
    dialog.zoneX1 = 600;
    dialog.zoneY1 = 300;
    dialog.zoneX2 = 700;
    dialog.zoneY2 = 450;
    Hint& hint = scene.hint(1);
    hint.text.setText("Старый колодец");
    hint.zoneX1 = 200;
    hint.zoneY1 = 500;
    hint.zoneX2 = 320;
    hint.zoneY2 = 600;
    scene.door(1) = Door{1, 5, 1, 1, 0, 40, 10, 0, 800, 100, 900, 250, 800, 100};
    CrowdRemark& crowd = record->crowdRemark(1);
    crowd.x = 700;
    crowd.y = 620;
    crowd.text.setText("Хорошая погода");
    crowd.scene = 2;
    crowd.countdown = 3;
    return record;
}

} // namespace tw::test
