// An author's afternoon, through the real window: cut a three-frame campfire out of the demo sheet on the
// animator, put it into scene 1 as a spot, make a portal from scene 1 to scene 2, and play: the fire
// burns frame by frame and the hero walks through the portal onto the arrival cell.
#include "editor/editorstate.h"
#include "make-demo/demolayout.h"
#include "make-demo/spritesheet.h"
#include "platform/picturecodec.h"
#include "support/windowscenario.h"
#include "toolkit/toolkittypes.h"

#include <QSet>
#include <QTabWidget>

namespace tw::test {
namespace {

QPoint cellCentre(int c, int r) { return QPoint(20 * c - 10, 20 * r - 10); }

class AnimationAndPortal : public WindowScenario {
protected:
    demo::SpriteSheet sheet = demo::buildSpriteSheet();

    void SetUp() override {
        auto blank = newGame(2);
        putMinimalTree(world.files, *blank);
        world.files.files[kFakeRoot.data("anim")] = toQtBytes(encodeBmp(fromQt(sheet.picture)));
        openWindow();
    }
    // A drag or a click, then a round of the timers, as the window shows it.
    void dragShown(QPoint from, QPoint to) {
        drag(from, to, 6);
        ticks(1);
    }
    void clickShown(QPoint at) {
        click(at);
        ticks(1);
    }
    int scene() { return screen().currentScene; }
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
    // Mouse mode 1 moves the view, which starts with the sheet's corner beside the panel.
    dragShown(QPoint(600, 300), QPoint(600, 300) + offset - toQt(kSheetViewHome));
    press("SpeedButton30");                             // mouse mode 2 stretches the frame
    for (int f = 0; f < 3; ++f) {
        if (f > 0) press("SpeedButton28");
        dragShown(cells[f].topLeft() + offset, cells[f].bottomRight() + QPoint(1, 1) + offset);
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
    clickShown(QPoint(600, 300));
    const AnimSpot& spot = record().scene(1).animSpot(1);
    EXPECT_EQ(spot.visible, 1);
    EXPECT_EQ(spot.animation, a);
    EXPECT_EQ(QPoint(spot.x, spot.y), QPoint(600, 300));

    // "Портал": portal 1 on cell (10, 3) of scene 1, arriving on cell (20, 15) of scene 2.
    plotPages->setCurrentIndex(0);
    spin("SpinEdit6", 1);
    press("SpeedButton55");
    clickShown(cellCentre(10, 3));
    auto* chooser = find<QWidget>("RzPanel1");
    ASSERT_TRUE(chooser->isVisible());
    spin("SpinEdit7", 2);
    EXPECT_EQ(scene(), 2);
    press("SpeedButton56");
    EXPECT_FALSE(chooser->isVisible());
    clickShown(cellCentre(20, 15));
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
    clickShown(cellCentre(10, 3));
    for (int i = 0; i < 300 && scene() == 1; ++i) ticks(1);
    EXPECT_EQ(scene(), 2);
    EXPECT_EQ(QPoint(record().heroX, record().heroY), QPoint(20 * 20, 20 * 15));
    window->hide();
}

} // namespace
} // namespace tw::test
