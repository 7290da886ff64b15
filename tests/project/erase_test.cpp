#include "canvas/cutting.h"
#include "platform/picturecodec.h"
#include "project/erase.h"
#include "project/projectrecord.h"
#include "support/testdata.h"
#include "toolkit/toolkittypes.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>
#include <utility>

namespace tw {
namespace {

std::unique_ptr<ProjectRecord> randomRecord(std::uint32_t seed) {
    auto record = ProjectRecord::createBlank();
    std::mt19937 random(seed);
    for (std::size_t i = 0; i < kProjectRecordSize; ++i)
        record->bytes()[i] = std::uint8_t(random());
    return record;
}

std::unique_ptr<ProjectRecord> copyOf(const ProjectRecord& record) {
    auto copy = ProjectRecord::createBlank();
    std::memcpy(copy->bytes(), record.bytes(), kProjectRecordSize);
    return copy;
}

// The bytes an operation is meant to write, each with its value; every other byte of the record must
// come through with its old value. Fields are named on the changed record, values little-endian.
class ExpectedBytes {
public:
    explicit ExpectedBytes(const ProjectRecord& record) : m_record(record) {}

    template <typename Field> void set(const Field& field, std::uint64_t value) {
        const std::size_t at = offsetOf(&field);
        for (std::size_t i = 0; i < sizeof(Field); ++i) {
            m_value[at + i] = std::uint8_t(value >> (8 * i));
            m_claimed[at + i] = true;
        }
    }
    // An emptied text: only its length byte is written; the text bytes after it keep their values.
    template <int N> void emptied(const ShortString<N>& text) { set(text.length, 0); }
    void fill(const void* begin, std::size_t size, std::uint8_t value) {
        const std::size_t at = offsetOf(begin);
        for (std::size_t i = 0; i < size; ++i) {
            m_value[at + i] = value;
            m_claimed[at + i] = true;
        }
    }

    // Compares the changed record with the original byte for byte and reports the first differences.
    void check(const ProjectRecord& original) const {
        int wrong = 0;
        for (std::size_t i = 0; i < kProjectRecordSize; ++i) {
            const std::uint8_t want = m_claimed[i] ? m_value[i] : original.bytes()[i];
            if (m_record.bytes()[i] == want) continue;
            if (++wrong <= 10) {
                ADD_FAILURE() << "byte 0x" << std::hex << i << " is 0x" << int(m_record.bytes()[i])
                              << ", expected 0x" << int(want) << (m_claimed[i] ? " (set)" : " (kept)");
            }
        }
        EXPECT_EQ(wrong, 0) << "bytes that differ";
    }

private:
    std::size_t offsetOf(const void* field) const {
        return std::size_t(static_cast<const std::uint8_t*>(field) - m_record.bytes());
    }

    const ProjectRecord& m_record;
    std::vector<std::uint8_t> m_value = std::vector<std::uint8_t>(kProjectRecordSize);
    std::vector<bool> m_claimed = std::vector<bool>(kProjectRecordSize, false);
};

// What the plot erase writes, field by field; everything else (counts, animations, gaps, text tails,
// the second spare byte of an item, the crowd remarks' spare bytes) is left alone.
ExpectedBytes plotEraseWrites(const ProjectRecord& erased) {
    ExpectedBytes expected(erased);
    const ProjectRecord& r = erased;
    for (int k = 0; k < kMenuZones; ++k) {
        for (const Point16* corner : {&r.menuZoneTopLeft[k], &r.menuZoneBottomRight[k]}) {
            expected.set(corner->x, 1);
            expected.set(corner->y, 1);
        }
    }
    for (const HeroRemark& remark : r.heroRemarks) {
        expected.set(remark.state, 0);
        expected.emptied(remark.text);
        expected.set(remark.col, 1);
        expected.set(remark.row, 1);
        expected.set(remark.scene, 1);
    }
    for (const CrowdRemark& remark : r.crowdRemarks) {
        expected.set(remark.x, 1);
        expected.set(remark.y, 1);
        expected.emptied(remark.text);
        expected.set(remark.scene, 0); // placed nowhere
        expected.set(remark.countdown, 1);
        expected.set(remark.shownIndex, 1);
    }
    for (const Item& item : r.items) {
        expected.set(item.state, 0);
        expected.set(item.col0, 1);
        expected.set(item.row0, 1);
        expected.set(item.scene, 1);
        expected.set(item.gap, 0);
        expected.set(item.partner, 0);
        expected.set(item.product, 0);
        expected.set(item.isComposite, 0);
    }
    expected.fill(r.passGrid, sizeof r.passGrid, 0);
    for (const SceneBlock& scene : r.scenes) {
        for (const Portal& portal : scene.portals) {
            expected.set(portal.col, 0); // the "no portal" cell, outside the grid
            expected.set(portal.row, 0);
            expected.set(portal.arrivalCol, 1);
            expected.set(portal.arrivalRow, 1);
            expected.set(portal.targetScene, 1);
        }
        for (const AnimSpot& spot : scene.animSpots) {
            expected.set(spot.visible, 0);
            expected.set(spot.x, 0);
            expected.set(spot.y, 0);
            expected.set(spot.animation, 1);
            expected.set(spot.randomFrame, 1);
        }
        for (const Door& door : scene.doors) {
            expected.set(door.state, 0);
            for (const std::uint8_t* one : {&door.keyItem, &door.openPicture, &door.closedPicture,
                                            &door.comic, &door.approachCol, &door.approachRow})
                expected.set(*one, 1);
            for (const std::uint16_t* one : {&door.keyZoneX1, &door.keyZoneY1, &door.keyZoneX2,
                                             &door.keyZoneY2, &door.pictureX, &door.pictureY})
                expected.set(*one, 1);
        }
        for (const Hint& hint : scene.hints) {
            for (const std::uint16_t* one :
                 {&hint.textX, &hint.textY, &hint.zoneX1, &hint.zoneY1, &hint.zoneX2, &hint.zoneY2})
                expected.set(*one, 1);
            expected.emptied(hint.text);
        }
        for (const Dialog& dialog : scene.dialogs) {
            expected.set(dialog.kind, 0);
            expected.set(dialog.progress, 0);
            for (const std::uint8_t* one :
                 {&dialog.approachCol, &dialog.approachRow, &dialog.giveItem, &dialog.getItem})
                expected.set(*one, 1);
            for (const std::uint16_t* one : {&dialog.zoneX1, &dialog.zoneY1, &dialog.zoneX2, &dialog.zoneY2,
                                             &dialog.textX, &dialog.textY})
                expected.set(*one, 1);
            for (const auto& line : dialog.lines)
                expected.emptied(line);
        }
        for (const RandomDialog& random : scene.randomDialogs) {
            for (const auto& line : random.lines)
                expected.emptied(line);
        }
    }
    expected.fill(r.inventory, sizeof r.inventory, 0);
    for (const std::uint16_t* one : {&r.heroX, &r.heroY, &r.heroCol, &r.heroRow})
        expected.set(*one, 1);
    for (const std::uint8_t* one : {&r.heroAnimForward, &r.heroAnimBack, &r.heroAnimLeft, &r.heroAnimRight,
                                    &r.heroAnimStand, &r.heldItem})
        expected.set(*one, 1);
    expected.set(r.holdingItem, 0);
    expected.set(r.heroStep, 5);
    expected.set(r.gameName.length, 4);
    for (int i = 0; i < 4; ++i)
        expected.set(r.gameName.bytes[i], std::uint8_t("none"[i]));
    expected.set(r.startScene, 1);
    expected.set(r.tickInterval, 50); // the start-up default, not a 1 ms frame period
    for (const std::int32_t& reserved : r.reservedInts)
        expected.set(reserved, 1);
    for (const auto& text : r.reservedTexts)
        expected.emptied(text);
    expected.set(r.reservedTail[0], 0);
    return expected;
}

TEST(ErasePlot, WritesExactlyTheBlankPlotAndKeepsEveryOtherByte) {
    for (std::uint32_t seed : {1u, 0xC0FFEEu}) {
        SCOPED_TRACE(seed);
        const auto original = randomRecord(seed);
        auto erased = copyOf(*original);
        erasePlot(*erased);
        plotEraseWrites(*erased).check(*original);
    }
}

TEST(ErasePlot, LeavesAWorldWithNothingInIt) {
    auto record = randomRecord(7);
    erasePlot(*record);

    for (int s = 1; s <= kSceneCapacity; ++s) {
        for (int c = 1; c <= kGridColumns; ++c) {
            for (int r = 1; r <= kGridRows; ++r)
                ASSERT_LT(record->passOrBlocked(s, c, r), kBlockedCell) << s << ":" << c << "," << r;
        }
        const SceneBlock& scene = record->scene(s);
        for (int k = 1; k <= kPortalsPerScene; ++k) // no cell of the grid leads anywhere
            EXPECT_FALSE(isCellInGrid(scene.portal(k).col, scene.portal(k).row));
        for (int k = 1; k <= kDoorsPerScene; ++k)
            EXPECT_EQ(scene.door(k).state, 0);
        for (int k = 1; k <= kDialogsPerScene; ++k)
            EXPECT_EQ(scene.dialog(k).kind, 0);
        for (int k = 1; k <= kHintsPerScene; ++k)
            EXPECT_TRUE(scene.hint(k).text.text().empty());
    }
    for (int n = 1; n <= kItemCapacity; ++n)
        EXPECT_EQ(record->item(n).state, 0) << "item " << n;
    for (int k = 1; k <= kBagSlots; ++k)
        EXPECT_EQ(record->bagSlot(k), 0);
    EXPECT_EQ(record->holdingItem, 0);
    for (int k = 1; k <= kCrowdRemarkCapacity; ++k)
        EXPECT_FALSE(isSceneNumber(record->crowdRemark(k).scene));
    for (int k = 1; k <= kHeroRemarkCapacity; ++k)
        EXPECT_EQ(record->heroRemark(k).state, 0);
    EXPECT_TRUE(isCellInGrid(record->heroCol, record->heroRow));
    EXPECT_GE(record->tickInterval, 20);
    EXPECT_LE(record->tickInterval, 100);
    EXPECT_EQ(record->gameName.text(), "none");
}

// Draws every frame of every animation, both ways of placing it, over a filled canvas.
QImage drawAllFrames(const ProjectRecord& record, const QImage& sheetImage) {
    const Picture sheet = fromQt(sheetImage);
    Picture canvas(kPlayWidth, kPlayHeight);
    canvas.fill(0xFF123456);
    Picture framePicture;
    for (int a = 1; a <= kAnimationCapacity; ++a) {
        for (int f = 1; f <= kFrameCapacity; ++f) {
            cutFrame(canvas, sheet, framePicture, record, 500, 400, a, false, f);
            cutFrame(canvas, sheet, framePicture, record, 500, 400, a, true, f);
        }
    }
    return toQt(std::as_const(canvas)).copy();
}

TEST(EraseAnimations, LeavesOneEmptyFrameThatDrawsNothing) {
    // A real picture as the sheet, and random frames that lie on it: they draw plenty of it.
    const QImage sheet =
        toQt(decodePicture(fromQtBytes(test::readTestData(QStringLiteral("bmp/good/webamp_base-2.91_MAIN.BMP")))));
    ASSERT_FALSE(sheet.isNull());
    auto original = randomRecord(42);
    for (Animation& animation : original->animations) {
        for (AnimFrame& frame : animation.frames) {
            frame.srcX = std::uint16_t(frame.srcX % sheet.width());
            frame.srcY = std::uint16_t(frame.srcY % sheet.height());
        }
    }
    auto erased = copyOf(*original);
    eraseAnimations(*erased);

    ExpectedBytes expected(*erased);
    for (const Animation& animation : erased->animations) {
        expected.fill(animation.frames, sizeof animation.frames, 0);
        expected.set(animation.frameCount, 1);
    }
    expected.check(*original);

    // The erased frames draw nothing at all, placed either way.
    const QImage untouched = drawAllFrames(*ProjectRecord::createBlank(), sheet);
    ASSERT_NE(drawAllFrames(*original, sheet), untouched);
    EXPECT_EQ(drawAllFrames(*erased, sheet), untouched);
}

} // namespace
} // namespace tw
