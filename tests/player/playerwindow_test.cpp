// The player's window driven as a player does, offscreen, at a size other than the game's: the picture
// letterboxed between black bars, clicks reaching the game where they are shown, Space showing the action
// zones while held, F11 and Alt+Enter for full screen.
#include "player/playerview.h"
#include "player/playerwindow.h"
#include "runtime/actionzones.h"
#include "runtime/gamefiles.h"
#include "support/fakes.h"
#include "support/faketree.h"
#include "support/playergame.h"
#include "toolkit/toolkittypes.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QRandomGenerator>
#include <QTest>

#include <memory>
#include <utility>

namespace tw::test {
namespace {

class PlayerWindowScenario : public ::testing::Test {
protected:
    FakeWorld world;
    GameFiles files{world.files, kFakeRoot};
    std::unique_ptr<PlayerWindow> window;
    QRect shown; // where the canvas is shown, worked out here from the widget's size

    void SetUp() override {
        putMinimalTree(world.files, *playerGame(), true);
        window =
            std::make_unique<PlayerWindow>(kFakeRoot, Services{files, world.messages, world.audio,
                                                               world.cursors, world.random, world.dialogs});
        ASSERT_TRUE(window->startUp());
        window->resize(1600, 900);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        const QSize size = window->view()->size();
        ASSERT_EQ(size, QSize(1600, 900));
        // 1009 x 700 scaled by 900 / 700 to the full height, centred across.
        const int w = qRound(kPlayWidth * 900.0 / kPlayHeight);
        shown = QRect((size.width() - w) / 2, 0, w, 900);
    }
    PlayerView* view() const { return window->view(); }
    Engine& engine() { return window->engine(); }
    // The middle of canvas pixel (x, y) as the view shows it.
    QPointF widgetPoint(int x, int y) const {
        return QPointF(shown.left() + (x + 0.5) * shown.width() / kPlayWidth,
                       shown.top() + (y + 0.5) * shown.height() / kPlayHeight);
    }
    void pointer(QEvent::Type type, QPointF at) {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, view()->mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(view(), &event);
    }
    void click(QPointF at) {
        pointer(QEvent::MouseMove, at);
        pointer(QEvent::MouseButtonPress, at);
        pointer(QEvent::MouseButtonRelease, at);
    }
    void newGame() {
        click(widgetPoint(200, 130)); // menu zone 1
        ASSERT_EQ(engine().screen().screenMode, ScreenMode::Scene);
    }
    QImage grabbed() const { return view()->grab().toImage().convertToFormat(QImage::Format_RGB32); }
};

TEST_F(PlayerWindowScenario, ClicksReachTheGameWhereThePictureShowsThem) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Клад короля"));
    EXPECT_EQ(view()->shownRect(), shown);
    const QImage menu = grabbed();
    for (const QPoint bar :
         {QPoint(0, 450), QPoint(shown.left() - 1, 0), QPoint(shown.right() + 1, 899), QPoint(1599, 450)})
        EXPECT_EQ(menu.pixel(bar), qRgb(0, 0, 0)) << bar.x();
    EXPECT_EQ(menu.pixel(shown.center()), qRgb(0, 0, 160)); // the menu picture, scaled
    newGame();

    // Every canvas pixel is reached through the middle of its picture on screen: corners, edges and
    // random points, by moves and presses.
    QRandomGenerator random(20240611);
    std::vector<QPoint> points = {
        {0, 0}, {kPlayWidth - 1, 0}, {0, kPlayHeight - 1}, {kPlayWidth - 1, kPlayHeight - 1}};
    for (int i = 0; i < 400; ++i)
        points.emplace_back(random.bounded(kPlayWidth), random.bounded(kPlayHeight));
    for (const QPoint p : points) {
        pointer(QEvent::MouseMove, widgetPoint(p.x(), p.y()));
        ASSERT_EQ(toQt(engine().play().mousePoint), p);
        pointer(QEvent::MouseButtonPress, widgetPoint(p.x(), p.y()));
        ASSERT_EQ(toQt(engine().play().mouseDownPoint), p);
        pointer(QEvent::MouseButtonRelease, widgetPoint(p.x(), p.y()));
    }

    // The bars take no presses; a move over them holds the pointer at the picture's edge.
    const Point last = engine().play().mouseDownPoint;
    pointer(QEvent::MouseButtonPress, QPointF(shown.left() - 4, 450));
    pointer(QEvent::MouseButtonRelease, QPointF(shown.left() - 4, 450));
    pointer(QEvent::MouseButtonPress, QPointF(shown.right() + 4, 10));
    pointer(QEvent::MouseButtonRelease, QPointF(shown.right() + 4, 10));
    EXPECT_EQ(engine().play().mouseDownPoint, last);
    pointer(QEvent::MouseMove, QPointF(shown.left() - 4, 450));
    EXPECT_EQ(engine().play().mousePoint, (Point{0, 350}));
    pointer(QEvent::MouseMove, QPointF(1599, 899));
    EXPECT_EQ(engine().play().mousePoint, (Point{kPlayWidth - 1, kPlayHeight - 1}));

    // What is seen is what is clicked: each cell of the canvas painted its own colour, the middle of
    // the screen pixels that show a cell's colour is a press in that cell.
    Picture& canvas = engine().canvas();
    const auto cellColour = [](int c, int r) { return qRgb(c * 5, r * 7, 200); };
    for (int y = 0; y < kPlayHeight; ++y)
        for (int x = 0; x < kPlayWidth; ++x)
            canvas.setPixel(x, y, cellColour(cellOfPixel(x), cellOfPixel(y)));
    view()->showChanges();
    const QImage picture = grabbed();
    for (int i = 0; i < 60; ++i) {
        const int c = 1 + random.bounded(kGridColumns - 1), r = 1 + random.bounded(kGridRows);
        QPointF sum;
        int count = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                if (picture.pixel(x, y) != cellColour(c, r)) continue;
                sum += QPointF(x, y);
                ++count;
            }
        }
        ASSERT_GT(count, 20 * 20) << c << "," << r; // enlarged, so more pixels than the cell has
        const QPoint middle = (sum / count).toPoint();
        pointer(QEvent::MouseButtonPress, middle);
        pointer(QEvent::MouseButtonRelease, middle);
        EXPECT_EQ(cellOfPixel(engine().play().mouseDownPoint.x), c);
        EXPECT_EQ(cellOfPixel(engine().play().mouseDownPoint.y), r);
    }
}

TEST_F(PlayerWindowScenario, SpaceShowsTheActionZonesWhileHeldAndF11TogglesFullScreen) {
    newGame();
    const std::vector<ActionZone> zones = actionZones(engine());
    ASSERT_EQ(zones.size(), 5u);
    const QImage before = grabbed();
    const QImage canvasBefore = toQt(std::as_const(engine().canvas())).copy();

    QTest::keyPress(window.get(), Qt::Key_Space);
    EXPECT_EQ(view()->zones(), zones);
    const QImage held = grabbed();
    // The middle of each zone's top edge is drawn over; a place far from every zone is not.
    for (const ActionZone& zone : zones) {
        const QPoint edge = widgetPoint(toQt(zone.rect).center().x(), zone.rect.top()).toPoint();
        EXPECT_NE(held.pixel(edge), before.pixel(edge)) << int(zone.kind);
    }
    const QPoint far = widgetPoint(450, 660).toPoint();
    EXPECT_EQ(held.pixel(far), before.pixel(far));
    // The zones are drawn over the picture, never into the game's canvas.
    EXPECT_EQ(toQt(std::as_const(engine().canvas())), canvasBefore);
    EXPECT_EQ(toQt(view()->shownPicture()), canvasBefore);

    // The key's auto-repeat releases do not take them away; the real release does.
    QKeyEvent repeat(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
    QApplication::sendEvent(window.get(), &repeat);
    EXPECT_EQ(view()->zones(), zones);
    QTest::keyRelease(window.get(), Qt::Key_Space);
    EXPECT_TRUE(view()->zones().empty());
    EXPECT_EQ(grabbed(), before);

    // F11 and Alt+Enter switch full screen on and off; a maximised window comes back maximised.
    EXPECT_FALSE(window->isFullScreen());
    QTest::keyClick(window.get(), Qt::Key_F11);
    EXPECT_TRUE(window->isFullScreen());
    QTest::keyClick(window.get(), Qt::Key_F11);
    EXPECT_FALSE(window->isFullScreen());
    window->showMaximized();
    QTest::keyClick(window.get(), Qt::Key_Return, Qt::AltModifier);
    EXPECT_TRUE(window->isFullScreen());
    QTest::keyClick(window.get(), Qt::Key_Return, Qt::AltModifier);
    EXPECT_FALSE(window->isFullScreen());
    EXPECT_TRUE(window->isMaximized());
}

} // namespace
} // namespace tw::test
