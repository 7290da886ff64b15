#include "canvas/screenstate.h"
#include "runtime/engine.h"
#include "support/fakes.h"
#include "support/faketree.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace tw::test {
namespace {

// Records no editor would write: every byte random, or every byte at a boundary value. Each is loaded,
// started and redrawn in every screen mode; nothing may read or write outside the tables (the sanitizer
// build checks that) and the stored bytes must come back unchanged where the program does not own them.
std::vector<std::unique_ptr<ProjectRecord>> hostileRecords() {
    std::vector<std::unique_ptr<ProjectRecord>> records;
    for (std::uint8_t fill : {0x00, 0x01, 0x7F, 0x80, 0xFE, 0xFF}) {
        auto record = ProjectRecord::createBlank();
        std::memset(record->bytes(), fill, kProjectRecordSize);
        records.push_back(std::move(record));
    }
    std::mt19937 random(2024);
    for (int i = 0; i < 6; ++i) {
        auto record = ProjectRecord::createBlank();
        for (std::size_t b = 0; b < kProjectRecordSize; ++b) record->bytes()[b] = std::uint8_t(random());
        records.push_back(std::move(record));
    }
    // Plausible records with single fields pushed to their edges.
    auto edges = ProjectRecord::createBlank();
    edges->sceneCount = 101;
    edges->startScene = 0;
    edges->heldItem = 101;
    edges->holdingItem = 1;
    edges->heroX = 65535;
    edges->heroY = 65535;
    edges->heroAnimStand = 0;
    edges->animation(1).frameCount = 31;
    edges->animation(1).frame(1) = AnimFrame{65535, 65535, 65535, 65535};
    edges->scene(1).animSpot(1) = AnimSpot{1, 0, 65535, 65535, 101, 1};
    edges->scene(1).animSpot(2) = AnimSpot{1, 0, 0, 0, 0, 0};
    records.push_back(std::move(edges));
    return records;
}

// A few frames of play in every mode, with the pointer held at places the record may name.
void playEveryMode(Engine& engine) {
    for (ScreenMode mode : {ScreenMode::Menu, ScreenMode::Help, ScreenMode::Applicator, ScreenMode::Animator,
                            ScreenMode::Passability, ScreenMode::Scene}) {
        engine.screen().screenMode = mode;
        for (QPoint at : {QPoint(0, 0), QPoint(505, 2), QPoint(1008, 699), QPoint(30, 30), QPoint(600, 300)}) {
            engine.mouseMove(at.x(), at.y(), 699);
            engine.mouseDown(MouseButton::Left, at.x(), at.y());
            engine.frameTick();
            engine.overlayTick();
            engine.mouseUp();
            engine.frameTick();
        }
    }
}

void redrawEverything(Engine& engine) {
    const ProjectRecord& record = engine.record();
    for (ScreenMode mode : {ScreenMode::Menu, ScreenMode::Help, ScreenMode::Applicator, ScreenMode::Animator,
                            ScreenMode::Passability, ScreenMode::Scene}) {
        engine.screen().screenMode = mode;
        engine.reloadBackground();
    }
    const SceneBlock& scene = engine.record().scene(engine.screen().currentScene);
    for (int k = 1; k <= kSpotsPerScene; ++k) {
        const AnimSpot& spot = scene.animSpot(k);
        for (int f = 0; f <= 31; ++f) engine.cutFrame(spot.x, spot.y, spot.animation, false, f);
    }
    for (int a = 0; a <= 101; ++a) engine.cutFrame(record.heroX, record.heroY, a, true, 1);
}

TEST(HostileRecord, LoadsStartsRedrawsAndClosesSafely) {
    int index = 0;
    for (auto& hostile : hostileRecords()) {
        SCOPED_TRACE(index++);
        FakeWorld world;
        putMinimalTree(world.files, *hostile, true);
        Engine engine(kFakeRoot, world.services());
        ASSERT_TRUE(engine.startUp());
        EXPECT_TRUE(isSceneNumber(engine.screen().currentScene));
        EXPECT_GE(engine.frameTimerInterval(), 1);
        redrawEverything(engine);

        const std::string name = engine.gameName();
        ASSERT_TRUE(engine.shutDown(name));
        auto saved = storedRecord(world.files);
        ASSERT_TRUE(saved);
        // Everything but the fields start-up and shutdown own comes back byte for byte.
        auto expected = ProjectRecord::createBlank();
        std::memcpy(expected->bytes(), hostile->bytes(), kProjectRecordSize);
        if (expected->tickInterval == 0) expected->tickInterval = 50;
        if (expected->sceneCount == 0) expected->sceneCount = 1;
        if (expected->stampCount == 0) expected->stampCount = 3;
        if (expected->comicCount == 0) expected->comicCount = 3;
        expected->startScene = engine.screen().currentScene;
        expected->gameName.setText(QString::fromStdString(name).left(100).toStdString());
        EXPECT_EQ(std::memcmp(saved->bytes(), expected->bytes(), kProjectRecordSize), 0);

        // Then played: whatever the record says, the frames and the clicks stay inside the tables.
        playEveryMode(engine);
        EXPECT_TRUE(isSceneNumber(engine.screen().currentScene));
        EXPECT_TRUE(engine.shutDown(name));
    }
}

} // namespace
} // namespace tw::test
