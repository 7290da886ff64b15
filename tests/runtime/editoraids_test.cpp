#include "editor/canvasediting.h"
#include "editor/editorshell.h"
#include "runtime/engine.h"
#include "support/fakes.h"
#include "support/faketree.h"
#include "support/playergame.h"
#include "toolkit/toolkittypes.h"

#include <gtest/gtest.h>

#include <QString>

#include <memory>
#include <vector>
#include <utility>

namespace tw::test {
namespace {

// The player's test game, whose scene 2 holds an item, a portal, a character, a hint, a closed door and a
// crowd remark, with a placed hero remark and an animation spot added.
std::unique_ptr<ProjectRecord> sceneWithEverything() {
    auto record = playerGame();
    HeroRemark& remark = record->heroRemark(1);
    remark.state = 1;
    remark.scene = 2;
    remark.col = 10;
    remark.row = 30;
    AnimSpot& spot = record->scene(2).animSpot(1);
    spot.visible = 1;
    spot.x = 300;
    spot.y = 560;
    spot.animation = 1;
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
    return toQt(std::as_const(engine.canvas())).copy();
}

// The player draws none of the author's aids: outside the pictures play itself draws (the hero, the
// door, the spot's frame), its frame is the bare background, while the editor's frame of the same scene
// marks every object.
TEST(EditorAids, OnlyTheEditorDrawsThem) {
    const QImage player = playFrame(false);
    const QImage editor = playFrame(true);
    const QRgb background = qRgb(40, 100, 100); // scene 2 of the fake tree
    // The hero, the lying item, the door and the spot's frame.
    const std::vector<QRect> played = {QRect(80, 150, 20, 40), QRect(160, 180, 20, 20), QRect(800, 100, 60, 90),
                                       QRect(300, 560, 20, 40)};
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
        {"portal P-1", cellArea(14, 10)},          {"dialog approach D-1", cellArea(30, 20)},
        {"dialog zone", QRect(600, 300, 100, 1)},   {"hint zone", QRect(200, 500, 120, 1)},
        {"hero remark", cellArea(10, 30)},          {"crowd remark", QRect(688, 620, 12, 12)},
        {"spot number", QRect(300, 560, 12, 12)},   {"door key zone", QRect(860, 100, 40, 1)},
        {"door approach", cellArea(40, 10)},        {"door number", QRect(800, 100, 12, 12)}};
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
