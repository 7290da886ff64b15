#include "runtime/bag.h"
#include "runtime/playfixture.h"

namespace tw::test {
namespace {

// Scene 1 has a character: dialog 1 with its zone (600, 100)-(700, 200) and approach cell (5, 6), next
// to the hero's cell (5, 5); a portal on cell (8, 5) leads to scene 2.
class Talk : public PlayFixture {
protected:
    void prepare(ProjectRecord& record) override {
        Dialog& dialog = record.scene(1).dialog(1);
        dialog.kind = 1;
        dialog.approachCol = 5;
        dialog.approachRow = 6;
        dialog.zoneX1 = 600;
        dialog.zoneY1 = 100;
        dialog.zoneX2 = 700;
        dialog.zoneY2 = 200;
        dialog.textX = 100;
        dialog.textY = 300;
        dialog.giveItem = 5;
        dialog.getItem = 6;
        for (int k = 0; k < 8; ++k) dialog.lines[k].setText("строка " + std::to_string(k + 1));
        record.scene(1).randomDialog(7).lines[0].setText("случайная");
        record.scene(1).portal(1) = Portal{8, 5, 3, 3, 2};
    }
    Dialog& dialog() { return record().scene(1).dialog(1); }
};

TEST_F(Talk, TalkingDialogOpensOnArrivalAndStaysUntilTheNextClick) {
    world.random.next = {6}; // randomDialogPick 7
    click(650, 150);
    EXPECT_TRUE(play().dialogOpen); // the hero already stands next to the approach cell
    EXPECT_EQ(play().randomDialogPick, 7);
    EXPECT_EQ(dialog().progress, 1);
    ticks(3);
    EXPECT_TRUE(play().dialogOpen);
    // The first line is written at the dialog's text position, in blue then aqua.
    bool blue = false;
    for (int y = 300; y < 315 && !blue; ++y)
        for (int x = 100; x < 160 && !blue; ++x) blue = engine->canvas().pixel(x, y) == qRgb(0, 0, 255);
    EXPECT_TRUE(blue);
    engine->mouseDown(MouseButton::Left, 10, 680);
    EXPECT_FALSE(play().dialogOpen);
}

TEST_F(Talk, AClickShorterThanATickStillReachesTheCharacter) {
    engine->mouseMove(650, 150, 699);
    engine->mouseDown(MouseButton::Left, 650, 150);
    engine->mouseUp(); // released before the frame tick came
    ticks(1);
    EXPECT_TRUE(play().dialogOpen);
    EXPECT_EQ(dialog().progress, 1);
}

TEST_F(Talk, AfterLeavingTheSceneATalkingDialogShowsRandomDialogs) {
    click(650, 150);
    engine->mouseDown(MouseButton::Left, 10, 680);
    engine->mouseUp();
    placeHero(record(), 8, 5); // onto the portal
    ticks(1);
    EXPECT_EQ(engine->screen().currentScene, 2);
    EXPECT_EQ(dialog().kind, 3);
    EXPECT_EQ(dialog().progress, 2);
    EXPECT_TRUE(world.audio.log.contains(effect("hod.wav")));
    EXPECT_EQ(record().heroX, 60);
    EXPECT_EQ(record().heroY, 60);
}

TEST_F(Talk, GivingDialogGivesOnceAndWaitsForSlotEighteen) {
    dialog().kind = 2;
    record().bagSlot(18) = 9;
    record().item(9).state = 2;
    click(650, 150);
    EXPECT_EQ(dialog().progress, 0); // slot 18 taken: the text, but no gift yet
    EXPECT_EQ(record().item(6).state, 0);
    openPanel(); // item 9 slides left; the open dialog gives on the next tick
    ticks(1);
    EXPECT_EQ(dialog().progress, 1);
    EXPECT_EQ(record().item(6).state, 2);
    EXPECT_EQ(countInBag(6), 1);
}

TEST_F(Talk, ExchangeTakesTheHeldItemAndGivesAnother) {
    dialog().kind = 3;
    record().heldItem = 5;
    record().holdingItem = 1;
    record().item(5).state = 2;
    click(650, 150);
    EXPECT_EQ(dialog().progress, 1);
    EXPECT_FALSE(isHoldingItem(record()));
    EXPECT_EQ(countInBag(5), 0);
    EXPECT_EQ(countInBag(6), 1);
    EXPECT_EQ(record().item(6).state, 2);
}

TEST_F(Talk, ExchangeWithTheWrongItemOnlyTalks) {
    dialog().kind = 3;
    record().heldItem = 4;
    record().holdingItem = 1;
    click(650, 150);
    EXPECT_EQ(dialog().progress, 0);
    EXPECT_EQ(record().heldItem, 4);
    EXPECT_TRUE(isHoldingItem(record()));
}

TEST_F(Talk, GiftAlreadyOnTheCursorIsNotCopied) {
    dialog().kind = 2;
    record().heldItem = 6;
    record().holdingItem = 1;
    record().item(6).state = 2;
    click(650, 150);
    EXPECT_EQ(countInBag(6) + (isHoldingItem(record()) && record().heldItem == 6 ? 1 : 0), 1);
}

TEST_F(Talk, ClickingACharacterFarAwaySendsTheHeroThere) {
    dialog().approachRow = 12; // straight down, away from the portal
    click(650, 150);
    EXPECT_TRUE(play().walkingToDialog);
    EXPECT_FALSE(play().heroFree);
    EXPECT_EQ(engine->canvasCursor(), int(cursorClock));
    ticks(60);
    EXPECT_FALSE(play().walkingToDialog);
    EXPECT_TRUE(play().dialogOpen);
    EXPECT_GE(record().heroRow, 11);
}

TEST_F(Talk, HeroRemarkIsSaidOnceFollowingTheHero) {
    HeroRemark& remark = record().heroRemark(4);
    remark.state = 1;
    remark.scene = 1;
    remark.col = 5;
    remark.row = 5;
    remark.text.setText("Ой!");
    ticks(1);
    EXPECT_EQ(remark.state, 2);
    EXPECT_EQ(play().remarkNumber, 4);
    EXPECT_EQ(play().remarkTicks, 89);
    ticks(89);
    EXPECT_EQ(play().remarkTicks, 0);
    ticks(5);
    EXPECT_EQ(play().remarkTicks, 0); // said once
}

TEST_F(Talk, CrowdRemarkPicksARandomTextWhenItsCountdownRunsOut) {
    CrowdRemark& crowd = record().crowdRemark(2);
    crowd.scene = 1;
    crowd.x = 300;
    crowd.y = 400;
    crowd.countdown = 2;
    crowd.shownIndex = 0;
    world.random.next = {20, 9};
    ticks(1);
    EXPECT_EQ(crowd.countdown, 1);
    ticks(1);
    EXPECT_EQ(crowd.countdown, 120);
    EXPECT_EQ(crowd.shownIndex, 10);
    crowd.countdown = std::numeric_limits<std::int32_t>::min(); // a damaged countdown restarts, no overflow
    world.random.next = {0, 0};
    ticks(1);
    EXPECT_EQ(crowd.countdown, 100);
}

TEST_F(Talk, HintShowsOnlyWhileTheButtonIsHeldInItsZone) {
    Hint& hint = record().scene(1).hint(2);
    hint.text.setText("Старый дуб");
    hint.zoneX1 = 200;
    hint.zoneY1 = 400;
    hint.zoneX2 = 300;
    hint.zoneY2 = 500;
    hint.textX = 700;
    hint.textY = 600;
    auto textDrawn = [this] {
        for (int y = 600; y < 616; ++y)
            for (int x = 700; x < 780; ++x)
                if (engine->canvas().pixel(x, y) == qRgb(0, 0, 255) || engine->canvas().pixel(x, y) == qRgb(0, 255, 255))
                    return true;
        return false;
    };
    engine->mouseMove(250, 450, 699);
    ticks(1);
    EXPECT_TRUE(play().hintHover);
    EXPECT_EQ(engine->canvasCursor(), int(cursorLook));
    EXPECT_FALSE(textDrawn());
    engine->mouseDown(MouseButton::Left, 250, 450);
    ticks(1);
    EXPECT_TRUE(textDrawn());
    engine->mouseUp();
    ticks(1);
    EXPECT_FALSE(textDrawn());
}

TEST_F(Talk, PortalToANonexistentSceneLeadsNowhere) {
    record().scene(1).portal(1).targetScene = 0;
    placeHero(record(), 8, 5);
    ticks(1);
    EXPECT_EQ(engine->screen().currentScene, 1);
    record().scene(1).portal(1).targetScene = 4; // above sceneCount 3
    ticks(1);
    EXPECT_EQ(engine->screen().currentScene, 1);
}

TEST_F(Talk, PortalArrivingOnAnotherPortalMayLoopButNothingBreaks) {
    record().scene(2).portal(1) = Portal{4, 4, 7, 4, 1}; // scene 1's portal arrives at (4, 4)-ish
    record().scene(1).portal(1) = Portal{8, 5, 3, 3, 2};
    placeHero(record(), 8, 5);
    ticks(50);
    EXPECT_TRUE(isSceneNumber(engine->screen().currentScene));
}

} // namespace
} // namespace tw::test
