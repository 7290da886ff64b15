// The author at the animator: loads nothing, picks an empty animation, drags the demo sheet into view,
// cuts a three-frame campfire out of it (a stretch, a stretch drawn backwards, a double-click on the
// figure), watches the preview play it and takes the last steps back with Ctrl+Z. Everything goes through
// the widgets, found by their names, and the canvas's mouse events.
#include "editor/animator.h"
#include "editor/pages/animatorpage.h"
#include "make-demo/demolayout.h"
#include "make-demo/spritesheet.h"
#include "platform/picturecodec.h"
#include "support/windowscenario.h"
#include "toolkit/toolkittypes.h"

#include <QLabel>
#include <QTabWidget>

namespace tw::test {
namespace {

class AnimatorScenario : public WindowScenario {
protected:
    demo::SpriteSheet sheet = demo::buildSpriteSheet();

    void SetUp() override {
        auto record = ProjectRecord::createBlank();
        record->sceneCount = 1;
        putMinimalTree(world.files, *record);
        world.files.files[kFakeRoot.data("anim")] = toQtBytes(encodeBmp(fromQt(sheet.picture)));
        openWindow();
    }
    QString text(const char* label) { return find<QLabel>(label)->text(); }
    // A drag or a double-click on the canvas, then the overlay tick that shows the sheet view.
    void dragShown(QPoint from, QPoint to) {
        drag(from, to);
        window->overlayTick();
    }
    void doubleClickShown(QPoint at) {
        doubleClick(at);
        window->overlayTick();
    }
    QRect frameRect(int a, int f) {
        const AnimFrame& frame = window->engine().record().animation(a).frame(f);
        return QRect(frame.srcX, frame.srcY, frame.width, frame.height);
    }
};

TEST_F(AnimatorScenario, CutAThreeFrameAnimationAndWatchItPlay) {
    auto* pages = find<QTabWidget>("PageControl1");
    auto* panel = find<QWidget>("Panel2");
    EXPECT_FALSE(panel->isVisible());
    pages->setCurrentIndex(2);
    ASSERT_EQ(pages->tabText(2), QStringLiteral("Аниматор"));
    EXPECT_EQ(window->engine().screen().screenMode, ScreenMode::Animator);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(panel->geometry(), QRect(0, 0, 345, 530));
    EXPECT_EQ(find<QWidget>("Image2")->size(), QSize(329, 297));
    EXPECT_EQ(text("Label41"), QString::fromUtf8(kAnimatorHelp));
    EXPECT_TRUE(text("Label41").contains(QStringLiteral("\n4.\tВыравниваем кадр по предыдущим (дергание кадра) \n")));
    EXPECT_EQ(text("Label42"), QString::fromUtf8(kAnimationKindsHelp));
    EXPECT_EQ(find<QToolButton>("SpeedButton121")->parentWidget(), pages->widget(2));
    EXPECT_EQ(find<QLabel>("Label2")->parentWidget(), panel);
    for (const char* modeButton : {"SpeedButton29", "SpeedButton30"}) {
        auto* button = find<QToolButton>(modeButton);
        EXPECT_TRUE(button->text().isEmpty());
        EXPECT_FALSE(button->icon().isNull());
        EXPECT_FALSE(button->toolTip().isEmpty());
        EXPECT_EQ(button->accessibleName(), button->toolTip());
    }

    // An empty animation of the blank record: frame 1 of 1, never frame 0.
    for (int i = 0; i < 5; ++i) press("SpeedButton24");
    press("SpeedButton23");
    const int a = 5;
    EXPECT_EQ(text("Label2"), QStringLiteral("Мульт-5"));
    EXPECT_EQ(text("Label3"), QStringLiteral("Кадр-1/1"));

    // The sheet starts beside the panel, from its top-left corner.
    window->overlayTick();
    EXPECT_EQ(toQt(window->editor().state().sheetViewOffset), QPoint(350, 0));
    EXPECT_EQ(shownAt(QPoint(350, 0)), sheet.picture.pixel(0, 0));
    // The campfire's cells, dragged into view right of the panel (mouse mode 1, the first visit's mode).
    const QList<QRect> cells = sheet.animations[demo::kAnimCampfire - 1];
    ASSERT_GE(cells.size(), 3);
    EXPECT_TRUE(find<QToolButton>("SpeedButton29")->isChecked());
    const QPoint offset = QPoint(400, 40) - cells[0].topLeft();
    dragShown(QPoint(600, 300), QPoint(600, 300) + offset - QPoint(350, 0));
    EXPECT_EQ(toQt(window->editor().state().sheetViewOffset), offset);
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(QRect(350, 0, 650, 500).contains(cells[i].translated(offset))) << i;
    EXPECT_EQ(shownAt(QPoint(400, 40)), sheet.picture.pixel(cells[0].topLeft()));

    // Frame 1 stretched from its top-left corner, frame 2 from its bottom-right one, frame 3 fitted.
    press("SpeedButton30");
    EXPECT_TRUE(find<QToolButton>("SpeedButton30")->isChecked());
    EXPECT_FALSE(find<QToolButton>("SpeedButton29")->isChecked());
    dragShown(cells[0].topLeft() + offset, cells[0].bottomRight() + QPoint(1, 1) + offset);
    EXPECT_EQ(frameRect(a, 1), cells[0]);
    EXPECT_EQ(shownAt(cells[0].topLeft() + offset), qRgb(255, 255, 255));
    press("SpeedButton28");
    EXPECT_EQ(text("Label3"), QStringLiteral("Кадр-2/2"));
    dragShown(cells[1].bottomRight() + QPoint(1, 1) + offset, cells[1].topLeft() + offset);
    EXPECT_EQ(frameRect(a, 2), cells[1]);
    press("SpeedButton28");
    EXPECT_EQ(text("Label3"), QStringLiteral("Кадр-3/3"));
    const QPoint middle = cells[2].center();
    QPoint onFigure = middle;
    const QRgb key = sheet.picture.pixel(0, sheet.picture.height() - 1);
    while (sheet.picture.pixel(onFigure) == key && onFigure.y() < cells[2].bottom()) onFigure.ry() += 1;
    doubleClickShown(onFigure + offset);
    // Fitted with a pixel to spare, so that the frame's key pixel is the sheet's background.
    const QRect fitted = frameRect(a, 3);
    EXPECT_EQ(fitted, toQt(figureAt(fromQt(sheet.picture), fromQt(onFigure))).adjusted(-1, -1, 1, 1));
    EXPECT_TRUE(cells[2].contains(fitted));
    EXPECT_EQ(sheet.picture.pixel(fitted.bottomLeft()), key);
    EXPECT_EQ(shownAt(fitted.topLeft() + offset), qRgb(255, 255, 255));
    EXPECT_EQ(shownAt(cells[1].topLeft() + offset), sheet.picture.pixel(cells[1].topLeft())); // only frame 3 outlined

    // The preview plays frames 1, 2, 3 and starts again: three different pictures, then the same three.
    QList<QImage> shown;
    for (int i = 0; i < 6; ++i) {
        window->frameTick();
        shown << find<QWidget>("Image2")->grab().toImage();
    }
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(shown[i], shown[i + 3]) << i;
        EXPECT_NE(shown[i], shown[(i + 1) % 3]) << i;
        EXPECT_EQ(shown[i].pixel(5, 5), qRgb(0xC0, 0xC0, 0xC0));
    }

    // The panel shows the fitted frame's numbers.
    EXPECT_EQ(text("FramePosition"), QStringLiteral("x %1\ny %2").arg(fitted.x()).arg(fitted.y()));
    EXPECT_EQ(text("FrameSize"), QStringLiteral("ш %1\nв %2").arg(fitted.width()).arg(fitted.height()));

    // Ctrl+Z takes back the fit, then the added frame; the labels follow.
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(frameRect(a, 3).isEmpty());
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(text("Label3"), QStringLiteral("Кадр-2/2"));
    EXPECT_EQ(frameRect(a, 2), cells[1]);

    // The animator's own help stays on its page; another page hides Panel2.
    pages->setCurrentIndex(4);
    EXPECT_FALSE(panel->isVisible());
    window->hide();
}

} // namespace
} // namespace tw::test
