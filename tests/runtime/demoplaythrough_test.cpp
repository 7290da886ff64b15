// The bundled demo played from its first screen to its last door with nothing but the pointer and the
// frame tick, as a player would: every walk, every item taken, given and combined, every dialog and both
// doors come from mouse moves and clicks. At each step of the story the record must say what the player
// sees: what is in the bag, where the items are, which doors are open, how far each character's talk has
// gone, which remarks were said and in which scene the hero stands.
#include "editor/canvasediting.h"
#include "editor/editorshell.h"
#include "make-demo/demostory.h"
#include "make-demo/demotree.h"
#include "make-demo/itempictures.h"
#include "platform/filesystem.h"
#include "runtime/engine.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTemporaryDir>

#include <functional>

namespace tw::test {
namespace {

using demo::kItemAmulet;
using demo::kItemCoin;
using demo::kItemGem;
using demo::kItemKey;
using demo::kItemRope;

class DemoPlaythrough : public ::testing::Test {
protected:
    QTemporaryDir dir;
    DiskFileSystem disk;
    FakeMessages messages;
    FakeAudio audio;
    FakeCursors cursors;
    FakeFileDialogs dialogs;
    SeededRandom random{2024};
    std::unique_ptr<Engine> engine;
    std::unique_ptr<CanvasEditing> editing;

    void SetUp() override {
        QString error;
        ASSERT_EQ(demo::writeDemoTree({dir.path(), QCoreApplication::applicationFilePath()}, &error),
                  demo::DemoResult::Written)
            << error.toStdString();
        engine = std::make_unique<Engine>(AssetPaths(dir.path().toStdString()), Services{disk, messages, audio, cursors, random, dialogs});
        editing = std::make_unique<CanvasEditing>(*engine);
        ASSERT_TRUE(engine->startUp());
        selectPage(*engine, EditorPage::PlotEditor);
    }

    const ProjectRecord& record() const { return engine->record(); }
    const PlayState& play() const { return engine->play(); }
    int scene() const { return engine->screen().currentScene; }
    QPoint heroCell() const { return QPoint(record().heroCol, record().heroRow); }
    const Dialog& dialog(int s, int d) const { return record().scene(s).dialog(d); }
    const Door& door(int s, int d) const { return record().scene(s).door(d); }

    // The pointer moves to (x, y) and a tick passes, as it does while a player moves the mouse.
    void moveTo(int x, int y) {
        engine->mouseMove(x, y, 699);
        engine->frameTick();
    }
    // A click: the pointer arrives, the button goes down, a tick sees it held, the button comes up.
    void clickAt(int x, int y) {
        engine->mouseMove(x, y, 699);
        engine->mouseDown(MouseButton::Left, x, y);
        engine->frameTick();
        engine->mouseUp();
    }
    void clickAt(QPoint p) { clickAt(p.x(), p.y()); }
    static QPoint cellCentre(int c, int r) { return QPoint(20 * (c - 1) + 10, 20 * (r - 1) + 10); }
    static QPoint zoneCentre(int x1, int y1, int x2, int y2) { return QPoint((x1 + x2) / 2, (y1 + y2) / 2); }

    // Ticks until `done` holds, at most `limit` ticks; false when it never did.
    bool tickUntil(const std::function<bool()>& done, int limit = 1500) {
        for (int i = 0; i < limit; ++i) {
            if (done()) return true;
            engine->frameTick();
        }
        return done();
    }
    void ticks(int n) {
        for (int i = 0; i < n; ++i) engine->frameTick();
    }

    // Clicks a walkable cell and waits until the hero stands in it.
    ::testing::AssertionResult walkTo(int c, int r) {
        clickAt(cellCentre(c, r));
        if (tickUntil([&] { return heroCell() == QPoint(c, r); })) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "the hero did not reach (" << c << ", " << r << "); he stands in ("
                                             << heroCell().x() << ", " << heroCell().y() << ")";
    }
    // Clicks a portal cell and waits until the hero is in the scene it leads to.
    ::testing::AssertionResult walkThroughPortal(int k) {
        const Portal portal = record().scene(scene()).portal(k);
        clickAt(cellCentre(portal.col, portal.row));
        if (tickUntil([&] { return scene() == portal.targetScene; })) {
            ticks(1); // the next walking step takes his new cell
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure() << "portal " << k << " did not take the hero to scene "
                                             << portal.targetScene;
    }
    // Clicks the character of dialog d and waits until its text is shown.
    ::testing::AssertionResult talkTo(int d) {
        const Dialog& dl = dialog(scene(), d);
        clickAt(zoneCentre(dl.zoneX1, dl.zoneY1, dl.zoneX2, dl.zoneY2));
        if (tickUntil([&] { return play().dialogOpen; })) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "dialog " << d << " of scene " << scene() << " never opened";
    }
    // Clicks an item lying in the current scene and waits until it is in the bag.
    ::testing::AssertionResult pickUp(int n) {
        const Item& item = record().item(n);
        clickAt(20 * item.col0 + 10, 20 * item.row0 + 10);
        if (tickUntil([&] { return record().item(n).state == 2; })) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "item " << n << " was not picked up";
    }

    // The item panel drops down when the pointer touches the top edge.
    void openBag() {
        moveTo(500, 2);
        ASSERT_TRUE(play().panelShown);
    }
    // Moving the pointer down into the scene puts the panel away at the next tick.
    void closeBag(int x = 500, int y = 300) {
        moveTo(x, y);
        ASSERT_FALSE(play().panelShown);
    }
    int slotOf(int n) const {
        for (int k = 1; k <= kBagSlots; ++k)
            if (record().bagSlot(k) == n) return k;
        return 0;
    }
    static QPoint slotCentre(int k) { return QPoint(51 * k + 45, 30); }
    // With the panel shown: takes item n out of its slot onto the cursor.
    void takeFromBag(int n) {
        const int k = slotOf(n);
        ASSERT_NE(k, 0) << "item " << n << " is not in the bag";
        clickAt(slotCentre(k));
        ASSERT_EQ(record().heldItem, n);
        ASSERT_EQ(record().holdingItem, 1);
        ASSERT_EQ(slotOf(n), 0);
    }
    // Waits until whatever the game handed over has slid out of slot 18, so the next gift has room.
    void waitForSlot18() {
        ASSERT_TRUE(tickUntil([&] { return record().bagSlot(kBagSlots) == 0; }, 200));
    }

    // Every item number at most once among the bag slots and the cursor.
    ::testing::AssertionResult eachItemOnce() const {
        int seen[256] = {};
        for (int k = 1; k <= kBagSlots; ++k)
            if (record().bagSlot(k) != 0) ++seen[record().bagSlot(k)];
        if (record().holdingItem != 0 && record().heldItem != 0) ++seen[record().heldItem];
        for (int n = 1; n < 256; ++n)
            if (seen[n] > 1)
                return ::testing::AssertionFailure() << "item " << n << " is there " << seen[n] << " times";
        return ::testing::AssertionSuccess();
    }
    bool inBag(int n) const { return slotOf(n) != 0 && record().item(n).state == 2; }
    bool comicShown(int n) const { return play().comicOn && play().comicNumber == n; }

    // Uses the item `key` from the bag on door d of the current scene and waits until the door has opened
    // and its comic has run out.
    void openDoorWith(int key, int d, int comic) {
        const Door& dr = door(scene(), d);
        const QPoint zone = zoneCentre(dr.keyZoneX1, dr.keyZoneY1, dr.keyZoneX2, dr.keyZoneY2);
        waitForSlot18();
        openBag();
        takeFromBag(key);
        closeBag(zone.x(), zone.y());
        clickAt(zone);
        EXPECT_TRUE(play().walkingToDoor || dr.state == 2);
        // The key goes back into the bag at once: keys are kept.
        EXPECT_EQ(record().heldItem, 0);
        EXPECT_TRUE(inBag(key));
        EXPECT_LT(record().passOrBlocked(scene(), dr.approachCol, dr.approachRow), kBlockedCell);
        ASSERT_TRUE(tickUntil([&] { return dr.state == 2; }));
        EXPECT_EQ(dr.keyItem, 0);
        EXPECT_TRUE(comicShown(comic));
        EXPECT_FALSE(play().heroFree);
        ASSERT_TRUE(tickUntil([&] { return !play().comicOn; }, 40));
        EXPECT_TRUE(play().heroFree);
        EXPECT_TRUE(inBag(key));
    }
};

TEST_F(DemoPlaythrough, TheQuestIsWonWithThePointerAlone) {
    using namespace demo;
    ASSERT_EQ(scene(), 1);
    EXPECT_EQ(record().bagSlot(1), 0);

    // The first tick: the hero stands on the road and says his first remark.
    ticks(1);
    EXPECT_EQ(record().heroRemark(1).state, 2);
    EXPECT_GT(play().remarkTicks, 0);

    // The hermit by the campfire tells of the treasure and of the lost key.
    ASSERT_TRUE(talkTo(kHermitDialog));
    EXPECT_EQ(dialog(1, kHermitDialog).progress, 1);
    EXPECT_EQ(dialog(1, kHermitDialog).kind, 1);
    EXPECT_LE(std::abs(heroCell().x() - dialog(1, kHermitDialog).approachCol), 1);
    EXPECT_LE(std::abs(heroCell().y() - dialog(1, kHermitDialog).approachRow), 1);

    // The key lies at the far end of the footpath; stepping on it the hero remarks on it.
    ASSERT_EQ(record().item(kItemKey).state, 1);
    ASSERT_TRUE(pickUp(kItemKey));
    EXPECT_TRUE(inBag(kItemKey));
    EXPECT_EQ(record().heroRemark(2).state, 2);
    EXPECT_TRUE(eachItemOnce());

    // East along the road to the village. Leaving the forest moves the hermit on to random talk.
    ASSERT_TRUE(walkThroughPortal(1));
    ASSERT_EQ(scene(), 2);
    EXPECT_EQ(heroCell(), QPoint(3, 27));
    EXPECT_EQ(dialog(1, kHermitDialog).kind, 3);
    EXPECT_EQ(dialog(1, kHermitDialog).progress, 2);
    EXPECT_EQ(record().heroRemark(3).state, 2);
    EXPECT_TRUE(audio.log.contains(QStringLiteral("effect:") + QString::fromStdString(engine->paths().sound("hod.wav"))));
    // The voices from the houses have picked their first texts.
    for (int k : {1, 2}) {
        EXPECT_GE(record().crowdRemark(k).countdown, 90) << k;
        EXPECT_GE(record().crowdRemark(k).shownIndex, 1) << k;
        EXPECT_LE(record().crowdRemark(k).shownIndex, 50) << k;
    }
    EXPECT_TRUE(inBag(kItemKey));

    // The herb woman gives a coin.
    waitForSlot18();
    ASSERT_TRUE(talkTo(kHerbalistDialog));
    EXPECT_EQ(dialog(2, kHerbalistDialog).progress, 1);
    EXPECT_TRUE(inBag(kItemCoin));

    // The merchant wants the coin for the gem; asked with an empty hand he only says so.
    waitForSlot18();
    ASSERT_TRUE(talkTo(kMerchantDialog));
    EXPECT_EQ(dialog(2, kMerchantDialog).progress, 0);
    EXPECT_TRUE(inBag(kItemCoin));
    EXPECT_EQ(record().item(kItemGem).state, 0);
    // With the coin in his hand he trades.
    openBag();
    takeFromBag(kItemCoin);
    const Dialog& merchant = dialog(2, kMerchantDialog);
    const QPoint merchantAt = zoneCentre(merchant.zoneX1, merchant.zoneY1, merchant.zoneX2, merchant.zoneY2);
    closeBag(merchantAt.x(), merchantAt.y());
    ASSERT_TRUE(talkTo(kMerchantDialog));
    EXPECT_EQ(merchant.progress, 1);
    EXPECT_EQ(record().item(kItemCoin).state, 0);
    EXPECT_EQ(slotOf(kItemCoin), 0);
    EXPECT_EQ(record().heldItem, 0);
    EXPECT_TRUE(inBag(kItemGem));
    EXPECT_TRUE(eachItemOnce());

    // The key opens the castle gate in the alley; its comic shows the way to the castle.
    ASSERT_EQ(door(2, kGateDoor).state, 1);
    openDoorWith(kItemKey, kGateDoor, kGateComic);
    EXPECT_TRUE(inBag(kItemGem));
    EXPECT_TRUE(eachItemOnce());

    // Through the gate into the castle hall. The herb woman has given her gift and moves on; the merchant,
    // who traded, keeps his thanks.
    ASSERT_TRUE(walkThroughPortal(2));
    ASSERT_EQ(scene(), 3);
    EXPECT_EQ(record().heroRemark(4).state, 2);
    EXPECT_EQ(dialog(2, kHerbalistDialog).kind, 3);
    EXPECT_EQ(dialog(2, kHerbalistDialog).progress, 2);
    EXPECT_EQ(dialog(2, kMerchantDialog).kind, 3);
    EXPECT_EQ(dialog(2, kMerchantDialog).progress, 1);

    // The guard tells what opens the treasury; the rope lies before the hearth.
    ASSERT_TRUE(talkTo(kGuardDialog));
    EXPECT_EQ(dialog(3, kGuardDialog).progress, 1);
    waitForSlot18();
    ASSERT_TRUE(pickUp(kItemRope));
    EXPECT_TRUE(eachItemOnce());

    // Rope and gem make the amulet, in the gem's slot; neither part is anywhere in the bag afterwards.
    waitForSlot18();
    openBag();
    takeFromBag(kItemRope);
    const int gemSlot = slotOf(kItemGem);
    ASSERT_NE(gemSlot, 0);
    clickAt(slotCentre(gemSlot));
    EXPECT_EQ(record().bagSlot(gemSlot), kItemAmulet);
    EXPECT_EQ(record().item(kItemAmulet).state, 2);
    EXPECT_EQ(record().item(kItemAmulet).isComposite, 1);
    EXPECT_EQ(slotOf(kItemRope), 0);
    EXPECT_EQ(slotOf(kItemGem), 0);
    EXPECT_EQ(record().heldItem, 0);
    EXPECT_TRUE(eachItemOnce());
    closeBag();

    // The amulet opens the treasury: the treasure comic ends the quest.
    ASSERT_EQ(door(3, kTreasuryDoor).state, 1);
    openDoorWith(kItemAmulet, kTreasuryDoor, kTreasuryComic);
    EXPECT_TRUE(inBag(kItemKey));
    EXPECT_TRUE(eachItemOnce());
    EXPECT_TRUE(messages.errors.isEmpty()) << messages.errors.join(QLatin1Char('\n')).toStdString();

    // Back in the village by the side door, the herb woman answers with one of the street's random talks.
    ASSERT_TRUE(walkThroughPortal(1));
    ASSERT_EQ(scene(), 2);
    EXPECT_EQ(dialog(3, kGuardDialog).kind, 3);
    EXPECT_EQ(dialog(3, kGuardDialog).progress, 2);
    ASSERT_TRUE(talkTo(kHerbalistDialog));
    EXPECT_GE(play().randomDialogPick, 1);
    EXPECT_LE(play().randomDialogPick, 49);
    EXPECT_FALSE(record().scene(2).randomDialog(play().randomDialogPick).lines[0].text().empty());
    EXPECT_EQ(dialog(2, kHerbalistDialog).progress, 2);
}

// A player who walks to the gate before he has the key finds it shut: clicking its zone with an empty hand
// sends the hero nowhere through it, and the passage behind stays out of reach.
TEST_F(DemoPlaythrough, TheGateStaysShutWithoutTheKey) {
    ASSERT_TRUE(walkThroughPortal(1));
    ASSERT_EQ(scene(), 2);
    const Door& gate = door(2, demo::kGateDoor);
    clickAt(zoneCentre(gate.keyZoneX1, gate.keyZoneY1, gate.keyZoneX2, gate.keyZoneY2));
    ticks(200);
    EXPECT_EQ(gate.state, 1);
    EXPECT_EQ(record().passOrBlocked(2, gate.approachCol, gate.approachRow), kBlockedCell);
    const Portal& passage = record().scene(2).portal(2);
    clickAt(cellCentre(passage.col, passage.row));
    ticks(300);
    EXPECT_EQ(scene(), 2);
    EXPECT_NE(heroCell(), QPoint(passage.col, passage.row));
}

} // namespace
} // namespace tw::test
