#pragma once

#include <QImage>
#include <QString>

namespace tw::demo {

// The demo's items, numbered as in the item strips.
enum DemoItem : int {
    kItemKey = 1,
    kItemApple,
    kItemCoin,
    kItemBook,
    kItemRope,
    kItemLantern,
    kItemPotion,
    kItemFlower,
    kItemScroll,
    kItemGem,
    kItemAmulet, // made in the bag of the gem and the rope
};
inline constexpr int kDemoItemCount = 11;

// The item's name, for the author's eye (Russian).
QString itemName(int item);

// Item `item` (1..kDemoItemCount) as a `size` x `size` picture on the key colour, with a free margin of at
// least one pixel.
QImage paintItem(int item, int size);

// The strip of 100 large (50 x 50) item pictures, 5000 x 50: item n at x = (n - 1) * 50; the cells of
// unused item numbers are plain key colour.
QImage paintLargeItemStrip();
// The strip of 100 small (20 x 20) item pictures, 2000 x 20, laid out the same way.
QImage paintSmallItemStrip();

} // namespace tw::demo
