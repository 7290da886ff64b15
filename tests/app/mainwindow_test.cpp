#include "app/canvasview.h"
#include "app/mainwindow.h"
#include "editor/pages/editorpanel.h"
#include "support/fakes.h"
#include "support/faketree.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QSpinBox>
#include <QTabBar>
#include <QTest>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>

namespace tw::test {
namespace {

TEST(MainWindow, StartsOnTheMenuWithTheRecordsValues) {
    FakeWorld world;
    auto record = ProjectRecord::createBlank();
    record->gameName.setText("Лесная сказка");
    record->tickInterval = 70;
    putMinimalTree(world.files, *record);
    MainWindow window(kFakeRoot, world.services());
    ASSERT_TRUE(window.startUp());

    EXPECT_EQ(window.windowTitle(), QStringLiteral("     TARNWICK    ( Лесная сказка )"));
    EXPECT_EQ(window.size(), QSize(1007, 699));
    EXPECT_EQ(window.findChild<QLineEdit*>(QStringLiteral("Edit15"))->text(), QStringLiteral("Лесная сказка"));
    EXPECT_EQ(window.findChild<QSpinBox*>(QStringLiteral("SpinEdit16"))->value(), 70);
    // A blank record holds 0 where the animation spinners start at 1: they show 1, the record keeps 0.
    EXPECT_EQ(window.findChild<QSpinBox*>(QStringLiteral("SpinEdit1"))->value(), 1);
    EXPECT_EQ(window.engine().record().heroAnimForward, 0);
    EXPECT_EQ(window.findChild<QTimer*>(QStringLiteral("Timer2"))->interval(), 70);
    EXPECT_EQ(window.findChild<QTimer*>(QStringLiteral("Timer1"))->interval(), 10);
    EXPECT_FALSE(window.findChild<QWidget*>(QStringLiteral("Panel1"))->isVisibleTo(&window));
    EXPECT_EQ(window.findChild<QWidget*>(QStringLiteral("Panel1"))->height(), 169);
    EXPECT_EQ(window.findChild<QTabWidget*>(QStringLiteral("PageControl1"))->tabText(6),
              QStringLiteral("Редактор сюжета"));

    // The canvas fills the client area and shows the top-left of the menu picture.
    window.show();
    EXPECT_EQ(window.canvasView()->size(), QSize(1007, 699));
    const QImage shown = window.canvasView()->grab().toImage();
    EXPECT_EQ(shown.pixel(10, 10), qRgb(0, 0, 160));
    window.hide();
}

// Waits, running the event loop, until the recovery file holds a record with hero x.
bool waitForRecovery(FakeFileSystem& files, int heroX) {
    for (int i = 0; i < 500; ++i) {
        auto stored = storedRecord(files, kFakeRoot.recoveryFile());
        if (stored && stored->heroX == heroX) return true;
        QTest::qWait(5);
    }
    return false;
}

// The window runs with its recovery timer; a close that cannot write asks whether to close without
// saving. No keeps it open; once the cause is gone a second close writes everything and ends.
TEST(MainWindow, CloseThatCannotWriteAsksAndClosesOnceTheFaultIsFixed) {
    FakeWorld world;
    putMinimalTree(world.files, *ProjectRecord::createBlank());
    MainWindow window(kFakeRoot, world.services());
    window.engine().recovery().setExecutor([](std::function<void()> job) { job(); });
    window.setRecoveryInterval(1);
    ASSERT_TRUE(window.startUp());
    window.show();
    QTest::qWait(20);
    EXPECT_FALSE(world.files.files.contains(kFakeRoot.recoveryFile())); // nothing changed yet
    window.findChild<QLineEdit*>(QStringLiteral("Edit15"))->setText(QStringLiteral("NewName"));
    window.engine().record().heroX = 123;
    ASSERT_TRUE(waitForRecovery(world.files, 123));
    EXPECT_EQ(storedRecord(world.files, kFakeRoot.recoveryFile())->gameName.text(),
              "NewName");

    const PathList failing{kFakeRoot.data("nabpredmax"),
                              kFakeRoot.data("dver"), kFakeRoot.recordFile()};
    const QByteArray recordBefore = world.files.files.value(kFakeRoot.recordFile());
    world.files.failWritesTo = failing;
    world.messages.answerYes = false;
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());
    ASSERT_EQ(world.messages.errors.size(), 1);
    for (const QString& path : failing) {
        EXPECT_TRUE(world.messages.errors[0].contains(path + QStringLiteral(": Permission denied")))
            << path.toStdString();
    }
    EXPECT_FALSE(world.messages.errors[0].contains(QString::fromStdString(kFakeRoot.data("nabpredmin"))));
    EXPECT_EQ(world.messages.questions, QStringList{QString::fromUtf8(kCloseQuestion)});
    EXPECT_EQ(world.messages.defaults, QList<Messages::Answer>{Messages::Answer::No});
    EXPECT_EQ(world.files.files.value(kFakeRoot.recordFile()), recordBefore);
    EXPECT_TRUE(world.files.files.contains(kFakeRoot.recoveryFile()));

    // Still running: the recovery copy follows further changes.
    window.engine().record().heroX = 124;
    ASSERT_TRUE(waitForRecovery(world.files, 124));

    world.files.failWritesTo.clear();
    EXPECT_TRUE(window.close());
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(world.messages.errors.size(), 1);
    EXPECT_EQ(world.messages.questions.size(), 1);
    EXPECT_EQ(storedRecord(world.files)->gameName.text(), "NewName");
    EXPECT_EQ(storedRecord(world.files)->heroX, 124);
    EXPECT_FALSE(world.files.files.contains(kFakeRoot.recoveryFile()));
    // The recovery timer is stopped with the close.
    const int writes = world.files.written.size();
    window.engine().record().heroX = 125;
    QTest::qWait(20);
    EXPECT_EQ(world.files.written.size(), writes);
}

// Yes to "close without saving" ends the program with the files as they were and the recovery copy kept.
TEST(MainWindow, ClosingWithoutSavingLeavesTheFilesAndTheRecoveryCopy) {
    FakeWorld world;
    putMinimalTree(world.files, *ProjectRecord::createBlank());
    MainWindow window(kFakeRoot, world.services());
    window.engine().recovery().setExecutor([](std::function<void()> job) { job(); });
    window.setRecoveryInterval(1);
    ASSERT_TRUE(window.startUp());
    window.show();
    window.engine().record().heroX = 77;
    ASSERT_TRUE(waitForRecovery(world.files, 77));

    const PathList targets{
        kFakeRoot.data("nabpredmax"), kFakeRoot.data("nabpredmin"),
        kFakeRoot.data("dver"), kFakeRoot.recordFile(), kFakeRoot.recoveryFile()};
    QHash<QString, QByteArray> before;
    for (const QString& path : targets)
        before.insert(path, world.files.files.value(path));
    world.files.failWritesTo = targets.mid(0, 4);
    world.messages.answerYes = true;
    EXPECT_TRUE(window.close());
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(world.messages.errors.size(), 1);
    EXPECT_EQ(world.messages.questions, QStringList{QString::fromUtf8(kCloseQuestion)});
    for (const QString& path : targets)
        EXPECT_EQ(world.files.files.value(path), before.value(path)) << path.toStdString();
    EXPECT_TRUE(world.files.removed.isEmpty());
}

TEST(MainWindow, AfterAFailedStartClosingWritesNothing) {
    FakeWorld world;
    MainWindow window(kFakeRoot, world.services());
    EXPECT_FALSE(window.startUp());
    EXPECT_EQ(world.messages.errors, QStringList{QStringLiteral(" ERROR ")});
    EXPECT_TRUE(window.close());
    EXPECT_TRUE(world.files.written.isEmpty());
}

void moveOnCanvas(CanvasView* canvas, int x, int y) {
    QMouseEvent move(QEvent::MouseMove, QPointF(x, y), canvas->mapToGlobal(QPointF(x, y)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(canvas, &move);
}

TEST(MainWindow, TabsSetTheModeAndThePanelFollowsThePointer) {
    FakeWorld world;
    auto record = ProjectRecord::createBlank();
    record->sceneCount = 3;
    record->startScene = 3;
    putMinimalTree(world.files, *record);
    MainWindow window(kFakeRoot, world.services());
    ASSERT_TRUE(window.startUp());
    window.show();
    QWidget* panel = window.findChild<QWidget*>(QStringLiteral("Panel1"));
    QWidget* animatorPanel = window.findChild<QWidget*>(QStringLiteral("Panel2"));
    CanvasView* canvas = window.canvasView();

    moveOnCanvas(canvas, 500, 696);
    QCoreApplication::processEvents();
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(canvas->height(), 699 - 169);
    moveOnCanvas(canvas, 500, 500); // within 50 px of the shorter canvas's bottom (530 - 50 = 480)
    EXPECT_TRUE(panel->isVisible());
    moveOnCanvas(canvas, 500, 470);
    QCoreApplication::processEvents();
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(canvas->height(), 699);

    auto* tabs = window.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    ASSERT_EQ(tabs->count(), 14);
    tabs->setCurrentIndex(6);
    EXPECT_EQ(window.engine().screen().screenMode, ScreenMode::Scene);
    EXPECT_EQ(world.files.opened.last(), QString::fromStdString(kFakeRoot.scene(3)));
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("Label6"))->text(), QStringLiteral("Сцена 3"));
    window.findChild<QToolButton*>(QStringLiteral("SpeedButton49"))->click(); // "+" on the last scene
    EXPECT_EQ(window.engine().screen().currentScene, 3);
    window.findChild<QToolButton*>(QStringLiteral("SpeedButton48"))->click();
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("Label6"))->text(), QStringLiteral("Сцена 2"));
    tabs->setCurrentIndex(2);
    EXPECT_EQ(window.engine().screen().screenMode, ScreenMode::Animator);
    EXPECT_TRUE(animatorPanel->isVisible());
    tabs->setCurrentIndex(4);
    EXPECT_EQ(window.engine().screen().screenMode, ScreenMode::Passability);
    EXPECT_FALSE(animatorPanel->isVisible());
    EXPECT_EQ(world.files.opened.last(), QString::fromStdString(kFakeRoot.scene(2)));
    tabs->setCurrentIndex(0);
    EXPECT_EQ(window.engine().screen().screenMode, ScreenMode::Menu);
    window.hide();
}

TEST(MainWindow, AClickOnTheChosenTabReturnsToTheGameAndAPressCutShortByEscIsForgotten) {
    FakeWorld world;
    auto record = ProjectRecord::createBlank();
    record->item(7) = Item{1, 4, 7, 1, 0, 0, 0, 0, 0}; // a herb lying on cell (5, 8) of scene 1
    putMinimalTree(world.files, *record);
    MainWindow window(kFakeRoot, world.services());
    ASSERT_TRUE(window.startUp());
    window.show();
    auto* tabs = window.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    tabs->setCurrentIndex(int(EditorPage::PlotEditor));
    ASSERT_EQ(window.engine().screen().screenMode, ScreenMode::Scene);

    // A press on the herb and Esc at once, before a frame tick: the menu shows.
    CanvasView* canvas = window.canvasView();
    moveOnCanvas(canvas, 90, 150);
    QTest::mousePress(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(90, 150));
    QTest::keyClick(&window, Qt::Key_Escape);
    QTest::mouseRelease(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(90, 150));
    EXPECT_EQ(window.engine().screen().screenMode, ScreenMode::Menu);
    window.frameTick();

    // The plot page is still the chosen tab; a click on it enters the game again.
    QTabBar* bar = tabs->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(int(EditorPage::PlotEditor)).center());
    EXPECT_EQ(window.engine().screen().screenMode, ScreenMode::Scene);
    EXPECT_EQ(world.files.opened.last(), QString::fromStdString(kFakeRoot.scene(1)));
    for (int i = 0; i < 5; ++i) window.frameTick();
    EXPECT_EQ(window.engine().record().item(7).state, 1); // the cut-short press took nothing
    EXPECT_FALSE(window.engine().play().walkingToItem);
    window.hide();
}

void pointerOnCanvas(CanvasView* canvas, QEvent::Type type, int x, int y) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(x, y), canvas->mapToGlobal(QPointF(x, y)), button, held, Qt::NoModifier);
    QApplication::sendEvent(canvas, &event);
}

// Counts the canvas's paint events and gathers what they paint.
class PaintLog final : public QObject {
public:
    int paints = 0;
    QRegion painted;
    void clear() {
        paints = 0;
        painted = QRegion();
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
            painted += static_cast<QPaintEvent*>(event)->region();
        }
        return false;
    }
};

TEST(MainWindow, AStillScreenRepaintsNothingAndAnEditRepaintsWhatItChanged) {
    FakeWorld world;
    auto record = ProjectRecord::createBlank();
    record->sceneCount = 2;
    putMinimalTree(world.files, *record);
    MainWindow window(kFakeRoot, world.services());
    ASSERT_TRUE(window.startUp());
    window.show();
    CanvasView* canvas = window.canvasView();
    PaintLog log;
    canvas->installEventFilter(&log);
    auto ticks = [&window](int n) {
        for (int i = 0; i < n; ++i) {
            window.frameTick();
            window.overlayTick();
        }
        QCoreApplication::processEvents();
    };
    auto shownAt = [canvas](int x, int y) { return canvas->grab().toImage().pixel(x, y); };
    // Twenty ticks of both timers neither draw on the canvas nor paint the widget.
    auto expectStill = [&](int line) {
        SCOPED_TRACE(line);
        log.clear();
        const qint64 drawn = window.engine().canvas().cacheKey();
        ticks(20);
        EXPECT_EQ(window.engine().canvas().cacheKey(), drawn);
        EXPECT_EQ(log.paints, 0);
    };
    const QRgb magenta = qRgb(255, 0, 255);

    // The menu with the pointer still: once drawn, it is neither drawn nor painted again.
    ticks(1);
    expectStill(__LINE__);
    EXPECT_TRUE(window.engine().overlayTick().isEmpty());

    // A zone dragged out on the menu repaints its outline and nothing else, once.
    window.findChild<QToolButton*>(QStringLiteral("SpeedButton2"))->click();
    pointerOnCanvas(canvas, QEvent::MouseButtonPress, 100, 100);
    pointerOnCanvas(canvas, QEvent::MouseMove, 200, 150);
    pointerOnCanvas(canvas, QEvent::MouseButtonRelease, 200, 150);
    ticks(1);
    EXPECT_EQ(log.painted, QRegion(100, 100, 100, 50));
    EXPECT_EQ(shownAt(100, 100), magenta);
    EXPECT_EQ(shownAt(150, 125), qRgb(0, 0, 160));
    expectStill(__LINE__);

    // The passability page: every walkable cell outlined, then still again.
    window.findChild<QTabWidget*>(QStringLiteral("PageControl1"))->setCurrentIndex(4);
    ticks(1);
    EXPECT_EQ(shownAt(40, 20), magenta);
    expectStill(__LINE__);
    // A blocked cell loses its outline: only that cell is painted.
    window.engine().record().pass(1, 3, 2) = kBlockedCell;
    ticks(1);
    EXPECT_EQ(log.painted, QRegion(40, 20, 20, 20));
    log.clear();
    EXPECT_EQ(shownAt(40, 20), qRgb(20, 100, 100));
    EXPECT_EQ(shownAt(60, 20), magenta);

    // The next scene: its picture is shown at once, and then it is still.
    log.clear();
    window.findChild<QToolButton*>(QStringLiteral("SpeedButton47"))->click();
    ticks(1);
    EXPECT_GT(log.paints, 0);
    EXPECT_EQ(shownAt(50, 30), qRgb(40, 100, 100));
    EXPECT_EQ(shownAt(40, 20), magenta);
    expectStill(__LINE__);
    window.hide();
}

TEST(MainWindow, AStillOverlayIsLookedAtLessOftenUntilSomethingMoves) {
    FakeWorld world;
    putMinimalTree(world.files, *ProjectRecord::createBlank());
    MainWindow window(kFakeRoot, world.services());
    ASSERT_TRUE(window.startUp());
    window.show();
    auto* overlayTimer = window.findChild<QTimer*>(QStringLiteral("Timer1"));
    auto stillFor = [&window](int n) {
        for (int i = 0; i < n; ++i) window.overlayTick();
    };
    stillFor(30);
    EXPECT_EQ(overlayTimer->interval(), 50);
    moveOnCanvas(window.canvasView(), 300, 300); // the pointer moves: full rate again
    EXPECT_EQ(overlayTimer->interval(), 10);

    // The scene with trails while the overlay idles: each frame shows with its dots at once, never bare.
    window.findChild<QTabWidget*>(QStringLiteral("PageControl1"))->setCurrentIndex(int(EditorPage::PlotEditor));
    window.findChild<QCheckBox*>(QStringLiteral("CheckBox1"))->setChecked(true);
    window.overlayTick();
    stillFor(30);
    window.frameTick();
    EXPECT_EQ(window.engine().canvas().pixel(5, 5), qRgb(255, 255, 255));
    window.hide();
}

} // namespace
} // namespace tw::test
