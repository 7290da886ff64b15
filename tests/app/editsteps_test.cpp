// The author edits while the game is played on the same canvas: what a press does is either an edit or a
// play order, never both; the game keeps its state through page changes and Esc; a portal placement is
// one step or nothing; each undo shows the scene its record was shown in; the applicator stamps on every
// press and follows every turn of the wheel.
#include "editor/savepoint.h"
#include "platform/picturecodec.h"
#include "support/windowscenario.h"
#include "toolkit/toolkittypes.h"

#include <QLabel>
#include <QTabWidget>
#include <QWheelEvent>

namespace tw::test {
namespace {

constexpr int kPlotTab = 6;

class EditSteps : public WindowScenario {
protected:
    // Scene 1: door 2 shut on cell (10, 5), its key zone (300, 50)-(400, 150) opened by item 3, which the
    // hero holds; character 2 talks from the zone (500, 50)-(600, 150), approached on (27, 5); hint 2
    // over (700, 50)-(800, 150). The hero stands on (3, 3); every other cell is walkable.
    void SetUp() override {
        auto game = newGame(3);
        ProjectRecord& r = *game;
        r.heroCol = 3;
        r.heroRow = 3;
        r.scene(1).door(2) = Door{1, 3, 2, 1, 0, 10, 5, 0, 300, 50, 400, 150, 300, 40};
        r.pass(1, 10, 5) = kBlockedCell;
        Dialog& hermit = r.scene(1).dialog(2);
        hermit.kind = 1;
        hermit.approachCol = 27;
        hermit.approachRow = 5;
        hermit.zoneX1 = 500, hermit.zoneY1 = 50, hermit.zoneX2 = 600, hermit.zoneY2 = 150;
        hermit.lines[0].setText("Здравствуй");
        Hint& hint = r.scene(1).hint(2);
        hint.zoneX1 = 700, hint.zoneY1 = 50, hint.zoneX2 = 800, hint.zoneY2 = 150;
        hint.text.setText("Дерево");
        r.startScene = 1;
        putMinimalTree(world.files, r);
        openWindow();
        // The hero holds the door's key (as play leaves it after taking it from the bag).
        record().item(3).state = 2;
        record().heldItem = 3;
        record().holdingItem = 1;
        find<QTabWidget>("PageControl1")->setCurrentIndex(kPlotTab);
        // The pointer away from the top edge, where the bag's panel opens.
        pointer(QEvent::MouseMove, QPoint(500, 300));
        ticks(2);
        ASSERT_FALSE(play().panelShown);
    }

    void send(QEvent::Type type, QPoint at, Qt::MouseButton button) {
        CanvasView* canvas = window->canvasView();
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
        QMouseEvent event(type, QPointF(at), canvas->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
        QApplication::sendEvent(canvas, &event);
    }
    void pressAndRelease(QPoint at, Qt::MouseButton button, int ticksHeld) {
        pointer(QEvent::MouseMove, at);
        send(QEvent::MouseButtonPress, at, button);
        ticks(ticksHeld);
        send(QEvent::MouseButtonRelease, at, button);
    }
    PlayState& play() { return window->engine().play(); }
    int bagCount() {
        int n = 0;
        for (int k = 1; k <= kBagSlots; ++k) n += record().bagSlot(k) != 0 ? 1 : 0;
        return n;
    }
    // A walk to door 2 with the held key, left under way.
    void sendTheHeroToTheDoor() {
        click(QPoint(350, 100));
        ticks(3);
        ASSERT_TRUE(play().walkingToDoor);
        ASSERT_NE(record().pass(1, 10, 5), kBlockedCell); // opened to the search while he walks up
    }
};

// Every placing sub-mode of the plot editor, each pressed over the door's key zone, the character's zone,
// the hint zone and a free reachable cell, with the left button held over frames, the right button, and
// a click no frame saw: each press is an edit only. The hero stays, holds his key, and the bag, the door,
// the character and the remarks stay as they were.
TEST_F(EditSteps, APlacingPressIsNeverAPlayOrder) {
    const char* const arming[] = {"SpeedButton67", "SpeedButton77", "SpeedButton78", "SpeedButton79",
                                  "SpeedButton100", "SpeedButton101", "SpeedButton106", "SpeedButton95",
                                  "SpeedButton119", "SpeedButton98", "SpeedButton99"};
    const QPoint targets[] = {QPoint(350, 100), QPoint(550, 100), QPoint(750, 100), QPoint(190, 250)};
    const std::uint16_t heroX = record().heroX;
    const std::uint16_t heroY = record().heroY;
    // The portal's cells: its cell pressed with the button held over frames, the arrival on the key zone.
    press("SpeedButton55");
    pressAndRelease(QPoint(190, 250), Qt::LeftButton, 3);
    press("SpeedButton56");
    pressAndRelease(QPoint(350, 100), Qt::LeftButton, 0);
    ticks(12);
    EXPECT_EQ(record().scene(1).portal(1).col, 10);
    EXPECT_EQ(record().scene(1).portal(1).arrivalCol, 18);
    EXPECT_FALSE(play().walkingToDoor);
    EXPECT_EQ(record().heldItem, 3);
    // The door page's objects are door 3's, so that door 2 stays as it is.
    spin("SpinEdit10", 3);
    int round = 0;
    for (const char* button : arming) {
        for (const QPoint at : targets) {
            SCOPED_TRACE(std::string(button) + " at " + std::to_string(at.x()));
            press(button);
            switch (round++ % 3) {
            case 0: pressAndRelease(at, Qt::LeftButton, 3); break;
            case 1: pressAndRelease(at, Qt::RightButton, 0); break;
            default: pressAndRelease(at, Qt::LeftButton, 0); break;
            }
            ticks(12);
            EXPECT_EQ(record().heroX, heroX);
            EXPECT_EQ(record().heroY, heroY);
            EXPECT_FALSE(play().walkingToItem || play().walkingToDoor || play().walkingToDialog);
            EXPECT_FALSE(play().dialogOpen);
            EXPECT_EQ(play().remarkTicks, 0);
            EXPECT_EQ(bagCount(), 0);
            EXPECT_EQ(record().heldItem, 3);
            EXPECT_EQ(record().holdingItem, 1);
            EXPECT_EQ(record().scene(1).door(2).state, 1);
            EXPECT_EQ(record().pass(1, 10, 5), kBlockedCell);
        }
    }
    // The item was laid, never taken.
    EXPECT_EQ(record().item(1).state, 1);

    // Unarmed, the same press on the key zone is play: the hero goes to the door.
    pressAndRelease(QPoint(350, 100), Qt::LeftButton, 0);
    ticks(2);
    EXPECT_TRUE(play().walkingToDoor);
}

// A walk to the door is under way; the author chooses the target scene of a portal (SpinEdit7), which
// shows that scene, then leaves the placement with Esc and undoes: the door stays shut and blocking,
// and the record holds nothing of the abandoned placement. A finished placement is one step.
TEST_F(EditSteps, PortalPlacementIsOneStepAndPlayNeverEntersIt) {
    const ProjectRecord before = record();
    sendTheHeroToTheDoor();
    const int steps = window->editor().journal().undoableCount();
    press("SpeedButton55");
    click(QPoint(190, 250));
    spin("SpinEdit7", 3);
    EXPECT_EQ(screen().currentScene, 3);
    EXPECT_EQ(record().pass(1, 10, 5), kBlockedCell); // the hero left scene 1: his walk ended
    EXPECT_FALSE(play().walkingToDoor);
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_EQ(screen().currentScene, 1);
    undo();
    EXPECT_EQ(record().pass(1, 10, 5), kBlockedCell);
    EXPECT_EQ(record().scene(1).door(2).state, 1);
    EXPECT_EQ(window->editor().journal().undoableCount(), steps);
    EXPECT_EQ(std::memcmp(&record().scene(1).portal(1), &before.scene(1).portal(1), sizeof(Portal)), 0);
    EXPECT_EQ(std::memcmp(&record().scene(3), &before.scene(3), sizeof(SceneBlock)), 0);

    // A tab change in the middle leaves nothing either; then a finished placement is one step.
    find<QTabWidget>("PageControl1")->setCurrentIndex(kPlotTab + 1);
    find<QTabWidget>("PageControl1")->setCurrentIndex(kPlotTab);
    press("SpeedButton55");
    click(QPoint(190, 250));
    spin("SpinEdit7", 2);
    find<QTabWidget>("PageControl1")->setCurrentIndex(kPlotTab + 1);
    find<QTabWidget>("PageControl1")->setCurrentIndex(kPlotTab);
    EXPECT_EQ(screen().currentScene, 1);
    EXPECT_EQ(record().scene(1).portal(1).col, before.scene(1).portal(1).col);
    EXPECT_EQ(window->editor().journal().undoableCount(), steps);
    press("SpeedButton55");
    click(QPoint(190, 250));
    spin("SpinEdit7", 2);
    press("SpeedButton56");
    click(QPoint(230, 290));
    EXPECT_EQ(screen().currentScene, 1);
    EXPECT_EQ(window->editor().journal().undoableCount(), steps + 1);
    const Portal placed = record().scene(1).portal(1);
    EXPECT_EQ(placed.col, 10);
    EXPECT_EQ(placed.row, 13);
    EXPECT_EQ(placed.targetScene, 2);
    EXPECT_EQ(placed.arrivalCol, 12);
    undo();
    EXPECT_EQ(std::memcmp(&record().scene(1).portal(1), &before.scene(1).portal(1), sizeof(Portal)), 0);
    redo();
    EXPECT_EQ(std::memcmp(&record().scene(1).portal(1), &placed, sizeof(Portal)), 0);
}

// Esc and page changes pause the game: the walk to the door goes on when the scene is played again and
// the door opens.
TEST_F(EditSteps, EscAndPageChangesKeepTheGameState) {
    sendTheHeroToTheDoor();
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_EQ(screen().screenMode, ScreenMode::Menu);
    ticks(5);
    auto* pages = find<QTabWidget>("PageControl1");
    pages->setCurrentIndex(4); // "Проходимость"
    pages->setCurrentIndex(kPlotTab);
    EXPECT_TRUE(play().walkingToDoor);
    EXPECT_NE(record().pass(1, 10, 5), kBlockedCell);
    for (int i = 0; i < 80 && play().walkingToDoor; ++i) ticks(1);
    EXPECT_EQ(record().scene(1).door(2).state, 2);
}

// Stored in scene 1, restored from scene 3, taken back: the record of scene 3's time and scene 3 shown,
// the hero on its grid; made again: the save point's record and scene 1.
TEST_F(EditSteps, UndoOfARestoreShowsTheSceneOfItsRecord) {
    world.messages.answerYes = true;
    press("SpeedButton85"); // "СОХРАНИТЬ" on scene 1
    press("SpeedButton49");
    press("SpeedButton49");
    ASSERT_EQ(screen().currentScene, 3);
    record().heroX = 777; // the hero walked in scene 3
    const QByteArray inScene3(reinterpret_cast<const char*>(record().bytes()), qsizetype(kProjectRecordSize));
    press("SpeedButton86"); // "ВОССТАНОВИТЬ"
    EXPECT_EQ(screen().currentScene, 1);
    EXPECT_EQ(record().heroX, 50);
    undo();
    EXPECT_EQ(screen().currentScene, 3);
    EXPECT_TRUE(find<QLabel>("Label6")->text().contains(QLatin1Char('3')));
    EXPECT_TRUE(QByteArray(reinterpret_cast<const char*>(record().bytes()), qsizetype(kProjectRecordSize)) == inScene3);
    redo();
    EXPECT_EQ(screen().currentScene, 1);
    EXPECT_EQ(record().heroX, 50);
}

// The applicator: a double click stamps twice, and a smooth wheel's small steps add up to a notch.
TEST_F(EditSteps, TheApplicatorStampsOnEveryPressAndCountsSmallWheelSteps) {
    const QImage stamp = solidPicture(10, 10, Qt::red);
    QImage keyed = stamp;
    keyed.setPixel(0, 0, qRgb(0, 0, 0));
    world.files.files[kFakeRoot.stamp(1)] = toQtBytes(encodeBmp(fromQt(keyed)));
    world.files.files[kFakeRoot.stamp(2)] = toQtBytes(encodeBmp(fromQt(solidPicture(20, 20, Qt::blue))));
    record().stampCount = 2;
    find<QTabWidget>("PageControl1")->setCurrentIndex(1);
    const int steps = window->editor().journal().undoableCount();
    pointer(QEvent::MouseMove, QPoint(100, 100));
    doubleClick(QPoint(100, 100));
    EXPECT_EQ(window->editor().journal().undoableCount(), steps + 2);

    const auto turn = [this](int delta) {
        QWheelEvent event(QPointF(100, 100), window->mapToGlobal(QPointF(100, 100)), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::NoModifier, Qt::ScrollUpdate, false);
        QApplication::sendEvent(window.get(), &event);
    };
    EditorState& state = window->editor().state();
    ASSERT_EQ(state.currentStamp, 1);
    turn(-40);
    turn(-40);
    EXPECT_EQ(state.currentStamp, 1);
    turn(-40);
    EXPECT_EQ(state.currentStamp, 2);
    turn(60);
    turn(60);
    EXPECT_EQ(state.currentStamp, 1);
}

} // namespace
} // namespace tw::test
