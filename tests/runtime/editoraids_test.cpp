#include "editor/canvasediting.h"
#include "editor/editorshell.h"
#include "runtime/engine.h"
#include "support/fakes.h"
#include "support/faketree.h"

#include <gtest/gtest.h>

#include <QString>

#include <memory>
#include <vector>

namespace tw::test {
namespace {

// A scene holding one of everything the author's aids mark: a portal, a character with its zone and
// approach cell, a hint zone, a placed hero remark, a crowd remark, an animation spot and a closed door
// with its key zone and approach cell.
std::unique_ptr<ProjectRecord> sceneWithEverything() {
    auto record = ProjectRecord::createBlank();
    record->sceneCount = 2;
    record->startScene = 1;
    record->tickInterval = 50;
    record->heroStep = 10;
    record->animation(1).frameCount = 1;
    record->animation(1).frame(1) = AnimFrame{0, 0, 20, 40};
    record->heroAnimStand = record->heroAnimLeft = record->heroAnimRight = 1;
    record->heroAnimForward = record->heroAnimBack = 1;
    record->heroX = 90;
    record->heroY = 90;
    record->heroCol = 5;
    record->heroRow = 5;
    SceneBlock& scene = record->scene(1);
    scene.portal(1) = Portal{40, 10, 3, 3, 2};
    Dialog& dialog = scene.dialog(1);
    dialog.kind = 1;
    dialog.approachCol = 45;
    dialog.approachRow = 20;
    dialog.zoneX1 = 600;
    dialog.zoneY1 = 100;
    dialog.zoneX2 = 700;
    dialog.zoneY2 = 200;
    Hint& hint = scene.hint(1);
    hint.text.setText(QStringLiteral("Старый колодец"));
    hint.zoneX1 = 100;
    hint.zoneY1 = 400;
    hint.zoneX2 = 200;
    hint.zoneY2 = 500;
    HeroRemark& remark = record->heroRemark(1);
    remark.state = 1;
    remark.scene = 1;
    remark.col = 10;
    remark.row = 30;
    CrowdRemark& crowd = record->crowdRemark(1);
    crowd.scene = 1;
    crowd.x = 800;
    crowd.y = 600;
    crowd.countdown = 1000;
    AnimSpot& spot = scene.animSpot(1);
    spot.visible = 1;
    spot.x = 300;
    spot.y = 560;
    spot.animation = 1;
    Door& door = scene.door(1);
    door.state = 1;
    door.closedPicture = 1;
    door.openPicture = 2;
    door.approachCol = 44;
    door.approachRow = 5;
    door.keyZoneX1 = 800;
    door.keyZoneY1 = 300;
    door.keyZoneX2 = 900;
    door.keyZoneY2 = 350;
    door.pictureX = 850;
    door.pictureY = 100;
    return record;
}

QRect cellArea(int c, int r) { return QRect(20 * (c - 1), 20 * (r - 1), 20, 20); }

// One play frame of that scene, drawn by an engine with or without the editor plugged in.
QImage playFrame(bool withEditor) {
    FakeWorld world;
    putMinimalTree(world.files, *sceneWithEverything());
    Engine engine(kFakeRoot, world.services());
    std::unique_ptr<CanvasEditing> editing;
    if (withEditor) editing = std::make_unique<CanvasEditing>(engine);
    EXPECT_TRUE(engine.startUp());
    engine.screen().screenMode = ScreenMode::Scene;
    engine.reloadBackground();
    engine.mouseMove(500, 650, 699);
    engine.frameTick();
    return engine.canvas().copy();
}

// The player draws none of the author's aids: outside the pictures play itself draws (the hero, the
// door, the spot's frame), its frame is the bare background, while the editor's frame of the same scene
// marks every object.
TEST(EditorAids, OnlyTheEditorDrawsThem) {
    const QImage player = playFrame(false);
    const QImage editor = playFrame(true);
    const QRgb background = qRgb(20, 100, 100); // scene 1 of the fake tree
    const std::vector<QRect> played = {QRect(80, 50, 20, 40), QRect(850, 100, 60, 90), QRect(300, 560, 20, 40)};
    const auto isPlayed = [&played](QPoint p) {
        for (const QRect& area : played) {
            if (area.contains(p)) return true;
        }
        return false;
    };
    for (int y = 0; y < player.height(); ++y) {
        for (int x = 0; x < player.width(); ++x) {
            if (isPlayed(QPoint(x, y))) continue;
            ASSERT_EQ(player.pixel(x, y), background) << "the player drew an aid at " << x << ", " << y;
        }
    }
    // Each object's mark is there in the editor: label and outline areas on its cell or zone.
    const std::vector<std::pair<const char*, QRect>> marks = {
        {"portal P-1", cellArea(40, 10)},           {"dialog approach D-1", cellArea(45, 20)},
        {"dialog zone", QRect(600, 100, 100, 1)},    {"hint zone", QRect(100, 400, 100, 1)},
        {"hero remark", cellArea(10, 30)},           {"crowd remark", QRect(788, 600, 12, 12)},
        {"spot number", QRect(300, 560, 12, 12)},    {"door key zone", QRect(800, 300, 100, 1)},
        {"door approach", cellArea(44, 5)},          {"door number", QRect(850, 100, 12, 12)}};
    for (const auto& [what, area] : marks) {
        bool marked = false;
        for (int y = area.top(); y <= area.bottom() && !marked; ++y) {
            for (int x = area.left(); x <= area.right() && !marked; ++x) marked = editor.pixel(x, y) != player.pixel(x, y);
        }
        EXPECT_TRUE(marked) << what;
    }
}

} // namespace
} // namespace tw::test
