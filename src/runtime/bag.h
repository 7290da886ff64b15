#pragma once

namespace tw {

class Engine;
struct ProjectRecord;

// The bag of 18 slots and the item on the cursor. Every item number is one object: these operations
// never leave the same number in two slots or in a slot and on the cursor.

// True while an item is carried on the cursor.
bool isHoldingItem(const ProjectRecord& record);
// Puts item n into slot 18 (the slot everything the game gives enters by), first taking it out of any
// other slot and off the cursor, and marks it as in the bag. Returns false, changing nothing, when
// slot 18 is occupied by another item or n is not an item number.
bool receiveIntoBag(ProjectRecord& record, int n);
// Slot of a click at canvas x on the item panel: 0 for x 0..70 (the place where a held item is laid
// down), 1..18 for the slots, 19 and more beyond them.
int bagSlotAt(int x);
// A mouse-down in any mode: takes, puts, combines or lays down items.
void bagClick(Engine& engine, int x, int y);
// While the panel is shown: items slide one slot left into gaps, items no longer in the bag are
// dropped, and the bag's items are drawn.
void bagUpkeepAndDrawing(Engine& engine);

} // namespace tw
