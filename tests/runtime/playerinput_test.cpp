#include "runtime/playfixture.h"

namespace tw::test {
namespace {

class PlayerInput : public PlayFixture {};

TEST_F(PlayerInput, AClickOnAWalkableCellGivesAWalkingOrder) {
    click(20 * 9 + 5, 20 * 4 + 5); // cell (10, 5)
    EXPECT_EQ(record().pass(1, 10, 5), 1);
    EXPECT_EQ(record().pass(1, 5, 5), 6);
}

TEST_F(PlayerInput, NoWalkingOrderWhileThePanelIsShown) {
    openPanel();
    ASSERT_TRUE(play().panelShown);
    engine->mouseDown(MouseButton::Left, 300, 80);
    EXPECT_EQ(record().pass(1, 16, 5), 0);
    EXPECT_EQ(record().pass(1, 5, 5), 0);
}

TEST_F(PlayerInput, RightClickDuringAWalkToADoorFreesTheHeroButKeepsTheWalk) {
    record().scene(1).door(1) = Door{1, 3, 1, 1, 1, 15, 5, 0, 300, 50, 400, 150, 300, 40};
    record().item(3).state = 2;
    record().heldItem = 3;
    record().holdingItem = 1;
    record().bagSlot(18) = 9; // the key stays on the cursor
    click(350, 100);
    ASSERT_TRUE(play().walkingToDoor);
    ticks(3);
    const int xBefore = record().heroX;
    engine->mouseDown(MouseButton::Right, 350, 100); // a right click on the key zone again
    engine->mouseUp();
    EXPECT_TRUE(play().heroFree);
    EXPECT_FALSE(play().walkingToDoor);
    ticks(3);
    EXPECT_GT(record().heroX, xBefore); // still walking on the marks he had
}

TEST_F(PlayerInput, ALeftClickWhileWalkingToADoorDoesNotChangeHisTarget) {
    record().scene(1).door(1) = Door{1, 3, 1, 1, 1, 15, 5, 0, 300, 50, 400, 150, 300, 40};
    record().heldItem = 3;
    record().holdingItem = 1;
    record().bagSlot(18) = 9;
    click(350, 100);
    click(20 * 4 + 5, 20 * 20 + 5); // a walkable cell far below
    EXPECT_EQ(record().pass(1, 15, 5), 1); // the door cell is still the target
}

TEST_F(PlayerInput, CursorFollowsWhatLiesUnderThePointer) {
    record().pass(1, 20, 20) = kBlockedCell;
    record().pass(1, 21, 20) = 40000; // never written by the editors
    record().scene(1).portal(2) = Portal{22, 20, 1, 1, 2};
    engine->mouseMove(20 * 19 + 5, 20 * 19 + 5, 699);
    EXPECT_EQ(engine->canvasCursor(), int(cursorUnavailable));
    engine->mouseMove(20 * 20 + 5, 20 * 19 + 5, 699); // above 30000: no change
    EXPECT_EQ(engine->canvasCursor(), int(cursorUnavailable));
    engine->mouseMove(20 * 21 + 5, 20 * 19 + 5, 699);
    EXPECT_EQ(engine->canvasCursor(), int(cursorTransition));
    engine->mouseMove(20 * 23 + 5, 20 * 19 + 5, 699);
    EXPECT_EQ(engine->canvasCursor(), int(cursorNeutral));
}

TEST_F(PlayerInput, ADialogZoneGivesTheDialogCursorInEveryMode) {
    Dialog& dialog = record().scene(1).dialog(3);
    dialog.zoneX1 = 100;
    dialog.zoneY1 = 100;
    dialog.zoneX2 = 200;
    dialog.zoneY2 = 200;
    for (EditorPage page : {EditorPage::PlotEditor, EditorPage::GameMenu, EditorPage::Passability, EditorPage::Animator}) {
        selectPage(*engine, page);
        engine->mouseMove(150, 150, 699);
        EXPECT_EQ(engine->canvasCursor(), int(cursorDialog)) << int(page);
    }
    // Where the mode has cursor rules of its own, leaving the zone gives them back; the border is outside.
    for (EditorPage page : {EditorPage::PlotEditor, EditorPage::GameMenu}) {
        selectPage(*engine, page);
        engine->mouseMove(150, 150, 699);
        engine->mouseMove(100, 150, 699);
        EXPECT_EQ(engine->canvasCursor(), int(cursorNeutral)) << int(page);
    }
}

TEST_F(PlayerInput, MusicLoopsOnlyWhenAskedAndOnlyAtItsEnd) {
    world.audio.length = 1000;
    world.audio.position = 1000;
    world.audio.log.clear();
    engine->overlayTick();
    EXPECT_TRUE(world.audio.log.isEmpty()); // loop off: it plays once
    play().musicLoop = true;
    world.audio.position = 999;
    engine->overlayTick();
    EXPECT_TRUE(world.audio.log.isEmpty());
    world.audio.position = 1000;
    engine->overlayTick();
    EXPECT_EQ(world.audio.log, (QStringList{QStringLiteral("open:") + QString::fromStdString(kFakeRoot.sound("fon.mp3")),
                                            QStringLiteral("play")}));
    // A track that could not be opened (length 0) is not reopened every 10 ms.
    world.audio.log.clear();
    world.audio.length = 0;
    world.audio.position = 0;
    engine->overlayTick();
    EXPECT_TRUE(world.audio.log.isEmpty());
}

TEST_F(PlayerInput, TheTicksCursorStandsBetweenMoves) {
    record().bagSlot(1) = 4;
    record().item(4).state = 2;
    openPanel();
    engine->mouseDown(MouseButton::Left, 80, 20); // take item 4 from slot 1
    engine->mouseUp();
    engine->mouseMove(300, 300, 699);
    ticks(2);
    EXPECT_EQ(engine->canvasCursor(), int(cursorNeutral));
    // The held item is drawn at the pointer while the panel is closed.
    EXPECT_EQ(engine->canvas().pixel(310, 310), largeItemColour(4).rgb());
    openPanel();
    EXPECT_EQ(engine->canvasCursor(), int(cursorItem));
}

} // namespace
} // namespace tw::test
