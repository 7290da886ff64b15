#include "editor/doors.h"
#include "editor/editorstate.h"
#include "editor/items.h"
#include "project/erase.h"
#include "project/projectrecord.h"

#include <gtest/gtest.h>

#include <random>

namespace tw::test {
namespace {

QByteArray copyOf(const ProjectRecord& record) {
    return QByteArray(reinterpret_cast<const char*>(record.bytes()), qsizetype(kProjectRecordSize));
}

class ItemsAndDoors : public ::testing::Test {
protected:
    std::unique_ptr<ProjectRecord> owned = ProjectRecord::createBlank();
    ProjectRecord& record = *owned;
    const Item& item(int n) { return record.item(n); }
    const Door& door(int k) { return record.scene(3).door(k); }
};

TEST_F(ItemsAndDoors, AnItemIsInOnePlaceAndRemovingTakesItOutOfEveryPlace) {
    placeItem(record, 5, 3, 12, 20);
    EXPECT_EQ(item(5).state, 1);
    EXPECT_EQ(item(5).col0, 11);
    EXPECT_EQ(item(5).row0, 19);
    EXPECT_EQ(item(5).scene, 3);

    // In the last bag slot and on the cursor: laying it elsewhere or "Убрать" empties both.
    for (const bool lay : {true, false}) {
        record.item(5).state = 2;
        record.bagSlot(kBagSlots) = 5;
        record.bagSlot(2) = 7;
        record.heldItem = 5;
        record.holdingItem = 1;
        if (lay) placeItem(record, 5, 4, 2, 2);
        else removeItem(record, 5);
        EXPECT_EQ(record.bagSlot(kBagSlots), 0) << lay;
        EXPECT_EQ(record.bagSlot(2), 7) << lay;
        EXPECT_EQ(record.heldItem, 0) << lay;
        EXPECT_EQ(record.holdingItem, 0) << lay;
        EXPECT_EQ(item(5).state, lay ? 1 : 0) << lay;
    }
    // The last cell and scene stay stored.
    EXPECT_EQ(item(5).scene, 4);
    EXPECT_EQ(item(5).col0, 1);
}

TEST_F(ItemsAndDoors, CombinationsAreSymmetricAndResavingDropsTheOldPartner) {
    EXPECT_TRUE(saveCombination(record, 4, 9, 12).isEmpty());
    EXPECT_EQ(item(4).partner, 9);
    EXPECT_EQ(item(4).product, 12);
    EXPECT_EQ(item(9).partner, 4);
    EXPECT_EQ(item(9).product, 12);
    EXPECT_EQ(item(12).isComposite, 1);

    EXPECT_TRUE(saveCombination(record, 4, 7, 13).isEmpty());
    EXPECT_EQ(item(9).partner, 0);
    EXPECT_EQ(item(9).product, 0);
    EXPECT_EQ(item(7).partner, 4);
    EXPECT_EQ(item(13).isComposite, 1);
    EXPECT_EQ(item(12).isComposite, 0); // nothing yields 12 any more

    // Refused: self-combination and a product that is one of its parts; nothing changes.
    const QByteArray before = copyOf(record);
    EXPECT_FALSE(saveCombination(record, 4, 4, 20).isEmpty());
    EXPECT_FALSE(saveCombination(record, 4, 7, 7).isEmpty());
    EXPECT_FALSE(saveCombination(record, 4, 7, 4).isEmpty());
    EXPECT_FALSE(saveCombination(record, 4, 101, 5).isEmpty());
    EXPECT_EQ(copyOf(record), before);
}

TEST_F(ItemsAndDoors, ErasingClearsTheStoredProductOnlyWhenNothingElseYieldsIt) {
    saveCombination(record, 1, 2, 30);
    saveCombination(record, 3, 4, 30);
    EXPECT_EQ(eraseCombination(record, 1, 30), 2);
    EXPECT_EQ(item(1).partner, 0);
    EXPECT_EQ(item(2).partner, 0);
    EXPECT_EQ(item(30).isComposite, 1); // 3 + 4 still yields it
    EXPECT_EQ(eraseCombination(record, 4, 30), 3);
    EXPECT_EQ(item(30).isComposite, 0);
    // An item without partner: its own two fields and the product shown, when nothing yields it; an
    // unrelated composite item stays composite, and so does a shown product another combination yields.
    record.item(50).isComposite = 1;
    record.item(51).isComposite = 1;
    record.item(6).product = 49;
    saveCombination(record, 7, 8, 52);
    EXPECT_EQ(eraseCombination(record, 6, 52), 0);
    EXPECT_EQ(item(52).isComposite, 1);
    EXPECT_EQ(eraseCombination(record, 6, 51), 0);
    EXPECT_EQ(item(6).product, 0);
    EXPECT_EQ(item(51).isComposite, 0);
    EXPECT_EQ(item(50).isComposite, 1);
}

// Whatever the author saves and erases, every link is mutual and an item is composite exactly when some
// combination yields it (starting from a record with no composite items).
TEST_F(ItemsAndDoors, RandomSavesAndErasesKeepLinksMutualAndCompositesTrue) {
    std::mt19937 random(11);
    std::uniform_int_distribution<int> pick(1, 12);
    for (int step = 0; step < 3000; ++step) {
        const int n = pick(random);
        if (random() % 3 == 0) eraseCombination(record, n, pick(random));
        else saveCombination(record, n, pick(random), pick(random));
        for (int k = 1; k <= 12; ++k) {
            const Item& it = item(k);
            if (it.partner != 0) {
                ASSERT_EQ(item(it.partner).partner, k) << step;
                ASSERT_EQ(item(it.partner).product, it.product) << step;
                ASSERT_NE(it.product, 0) << step;
            } else {
                ASSERT_EQ(it.product, 0) << step;
            }
            ASSERT_EQ(it.isComposite == 1, isYieldedByCombination(record, k)) << step << " item " << k;
        }
    }
}

TEST_F(ItemsAndDoors, ApproachCellsAreBlockedAndFreedUnlessAnotherClosedDoorStandsThere) {
    const DoorPicks picks{3, 4, 5, 6};
    placeDoor(record, 3, 1, 300, 40, picks);
    placeDoor(record, 3, 2, 500, 40, picks);
    EXPECT_EQ(door(1).state, 1);
    EXPECT_EQ(door(1).closedPicture, 3);
    EXPECT_EQ(door(1).comic, 6);
    EXPECT_EQ(door(2).pictureX, 500);

    setDoorApproach(record, 3, 1, 10, 5);
    EXPECT_EQ(record.pass(3, 10, 5), kBlockedCell);
    setDoorApproach(record, 3, 1, 11, 5); // moved: the old cell opens
    EXPECT_EQ(record.pass(3, 10, 5), 0);
    EXPECT_EQ(record.pass(3, 11, 5), kBlockedCell);
    setDoorApproach(record, 3, 1, 11, 5); // set again on the same cell: stays blocked
    EXPECT_EQ(record.pass(3, 11, 5), kBlockedCell);

    // Door 2 shares the cell: moving or removing door 1 keeps it blocked, removing door 2 frees it.
    setDoorApproach(record, 3, 2, 11, 5);
    setDoorApproach(record, 3, 1, 12, 5);
    EXPECT_EQ(record.pass(3, 11, 5), kBlockedCell);
    setDoorApproach(record, 3, 1, 11, 5);
    removeDoor(record, 3, 1);
    EXPECT_EQ(record.pass(3, 11, 5), kBlockedCell);
    EXPECT_EQ(door(1).state, 0);
    EXPECT_EQ(door(1).keyItem, 5); // the rest stays stored
    removeDoor(record, 3, 2);
    EXPECT_EQ(record.pass(3, 11, 5), 0);
    // A cell outside the grid is neither blocked nor freed, and nothing else of the scene changes.
    record.pass(3, 1, 1) = kBlockedCell;
    setDoorApproach(record, 3, 3, 0, 0);
    setDoorApproach(record, 3, 3, 52, 36);
    removeDoor(record, 3, 3);
    EXPECT_EQ(record.pass(3, 1, 1), kBlockedCell);
}

// Only a cell a closed door blocked itself is ever given back: the stored cell of an erased, removed,
// never placed or opened door, or of one placed and not given its cell yet, keeps what the author painted.
TEST_F(ItemsAndDoors, ADoorGivesBackOnlyTheCellItBlockedItself) {
    const DoorPicks picks{3, 4, 5, 6};
    const auto wall = [this] {
        for (int c = 1; c <= 3; ++c) record.pass(3, c, 1) = kBlockedCell;
    };
    // After the plot is erased every door stores cell (1, 1).
    erasePlot(*owned);
    wall();
    setDoorApproach(record, 3, 1, 5, 5); // door 1 never placed
    EXPECT_EQ(record.pass(3, 1, 1), kBlockedCell);
    removeDoor(record, 3, 1);
    placeDoor(record, 3, 2, 100, 100, picks); // placed, then its cell: (1, 1) was not its own
    setDoorApproach(record, 3, 2, 6, 5);
    EXPECT_EQ(record.pass(3, 1, 1), kBlockedCell);
    EXPECT_EQ(record.pass(3, 6, 5), kBlockedCell);
    // "Сохран." on a door with no cell set, then "Убрать": nothing is given back either.
    record.scene(3).door(3).approachCol = 2;
    record.scene(3).door(3).approachRow = 1;
    saveDoor(record, 3, 3, picks);
    removeDoor(record, 3, 3);
    EXPECT_EQ(record.pass(3, 2, 1), kBlockedCell);

    // Door 2 owns (6, 5): moving it gives it back; once removed, setting its cell again gives nothing.
    setDoorApproach(record, 3, 2, 2, 1);
    EXPECT_EQ(record.pass(3, 6, 5), 0);
    removeDoor(record, 3, 2);
    EXPECT_EQ(record.pass(3, 2, 1), 0);
    wall();
    setDoorApproach(record, 3, 2, 7, 5);
    EXPECT_EQ(record.pass(3, 2, 1), kBlockedCell);

    // A door opened in play gave its cell back already; the author may have painted it since.
    placeDoor(record, 3, 1, 100, 100, picks);
    setDoorApproach(record, 3, 1, 3, 1);
    record.scene(3).door(1).state = 2;
    setDoorApproach(record, 3, 1, 8, 5);
    EXPECT_EQ(record.pass(3, 3, 1), kBlockedCell);
    // Saved closed again, it has no cell of its own until one is set.
    saveDoor(record, 3, 1, picks);
    removeDoor(record, 3, 1);
    EXPECT_EQ(record.pass(3, 8, 5), kBlockedCell);
}

TEST_F(ItemsAndDoors, LoadedPicksAreBroughtIntoRange) {
    const DoorPicks blank = picksOf(Door{}, 5);
    EXPECT_EQ(blank.closedPicture, 1);
    EXPECT_EQ(blank.openPicture, 1);
    EXPECT_EQ(blank.keyItem, 1);
    EXPECT_EQ(blank.comic, 1);
    Door stored{};
    stored.closedPicture = 200;
    stored.openPicture = 7;
    stored.keyItem = 150;
    stored.comic = 9;
    const DoorPicks high = picksOf(stored, 5);
    EXPECT_EQ(high.closedPicture, kDoorPictures);
    EXPECT_EQ(high.openPicture, 7);
    EXPECT_EQ(high.keyItem, kItemCapacity);
    EXPECT_EQ(high.comic, 5);
    EXPECT_EQ(picksOf(stored, 0).comic, 1); // no comics at all: still a number a stepper can show

    EditorState editor;
    showPicks(editor, high);
    const DoorPicks shown = doorPicks(editor);
    EXPECT_EQ(shown.openPicture, 7);
    EXPECT_EQ(shown.comic, 5);
}

} // namespace
} // namespace tw::test
