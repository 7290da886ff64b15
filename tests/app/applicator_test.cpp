// The author composes a scene on the applicator page: creates it, loads a background from a file, adds a
// stamp from disk, follows it with the pointer, stamps it three times (once over the edge), takes the
// last stamp back, brushes with a scripted random source, and finds every change in the scene file at
// once; the page refuses a 101st scene and never saves another scene's picture over a missing one.
#include "canvas/background.h"
#include "platform/picturecodec.h"
#include "support/testdata.h"
#include "support/windowscenario.h"
#include "toolkit/toolkittypes.h"

#include <QCheckBox>
#include <QSpinBox>
#include <QTabWidget>
#include <QWheelEvent>
#include <utility>

namespace tw::test {
namespace {

class ApplicatorScenario : public WindowScenario {
protected:
    void SetUp() override {
        auto record = ProjectRecord::createBlank();
        record->sceneCount = 2;
        record->stampCount = 3;
        putMinimalTree(world.files, *record);
        for (int k = 1; k <= 3; ++k) world.files.files[kFakeRoot.stamp(k)] = toQtBytes(encodeBmp(fromQt(solidPicture(30, 30, QColor(k, k, k)))));
        openWindow();
        find<QTabWidget>("PageControl1")->setCurrentIndex(1);
        showPanel();
    }
    QImage sceneFile(int n) { return toQt(decodePicture(fromQtBytes(world.files.files.value(kFakeRoot.scene(n))))).convertToFormat(QImage::Format_RGB32); }
    void wheel(int steps) {
        QWheelEvent event(QPointF(300, 300), window->mapToGlobal(QPointF(300, 300)), QPoint(), QPoint(0, 120 * steps),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(window.get(), &event);
    }
    QImage background() { return toQt(std::as_const(window->engine().pictures().backgroundPicture)).copy(); }
};

TEST_F(ApplicatorScenario, ComposeAScene) {
    // A new scene: counted once its silver file is written, and shown.
    press("SpeedButton12");
    EXPECT_EQ(record().sceneCount, 3);
    EXPECT_EQ(screen().currentScene, 3);
    EXPECT_EQ(sceneFile(3), toQt(blankScenePicture()));
    // Its background from a file of the corpus, smaller than the play area: it lies at the top left of a
    // blank scene.
    const QString backdrop = offer("bmp/good/webamp_base-2.91_MAIN.BMP", "backdrop.bmp");
    world.dialogs.answers = {backdrop};
    press("SpeedButton20");
    const QImage loaded = toQt(decodePicture(fromQtBytes(world.files.files[backdrop]))).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(sceneFile(3).size(), QSize(kPlayWidth, kPlayHeight));
    EXPECT_EQ(sceneFile(3).copy(loaded.rect()), loaded);
    EXPECT_EQ(sceneFile(3).pixel(600, 600), toQt(blankScenePicture()).pixel(600, 600));
    // A stamp added to the library: counted, the held one unchanged until the wheel moves.
    const QString stampFile = offer("bmp/good/pal8.bmp", "stamp.bmp");
    world.dialogs.answers = {stampFile};
    press("SpeedButton13");
    EXPECT_EQ(record().stampCount, 4);
    EXPECT_EQ(window->editor().state().currentStamp, 1);
    wheel(-1);
    wheel(-1);
    wheel(-1);
    wheel(-1); // past the last: stays there
    EXPECT_EQ(window->editor().state().currentStamp, 4);
    const QImage stamp = toQt(decodePicture(fromQtBytes(world.files.files[stampFile]))).convertToFormat(QImage::Format_RGB32);
    const QRgb key = stamp.pixel(0, 0);
    QPoint inside(-1, -1); // a stamp pixel that is not its key colour
    for (int y = 0; y < stamp.height() && inside.x() < 0; ++y)
        for (int x = 0; x < stamp.width() && inside.x() < 0; ++x)
            if (stamp.pixel(x, y) != key && stamp.pixel(x, y) != stamp.pixel(0, stamp.height() - 1)) inside = QPoint(x, y);
    ASSERT_GE(inside.x(), 0);

    // The stamp follows the pointer.
    pointer(QEvent::MouseMove, QPoint(300, 200));
    ticks(1);
    EXPECT_EQ(shownAt(QPoint(300, 200) + inside) & 0xFFFFFF, stamp.pixel(inside) & 0xFFFFFF);

    // Three stamps; each is in the scene file at once. The last one hangs over the bottom right corner.
    const QPoint places[] = {QPoint(100, 100), QPoint(400, 300), QPoint(kPlayWidth - 20, kPlayHeight - 10)};
    QImage afterSecond;
    for (const QPoint& at : places) {
        click(at);
        const QImage saved = sceneFile(3);
        ASSERT_EQ(saved.size(), QSize(kPlayWidth, kPlayHeight));
        const QPoint p = at + inside;
        if (QRect(0, 0, kPlayWidth, kPlayHeight).contains(p)) {
            EXPECT_EQ(saved.pixel(p), stamp.pixel(inside));
        }
        if (at == places[1]) afterSecond = saved;
    }
    EXPECT_EQ(sceneFile(3).pixel(kPlayWidth - 1, kPlayHeight - 1) & 0xFFFFFF,
              stamp.pixel(19, 9) == key ? background().pixel(kPlayWidth - 1, kPlayHeight - 1) & 0xFFFFFF
                                        : stamp.pixel(19, 9) & 0xFFFFFF);
    // Ctrl+Z takes the last stamp back, on disk and on the canvas.
    undo();
    EXPECT_EQ(sceneFile(3), afterSecond);
    EXPECT_EQ(background().convertToFormat(QImage::Format_RGB32), afterSecond);

    // The brush at radius 2, darkening at intensity 5: a pixel of the 3 x 3 square left of and above the
    // pointer darkens by 3 where the scripted number is 1.
    find<QCheckBox>("CheckBox4")->setChecked(true);
    find<QSpinBox>("SpinEdit13")->setValue(2);
    const QImage before = background().convertToFormat(QImage::Format_RGB32);
    world.random.next = {1, 0, 1, 0, 0, 0, 1, 1, 0};
    pointer(QEvent::MouseMove, QPoint(600, 400));
    pointer(QEvent::MouseButtonPress, QPoint(600, 400));
    pointer(QEvent::MouseMove, QPoint(602, 402));
    pointer(QEvent::MouseButtonRelease, QPoint(602, 402));
    const QImage brushed = sceneFile(3);
    const int hits[3][3] = {{1, 0, 1}, {0, 0, 0}, {1, 1, 0}};
    for (int y = 0; y < kPlayHeight; ++y) {
        for (int x = 0; x < kPlayWidth; ++x) {
            QRgb want = before.pixel(x, y);
            const int row = y - 400, column = x - 600;
            if (row >= 0 && row < 3 && column >= 0 && column < 3 && hits[row][column]) {
                const int r = qRed(want), g = qGreen(want), b = qBlue(want);
                if (r > 3 && g > 3 && b > 3) want = qRgb(r - 3, g - 3, b - 3);
            }
            ASSERT_EQ(brushed.pixel(x, y), want) << x << ", " << y;
        }
    }
    // One stroke is one step.
    undo();
    EXPECT_EQ(sceneFile(3), afterSecond);
    find<QCheckBox>("CheckBox4")->setChecked(false);

    // A 101st scene is refused and nothing is written.
    record().sceneCount = 100;
    world.messages.errors.clear();
    press("SpeedButton12");
    EXPECT_EQ(record().sceneCount, 100);
    EXPECT_FALSE(world.files.files.contains(kFakeRoot.scene(101)));
    EXPECT_EQ(world.messages.errors.size(), 1);
    record().sceneCount = 3;

    // Scene 2's file is missing: after one message the scene starts blank, and a stamp saves blank plus
    // the stamp, never scene 3's picture.
    world.files.files.remove(kFakeRoot.scene(2));
    world.messages.errors.clear();
    press("SpeedButton9");
    EXPECT_EQ(world.messages.errors.size(), 1);
    click(QPoint(50, 50));
    const QImage second = sceneFile(2);
    EXPECT_EQ(second.pixel(700, 600), toQt(blankScenePicture()).pixel(700, 600));
    EXPECT_EQ(second.pixel(QPoint(50, 50) + inside), stamp.pixel(inside));
    window->hide();
}

} // namespace
} // namespace tw::test
