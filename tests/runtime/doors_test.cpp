#include "runtime/bag.h"
#include "runtime/playfixture.h"

namespace tw::test {
namespace {

// A closed door on cell (10, 5) of scene 1 with key item 3 and comic 2; its key zone is (300, 50)-(400, 150).
class Doors : public PlayFixture {
protected:
    void prepare(ProjectRecord& record) override {
        Door& door = record.scene(1).door(1);
        door = Door{1, 3, 2, 1, 2, 10, 5, 0, 300, 50, 400, 150, 300, 40};
        record.pass(1, 10, 5) = kBlockedCell;
        record.item(3).state = 2;
        record.heldItem = 3;
        record.holdingItem = 1;
    }
    void addComic() { world.files.files[kFakeRoot.comic(2)] = world.files.files[kFakeRoot.data("ten")]; }
    const Door& door() { return record().scene(1).door(1); }
};

TEST_F(Doors, KeyOpensTheDoorOnArrivalAndTheComicRuns) {
    addComic();
    click(350, 100);
    EXPECT_TRUE(play().walkingToDoor);
    EXPECT_FALSE(play().heroFree);
    EXPECT_EQ(record().pass(1, 10, 5), 1); // the door's cell is the wave's target
    // Keys are kept: back into the bag.
    EXPECT_FALSE(isHoldingItem(record()));
    EXPECT_EQ(countInBag(3), 1);
    EXPECT_EQ(engine->canvasCursor(), int(cursorClock));
    ticks(40); // 4 cells at 10 px a tick: arrives next to the door
    EXPECT_EQ(door().state, 2);
    EXPECT_EQ(door().keyItem, 0);
    EXPECT_FALSE(play().walkingToDoor);
    EXPECT_FALSE(play().comicOn); // 30 ticks of comic are over by now
    EXPECT_TRUE(play().heroFree);
    EXPECT_TRUE(world.audio.log.contains(effect("even.wav")));
}

TEST_F(Doors, ComicCoversTheGameForThirtyTicks) {
    addComic();
    placeHero(record(), 9, 5); // already next to the door
    click(350, 100);
    EXPECT_EQ(door().state, 2);
    EXPECT_TRUE(play().comicOn);
    EXPECT_EQ(engine->canvas().pixel(2, 2), qRgb(0, 0, 0));
    ticks(28);
    EXPECT_TRUE(play().comicOn);
    ticks(1);
    EXPECT_FALSE(play().comicOn);
}

TEST_F(Doors, MissingComicIsReportedOnceAndTheGameGoesOn) {
    placeHero(record(), 9, 5);
    click(350, 100);
    EXPECT_EQ(door().state, 2);
    EXPECT_FALSE(play().comicOn);
    EXPECT_TRUE(play().heroFree);
    ticks(5);
    ASSERT_EQ(world.messages.errors.size(), 1);
    EXPECT_TRUE(world.messages.errors[0].contains(QString::fromStdString(kFakeRoot.comic(2))));
}

TEST_F(Doors, KeyUsedThenRightClickLeavesTheDoorClosedButItsCellWalkable) {
    click(350, 100);
    engine->mouseDown(MouseButton::Right, 600, 600);
    engine->mouseUp();
    EXPECT_TRUE(play().heroFree);
    EXPECT_FALSE(play().walkingToDoor);
    ticks(40);
    EXPECT_EQ(door().state, 1);
    EXPECT_LT(record().pass(1, 10, 5), kBlockedCell);
}

TEST_F(Doors, WrongKeyOrNoKeyDoesNothing) {
    record().heldItem = 4;
    record().item(4).state = 2;
    record().item(3).state = 0;
    click(350, 100);
    EXPECT_FALSE(play().walkingToDoor);
    record().holdingItem = 0;
    record().heldItem = 3;
    click(350, 100);
    EXPECT_FALSE(play().walkingToDoor);
    EXPECT_EQ(record().pass(1, 10, 5), kBlockedCell);
}

TEST_F(Doors, FullSlotEighteenKeepsTheKeyOnTheCursor) {
    record().bagSlot(18) = 9;
    record().item(9).state = 2;
    click(350, 100);
    EXPECT_TRUE(play().walkingToDoor);
    EXPECT_TRUE(isHoldingItem(record()));
    EXPECT_EQ(record().heldItem, 3);
    EXPECT_EQ(countInBag(3), 0);
}

TEST_F(Doors, RemovedDoorDoesNotReactToItsKey) {
    record().scene(1).door(1).state = 0;
    click(350, 100);
    EXPECT_FALSE(play().walkingToDoor);
    EXPECT_EQ(door().state, 0);
}

TEST_F(Doors, DoorCellOutsideTheGridIsHarmless) {
    record().scene(1).door(1).approachCol = 200;
    record().scene(1).door(1).approachRow = 0;
    click(350, 100);
    ticks(10);
    EXPECT_TRUE(play().walkingToDoor); // it can never be reached, and nothing breaks
}

} // namespace
} // namespace tw::test
