// The author at the window: paints a wall on the passability page, wipes the scene by mistake and takes
// it back with Ctrl+Z, stores the save point, sends the hero around the wall and rolls back. Everything
// goes through the widgets, found by their names, and the canvas's mouse events.
#include "support/windowscenario.h"

#include <QLabel>
#include <QTabWidget>

#include <cstring>

namespace tw::test {
namespace {

class PassabilityPageScenario : public WindowScenario {
protected:
    void SetUp() override {
        auto blank = newGame(2);
        putMinimalTree(world.files, *blank);
        openWindow();
    }
    void pointer(QEvent::Type type, int x, int y) { WindowScenario::pointer(type, QPoint(x, y)); }
    QRgb shownAt(int x, int y) { return WindowScenario::shownAt(QPoint(x, y)); }
    bool blocked(int c, int r) { return record().passOrBlocked(1, c, r) >= kBlockedCell; }
    int blockedCount() {
        int n = 0;
        for (int c = 1; c <= kGridColumns; ++c)
            for (int r = 1; r <= kGridRows; ++r) n += blocked(c, r);
        return n;
    }
};

TEST_F(PassabilityPageScenario, PaintWipeUndoStoreWalkRestore) {
    auto* pages = find<QTabWidget>("PageControl1");
    pages->setCurrentIndex(4);
    ASSERT_EQ(pages->tabText(4), QStringLiteral("Проходимость"));
    EXPECT_EQ(window->engine().screen().screenMode, ScreenMode::Passability);
    EXPECT_TRUE(find<QToolButton>("SpeedButton44")->isChecked()); // the first visit paints walkable
    EXPECT_TRUE(find<QLabel>("Label43")->text().startsWith(QStringLiteral("1.\tГерой может двигаться")));

    // A wall across row 5, columns 1..21, painted with one drag that runs on past the left edge.
    press("SpeedButton45");
    pointer(QEvent::MouseMove, 415, 90);
    pointer(QEvent::MouseButtonPress, 415, 90);
    for (int x = 405; x >= -60; x -= 10) pointer(QEvent::MouseMove, x, 90);
    pointer(QEvent::MouseButtonRelease, -60, 90);
    for (int c = 1; c <= 21; ++c) EXPECT_TRUE(blocked(c, 5)) << c;
    EXPECT_EQ(blockedCount(), 21); // nothing outside the canvas, nothing else
    // The cell under the pointer is outlined in red; walkable cells in magenta, the wall not at all.
    pointer(QEvent::MouseMove, 250, 250);
    ticks(1);
    EXPECT_EQ(shownAt(240, 240), qRgb(255, 0, 0));
    EXPECT_EQ(shownAt(20, 20), qRgb(255, 0, 255));
    EXPECT_NE(shownAt(20, 80), qRgb(255, 0, 255));
    const QByteArray withWall(reinterpret_cast<const char*>(record().bytes()), qsizetype(kProjectRecordSize));

    // "Все стереть" by mistake, taken back with Ctrl+Z, made again with Ctrl+Shift+Z and taken back again.
    press("SpeedButton32");
    EXPECT_EQ(blockedCount(), kGridColumns * kGridRows);
    EXPECT_EQ(record().passOrBlocked(2, 1, 1), 0); // the other scene keeps its cells
    undo();
    EXPECT_EQ(blockedCount(), 21);
    redo();
    EXPECT_EQ(blockedCount(), kGridColumns * kGridRows);
    QTest::keyClick(window.get(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(blockedCount(), kGridColumns * kGridRows); // nothing left to make again
    undo();
    EXPECT_EQ(std::memcmp(record().bytes(), withWall.constData(), kProjectRecordSize), 0);
    ticks(1);
    EXPECT_EQ(shownAt(20, 20), qRgb(255, 0, 255));

    // The plot editor: store the save point, then send the hero from (3, 3) to (3, 10), past the wall.
    pages->setCurrentIndex(6);
    press("SpeedButton85");
    EXPECT_EQ(world.messages.questions.last(), QStringLiteral("Сохранится текущее состояние логики игры! Сохранить?"));
    ASSERT_TRUE(world.files.files.contains(kFakeRoot.savePointFile()));
    pointer(QEvent::MouseMove, 50, 190);
    pointer(QEvent::MouseButtonPress, 50, 190);
    pointer(QEvent::MouseButtonRelease, 50, 190);
    bool crossedTheWall = false;
    for (int i = 0; i < 400 && !(record().heroCol == 3 && record().heroRow == 10); ++i) {
        ticks(1);
        crossedTheWall = crossedTheWall || blocked(record().heroCol, record().heroRow);
    }
    EXPECT_EQ(record().heroCol, 3);
    EXPECT_EQ(record().heroRow, 10);
    EXPECT_FALSE(crossedTheWall);

    // Back to the save point: the hero stands where he stood when it was stored.
    press("SpeedButton86");
    EXPECT_EQ(world.messages.questions.last(), QStringLiteral("Откатить к последнему сохранению?"));
    EXPECT_EQ(record().heroX, 50);
    EXPECT_EQ(record().heroY, 50);
    EXPECT_TRUE(blocked(21, 5));
    EXPECT_EQ(find<QLabel>("Label6")->text(), QStringLiteral("Сцена 1"));
    // And the restore itself is taken back by Ctrl+Z: the hero is at the end of his walk again.
    undo();
    EXPECT_EQ(record().heroRow, 10);
    window->hide();
}

} // namespace
} // namespace tw::test
