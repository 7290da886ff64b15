#include "editor/canvasediting.h"
#include "editor/editorshell.h"
#include "runtime/engine.h"
#include "support/fakes.h"
#include "support/faketree.h"

#include <gtest/gtest.h>

namespace tw::test {
namespace {

class CanvasInput : public ::testing::Test {
protected:
    FakeWorld world;
    std::unique_ptr<Engine> engine;
    std::unique_ptr<CanvasEditing> editing;

    void SetUp() override {
        auto record = ProjectRecord::createBlank();
        record->sceneCount = 4;
        record->startScene = 2;
        record->tickInterval = 50;
        putMinimalTree(world.files, *record);
        engine = std::make_unique<Engine>(kFakeRoot, world.services());
        editing = std::make_unique<CanvasEditing>(*engine);
        ASSERT_TRUE(engine->startUp());
    }
    ProjectRecord& record() { return engine->record(); }
};

TEST_F(CanvasInput, EveryPressSoundsTheClickOnItsOwnChannel) {
    engine->mouseDown(MouseButton::Left, 10, 10);
    selectPage(*engine, EditorPage::PlotEditor);
    engine->mouseDown(MouseButton::Right, 10, 10);
    const QString click = QStringLiteral("click:") + QString::fromStdString(kFakeRoot.sound("clik.wav"));
    EXPECT_EQ(world.audio.log.count(click), 2);
    EXPECT_FALSE(world.audio.log.join(QLatin1Char(' ')).contains(QStringLiteral("effect:")));
}

TEST_F(CanvasInput, MenuZoneIsStretchedByPressMoveAndRelease) {
    armMenuZone(*engine, 2);
    engine->mouseDown(MouseButton::Left, 100, 120);
    EXPECT_EQ(record().menuTopLeft(2).x, 100);
    EXPECT_EQ(record().menuBottomRight(2).y, 120);
    engine->mouseMove(150, 160, 699);
    engine->mouseMove(300, 200, 699);
    engine->mouseUp();
    engine->mouseMove(400, 400, 699); // after the release nothing is stretched
    EXPECT_EQ(record().menuTopLeft(2).x, 100);
    EXPECT_EQ(record().menuTopLeft(2).y, 120);
    EXPECT_EQ(record().menuBottomRight(2).x, 300);
    EXPECT_EQ(record().menuBottomRight(2).y, 200);
    EXPECT_EQ(editorState(*engine).menuZoneBeingSet, 0);
    EXPECT_EQ(world.messages.beeps, 0); // the press set the zone, it was not a menu click
}

TEST_F(CanvasInput, MenuClicksBeepOrOpenHelpWithStrictBorders) {
    record().menuTopLeft(2) = {100, 100};
    record().menuBottomRight(2) = {300, 200};
    record().menuTopLeft(4) = {250, 150};
    record().menuBottomRight(4) = {400, 300};
    engine->mouseDown(MouseButton::Left, 100, 150); // on the border
    engine->mouseDown(MouseButton::Left, 200, 100);
    EXPECT_EQ(world.messages.beeps, 0);
    EXPECT_EQ(engine->screen().screenMode, ScreenMode::Menu);

    engine->mouseMove(150, 150, 699);
    EXPECT_EQ(engine->canvasCursor(), int(cursorMenu));
    engine->mouseMove(50, 50, 699);
    EXPECT_EQ(engine->canvasCursor(), int(cursorNeutral));

    engine->mouseDown(MouseButton::Left, 270, 170); // in zones 2 and 4: beep, then help
    EXPECT_EQ(world.messages.beeps, 1);
    EXPECT_EQ(engine->screen().screenMode, ScreenMode::Help);
    EXPECT_EQ(world.files.opened.last(), QString::fromStdString(kFakeRoot.data("help")));
    EXPECT_EQ(engine->canvas().pixel(5, 5), qRgb(0, 160, 0));

    // On the help screen a click only sounds; Esc returns to the menu.
    engine->mouseDown(MouseButton::Left, 270, 170);
    EXPECT_EQ(world.messages.beeps, 1);
    engine->keyDown(kEscapeKey);
    EXPECT_EQ(engine->screen().screenMode, ScreenMode::Menu);
    EXPECT_EQ(engine->canvas().pixel(5, 5), qRgb(0, 0, 160));
}

TEST_F(CanvasInput, EscapeFromTheSceneKeepsTheGameState) {
    selectPage(*engine, EditorPage::PlotEditor);
    record().heroX = 333;
    engine->play().spotFrame[3] = 4;
    engine->keyDown(kEscapeKey);
    EXPECT_EQ(engine->screen().screenMode, ScreenMode::Menu);
    EXPECT_EQ(engine->canvasCursor(), int(cursorNeutral));
    EXPECT_EQ(record().heroX, 333);
    EXPECT_EQ(engine->play().spotFrame[3], 4);
    engine->keyDown('A');
    EXPECT_EQ(engine->screen().screenMode, ScreenMode::Menu);
}

TEST_F(CanvasInput, APressServesEveryArmedSubModeAtTheSamePoint) {
    selectPage(*engine, EditorPage::PlotEditor);
    EditorState& editor = editorState(*engine);
    editor.currentHint = 3;
    editor.currentDialog = 2;
    editor.hintTextArmed = true;
    editor.dialogTextArmed = true;
    editor.heroPlacementArmed = true;
    engine->mouseDown(MouseButton::Left, 321, 234);
    EXPECT_EQ(record().scene(2).hint(3).textX, 321);
    EXPECT_EQ(record().scene(2).hint(3).textY, 234);
    EXPECT_EQ(record().scene(2).dialog(2).textX, 321);
    EXPECT_EQ(record().scene(2).dialog(2).textY, 234);
    EXPECT_EQ(record().heroX, 321);
    EXPECT_FALSE(editor.hintTextArmed || editor.dialogTextArmed || editor.heroPlacementArmed);
}

TEST_F(CanvasInput, WalkableOnlySubModesIgnoreBlockedCellsAndStayArmed) {
    selectPage(*engine, EditorPage::PlotEditor);
    record().pass(2, 5, 6) = kBlockedCell;
    editorState(*engine).itemArmed = true;
    editorState(*engine).currentItem = 7;
    engine->mouseDown(MouseButton::Left, 85, 105); // cell (5, 6), blocked
    EXPECT_TRUE(editorState(*engine).itemArmed);
    EXPECT_EQ(record().item(7).state, 0);
    engine->mouseDown(MouseButton::Left, 105, 105); // cell (6, 6)
    EXPECT_FALSE(editorState(*engine).itemArmed);
    EXPECT_EQ(record().item(7).state, 1);
    EXPECT_EQ(record().item(7).col0, 5);
    EXPECT_EQ(record().item(7).row0, 5);
    EXPECT_EQ(record().item(7).scene, 2);
}

TEST_F(CanvasInput, ZoneDragsWriteOnMovesAndEndOnRelease) {
    selectPage(*engine, EditorPage::PlotEditor);
    editorState(*engine).hintZoneArmed = true;
    editorState(*engine).currentHint = 1;
    engine->mouseDown(MouseButton::Left, 50, 60);
    EXPECT_EQ(record().scene(2).hint(1).zoneX2, 0); // a press alone writes nothing
    engine->mouseMove(90, 100, 699);
    engine->mouseUp();
    engine->mouseMove(200, 200, 699);
    const Hint& hint = record().scene(2).hint(1);
    EXPECT_EQ(hint.zoneX1, 50);
    EXPECT_EQ(hint.zoneY1, 60);
    EXPECT_EQ(hint.zoneX2, 90);
    EXPECT_EQ(hint.zoneY2, 100);
    EXPECT_FALSE(editorState(*engine).hintZoneArmed);
}

TEST_F(CanvasInput, DragsPastTheCanvasEdgeStopAtItAndPointsLeftOfItLieInNoCell) {
    // A menu zone dragged out past the bottom-left corner ends on the play area's edge.
    armMenuZone(*engine, 1);
    engine->mouseDown(MouseButton::Left, 300, 200);
    engine->mouseMove(-40, 900, 699);
    engine->mouseUp();
    EXPECT_EQ(record().menuBottomRight(1).x, 0);
    EXPECT_EQ(record().menuBottomRight(1).y, 699);

    // The key, hint and dialog zones of the plot editor, dragged all at once past the right and top edges.
    selectPage(*engine, EditorPage::PlotEditor);
    EditorState& editor = editorState(*engine);
    editor.keyZoneArmed = editor.hintZoneArmed = editor.dialogZoneArmed = true;
    engine->mouseDown(MouseButton::Left, 500, 300);
    engine->mouseMove(1500, -70000, 699);
    engine->mouseUp();
    const SceneBlock& scene = record().scene(2);
    for (const auto& [x2, y2] : {std::pair{scene.door(1).keyZoneX2, scene.door(1).keyZoneY2},
                                 std::pair{scene.hint(1).zoneX2, scene.hint(1).zoneY2},
                                 std::pair{scene.dialog(1).zoneX2, scene.dialog(1).zoneY2}}) {
        EXPECT_EQ(x2, 1008);
        EXPECT_EQ(y2, 0);
    }
    EXPECT_EQ(scene.hint(1).zoneX1, 500);

    // Just left of the canvas is outside the grid, not in its first column.
    engine->mouseMove(-5, 100, 699);
    EXPECT_EQ(engine->canvasCursor(), int(cursorUnavailable));
    engine->mouseMove(5, 100, 699);
    EXPECT_EQ(engine->canvasCursor(), int(cursorNeutral));
}

TEST_F(CanvasInput, PanelShowsNearTheBottomAndHidesFiftyPixelsAbove) {
    EXPECT_EQ(engine->mouseMove(10, 695, 699), PanelChange::Show);
    EXPECT_EQ(engine->mouseMove(10, 694, 699), PanelChange::Keep);
    EXPECT_EQ(engine->mouseMove(10, 649, 699), PanelChange::Keep);
    EXPECT_EQ(engine->mouseMove(10, 648, 699), PanelChange::Hide);
    // With the panel shown the canvas is shorter.
    EXPECT_EQ(engine->mouseMove(10, 480, 530), PanelChange::Keep);
    EXPECT_EQ(engine->mouseMove(10, 479, 530), PanelChange::Hide);
}

TEST_F(CanvasInput, SceneButtonsClampToTheScenesThatExist) {
    selectPage(*engine, EditorPage::PlotEditor);
    engine->screen().currentScene = 1;
    previousScene(*engine);
    EXPECT_EQ(engine->screen().currentScene, 1);
    nextScene(*engine);
    nextScene(*engine);
    nextScene(*engine);
    EXPECT_EQ(engine->screen().currentScene, 4);
    EXPECT_EQ(world.files.opened.last(), QString::fromStdString(kFakeRoot.scene(4)));
    nextScene(*engine);
    EXPECT_EQ(engine->screen().currentScene, 4);
}

TEST_F(CanvasInput, EachTabSetsItsModeAndBackground) {
    const struct {
        EditorPage page;
        ScreenMode mode;
        QString file;
        int cursor;
    } cases[] = {
        {EditorPage::Applicator, ScreenMode::Applicator, QString::fromStdString(kFakeRoot.scene(2)), kCursorHidden},
        {EditorPage::Animator, ScreenMode::Animator, QString::fromStdString(kFakeRoot.data("anim")), kCursorDefault},
        {EditorPage::System, ScreenMode::Animator, QString::fromStdString(kFakeRoot.data("anim")), kCursorDefault},
        {EditorPage::Passability, ScreenMode::Passability, QString::fromStdString(kFakeRoot.scene(2)), kCursorDefault},
        {EditorPage::PlotEditor, ScreenMode::Scene, QString::fromStdString(kFakeRoot.scene(2)), kCursorDefault},
        {EditorPage::Build, ScreenMode::Scene, QString::fromStdString(kFakeRoot.scene(2)), kCursorDefault},
        {EditorPage::GameMenu, ScreenMode::Menu, QString::fromStdString(kFakeRoot.data("menu")), kCursorDefault},
    };
    for (const auto& c : cases) {
        selectPage(*engine, c.page);
        EXPECT_EQ(engine->screen().screenMode, c.mode) << int(c.page);
        EXPECT_TRUE(world.files.opened.contains(c.file)) << int(c.page);
        EXPECT_EQ(engine->canvasCursor(), c.cursor) << int(c.page);
    }
}

} // namespace
} // namespace tw::test
