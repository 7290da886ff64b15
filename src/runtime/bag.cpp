#include "runtime/bag.h"

#include "canvas/blit.h"
#include "canvas/cutting.h"
#include "runtime/engine.h"
#include "runtime/playrules.h"

namespace tw {

bool isHoldingItem(const ProjectRecord& record) {
    return record.holdingItem != 0 && isItemNumber(record.heldItem);
}

bool receiveIntoBag(ProjectRecord& record, int n) {
    if (!isItemNumber(n)) return false;
    if (!bagTakes(record.bagSlot(kBagSlots), n)) return false;
    for (int k = 1; k < kBagSlots; ++k) {
        if (record.bagSlot(k) == n) record.bagSlot(k) = 0;
    }
    if (record.holdingItem != 0 && record.heldItem == n) {
        record.heldItem = 0;
        record.holdingItem = 0;
    }
    record.item(n).state = 2;
    record.bagSlot(kBagSlots) = std::uint8_t(n);
    return true;
}

int bagSlotAt(int x) { return (x - 20) / 51; } // division rounding toward zero: x 0..70 gives 0

namespace {

void dropHeld(ProjectRecord& record) {
    record.heldItem = 0;
    record.holdingItem = 0;
}

} // namespace

void bagClick(Engine& engine, int x, int y) {
    ProjectRecord& record = engine.record();
    PlayState& play = engine.play();
    const int slot = bagSlotAt(x);
    if (slot >= 1 && slot <= kBagSlots) {
        if (!play.panelShown) return;
        std::uint8_t& content = record.bagSlot(slot);
        if (!isHoldingItem(record)) {
            // Take the item out of the slot onto the cursor.
            if (content == 0) return;
            if (!isItemNumber(content)) {
                content = 0; // a damaged slot: nothing to take
                return;
            }
            record.holdingItem = 1;
            record.heldItem = content;
            content = 0;
            cutCell(engine.pictures().largeItemStrip, 50, 50, record.heldItem, engine.pictures().handPicture);
            return;
        }
        const int held = record.heldItem;
        if (content == 0) {
            content = std::uint8_t(held);
            dropHeld(record);
            return;
        }
        const int s = content;
        if (isItemNumber(s) && record.item(s).partner == held && held != 0) {
            // A combination without a product cannot be made.
            const int product = combinationProduct(record, s, held);
            if (product == 0) return;
            engine.playEffect("even.wav");
            // The product is one object: take it out of any other slot first.
            for (int k = 1; k <= kBagSlots; ++k) {
                if (k != slot && record.bagSlot(k) == product) record.bagSlot(k) = 0;
            }
            content = std::uint8_t(product);
            record.item(product).state = 2;
            dropHeld(record);
        }
        return;
    }
    if (slot == 0 && x >= 0 && isHoldingItem(record) && y < 60) {
        // Lay the held item down on the hero's cell.
        Item& item = record.item(record.heldItem);
        item.state = 1;
        item.col0 = std::int16_t(record.heroCol - 1);
        item.row0 = std::int16_t(record.heroRow - 1);
        item.scene = std::uint8_t(engine.screen().currentScene);
        dropHeld(record);
    }
}

void bagUpkeepAndDrawing(Engine& engine) {
    ProjectRecord& record = engine.record();
    for (int k = 1; k < kBagSlots; ++k) {
        std::uint8_t& here = record.bagSlot(k);
        std::uint8_t& next = record.bagSlot(k + 1);
        if (here == 0 && next != 0) {
            here = next;
            next = 0;
        }
        if (here != 0 && (!isItemNumber(here) || record.item(here).state != 2)) here = 0;
    }
    Pictures& pictures = engine.pictures();
    for (int k = 1; k <= kBagSlots; ++k) {
        const int n = record.bagSlot(k);
        if (!isItemNumber(n) || record.item(n).state != 2) continue;
        cutCell(pictures.largeItemStrip, 50, 50, n, pictures.largeItemPicture);
        drawTransparent(engine.canvas(), pictures.largeItemPicture, Point{51 * k + 20, 5});
    }
}

} // namespace tw
