#include "editor/chosenfile.h"
#include "editor/editjournal.h"
#include "project/assetcheck.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace tw::test {
namespace {

// For random pairs of buffers (few, many or clustered changes, at the ends too), the patches turn the
// old buffer into the new one and back, and cover only bytes near a change.
TEST(EditJournal, PatchesRebuildBothSidesOfAnyChange) {
    std::mt19937 dice(5);
    for (int round = 0; round < 300; ++round) {
        const std::size_t size = 1 + dice() % 3000;
        std::vector<std::uint8_t> before(size);
        for (auto& b : before) b = std::uint8_t(dice());
        std::vector<std::uint8_t> now = before;
        const int changes = int(dice() % 40);
        for (int i = 0; i < changes; ++i) {
            const std::size_t at = round % 7 == 0 ? size - 1 - dice() % std::min<std::size_t>(size, 20) : dice() % size;
            now[at] = std::uint8_t(now[at] + 1 + dice() % 255);
        }
        std::vector<RecordPatch> patches;
        collectPatches(before.data(), now.data(), size, patches);

        std::vector<std::uint8_t> forward = before;
        std::vector<std::uint8_t> backward = now;
        std::size_t covered = 0;
        std::size_t lastEnd = 0;
        for (const RecordPatch& p : patches) {
            ASSERT_EQ(p.before.size(), p.after.size());
            ASSERT_LE(p.offset + std::size_t(p.after.size()), size);
            ASSERT_GE(p.offset, lastEnd); // in order, not overlapping
            lastEnd = p.offset + std::size_t(p.after.size());
            // A patch starts and ends on a changed byte.
            EXPECT_NE(before[p.offset], now[p.offset]);
            EXPECT_NE(before[lastEnd - 1], now[lastEnd - 1]);
            std::memcpy(forward.data() + p.offset, p.after.constData(), std::size_t(p.after.size()));
            std::memcpy(backward.data() + p.offset, p.before.constData(), std::size_t(p.before.size()));
            covered += std::size_t(p.after.size());
        }
        EXPECT_EQ(forward, now);
        EXPECT_EQ(backward, before);
        EXPECT_LE(covered, std::size_t(changes) * 16 + 1);
        if (changes == 0) {
            EXPECT_TRUE(patches.empty());
        }
    }
}

EditStep stepOf(std::size_t bytes) {
    EditStep step;
    step.patches.push_back(RecordPatch{0, QByteArray(qsizetype(bytes), 'a'), QByteArray(qsizetype(bytes), 'b')});
    return step;
}

TEST(EditJournal, KeepsTheNewestStepsWithinCountAndMemory) {
    EditJournal byCount(200, std::size_t(1) << 30);
    for (int i = 0; i < 250; ++i) byCount.push(stepOf(10));
    EXPECT_EQ(byCount.stepCount(), 200);
    EXPECT_EQ(byCount.undoableCount(), 200);

    const std::size_t limit = 1000000;
    EditJournal byMemory(200, limit);
    for (int i = 0; i < 50; ++i) {
        byMemory.push(stepOf(100000));
        EXPECT_LE(byMemory.bytes(), limit);
    }
    EXPECT_EQ(byMemory.stepCount(), 4); // four steps of 200 kB and some bookkeeping fit in 1 MB
    // The one kept last is the one pushed last.
    EXPECT_EQ(byMemory.nextUndo().patches[0].after.size(), 100000);

    // Undone steps are dropped by a new one; an empty step changes nothing; a step larger than the
    // whole budget cannot be kept and leaves nothing to undo past it.
    byMemory.undone();
    byMemory.push(EditStep{});
    EXPECT_TRUE(byMemory.canRedo());
    byMemory.push(stepOf(10));
    EXPECT_FALSE(byMemory.canRedo());
    EXPECT_EQ(byMemory.stepCount(), 4);
    // Such a step is known before it is made, so that the author can be asked.
    EXPECT_FALSE(byMemory.wouldDropHistory(stepOf(limit / 2 - 1000).bytes()));
    EXPECT_TRUE(byMemory.wouldDropHistory(stepOf(limit / 2).bytes()));
    byMemory.push(stepOf(limit));
    EXPECT_FALSE(byMemory.canUndo());
    EXPECT_EQ(byMemory.bytes(), 0u);
}

// The largest file of any kind the author may choose replaces another as large in one step, which the
// history holds with room to spare: no choice of a file can crowd out the steps before it.
TEST(EditJournal, TheLargestChosenFilesFitTheHistory) {
    const EditJournal journal;
    for (AssetKind kind : {AssetKind::Picture, AssetKind::Cursor, AssetKind::Wave, AssetKind::Mp3}) {
        const auto largest = std::size_t(largestChosenFile(kind));
        EXPECT_GT(largest, std::size_t(1) << 20);
        EXPECT_FALSE(journal.wouldDropHistory(3 * largest));
    }
}

} // namespace
} // namespace tw::test
