// The places of the scene shown that answer a click, as the player's Space shows them.
#include "runtime/actionzones.h"
#include "runtime/engine.h"
#include "support/fakes.h"
#include "support/faketree.h"
#include "support/playergame.h"

#include <gtest/gtest.h>

namespace tw::test {
namespace {

using Kind = ActionZone::Kind;

template <class Zoned> void setZone(Zoned& zoned, int x1, int y1, int x2, int y2) {
    zoned.zoneX1 = std::uint16_t(x1);
    zoned.zoneY1 = std::uint16_t(y1);
    zoned.zoneX2 = std::uint16_t(x2);
    zoned.zoneY2 = std::uint16_t(y2);
}

TEST(ActionZones, EveryClickablePlaceOfTheSceneShownAndNothingElse) {
    auto game = playerGame();
    SceneBlock& scene = game->scene(2);
    // Left out: a removed character, a hint without a text, an opened door, a zone whose corners are the
    // wrong way round, a portal without a cell, items in the bag or in another scene.
    scene.dialog(2).kind = 0;
    setZone(scene.dialog(2), 10, 10, 50, 50);
    scene.dialog(3).kind = 2;
    setZone(scene.dialog(3), 500, 10, 400, 50);
    setZone(scene.hint(2), 10, 10, 50, 50);
    scene.door(2) = Door{2, 5, 1, 1, 0, 40, 12, 0, 10, 10, 50, 50, 10, 10};
    scene.portal(2) = Portal{0, 7, 1, 1, 3};
    game->item(6) = Item{2, 3, 3, 2, 0, 0, 0, 0, 0};
    game->item(7) = Item{1, 3, 3, 1, 0, 0, 0, 0, 0};
    // Clipped to the canvas: a hint reaching past its right edge, an item cell on the last column; a
    // portal cell wholly past the bottom is left out.
    scene.hint(3).text.setText("Край");
    setZone(scene.hint(3), 980, 5, 1200, 40);
    game->item(8) = Item{1, 50, 0, 2, 0, 0, 0, 0, 0};
    scene.portal(3) = Portal{3, 40, 1, 1, 3};

    FakeWorld world;
    putMinimalTree(world.files, *game);
    Engine engine(kFakeRoot, world.services());
    EXPECT_TRUE(actionZones(engine).empty()); // not started
    ASSERT_TRUE(engine.startUp());
    EXPECT_TRUE(actionZones(engine).empty()); // the menu
    engine.screen().screenMode = ScreenMode::Scene;
    engine.screen().currentScene = 2;

    const std::vector<ActionZone> expected = {
        {Kind::Item, Rect{160, 180, 20, 20}},
        {Kind::Item, Rect{1000, 0, 9, 20}},
        {Kind::Character, Rect::fromCorners(600, 300, 700, 450)},
        {Kind::Hint, Rect::fromCorners(200, 500, 320, 600)},
        {Kind::Hint, Rect::fromCorners(980, 5, 1009, 40)},
        {Kind::DoorKey, Rect::fromCorners(800, 100, 900, 250)},
        {Kind::Portal, Rect{260, 180, 20, 20}},
    };
    EXPECT_EQ(actionZones(engine), expected);

    engine.screen().currentScene = 3;
    EXPECT_TRUE(actionZones(engine).empty());
    engine.screen().currentScene = 2;
    engine.screen().screenMode = ScreenMode::Help;
    EXPECT_TRUE(actionZones(engine).empty());
}

} // namespace
} // namespace tw::test
