#include "platform/widgets/widgetcursors.h"
#include "support/testdata.h"
#include "toolkit/toolkittypes.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTest>
#include <QWidget>

#include <memory>

namespace tw {
namespace {

std::optional<AniCursor> loadCursor(const char* path) {
    std::optional<AniCursor> cursor = decodeCursor(fromQtBytes(test::readTestData(QLatin1String(path))));
    if (!cursor) ADD_FAILURE() << "cannot decode " << path;
    return cursor;
}

// The picture a widget's pointer shows, to compare with a cursor frame.
Picture pointerImage(const QWidget& widget) {
    return fromQt(widget.cursor().pixmap().toImage().convertToFormat(QImage::Format_ARGB32));
}

class WidgetCursorsTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::optional<AniCursor> loadedPiano = loadCursor("ani/webamp_piano.ani"); // 5 frames, 8 steps of 15 jiffies
        std::optional<AniCursor> loadedMario = loadCursor("ani/webamp_Super_Mario_Amp_2_close.ani"); // 10 frames, own rates
        ASSERT_TRUE(loadedPiano && loadedMario);
        piano = *loadedPiano;
        mario = *loadedMario;
        cursors.install(cursorNeutral, piano);
        cursors.install(cursorTransition, mario);
    }

    QWidget canvas;
    WidgetCursors cursors{&canvas};
    AniCursor piano;
    AniCursor mario;
};

TEST_F(WidgetCursorsTest, AShownSlotShowsItsFirstFrameAtItsHotspot) {
    cursors.show(cursorNeutral);
    EXPECT_EQ(cursors.shownShape(), cursorNeutral);
    EXPECT_EQ(cursors.currentStep(), 0);
    EXPECT_EQ(canvas.cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(canvas.cursor().hotSpot(), QPoint(13, 9));
    EXPECT_EQ(pointerImage(canvas), piano.frames[0].image);
    EXPECT_TRUE(cursors.isAnimating());
    EXPECT_EQ(cursors.currentStepMs(), 250);
}

TEST_F(WidgetCursorsTest, TheAnimationFollowsTheSequenceAndWrapsAround) {
    cursors.show(cursorNeutral);
    const QList<int> expected = {0, 1, 2, 3, 4, 3, 2, 1, 0, 1};
    for (qsizetype i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(cursors.currentStep(), i % 8);
        EXPECT_EQ(cursors.currentFrame(), expected[i]);
        EXPECT_EQ(pointerImage(canvas), piano.frames[expected[i]].image);
        cursors.advance();
    }
}

TEST_F(WidgetCursorsTest, EachStepLastsItsOwnRate) {
    cursors.show(cursorTransition);
    // Rates 10, 10, 10, 10, 7, 6, 5, 4, 3, 2, 1, ... 60 jiffies of 1/60 s.
    const QList<int> expectedMs = {167, 167, 167, 167, 117, 100, 83, 67, 50, 33, 17};
    for (int expected : expectedMs) {
        EXPECT_EQ(cursors.currentStepMs(), expected);
        cursors.advance();
    }
    while (cursors.currentStep() != 16)
        cursors.advance();
    EXPECT_EQ(cursors.currentStepMs(), 1000);
    EXPECT_EQ(WidgetCursors::jiffiesToMs(0), 17) << "a rate of 0 counts as one jiffy";
}

TEST_F(WidgetCursorsTest, ShowingTheSameSlotAgainKeepsTheAnimationWhereItIs) {
    cursors.show(cursorNeutral);
    cursors.advance();
    cursors.advance();
    cursors.show(cursorNeutral); // the tick asks every time
    EXPECT_EQ(cursors.currentStep(), 2);
    EXPECT_EQ(pointerImage(canvas), piano.frames[2].image);
    cursors.show(cursorTransition); // another slot starts from its beginning
    EXPECT_EQ(cursors.currentStep(), 0);
    EXPECT_EQ(pointerImage(canvas), mario.frames[0].image);
    cursors.show(cursorNeutral);
    EXPECT_EQ(cursors.currentStep(), 0);
}

TEST_F(WidgetCursorsTest, EmptySlotsAndOtherShapesShowTheArrowOrNothing) {
    cursors.show(cursorNeutral);
    cursors.show(cursorMenu); // never installed
    EXPECT_EQ(cursors.shownShape(), cursorMenu);
    EXPECT_EQ(canvas.cursor().shape(), Qt::ArrowCursor);
    EXPECT_FALSE(cursors.isAnimating());
    EXPECT_EQ(cursors.currentFrame(), -1);
    cursors.advance(); // nothing to step
    EXPECT_EQ(cursors.currentStep(), 0);

    cursors.show(kCursorHidden);
    EXPECT_EQ(canvas.cursor().shape(), Qt::BlankCursor);
    cursors.show(kCursorDefault);
    EXPECT_EQ(canvas.cursor().shape(), Qt::ArrowCursor);
    cursors.show(cursorTransition);
    cursors.show(42);
    EXPECT_EQ(canvas.cursor().shape(), Qt::ArrowCursor);
    EXPECT_FALSE(cursors.isAnimating());
}

TEST_F(WidgetCursorsTest, ReplacingTheShownSlotChangesThePointerAtOnce) {
    cursors.show(cursorNeutral);
    cursors.advance();
    cursors.install(cursorNeutral, mario);
    EXPECT_EQ(cursors.currentStep(), 0);
    EXPECT_EQ(pointerImage(canvas), mario.frames[0].image);
    EXPECT_EQ(cursors.currentStepMs(), 167);

    // A file that could not be loaded empties the slot: the arrow shows in its place.
    cursors.install(cursorNeutral, std::nullopt);
    EXPECT_EQ(canvas.cursor().shape(), Qt::ArrowCursor);
    EXPECT_FALSE(cursors.isAnimating());

    // Replacing a slot that is not on show leaves the pointer alone.
    cursors.install(cursorLook, piano);
    EXPECT_EQ(canvas.cursor().shape(), Qt::ArrowCursor);
}

TEST_F(WidgetCursorsTest, AStillCursorDoesNotAnimate) {
    cursors.install(cursorClock, loadCursor("cur/sdl_image_sample.cur"));
    cursors.show(cursorClock);
    EXPECT_EQ(canvas.cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(canvas.cursor().hotSpot(), QPoint(1, 24));
    EXPECT_FALSE(cursors.isAnimating());
    EXPECT_EQ(cursors.currentStepMs(), 0);
}

TEST_F(WidgetCursorsTest, TheTimerStepsTheAnimationByItself) {
    cursors.install(cursorDialog, loadCursor("ani/bibata_Amber_wait.ani")); // 2 jiffies a step
    cursors.show(cursorDialog);
    EXPECT_TRUE(QTest::qWaitFor([&] { return cursors.currentStep() >= 2; }, 5000));
}

TEST(WidgetCursorsWidgetTest, TheWidgetCanComeLaterAndGoFirst) {
    WidgetCursors cursors;
    std::optional<AniCursor> cursor = loadCursor("ani/webamp_piano.ani");
    ASSERT_TRUE(cursor);
    cursors.install(cursorNeutral, cursor);
    cursors.show(cursorNeutral);
    cursors.advance();

    auto canvas = std::make_unique<QWidget>();
    cursors.setWidget(canvas.get());
    EXPECT_EQ(canvas->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(pointerImage(*canvas), cursor->frames[1].image);

    canvas.reset(); // the window closes before the cursors go
    cursors.advance();
    cursors.show(kCursorHidden);
    EXPECT_EQ(cursors.shownShape(), kCursorHidden);
}

} // namespace
} // namespace tw
