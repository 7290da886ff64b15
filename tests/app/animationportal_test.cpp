// An author's afternoon, through the real window: cut a three-frame campfire out of the demo sheet on the
// animator, put it into scene 1 as a spot, make a portal from scene 1 to scene 2, and play: the fire
// burns frame by frame and the hero walks through the portal onto the arrival cell.
#include "app/canvasview.h"
#include "app/mainwindow.h"
#include "make-demo/demolayout.h"
#include "make-demo/spritesheet.h"
#include "platform/picturecodec.h"
#include "support/fakes.h"
#include "support/faketree.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QSet>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

namespace tw::test {
namespace {

QPoint cellCentre(int c, int r) { return QPoint(20 * c - 10, 20 * r - 10); }

class AnimationAndPortal : public ::testing::Test {
protected:
    FakeWorld world;
    demo::SpriteSheet sheet = demo::buildSpriteSheet();
    std::unique_ptr<MainWindow> window;

    void SetUp() override {
        auto record = ProjectRecord::createBlank();
        record->sceneCount = 2;
        record->heroStep = 10;
        record->heroX = 50; // cell (3, 3)
        record->heroY = 50;
        putMinimalTree(world.files, *record);
        world.files.files[kFakeRoot.data(QStringLiteral("anim"))] = encodeBmp(sheet.picture);
        window = std::make_unique<MainWindow>(kFakeRoot, world.services());
        ASSERT_TRUE(window->startUp());
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    template <class T>
    T* find(const char* name) {
        T* widget = window->findChild<T*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    void press(const char* button) { find<QToolButton>(button)->click(); }
    void spin(const char* name, int value) { find<QSpinBox>(name)->setValue(value); }
    void pointer(QEvent::Type type, QPoint at) {
        CanvasView* canvas = window->canvasView();
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, QPointF(at), canvas->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
        QApplication::sendEvent(canvas, &event);
    }
    void drag(QPoint from, QPoint to) {
        pointer(QEvent::MouseMove, from);
        pointer(QEvent::MouseButtonPress, from);
        for (int i = 1; i <= 6; ++i) pointer(QEvent::MouseMove, from + (to - from) * i / 6);
        pointer(QEvent::MouseButtonRelease, to);
        ticks(1);
    }
    void click(QPoint at) {
        pointer(QEvent::MouseMove, at);
        pointer(QEvent::MouseButtonPress, at);
        pointer(QEvent::MouseButtonRelease, at);
        ticks(1);
    }
    void ticks(int n) {
        for (int i = 0; i < n; ++i) {
            window->frameTick();
            window->overlayTick();
        }
    }
    const ProjectRecord& record() { return window->engine().record(); }
    int scene() { return window->engine().screen().currentScene; }
};

TEST_F(AnimationAndPortal, CutPlaceConnectAndPlay) {
    auto* pages = find<QTabWidget>("PageControl1");

    // The animator: animation 7, the campfire's three cells dragged into view and stretched one by one.
    pages->setCurrentIndex(2);
    for (int i = 0; i < 6; ++i) press("SpeedButton24");
    const int a = 7;
    const QList<QRect> cells = sheet.animations[demo::kAnimCampfire - 1];
    ASSERT_GE(cells.size(), 3);
    const QPoint offset = QPoint(400, 40) - cells[0].topLeft();
    drag(QPoint(600, 300), QPoint(600, 300) + offset); // mouse mode 1 moves the view
    press("SpeedButton30");                             // mouse mode 2 stretches the frame
    for (int f = 0; f < 3; ++f) {
        if (f > 0) press("SpeedButton28");
        drag(cells[f].topLeft() + offset, cells[f].bottomRight() + QPoint(1, 1) + offset);
        const AnimFrame& frame = record().animation(a).frame(f + 1);
        EXPECT_EQ(QRect(frame.srcX, frame.srcY, frame.width, frame.height), cells[f]) << f;
    }
    EXPECT_EQ(record().animation(a).frameCount, 3);

    // The plot editor, "Анимация": spot 1 of scene 1 shows animation 7 at (600, 300).
    pages->setCurrentIndex(6);
    auto* plotPages = find<QTabWidget>("PageControl2");
    plotPages->setCurrentIndex(1);
    spin("SpinEdit8", 1);
    press("SpeedButton51");
    spin("SpinEdit9", a);
    click(QPoint(600, 300));
    const AnimSpot& spot = record().scene(1).animSpot(1);
    EXPECT_EQ(spot.visible, 1);
    EXPECT_EQ(spot.animation, a);
    EXPECT_EQ(QPoint(spot.x, spot.y), QPoint(600, 300));

    // "Портал": portal 1 on cell (10, 3) of scene 1, arriving on cell (20, 15) of scene 2.
    plotPages->setCurrentIndex(0);
    spin("SpinEdit6", 1);
    press("SpeedButton55");
    click(cellCentre(10, 3));
    auto* chooser = find<QWidget>("RzPanel1");
    ASSERT_TRUE(chooser->isVisible());
    spin("SpinEdit7", 2);
    EXPECT_EQ(scene(), 2);
    press("SpeedButton56");
    EXPECT_FALSE(chooser->isVisible());
    click(cellCentre(20, 15));
    EXPECT_EQ(scene(), 1);
    const Portal& portal = record().scene(1).portal(1);
    EXPECT_EQ(QPoint(portal.col, portal.row), QPoint(10, 3));
    EXPECT_EQ(QPoint(portal.arrivalCol, portal.arrivalRow), QPoint(20, 15));
    EXPECT_EQ(portal.targetScene, 2);

    // Play. The fire burns: over a few frames the spot shows each of the three cut pictures.
    pointer(QEvent::MouseMove, QPoint(900, 600));
    QSet<QByteArray> fires;
    for (int i = 0; i < 6; ++i) {
        ticks(1);
        const QImage shown = window->canvasView()->grab().toImage().copy(QRect(QPoint(600, 300), cells[0].size()));
        fires.insert(QByteArray(reinterpret_cast<const char*>(shown.constBits()), shown.sizeInBytes()));
    }
    EXPECT_EQ(fires.size(), 3);
    // The hero walks onto the portal's cell and comes out in scene 2 on the arrival cell's corner.
    click(cellCentre(10, 3));
    for (int i = 0; i < 300 && scene() == 1; ++i) ticks(1);
    EXPECT_EQ(scene(), 2);
    EXPECT_EQ(QPoint(record().heroX, record().heroY), QPoint(20 * 20, 20 * 15));
    window->hide();
}

} // namespace
} // namespace tw::test
