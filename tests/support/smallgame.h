#pragma once

#include "project/projectrecord.h"

#include <memory>

namespace tw::test {

// A small game made by hand: `scenes` scenes with every cell walkable, the hero (animation 1, one 20 x 40
// frame, step 10) standing on cell (5, 5) of scene 1. The helpers below add walls and the game's objects
// by the numbers the pages show.
struct SmallGame {
    std::unique_ptr<ProjectRecord> record = ProjectRecord::createBlank();

    explicit SmallGame(int scenes) {
        ProjectRecord& r = *record;
        r.sceneCount = std::uint16_t(scenes);
        r.startScene = 1;
        r.tickInterval = 50;
        r.heroStep = 10;
        r.animation(1).frameCount = 1;
        r.animation(1).frame(1) = AnimFrame{0, 0, 20, 40};
        r.heroAnimStand = r.heroAnimLeft = r.heroAnimRight = r.heroAnimForward = r.heroAnimBack = 1;
        hero(5, 5);
    }
    ProjectRecord& operator*() { return *record; }

    void hero(int col, int row) {
        record->heroX = std::uint16_t(20 * (col - 1) + 10);
        record->heroY = std::uint16_t(20 * (row - 1) + 10);
    }
    void wall(int scene, int col, int row) { record->pass(scene, col, row) = kBlockedCell; }
    // A wall across the whole scene at column `col`.
    void wallColumn(int scene, int col) {
        for (int r = 1; r <= kGridRows; ++r) wall(scene, col, r);
    }
    // Portal k on (col, row) to `target`, where the hero comes out on (toCol, toRow).
    void portal(int scene, int k, int col, int row, int target, int toCol, int toRow) {
        Portal& p = record->scene(scene).portal(k);
        p.col = std::uint8_t(col);
        p.row = std::uint8_t(row);
        p.targetScene = std::uint16_t(target);
        p.arrivalCol = std::uint8_t(toCol - 1);
        p.arrivalRow = std::uint8_t(toRow - 1);
    }
    void item(int n, int scene, int col, int row) {
        Item& i = record->item(n);
        i.state = 1;
        i.scene = std::uint8_t(scene);
        i.col0 = std::int16_t(col - 1);
        i.row0 = std::int16_t(row - 1);
    }
    void combination(int n, int partner, int product) {
        record->item(n).partner = std::uint8_t(partner);
        record->item(n).product = std::uint8_t(product);
    }
    // Door d, closed, on cell (col, row), which it blocks; its key zone covers the cell and the cells
    // around it.
    void door(int scene, int d, int key, int col, int row) {
        Door& door = record->scene(scene).door(d);
        door.state = 1;
        door.keyItem = std::uint8_t(key);
        door.approachCol = std::uint8_t(col);
        door.approachRow = std::uint8_t(row);
        door.keyZoneX1 = std::uint16_t(20 * (col - 2));
        door.keyZoneY1 = std::uint16_t(20 * (row - 2));
        door.keyZoneX2 = std::uint16_t(20 * (col + 1));
        door.keyZoneY2 = std::uint16_t(20 * (row + 1));
        wall(scene, col, row);
    }
    // Character d of `kind` whose zone is the cell (col, row) and whose approach cell is the one below it.
    void character(int scene, int d, int kind, int col, int row, int give = 0, int get = 0) {
        Dialog& dialog = record->scene(scene).dialog(d);
        dialog.kind = std::uint8_t(kind);
        dialog.zoneX1 = std::uint16_t(20 * (col - 1));
        dialog.zoneY1 = std::uint16_t(20 * (row - 1));
        dialog.zoneX2 = std::uint16_t(20 * col);
        dialog.zoneY2 = std::uint16_t(20 * row);
        dialog.approachCol = std::uint8_t(col);
        dialog.approachRow = std::uint8_t(row + 1);
        dialog.giveItem = std::uint8_t(give);
        dialog.getItem = std::uint8_t(get);
        dialog.lines[0].setText("Здравствуй");
    }
    void randomDialog(int scene, int k, const std::string& text) { record->scene(scene).randomDialog(k).lines[0].setText(text); }
    void remark(int k, int scene, int col, int row) {
        HeroRemark& remark = record->heroRemark(k);
        remark.state = 1;
        remark.scene = std::uint16_t(scene);
        remark.col = std::uint8_t(col);
        remark.row = std::uint8_t(row);
        remark.text.setText("Ого");
    }
};

} // namespace tw::test
