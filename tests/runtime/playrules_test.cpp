// The play rules at their boundaries: who combines with whom, the cell an item is taken from, how near
// the hero must come to a door or a character, the strict edges of the click zones, where a portal puts
// the hero and which cell says a remark. Each property runs a fresh game per sample and probes the pixels
// and cells on both sides of each boundary, so a rule moved by one pixel or one cell fails here.
#include "runtime/bag.h"
#include "runtime/playfixture.h"

#include <cstdlib>
#include <functional>
#include <random>

namespace tw::test {
namespace {

constexpr int kKey = 3;

// A rectangle of canvas pixels, stored as the record stores zones.
struct Zone {
    int x1, y1, x2, y2;
};

// The pixels on both sides of a zone's edges: (x1, x1 + 1, x2 - 1, x2) by (y1, y1 + 1, y2 - 1, y2).
// Probe i is strictly inside exactly when both of its coordinates are inner ones.
struct EdgeProbe {
    int x, y;
    bool inside;
};

std::vector<EdgeProbe> edgeProbes(const Zone& z) {
    const int xs[4] = {z.x1, z.x1 + 1, z.x2 - 1, z.x2};
    const int ys[4] = {z.y1, z.y1 + 1, z.y2 - 1, z.y2};
    std::vector<EdgeProbe> probes;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) probes.push_back({xs[i], ys[j], i % 3 != 0 && j % 3 != 0});
    return probes;
}

// The same around a 20 x 20 cell (1-based c, r): the last pixel before it, its first and last, the first
// after it.
std::vector<EdgeProbe> cellEdgeProbes(int c, int r) {
    return edgeProbes(Zone{20 * (c - 1) - 1, 20 * (r - 1) - 1, 20 * c, 20 * r});
}

bool nextTo(int col, int row, int c, int r) { return std::abs(col - c) < 2 && std::abs(row - r) < 2; }

class PlayRules : public PlayFixture {
protected:
    std::mt19937 random{19};
    std::unique_ptr<ProjectRecord> base = ProjectRecord::createBlank();

    void SetUp() override {
        PlayFixture::SetUp();
        *base = record();
    }
    // Starts the game again on the fixture's project as change leaves it, in scene 1: the record is
    // replaced as a whole, as a restored save point replaces it, and play starts from its first state.
    void restart(const std::function<void(ProjectRecord&)>& change) {
        record() = *base;
        change(record());
        play() = PlayState{};
        engine->resetPlay();
        engine->screen().currentScene = 1;
        ASSERT_TRUE(engine->reloadBackground());
        world.audio.log.clear();
    }
    int uniform(int low, int high) { return low + int(random() % unsigned(high - low + 1)); }
    // The hero's foot point on pixel (x, y), the cell it lies in stored with it.
    static void heroOnPixel(ProjectRecord& r, int x, int y) {
        r.heroX = std::uint16_t(x);
        r.heroY = std::uint16_t(y);
        r.heroCol = std::uint16_t(cellOfPixel(x));
        r.heroRow = std::uint16_t(cellOfPixel(y));
    }
    // A random pixel of cell (c, r), its edge pixels included.
    QPoint pixelIn(int c, int r) { return QPoint(20 * (c - 1) + uniform(0, 19), 20 * (r - 1) + uniform(0, 19)); }
    // A click at press, then ticks until done(), at most maxTicks in all. Returns the cell the hero stood
    // in (heroCol, heroRow) when the tick that made done() true began: the cell that tick's rules looked
    // at. (0, 0) when done() never came true.
    QPoint clickAndWatch(QPoint press, const std::function<bool()>& done, int maxTicks) {
        QPoint before(record().heroCol, record().heroRow);
        click(press.x(), press.y());
        for (int i = 1; i < maxTicks && !done(); ++i) {
            before = QPoint(record().heroCol, record().heroRow);
            engine->frameTick();
        }
        return done() ? before : QPoint(0, 0);
    }
    // A door on cell (c, r) of scene 1, closed, its cell blocked, opened by item 3 held on the cursor.
    static void closedDoor(ProjectRecord& r, int c, int rw, const Zone& keyZone) {
        Door& door = r.scene(1).door(2);
        door = Door{};
        door.state = 1;
        door.keyItem = kKey;
        door.closedPicture = door.openPicture = 1;
        door.approachCol = std::uint8_t(c);
        door.approachRow = std::uint8_t(rw);
        door.keyZoneX1 = std::uint16_t(keyZone.x1);
        door.keyZoneY1 = std::uint16_t(keyZone.y1);
        door.keyZoneX2 = std::uint16_t(keyZone.x2);
        door.keyZoneY2 = std::uint16_t(keyZone.y2);
        r.pass(1, c, rw) = kBlockedCell;
        r.item(kKey).state = 2;
        r.heldItem = kKey;
        r.holdingItem = 1;
    }
    static void character(ProjectRecord& r, int kind, int c, int rw, const Zone& zone) {
        Dialog& dialog = r.scene(1).dialog(4);
        dialog.kind = std::uint8_t(kind);
        dialog.approachCol = std::uint8_t(c);
        dialog.approachRow = std::uint8_t(rw);
        dialog.zoneX1 = std::uint16_t(zone.x1);
        dialog.zoneY1 = std::uint16_t(zone.y1);
        dialog.zoneX2 = std::uint16_t(zone.x2);
        dialog.zoneY2 = std::uint16_t(zone.y2);
        dialog.getItem = 6;
    }
    // A zone well inside the scene, away from the panel's edge at the top.
    Zone randomZone() {
        const int x1 = uniform(40, 700), y1 = uniform(150, 450);
        return Zone{x1, y1, x1 + uniform(3, 200), y1 + uniform(3, 200)};
    }
    QPoint inside(const Zone& z) { return QPoint(uniform(z.x1 + 1, z.x2 - 1), uniform(z.y1 + 1, z.y2 - 1)); }
};

// Items 1 and 2 name each other (product 10); 3 names 4, but 4 names nobody (product 11); 5 names itself
// (product 12). Every item held over every item lying in a full bag, in slots 1..18, pressed on a slot's
// first, middle and last pixel: the slot's item must name the held one as its partner.
TEST_F(PlayRules, TheHeldItemCombinesOnlyWithASlotItemThatNamesIt) {
    const int partner[6] = {0, 2, 1, 4, 0, 5};
    const int product[6] = {0, 10, 10, 11, 11, 12};
    int sample = 0;
    for (int h = 1; h <= 5; ++h) {
        for (int s = 1; s <= 5; ++s, ++sample) {
            SCOPED_TRACE(testing::Message() << "held " << h << " on " << s);
            const int slot = sample % kBagSlots + 1;
            const int x = 51 * slot + 20 + (sample % 3) * 25;
            restart([&](ProjectRecord& r) {
                for (int k = 1; k <= kBagSlots; ++k) {
                    r.bagSlot(k) = std::uint8_t(k == slot ? s : 30 + k);
                    r.item(30 + k).state = 2;
                }
                for (int n = 1; n <= 5; ++n) {
                    r.item(n).state = 2;
                    r.item(n).partner = std::uint8_t(partner[n]);
                    r.item(n).product = std::uint8_t(product[n]);
                }
                r.heldItem = std::uint8_t(h);
                r.holdingItem = 1;
            });
            openPanel();
            engine->mouseDown(MouseButton::Left, x, 30);
            engine->mouseUp();
            if (partner[s] == h) {
                EXPECT_EQ(record().bagSlot(slot), product[s]);
                EXPECT_EQ(record().item(product[s]).state, 2);
                EXPECT_FALSE(isHoldingItem(record()));
                EXPECT_EQ(countInBag(h) + countInBag(s), 0);
                EXPECT_TRUE(world.audio.log.contains(effect("even.wav")));
            } else {
                EXPECT_EQ(record().bagSlot(slot), s);
                EXPECT_TRUE(isHoldingItem(record()));
                EXPECT_EQ(record().heldItem, h);
                EXPECT_FALSE(world.audio.log.contains(effect("even.wav")));
            }
            EXPECT_EQ(countInBag(0), 0) << "the bag stays full";
        }
    }
}

// Item 2 held over item 1, its partner, in slot 1 or 18 of a full bag: a press one pixel outside the
// slot lands in the slot beside it (slot 0 lays the item down, 19 does nothing), one on its edge combines.
TEST_F(PlayRules, ACombinationTakesAPressOnTheSlotsOwnPixels) {
    for (const int slot : {1, kBagSlots}) {
        const int first = 51 * slot + 20;
        for (const int x : {first - 1, first, first + 50, first + 51}) {
            SCOPED_TRACE(testing::Message() << "slot " << slot << " x " << x);
            restart([&](ProjectRecord& r) {
                for (int k = 1; k <= kBagSlots; ++k) {
                    r.bagSlot(k) = std::uint8_t(k == slot ? 1 : 30 + k);
                    r.item(30 + k).state = 2;
                }
                r.item(1) = Item{2, 0, 0, 0, 0, 2, 10, 0, 0};
                r.item(2) = Item{2, 0, 0, 0, 0, 1, 10, 0, 0};
                r.heldItem = 2;
                r.holdingItem = 1;
            });
            openPanel();
            engine->mouseDown(MouseButton::Left, x, 30);
            engine->mouseUp();
            const bool onSlot = x >= first && x <= first + 50;
            EXPECT_EQ(record().bagSlot(slot), onSlot ? 10 : 1);
            EXPECT_EQ(record().heldItem == 2, !onSlot && x != 70); // x 70 is slot 0: laid down
        }
    }
}

// An item is taken only from its own cell: the press must fall on one of its 400 pixels, and the hero
// takes it on the tick that finds him in that cell, never from a cell beside it. Slots 1..17 are full;
// slot 18 is what a pick-up needs.
TEST_F(PlayRules, AnItemIsTakenOnlyFromItsOwnCell) {
    auto lyingOn = [](ProjectRecord& r, int c, int rw) {
        r.item(7) = Item{1, std::int16_t(c - 1), std::int16_t(rw - 1), 1, 0, 0, 0, 0, 0};
        for (int k = 1; k < kBagSlots; ++k) {
            r.bagSlot(k) = std::uint8_t(30 + k);
            r.item(30 + k).state = 2;
        }
    };
    for (int seed = 0; seed < 3; ++seed) {
        const int c = uniform(4, 48), rw = uniform(4, 32);
        // The hero stands on the item's cell: a press there takes it at once, a press beside it does not.
        for (const EdgeProbe& probe : cellEdgeProbes(c, rw)) {
            SCOPED_TRACE(testing::Message() << "item on " << c << "," << rw << " press " << probe.x << "," << probe.y);
            restart([&](ProjectRecord& r) {
                lyingOn(r, c, rw);
                const QPoint foot = pixelIn(c, rw);
                heroOnPixel(r, foot.x(), foot.y());
            });
            click(probe.x, probe.y);
            EXPECT_EQ(record().item(7).state, probe.inside ? 2 : 1);
            EXPECT_EQ(play().walkingToItem, false);
        }
        // The hero starts on the item's cell or up to two cells away and is sent to it.
        for (int dc = -2; dc <= 2; ++dc) {
            for (int dr = -2; dr <= 2; ++dr) {
                SCOPED_TRACE(testing::Message() << "item on " << c << "," << rw << " hero " << dc << "," << dr);
                restart([&](ProjectRecord& r) {
                    lyingOn(r, c, rw);
                    const QPoint foot = pixelIn(c + dc, rw + dr);
                    heroOnPixel(r, foot.x(), foot.y());
                });
                const QPoint at = clickAndWatch(pixelIn(c, rw), [this] { return record().item(7).state == 2; }, 60);
                EXPECT_EQ(at, QPoint(c, rw));
                EXPECT_EQ(record().bagSlot(kBagSlots), 7);
            }
        }
    }
}

// A key used on a door opens it on the tick that finds the hero at most one column and one row from the
// door's cell (the diagonal cells too), never two.
TEST_F(PlayRules, ADoorOpensWithTheHeroOneCellAwayAtMost) {
    for (int seed = 0; seed < 3; ++seed) {
        const int c = uniform(4, 48), rw = uniform(4, 32);
        const Zone keyZone = randomZone();
        for (int dc = -2; dc <= 2; ++dc) {
            for (int dr = -2; dr <= 2; ++dr) {
                SCOPED_TRACE(testing::Message() << "door " << c << "," << rw << " hero " << dc << "," << dr);
                restart([&](ProjectRecord& r) {
                    closedDoor(r, c, rw, keyZone);
                    const QPoint foot = pixelIn(c + dc, rw + dr);
                    heroOnPixel(r, foot.x(), foot.y());
                });
                const QPoint at = clickAndWatch(inside(keyZone), [this] { return record().scene(1).door(2).state == 2; }, 80);
                EXPECT_TRUE(nextTo(at.x(), at.y(), c, rw)) << at.x() << "," << at.y();
                EXPECT_EQ(at == QPoint(c + dc, rw + dr), nextTo(c + dc, rw + dr, c, rw)) << "opened at once only when next to it";
            }
        }
    }
}

// The same nearness for a character of each kind: its text opens when the hero is at most one column
// and one row from its approach cell.
TEST_F(PlayRules, ACharacterTalksWithTheHeroOneCellAwayAtMost) {
    for (int kind = 1; kind <= 3; ++kind) {
        for (int seed = 0; seed < 2; ++seed) {
            const int c = uniform(4, 48), rw = uniform(4, 32);
            const Zone zone = randomZone();
            for (int dc = -2; dc <= 2; ++dc) {
                for (int dr = -2; dr <= 2; ++dr) {
                    SCOPED_TRACE(testing::Message() << "kind " << kind << " approach " << c << "," << rw << " hero "
                                                    << dc << "," << dr);
                    restart([&](ProjectRecord& r) {
                        character(r, kind, c, rw, zone);
                        const QPoint foot = pixelIn(c + dc, rw + dr);
                        heroOnPixel(r, foot.x(), foot.y());
                    });
                    const QPoint at = clickAndWatch(inside(zone), [this] { return play().dialogOpen; }, 80);
                    EXPECT_TRUE(nextTo(at.x(), at.y(), c, rw)) << at.x() << "," << at.y();
                    EXPECT_EQ(at == QPoint(c + dc, rw + dr), nextTo(c + dc, rw + dr, c, rw)) << "talked at once only when next to it";
                }
            }
        }
    }
}

// Key zones, characters' zones and hints' zones count a point strictly inside: a press on the edge
// pixel does nothing, one a pixel further in acts. The character's cursor follows the same edge.
TEST_F(PlayRules, ZonesTakeOnlyPressesStrictlyInside) {
    for (int seed = 0; seed < 3; ++seed) {
        const Zone zone = randomZone();
        // The door and the character far from the hero, so that a press only starts a walk.
        const int c = zone.x1 < 500 ? 45 : 3;
        for (const EdgeProbe& probe : edgeProbes(zone)) {
            SCOPED_TRACE(testing::Message() << "zone " << zone.x1 << "," << zone.y1 << "-" << zone.x2 << ","
                                            << zone.y2 << " press " << probe.x << "," << probe.y);
            restart([&](ProjectRecord& r) { closedDoor(r, c, 30, zone); });
            click(probe.x, probe.y);
            EXPECT_EQ(play().walkingToDoor, probe.inside);
            EXPECT_EQ(record().pass(1, c, 30) < kBlockedCell, probe.inside);

            restart([&](ProjectRecord& r) { character(r, 1, c, 30, zone); });
            engine->mouseMove(probe.x, probe.y, 699);
            EXPECT_EQ(engine->canvasCursor() == cursorDialog, probe.inside);
            click(probe.x, probe.y);
            EXPECT_EQ(play().walkingToDialog, probe.inside);

            Hint& hint = record().scene(1).hint(3);
            hint.text.setText("Старый дуб");
            hint.zoneX1 = std::uint16_t(zone.x1);
            hint.zoneY1 = std::uint16_t(zone.y1);
            hint.zoneX2 = std::uint16_t(zone.x2);
            hint.zoneY2 = std::uint16_t(zone.y2);
            engine->mouseMove(probe.x, probe.y, 699);
            ticks(1);
            EXPECT_EQ(play().hintHover, probe.inside);
        }
    }
}

// A portal takes the hero when his foot point is in its cell, and puts the foot point on the bottom-right
// corner of the arrival cell, pixel (20 arrivalCol, 20 arrivalRow): in play he stands one column right
// and one row below the arrival cell.
TEST_F(PlayRules, APortalTakesTheHeroFromItsCellToTheArrivalCorner) {
    for (int seed = 0; seed < 4; ++seed) {
        const int c = uniform(3, 49), rw = uniform(3, 33);
        const int arrivalCol = uniform(1, 49), arrivalRow = uniform(1, 33);
        for (const EdgeProbe& foot : cellEdgeProbes(c, rw)) {
            SCOPED_TRACE(testing::Message() << "portal " << c << "," << rw << " foot " << foot.x << "," << foot.y);
            restart([&](ProjectRecord& r) {
                r.scene(1).portal(2) = Portal{std::uint8_t(c), std::uint8_t(rw), std::uint8_t(arrivalCol),
                                              std::uint8_t(arrivalRow), 3};
                heroOnPixel(r, foot.x, foot.y);
            });
            ticks(1);
            if (!foot.inside) {
                EXPECT_EQ(engine->screen().currentScene, 1);
                EXPECT_EQ(QPoint(record().heroX, record().heroY), QPoint(foot.x, foot.y));
                continue;
            }
            EXPECT_EQ(engine->screen().currentScene, 3);
            EXPECT_EQ(record().heroX, 20 * arrivalCol);
            EXPECT_EQ(record().heroY, 20 * arrivalRow);
            EXPECT_TRUE(world.audio.log.contains(effect("hod.wav")));
            ticks(2);
            EXPECT_EQ(record().heroCol, arrivalCol + 1);
            EXPECT_EQ(record().heroRow, arrivalRow + 1);
            EXPECT_EQ(QPoint(record().heroX, record().heroY), QPoint(20 * arrivalCol, 20 * arrivalRow));
        }
    }
}

// A hero remark is said on the tick the hero's foot point is in its cell of its scene, and only there.
TEST_F(PlayRules, AHeroRemarkIsSaidOnlyInItsOwnCell) {
    for (int seed = 0; seed < 3; ++seed) {
        const int c = uniform(2, 50), rw = uniform(2, 34);
        const int k = uniform(1, 49);
        for (const EdgeProbe& foot : cellEdgeProbes(c, rw)) {
            SCOPED_TRACE(testing::Message() << "remark " << k << " on " << c << "," << rw << " foot " << foot.x
                                            << "," << foot.y);
            restart([&](ProjectRecord& r) {
                r.heroRemark(k) = HeroRemark{};
                r.heroRemark(k).state = 1;
                r.heroRemark(k).scene = 1;
                r.heroRemark(k).col = std::uint8_t(c);
                r.heroRemark(k).row = std::uint8_t(rw);
                r.heroRemark(k + 1) = r.heroRemark(k);
                r.heroRemark(k + 1).scene = 2; // the same cell of another scene
                heroOnPixel(r, foot.x, foot.y);
            });
            ticks(1);
            EXPECT_EQ(record().heroRemark(k).state, foot.inside ? 2 : 1);
            EXPECT_EQ(play().remarkTicks, foot.inside ? 89 : 0);
            EXPECT_EQ(record().heroRemark(k + 1).state, 1);
        }
    }
}

} // namespace
} // namespace tw::test
