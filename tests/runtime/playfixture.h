#pragma once

#include "editor/canvasediting.h"
#include "editor/editorshell.h"
#include "runtime/engine.h"
#include "support/fakes.h"
#include "support/faketree.h"

#include <gtest/gtest.h>

namespace tw::test {

// An engine on a small fake project, in the scene mode, with every cell of scenes 1..3 walkable, the hero
// standing animation 1 (one 20 x 40 frame) at the foot point of cell (5, 5), step 10.
class PlayFixture : public ::testing::Test {
protected:
    FakeWorld world;
    std::unique_ptr<Engine> engine;
    // Play as the author tries it in the editor: the editor's modes and aids are there.
    std::unique_ptr<CanvasEditing> editing;

    void SetUp() override {
        auto record = ProjectRecord::createBlank();
        record->sceneCount = 3;
        record->startScene = 1;
        record->tickInterval = 50;
        record->heroStep = 10;
        record->animation(1).frameCount = 1;
        record->animation(1).frame(1) = AnimFrame{0, 0, 20, 40};
        record->heroAnimStand = record->heroAnimLeft = record->heroAnimRight = 1;
        record->heroAnimForward = record->heroAnimBack = 1;
        placeHero(*record, 5, 5);
        prepare(*record);
        putMinimalTree(world.files, *record);
        engine = std::make_unique<Engine>(kFakeRoot, world.services());
        editing = std::make_unique<CanvasEditing>(*engine);
        ASSERT_TRUE(engine->startUp());
        selectPage(*engine, EditorPage::PlotEditor);
    }
    // Lets a test change the record before start-up.
    virtual void prepare(ProjectRecord&) {}

    static void placeHero(ProjectRecord& record, int c, int r) {
        record.heroX = std::uint16_t(20 * (c - 1) + 10);
        record.heroY = std::uint16_t(20 * (r - 1) + 10);
        record.heroCol = std::uint16_t(c);
        record.heroRow = std::uint16_t(r);
    }
    ProjectRecord& record() { return engine->record(); }
    PlayState& play() { return engine->play(); }
    // A click: press, a tick while held, release.
    void click(int x, int y, MouseButton button = MouseButton::Left) {
        engine->mouseMove(x, y, 699);
        engine->mouseDown(button, x, y);
        engine->frameTick();
        engine->mouseUp();
    }
    void ticks(int n) {
        for (int i = 0; i < n; ++i) engine->frameTick();
    }
    // Opens the item panel by moving to the top edge.
    void openPanel() {
        engine->mouseMove(500, 2, 699);
        engine->frameTick();
    }
    int countInBag(int n) {
        int count = 0;
        for (int k = 1; k <= kBagSlots; ++k) count += record().bagSlot(k) == n;
        return count;
    }
    QString effect(const char* name) const { return QStringLiteral("effect:") + QString::fromStdString(kFakeRoot.sound(name)); }
};

} // namespace tw::test
