#include "editor/canvasediting.h"
#include "editor/editorshell.h"
#include "make-demo/demotree.h"
#include "platform/filesystem.h"
#include "runtime/engine.h"
#include "support/fakes.h"
#include "support/faketree.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTemporaryDir>

#include <cstring>
#include <random>

namespace tw::test {
namespace {

// Every item number at most once among the 18 bag slots and the cursor.
::testing::AssertionResult eachItemOnce(const ProjectRecord& record) {
    int seen[256] = {};
    for (int k = 1; k <= kBagSlots; ++k) {
        if (record.bagSlot(k) != 0) ++seen[record.bagSlot(k)];
    }
    if (record.holdingItem != 0 && record.heldItem != 0) ++seen[record.heldItem];
    for (int n = 1; n < 256; ++n) {
        if (seen[n] > 1) return ::testing::AssertionFailure() << "item " << n << " is there " << seen[n] << " times";
    }
    return ::testing::AssertionSuccess();
}

// Makes a record consistent the way an editor-made one is: no item twice in the bag or on the cursor.
void removeCopies(ProjectRecord& record) {
    bool seen[256] = {};
    if (record.holdingItem != 0 && record.heldItem != 0) seen[record.heldItem] = true;
    for (int k = 1; k <= kBagSlots; ++k) {
        std::uint8_t& slot = record.bagSlot(k);
        if (slot == 0) continue;
        if (seen[slot]) slot = 0;
        else seen[slot] = true;
    }
}

// Random pointer work: moves anywhere (outside the canvas too), presses and releases of both buttons,
// Esc now and then, and the plot editor page chosen again after it; ticks in between.
void soak(Engine& engine, std::uint32_t seed, int ticks, bool checkCopies) {
    std::mt19937 random(seed);
    auto pick = [&random](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    selectPage(engine, EditorPage::PlotEditor);
    for (int tick = 0; tick < ticks; ++tick) {
        const int events = pick(0, 3);
        for (int e = 0; e < events; ++e) {
            const int x = pick(-40, 1060);
            const int y = pick(-40, 760);
            switch (pick(0, 9)) {
            case 0:
            case 1:
                engine.mouseDown(pick(0, 4) == 0 ? MouseButton::Right : MouseButton::Left, x, y);
                break;
            case 2:
            case 3:
                engine.mouseUp();
                break;
            case 4:
                // Near the top: the item panel and the bag.
                engine.mouseMove(pick(0, 1008), pick(0, 70), 699);
                engine.mouseDown(MouseButton::Left, pick(0, 1008), pick(0, 60));
                break;
            default:
                engine.mouseMove(x, y, pick(0, 1) ? 699 : 530);
                break;
            }
            if (checkCopies) {
                ASSERT_TRUE(eachItemOnce(engine.record())) << "after an event of tick " << tick;
            }
        }
        if (pick(0, 2000) == 0) {
            engine.keyDown(kEscapeKey);
            selectPage(engine, EditorPage::PlotEditor);
        }
        engine.frameTick();
        if (tick % 7 == 0) engine.overlayTick();
        if (checkCopies) {
            ASSERT_TRUE(eachItemOnce(engine.record())) << "after tick " << tick;
        }
    }
}

int soakTicks() {
    // The full run; the sanitizer build may ask for fewer through the environment.
    const int fromEnvironment = qEnvironmentVariableIntValue("TW_SOAK_TICKS");
    return fromEnvironment > 0 ? fromEnvironment : 100000;
}

TEST(Soak, DemoProjectUnderRandomInput) {
    QTemporaryDir dir;
    QString error;
    ASSERT_EQ(demo::writeDemoTree({dir.path(), QCoreApplication::applicationFilePath()}, &error),
              demo::DemoResult::Written)
        << error.toStdString();
    DiskFileSystem disk;
    FakeMessages messages;
    FakeAudio audio;
    FakeCursors cursors;
    FakeFileDialogs dialogs;
    SeededRandom random(11);
    Engine engine(AssetPaths(dir.path().toStdString()), Services{disk, messages, audio, cursors, random, dialogs});
    const CanvasEditing editing(engine);
    ASSERT_TRUE(engine.startUp());
    ASSERT_TRUE(eachItemOnce(engine.record()));
    soak(engine, 1, soakTicks(), true);
    EXPECT_TRUE(messages.errors.isEmpty()) << messages.errors.join(QLatin1Char('\n')).toStdString();
}

TEST(Soak, RandomRecordsUnderRandomInput) {
    std::mt19937 bytes(77);
    for (int round = 0; round < 5; ++round) {
        SCOPED_TRACE(round);
        auto record = ProjectRecord::createBlank();
        for (std::size_t b = 0; b < kProjectRecordSize; ++b) record->bytes()[b] = std::uint8_t(bytes());
        // Keep the scenes' pictures findable and the record consistent; everything else stays random.
        record->sceneCount = std::uint16_t(1 + round * 3);
        removeCopies(*record);
        FakeWorld world;
        putMinimalTree(world.files, *record);
        Engine engine(kFakeRoot, world.services());
        const CanvasEditing editing(engine);
        ASSERT_TRUE(engine.startUp());
        soak(engine, 100 + round, soakTicks() / 5, true);
    }
}

} // namespace
} // namespace tw::test
