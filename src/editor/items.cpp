#include "editor/items.h"

#include "project/projectrecord.h"

namespace tw {
namespace {

// Item k loses its combination link, and so does its partner when that one points back at k.
void unlinkFromPartner(ProjectRecord& record, int k) {
    Item& item = record.item(k);
    const int partner = item.partner;
    if (isItemNumber(partner) && partner != k) {
        Item& other = record.item(partner);
        if (other.partner == k) {
            other.partner = 0;
            other.product = 0;
        }
    }
    item.partner = 0;
    item.product = 0;
}

void dropCompositeUnlessYielded(ProjectRecord& record, int p) {
    if (isItemNumber(p) && !isYieldedByCombination(record, p)) record.item(p).isComposite = 0;
}

} // namespace

void placeItem(ProjectRecord& record, int n, int s, int c, int r) {
    if (!isItemNumber(n)) return;
    removeItem(record, n);
    Item& item = record.item(n);
    item.state = 1;
    item.col0 = std::int16_t(c - 1);
    item.row0 = std::int16_t(r - 1);
    item.scene = std::uint8_t(s);
}

void removeItem(ProjectRecord& record, int n) {
    if (!isItemNumber(n)) return;
    for (int k = 1; k <= kBagSlots; ++k) {
        if (record.bagSlot(k) == n) record.bagSlot(k) = 0;
    }
    if (record.heldItem == n) {
        record.heldItem = 0;
        record.holdingItem = 0;
    }
    record.item(n).state = 0;
}

bool isYieldedByCombination(const ProjectRecord& record, int p) {
    for (int k = 1; k <= kItemCapacity; ++k) {
        const Item& item = record.item(k);
        if (item.partner != 0 && item.product == p) return true;
    }
    return false;
}

QString saveCombination(ProjectRecord& record, int n, int a, int b) {
    if (!isItemNumber(n) || !isItemNumber(a) || !isItemNumber(b)) return QStringLiteral("Нет такого предмета");
    if (n == a) return QStringLiteral("Предмет не составляется сам с собой");
    if (b == n || b == a) return QStringLiteral("Составной предмет не может быть своей частью");
    const int oldProducts[] = {record.item(n).product, record.item(a).product};
    unlinkFromPartner(record, n);
    unlinkFromPartner(record, a);
    Item& first = record.item(n);
    Item& second = record.item(a);
    first.partner = std::uint8_t(a);
    first.product = std::uint8_t(b);
    second.partner = std::uint8_t(n);
    second.product = std::uint8_t(b);
    record.item(b).isComposite = 1;
    for (int p : oldProducts) {
        if (p != b) dropCompositeUnlessYielded(record, p);
    }
    return {};
}

int eraseCombination(ProjectRecord& record, int n, int shownProduct) {
    if (!isItemNumber(n)) return 0;
    const int partner = record.item(n).partner;
    const int product = record.item(n).product;
    unlinkFromPartner(record, n);
    dropCompositeUnlessYielded(record, product);
    dropCompositeUnlessYielded(record, shownProduct);
    return partner;
}

} // namespace tw
