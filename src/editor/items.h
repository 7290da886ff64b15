#pragma once

#include <QString>

namespace tw {

struct ProjectRecord;

// Items laid in scenes from the plot editor and the combinations of two items into a third. An item
// exists once: wherever it is put, it leaves every other place (bag, cursor, another scene).

// Item n lies on cell (c, r) of scene s; it leaves the bag and the cursor.
void placeItem(ProjectRecord& record, int n, int s, int c, int r);
// Item n leaves the world: state 0, out of every bag slot and off the cursor. Its last cell and scene stay
// stored.
void removeItem(ProjectRecord& record, int n);

// Saves the combination n + a = b on both parts: n and a name each other as partner and b as product, b
// becomes composite. Former partners of n and a that still point back at them lose their link, and a
// former product no combination yields any more stops being composite. Refused, with the record
// untouched, when an item is combined with itself, the product is one of its parts or a number is out of
// range: the returned text says why; empty when saved.
QString saveCombination(ProjectRecord& record, int n, int a, int b);
// "стереть": erases the combination of item n and its partner (both lose partner and product), also when
// n has no partner. The stored product and the product shown on the panel (shownProduct) stop being
// composite unless a combination still yields them, so a stale "Составной" can be cleared. Returns the
// former partner (0 if none).
int eraseCombination(ProjectRecord& record, int n, int shownProduct);
// Whether any item names p as its product.
bool isYieldedByCombination(const ProjectRecord& record, int p);

} // namespace tw
