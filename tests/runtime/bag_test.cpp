#include "runtime/bag.h"
#include "runtime/playfixture.h"

namespace tw::test {
namespace {

class Bag : public PlayFixture {};

TEST_F(Bag, SlotOfAClick) {
    EXPECT_EQ(bagSlotAt(0), 0);
    EXPECT_EQ(bagSlotAt(70), 0);
    EXPECT_EQ(bagSlotAt(71), 1);
    EXPECT_EQ(bagSlotAt(121), 1);
    EXPECT_EQ(bagSlotAt(122), 2);
    EXPECT_EQ(bagSlotAt(938), 18);
    EXPECT_EQ(bagSlotAt(989), 19);
}

TEST_F(Bag, PickingUpFromTheHerosOwnCell) {
    record().item(4) = Item{1, 4, 4, 1, 0, 0, 0, 0, 0}; // lies on cell (5, 5), where the hero stands
    click(4 * 20 + 5, 4 * 20 + 5);
    // Picked up in the clicked tick into slot 18; the panel drops down and the item slides left.
    EXPECT_EQ(record().item(4).state, 2);
    EXPECT_EQ(record().bagSlot(17), 4);
    EXPECT_EQ(countInBag(4), 1);
    EXPECT_TRUE(play().panelShown);
    EXPECT_EQ(play().panelTicks, 49);
    EXPECT_TRUE(world.audio.log.contains(effect("even.wav")));
}

TEST_F(Bag, TakingPuttingAndCombining) {
    record().bagSlot(1) = 4;
    record().bagSlot(2) = 9;
    record().item(4) = Item{2, 0, 0, 1, 0, 9, 12, 0, 0};
    record().item(9) = Item{2, 0, 0, 1, 0, 4, 12, 0, 0};
    record().item(12).isComposite = 1;
    openPanel();
    engine->mouseDown(MouseButton::Left, 51 + 20 + 10, 20); // take item 4
    engine->mouseUp();
    EXPECT_TRUE(isHoldingItem(record()));
    EXPECT_EQ(record().heldItem, 4);
    EXPECT_EQ(record().bagSlot(1), 0);
    engine->mouseDown(MouseButton::Left, 5 * 51 + 20 + 10, 20); // an empty slot: just moved there
    EXPECT_EQ(record().bagSlot(5), 4);
    EXPECT_FALSE(isHoldingItem(record()));
    engine->mouseDown(MouseButton::Left, 5 * 51 + 20 + 10, 20); // take it again
    engine->mouseDown(MouseButton::Left, 2 * 51 + 20 + 10, 20); // onto its partner: the product
    EXPECT_EQ(record().bagSlot(2), 12);
    EXPECT_EQ(record().item(12).state, 2);
    EXPECT_EQ(countInBag(4) + countInBag(9), 0);
    EXPECT_FALSE(isHoldingItem(record()));
}

TEST_F(Bag, NoPartnerNothingHappens) {
    record().bagSlot(1) = 4;
    record().bagSlot(2) = 9;
    record().item(4).state = 2;
    record().item(9).state = 2;
    openPanel();
    engine->mouseDown(MouseButton::Left, 81, 20);
    engine->mouseDown(MouseButton::Left, 132, 20);
    EXPECT_EQ(record().heldItem, 4);
    EXPECT_EQ(record().bagSlot(2), 9);
}

TEST_F(Bag, LayingDownWithAndWithoutThePanel) {
    record().heldItem = 7;
    record().holdingItem = 1;
    record().item(7).state = 2;
    engine->mouseDown(MouseButton::Left, 30, 30); // x 0..70, y below 60, panel closed
    EXPECT_EQ(record().item(7).state, 1);
    EXPECT_EQ(record().item(7).col0, 4);
    EXPECT_EQ(record().item(7).row0, 4);
    EXPECT_EQ(record().item(7).scene, 1);
    EXPECT_FALSE(isHoldingItem(record()));

    record().heldItem = 8;
    record().holdingItem = 1;
    openPanel();
    engine->mouseDown(MouseButton::Left, 10, 59);
    EXPECT_EQ(record().item(8).state, 1);
    record().heldItem = 9;
    record().holdingItem = 1;
    engine->mouseDown(MouseButton::Left, 10, 60); // y 60 is not below 60
    EXPECT_TRUE(isHoldingItem(record()));
}

TEST_F(Bag, TwoGiftsWaitForSlotEighteen) {
    record().item(3) = Item{1, 4, 4, 1, 0, 0, 0, 0, 0};
    record().item(6) = Item{1, 4, 4, 1, 0, 0, 0, 0, 0};
    record().bagSlot(18) = 2;
    record().item(2).state = 2;
    click(85, 85); // both lie on the hero's cell; slot 18 is taken
    ticks(3);
    EXPECT_EQ(record().item(3).state, 1);
    EXPECT_EQ(record().item(6).state, 1);
    EXPECT_TRUE(play().walkingToItem);
    // The order goes to the last item hovered; it waits until the panel lets item 2 slide left.
    EXPECT_EQ(play().targetItem, 6);
    openPanel();
    EXPECT_EQ(record().bagSlot(17), 2);
    EXPECT_EQ(record().item(6).state, 1);
    ticks(1);
    EXPECT_EQ(record().item(6).state, 2);
    EXPECT_EQ(countInBag(6), 1);
    EXPECT_EQ(countInBag(2), 1);
    EXPECT_EQ(record().item(3).state, 1);
    EXPECT_FALSE(play().walkingToItem);
}

TEST_F(Bag, UpkeepSlidesLeftAndDropsItemsThatLeftTheBag) {
    record().bagSlot(3) = 5;
    record().bagSlot(4) = 6;
    record().item(5).state = 2;
    record().item(6).state = 1; // laid down by other means
    record().bagSlot(18) = 7;
    record().item(7).state = 2;
    openPanel();
    EXPECT_EQ(record().bagSlot(2), 5);
    EXPECT_EQ(record().bagSlot(3), 0); // item 6 moved into 3 and was dropped there
    EXPECT_EQ(countInBag(6), 0);
    EXPECT_EQ(record().bagSlot(17), 7);
}

TEST_F(Bag, DamagedSlotsAndNumbersNeverCopyOrCrash) {
    record().bagSlot(1) = 0;
    record().bagSlot(2) = 250;
    record().bagSlot(3) = 250;
    record().heldItem = 200;
    record().holdingItem = 1;
    openPanel();
    engine->mouseDown(MouseButton::Left, 132, 20);
    engine->mouseDown(MouseButton::Left, 30, 30);
    ticks(3);
    EXPECT_EQ(countInBag(250), 0); // upkeep drops numbers that are no items
    EXPECT_FALSE(receiveIntoBag(record(), 0));
    EXPECT_FALSE(receiveIntoBag(record(), 101));
}

TEST_F(Bag, ReceivingTakesTheItemOutOfEveryOtherPlace) {
    record().bagSlot(5) = 11;
    record().heldItem = 11;
    record().holdingItem = 1;
    ASSERT_TRUE(receiveIntoBag(record(), 11));
    EXPECT_EQ(countInBag(11), 1);
    EXPECT_EQ(record().bagSlot(18), 11);
    EXPECT_FALSE(isHoldingItem(record()));
    record().bagSlot(18) = 12;
    EXPECT_FALSE(receiveIntoBag(record(), 13)); // slot 18 taken: nothing changes
    EXPECT_EQ(record().bagSlot(18), 12);
}

} // namespace
} // namespace tw::test
