#include "runtime/bag.h"
#include "runtime/playfixture.h"

namespace tw::test {
namespace {

// Orders belong to the scene they were given in. Scene 1 has a portal on cell (7, 5) that takes the hero
// to scene 2, arriving on cell (10, 5): the very cell numbers of the object he was sent to in scene 1,
// so that nothing but the scene tells the two apart. The hero starts on (5, 5); every way to (10, 5)
// runs over the portal.
class SceneOrders : public PlayFixture {
protected:
    void prepare(ProjectRecord& record) override {
        record.scene(1).portal(1) = Portal{7, 5, 9, 4, 2};
    }
    int scene() const { return engine->screen().currentScene; }
    // Ticks until the hero has passed to scene 2, then a few more on the far side.
    void walkThroughThePortal() {
        for (int i = 0; i < 40 && scene() == 1; ++i) engine->frameTick();
        ASSERT_EQ(scene(), 2);
        ticks(20);
        ASSERT_EQ(record().heroCol, 10);
        ASSERT_EQ(record().heroRow, 5);
    }
};

TEST_F(SceneOrders, AnItemClickedBeforeLeavingStaysInItsScene) {
    Item& herb = record().item(7);
    herb = Item{1, 9, 4, 1, 0, 0, 0, 0, 0}; // lying on cell (10, 5) of scene 1
    click(190, 90);                         // the player clicks the herb...
    EXPECT_TRUE(play().walkingToItem);
    click(130, 90); // ...changes his mind and heads for the portal instead
    walkThroughThePortal();
    EXPECT_FALSE(play().walkingToItem);
    EXPECT_EQ(herb.state, 1);
    EXPECT_EQ(herb.scene, 1);
    EXPECT_EQ(countInBag(7), 0);

    // Back in scene 1 the herb is picked up the ordinary way.
    record().scene(2).portal(1) = Portal{12, 5, 9, 4, 1};
    click(230, 90);
    for (int i = 0; i < 40 && scene() == 2; ++i) engine->frameTick();
    ASSERT_EQ(scene(), 1);
    click(190, 90);
    ticks(3);
    EXPECT_EQ(herb.state, 2);
    EXPECT_EQ(countInBag(7), 1);
}

TEST_F(SceneOrders, AKeyUsedOnADoorBeyondAPortalOpensNoDoorAnywhere) {
    ProjectRecord& r = record();
    r.scene(1).door(1) = Door{1, 3, 2, 1, 0, 10, 5, 0, 300, 50, 400, 150, 300, 40};
    r.pass(1, 10, 5) = kBlockedCell;
    r.scene(2).door(1) = Door{0, 3, 2, 1, 0, 10, 5, 0, 300, 50, 400, 150, 300, 40}; // removed: no door
    r.item(3).state = 2;
    r.heldItem = 3;
    r.holdingItem = 1;

    click(350, 100); // the key on the door's key zone
    EXPECT_TRUE(play().walkingToDoor);
    EXPECT_EQ(r.pass(1, 10, 5), 1); // opened to the search while the hero walks up
    walkThroughThePortal();
    EXPECT_EQ(r.scene(2).door(1).state, 0);
    EXPECT_EQ(r.scene(1).door(1).state, 1);
    EXPECT_EQ(r.scene(1).door(1).keyItem, 3); // its key still opens it later
    EXPECT_EQ(r.pass(1, 10, 5), kBlockedCell); // and the closed door blocks its cell again
    EXPECT_FALSE(play().walkingToDoor);
    EXPECT_FALSE(play().comicOn);
    EXPECT_TRUE(play().heroFree);
    EXPECT_NE(engine->canvasCursor(), int(cursorClock));
    EXPECT_EQ(countInBag(3), 1); // the key went back into the bag as it always does
}

TEST_F(SceneOrders, ACharacterClickedBeyondAPortalLeavesTheNextScenesCharacterSilent) {
    ProjectRecord& r = record();
    Dialog& hermit = r.scene(1).dialog(1);
    hermit.kind = 1;
    hermit.approachCol = 10;
    hermit.approachRow = 5;
    hermit.zoneX1 = 300, hermit.zoneY1 = 50, hermit.zoneX2 = 400, hermit.zoneY2 = 150;
    Dialog& merchant = r.scene(2).dialog(1); // gives item 8 to whoever talks to him
    merchant = hermit;
    merchant.kind = 2;
    merchant.getItem = 8;
    merchant.zoneX1 = 600, merchant.zoneX2 = 700;

    click(350, 100);
    EXPECT_TRUE(play().walkingToDialog);
    walkThroughThePortal();
    EXPECT_FALSE(play().walkingToDialog);
    EXPECT_FALSE(play().dialogOpen);
    EXPECT_TRUE(play().heroFree);
    EXPECT_EQ(merchant.progress, 0);
    EXPECT_EQ(countInBag(8), 0);
    EXPECT_EQ(r.item(8).state, 0);
    EXPECT_EQ(hermit.progress, 0);

    // Asked in his own scene, the merchant gives as he should.
    click(650, 100);
    ticks(3);
    EXPECT_TRUE(play().dialogOpen);
    EXPECT_EQ(countInBag(8), 1);
}

TEST_F(SceneOrders, LeavingTheSceneCancelsOrdersButEscAndPageChangesKeepThem) {
    Item& herb = record().item(7);
    herb = Item{1, 4, 7, 1, 0, 0, 0, 0, 0}; // on cell (5, 8), below the hero, away from the portal
    // A press on the herb, then Esc before any tick has seen the press. The press's own walk goes on when
    // the game is entered again, but the herb is not taken: the click on it was never seen.
    engine->mouseMove(90, 150, 699);
    engine->mouseDown(MouseButton::Left, 90, 150);
    engine->keyDown(kEscapeKey);
    engine->mouseUp();
    selectPage(*engine, EditorPage::PlotEditor);
    ticks(30);
    ASSERT_EQ(record().heroCol, 5);
    ASSERT_EQ(record().heroRow, 8); // standing on the herb's cell
    EXPECT_EQ(herb.state, 1);
    EXPECT_FALSE(play().walkingToItem);

    // The scene buttons take the hero out of the scene: the order in flight is dropped and he stops.
    placeHero(record(), 5, 5);
    click(90, 150);
    ASSERT_TRUE(play().walkingToItem);
    nextScene(*engine);
    previousScene(*engine);
    EXPECT_FALSE(play().walkingToItem);
    ticks(30);
    EXPECT_EQ(herb.state, 1);
    EXPECT_LT(record().heroRow, 8);

    // A page change is not a way out of the scene: the order goes on and the herb is taken.
    placeHero(record(), 5, 5);
    click(90, 150);
    ASSERT_TRUE(play().walkingToItem);
    selectPage(*engine, EditorPage::Hero);
    EXPECT_TRUE(play().walkingToItem);
    selectPage(*engine, EditorPage::PlotEditor);
    ticks(30);
    EXPECT_EQ(herb.state, 2);
}

} // namespace
} // namespace tw::test
