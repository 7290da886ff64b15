// The demo's record as an author's checklist: every plot object placed where the game can use it. Items
// lie on ground the hero can reach, no item is twice in the bag, every passage lands the hero on walkable
// ground that is not itself a passage and has a way back, closed doors block their cell, characters can be
// walked up to, and every text fits its field and stays on the screen, clear of the animations drawn
// over it.
#include "make-demo/demolayout.h"
#include "make-demo/demorecord.h"
#include "make-demo/demostory.h"
#include "make-demo/itempictures.h"
#include "make-demo/spritesheet.h"
#include "make-demo/uipictures.h"
#include "make-glyphs/gamefont.h"

#include <gtest/gtest.h>

#include <QFontMetrics>

#include <queue>
#include <set>

namespace tw::demo {
namespace {

class DemoStory : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        registerGameFont();
        record = buildDemoRecord({}, buildSpriteSheet().animations).release();
        shadow = paintTextShadow().size();
    }
    static void TearDownTestSuite() {
        delete record;
        record = nullptr;
    }

    static bool walkable(int s, int c, int r) { return record->passOrBlocked(s, c, r) < kBlockedCell; }
    static bool isPortalCell(int s, int c, int r) {
        for (int k = 1; k <= kPortalsPerScene; ++k)
            if (record->scene(s).portal(k).col == c && record->scene(s).portal(k).row == r) return true;
        return false;
    }
    // Cells reachable from (c, r) over walkable cells, with closed doors counted as open: what the hero can
    // reach once he has every key.
    static std::set<std::pair<int, int>> reach(int s, int c0, int r0) {
        auto open = [s](int c, int r) {
            if (walkable(s, c, r)) return true;
            for (int d = 1; d <= kDoorsPerScene; ++d) {
                const Door& door = record->scene(s).door(d);
                if (door.state == 1 && door.approachCol == c && door.approachRow == r) return true;
            }
            return false;
        };
        std::set<std::pair<int, int>> seen{{c0, r0}};
        std::queue<std::pair<int, int>> next;
        next.push({c0, r0});
        while (!next.empty()) {
            const auto [c, r] = next.front();
            next.pop();
            for (auto [dc, dr] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                const int nc = c + dc, nr = r + dr;
                if (!isCellInGrid(nc, nr) || !open(nc, nr) || seen.count({nc, nr})) continue;
                seen.insert({nc, nr});
                next.push({nc, nr});
            }
        }
        return seen;
    }
    static QRect zoneRect(int x1, int y1, int x2, int y2) { return QRect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1)); }
    // Where the visible animation spots of scene s are drawn: over dialogs, hints and lying items.
    static QList<QRect> spotRects(int s) {
        QList<QRect> rects;
        for (int k = 1; k <= kSpotsPerScene; ++k) {
            const AnimSpot& spot = record->scene(s).animSpot(k);
            if (spot.visible != 1) continue;
            const AnimFrame& f = record->animation(spot.animation).frame(1);
            rects.append(QRect(spot.x, spot.y, f.width, f.height));
        }
        return rects;
    }
    static QRect cellRect(int c, int r) { return QRect(20 * (c - 1), 20 * (r - 1), 20, 20); }
    // The cells the editor's markers outline and label in every frame of scene s, drawn after the dialog
    // texts and the lying items: portal cells, the characters' approach cells and the cells of remarks
    // not yet said.
    static QList<QRect> markedCells(int s) {
        QList<QRect> cells;
        for (int k = 1; k <= kPortalsPerScene; ++k) {
            const Portal& portal = record->scene(s).portal(k);
            if (portal.col != 0) cells.append(cellRect(portal.col, portal.row));
        }
        for (int d = 1; d <= kDialogsPerScene; ++d) {
            const Dialog& dialog = record->scene(s).dialog(d);
            if (dialog.kind != 0) cells.append(cellRect(dialog.approachCol, dialog.approachRow));
        }
        for (int k = 1; k <= kHeroRemarkCapacity; ++k) {
            const HeroRemark& remark = record->heroRemark(k);
            if (remark.state == 1 && remark.scene == s) cells.append(cellRect(remark.col, remark.row));
        }
        return cells;
    }
    static int width(const std::string& text) { return QFontMetrics(gameFont()).horizontalAdvance(QString::fromStdString(text)); }
    // A text that fills its field exactly was most likely cut by the field.
    template <int N>
    static ::testing::AssertionResult fits(const ShortString<N>& text) {
        if (text.usedLength() < N) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "\"" << text.text() << "\" fills all " << N
                                             << " characters";
    }

    static inline ProjectRecord* record = nullptr;
    static inline QSize shadow;
};

TEST_F(DemoStory, TheGameStartsWithAnEmptyBagAndEveryItemInOnePlace) {
    for (int k = 1; k <= kBagSlots; ++k) EXPECT_EQ(record->bagSlot(k), 0) << k;
    EXPECT_EQ(record->heldItem, 0);
    EXPECT_EQ(record->holdingItem, 0);
    int lying = 0;
    for (int n = 1; n <= kItemCapacity; ++n) {
        const Item& item = record->item(n);
        EXPECT_TRUE(item.state == 0 || item.state == 1) << "item " << n;
        if (item.state != 1) continue;
        ++lying;
        const int c = item.col0 + 1, r = item.row0 + 1;
        ASSERT_GE(item.scene, 1);
        ASSERT_LE(item.scene, record->sceneCount);
        EXPECT_TRUE(walkable(item.scene, c, r)) << "item " << n;
        EXPECT_FALSE(isPortalCell(item.scene, c, r)) << "item " << n;
        // Nothing animated and no marker is drawn over it, so the player can see it.
        for (const QRect& spot : spotRects(item.scene)) EXPECT_FALSE(spot.intersects(cellRect(c, r))) << "item " << n;
        EXPECT_FALSE(markedCells(item.scene).contains(cellRect(c, r))) << "item " << n;
    }
    EXPECT_GE(lying, 2);
}

TEST_F(DemoStory, TheCombinationIsStoredBothWaysAndMakesAComposite) {
    const Item& rope = record->item(kItemRope);
    const Item& gem = record->item(kItemGem);
    EXPECT_EQ(rope.partner, kItemGem);
    EXPECT_EQ(gem.partner, kItemRope);
    EXPECT_EQ(rope.product, kItemAmulet);
    EXPECT_EQ(gem.product, kItemAmulet);
    EXPECT_EQ(record->item(kItemAmulet).isComposite, 1);
    EXPECT_EQ(record->item(kItemAmulet).state, 0);
    int composites = 0;
    for (int n = 1; n <= kItemCapacity; ++n) {
        composites += record->item(n).isComposite;
        const int p = record->item(n).partner;
        if (p != 0) {
            EXPECT_EQ(record->item(p).partner, n);
            EXPECT_EQ(record->item(p).product, record->item(n).product);
        }
    }
    EXPECT_EQ(composites, 1);
}

TEST_F(DemoStory, PassagesLandOnGroundAndLeadBothWays) {
    int passages = 0;
    for (int s = 1; s <= record->sceneCount; ++s) {
        for (int k = 1; k <= kPortalsPerScene; ++k) {
            const Portal& portal = record->scene(s).portal(k);
            if (portal.col == 0 && portal.row == 0) continue;
            ++passages;
            SCOPED_TRACE(testing::Message() << "scene " << s << " portal " << k);
            const int t = portal.targetScene;
            ASSERT_GE(t, 1);
            ASSERT_LE(t, record->sceneCount);
            ASSERT_NE(t, s);
            EXPECT_TRUE(walkable(s, portal.col, portal.row));
            // The foot point lands on the arrival cell's bottom-right corner, in the next cell right and down.
            const int c = (20 * portal.arrivalCol) / 20 + 1, r = (20 * portal.arrivalRow) / 20 + 1;
            EXPECT_TRUE(walkable(t, c, r));
            EXPECT_FALSE(isPortalCell(t, c, r)) << "the hero would pass on at once";
            // A way back from where he lands.
            bool back = false;
            for (int j = 1; j <= kPortalsPerScene; ++j) {
                const Portal& other = record->scene(t).portal(j);
                if (other.targetScene == s && reach(t, c, r).count({other.col, other.row})) back = true;
            }
            EXPECT_TRUE(back);
        }
    }
    EXPECT_GE(passages, 4);
}

TEST_F(DemoStory, ClosedDoorsBlockAPassageAndTakeAKeyFromTheGame) {
    int doors = 0;
    for (int s = 1; s <= record->sceneCount; ++s) {
        for (int d = 1; d <= kDoorsPerScene; ++d) {
            const Door& door = record->scene(s).door(d);
            if (door.state == 0) continue;
            ++doors;
            SCOPED_TRACE(testing::Message() << "scene " << s << " door " << d);
            EXPECT_EQ(door.state, 1);
            EXPECT_EQ(record->passOrBlocked(s, door.approachCol, door.approachRow), kBlockedCell);
            // One cell wide: walkable ground on at most two sides, and in front of it.
            int open = 0;
            for (auto [dc, dr] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
                open += walkable(s, door.approachCol + dc, door.approachRow + dr);
            EXPECT_GE(open, 1);
            EXPECT_LE(open, 2);
            EXPECT_TRUE(walkable(s, door.approachCol, door.approachRow + 1));
            const QRect picture(door.pictureX, door.pictureY, 60, 90);
            EXPECT_TRUE(zoneRect(door.keyZoneX1, door.keyZoneY1, door.keyZoneX2, door.keyZoneY2).contains(picture));
            EXPECT_TRUE(picture.contains(QRect(20 * (door.approachCol - 1), 20 * (door.approachRow - 1), 20, 20)));
            EXPECT_GE(door.comic, 1);
            EXPECT_LE(door.comic, record->comicCount);
            EXPECT_NE(door.closedPicture, door.openPicture);
            // The key comes into the game somewhere: lying, handed over by a character, or combined.
            const int key = door.keyItem;
            bool obtainable = record->item(key).state == 1 || record->item(key).isComposite == 1;
            for (int t = 1; t <= record->sceneCount; ++t)
                for (int k = 1; k <= kDialogsPerScene; ++k)
                    obtainable |= record->scene(t).dialog(k).kind >= 2 && record->scene(t).dialog(k).getItem == key;
            EXPECT_TRUE(obtainable) << "key " << key;
        }
    }
    EXPECT_EQ(doors, 2);
}

TEST_F(DemoStory, CharactersOfEveryKindCanBeWalkedUpToAndReadOnScreen) {
    std::set<int> kinds;
    for (int s = 1; s <= record->sceneCount; ++s) {
        const QList<QRect> spots = spotRects(s);
        for (int d = 1; d <= kDialogsPerScene; ++d) {
            const Dialog& dialog = record->scene(s).dialog(d);
            if (dialog.kind == 0) continue;
            kinds.insert(dialog.kind);
            SCOPED_TRACE(testing::Message() << "scene " << s << " dialog " << d);
            EXPECT_EQ(dialog.progress, 0);
            EXPECT_TRUE(walkable(s, dialog.approachCol, dialog.approachRow));
            const QRect zone = zoneRect(dialog.zoneX1, dialog.zoneY1, dialog.zoneX2, dialog.zoneY2);
            // The zone frames a character drawn as an animation spot, and the approach cell is beside it.
            bool framesSpot = false;
            for (const QRect& spot : spots) framesSpot |= zone.contains(spot);
            EXPECT_TRUE(framesSpot);
            const QRect approach(20 * (dialog.approachCol - 1), 20 * (dialog.approachRow - 1), 20, 20);
            EXPECT_TRUE(approach.adjusted(-40, -40, 40, 40).intersects(zone));
            // The shadow with the four lines on it: on screen, below the item panel, clear of the character, of
            // the animations and of the markers, which are drawn after it.
            const QRect box(dialog.textX - 10, dialog.textY - 10, shadow.width(), shadow.height());
            EXPECT_TRUE(QRect(0, 60, kPlayWidth, kPlayHeight - 60).contains(box));
            EXPECT_FALSE(box.intersects(zone));
            for (const QRect& spot : spots) EXPECT_FALSE(box.intersects(spot));
            for (const QRect& cell : markedCells(s)) EXPECT_FALSE(box.intersects(cell));
            const int lines = dialog.kind == 3 ? 8 : 4;
            for (int k = 0; k < lines; ++k) {
                EXPECT_FALSE(dialog.lines[k].text().empty()) << "line " << k + 1;
                EXPECT_TRUE(fits(dialog.lines[k]));
                EXPECT_LE(width(dialog.lines[k].text()), shadow.width() - 20) << "line " << k + 1;
            }
            if (dialog.kind >= 2) {
                EXPECT_TRUE(isItemNumber(dialog.getItem));
            }
            if (dialog.kind == 3) {
                EXPECT_TRUE(isItemNumber(dialog.giveItem));
            }
            // Once his first talk is done he answers with the scene's random talk, entries 1..49.
            for (int k = 1; k < kRandomDialogsPerScene; ++k) {
                const RandomDialog& random = record->scene(s).randomDialog(k);
                EXPECT_FALSE(random.lines[0].text().empty()) << "random dialog " << k;
                for (const auto& line : random.lines) {
                    EXPECT_TRUE(fits(line));
                    EXPECT_LE(width(line.text()), shadow.width() - 20) << line.text();
                }
            }
        }
    }
    EXPECT_EQ(kinds, (std::set<int>{1, 2, 3}));
}

TEST_F(DemoStory, RemarksAndHintsAreOnGroundAndOnScreen) {
    int heroRemarks = 0;
    for (int k = 1; k <= kHeroRemarkCapacity; ++k) {
        const HeroRemark& remark = record->heroRemark(k);
        if (remark.state == 0) continue;
        ++heroRemarks;
        EXPECT_EQ(remark.state, 1) << k;
        EXPECT_TRUE(walkable(remark.scene, remark.col, remark.row)) << k;
        EXPECT_FALSE(remark.text.text().empty()) << k;
        EXPECT_TRUE(fits(remark.text));
        // Said above the hero's head, 10 px right of his feet.
        EXPECT_LE(20 * remark.col + 10 + width(remark.text.text()), kPlayWidth) << k;
    }
    EXPECT_GE(heroRemarks, 3);

    // Any crowd spot may show any entry's text, so every entry has one.
    int widest = 0;
    for (int k = 1; k <= kCrowdRemarkCapacity; ++k) {
        const CrowdRemark& crowd = record->crowdRemark(k);
        EXPECT_FALSE(crowd.text.text().empty()) << k;
        EXPECT_TRUE(fits(crowd.text));
        widest = std::max(widest, width(crowd.text.text()));
    }
    int crowdSpots = 0;
    for (int k = 1; k <= kCrowdRemarkCapacity; ++k) {
        const CrowdRemark& crowd = record->crowdRemark(k);
        if (crowd.scene == 0) continue;
        ++crowdSpots;
        EXPECT_LE(crowd.scene, record->sceneCount);
        EXPECT_EQ(crowd.countdown, 1) << "spot " << k << " starts talking at once";
        EXPECT_GE(crowd.x, 12);
        EXPECT_LE(crowd.x + widest, kPlayWidth) << k;
        EXPECT_LE(crowd.y + 16, kPlayHeight) << k;
        for (int d = 1; d <= kDialogsPerScene; ++d) {
            const Dialog& dialog = record->scene(crowd.scene).dialog(d);
            if (dialog.kind == 0) continue;
            const QRect box(dialog.textX - 10, dialog.textY - 10, shadow.width(), shadow.height());
            EXPECT_FALSE(box.intersects(QRect(crowd.x, crowd.y, widest, 16))) << "spot " << k << " over dialog " << d;
        }
    }
    EXPECT_GE(crowdSpots, 2);

    for (int s = 1; s <= record->sceneCount; ++s) {
        int hints = 0;
        for (int h = 1; h <= kHintsPerScene; ++h) {
            const Hint& hint = record->scene(s).hint(h);
            if (hint.text.usedLength() == 0) continue;
            ++hints;
            SCOPED_TRACE(testing::Message() << "scene " << s << " hint " << h);
            EXPECT_LT(hint.zoneX1, hint.zoneX2);
            EXPECT_LT(hint.zoneY1, hint.zoneY2);
            EXPECT_TRUE(fits(hint.text));
            const QRect text(hint.textX, hint.textY, width(hint.text.text()), 16);
            EXPECT_TRUE(QRect(0, 0, kPlayWidth, kPlayHeight).contains(text));
            for (const QRect& spot : spotRects(s)) EXPECT_FALSE(spot.intersects(text));
        }
        EXPECT_GE(hints, 2);
    }
}

} // namespace
} // namespace tw::demo
