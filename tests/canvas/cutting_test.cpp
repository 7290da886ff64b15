#include "canvas/background.h"
#include "canvas/blit.h"
#include "canvas/cutting.h"
#include "canvas/picturefiles.h"
#include "canvas/screenstate.h"
#include "project/projectrecord.h"
#include "support/fakes.h"
#include "support/faketree.h"
#include "toolkit/toolkittypes.h"

#include <gtest/gtest.h>

namespace tw::test {
namespace {

constexpr Rgb kKey = 0xFFFF00FF;

void fillRect(Picture& picture, int x, int y, int w, int h, Rgb colour) {
    for (int row = y; row < y + h; ++row)
        for (int column = x; column < x + w; ++column) picture.setPixel(column, row, colour);
}

// A sheet of key colour with two frames: frame 1 at (0, 0) 40 x 60 in red, frame 3 at (100, 0) 30 x 50
// in green, each with a key-coloured bottom-left pixel.
struct SheetFixture {
    Picture sheet{400, 300};
    Picture canvas{kPlayWidth, kPlayHeight};
    Picture frame;
    std::unique_ptr<ProjectRecord> record = ProjectRecord::createBlank();

    SheetFixture() {
        sheet.fill(kKey);
        fillRect(sheet, 0, 0, 40, 60, rgb(255, 0, 0));
        fillRect(sheet, 100, 0, 30, 50, rgb(0, 255, 0));
        sheet.setPixel(0, 59, kKey);
        sheet.setPixel(100, 49, kKey);
        canvas.fill(rgb(255, 255, 255));
        Animation& a = record->animation(5);
        a.frameCount = 3;
        a.frame(1) = AnimFrame{0, 0, 40, 60};
        a.frame(2) = AnimFrame{0, 0, 40, 60};
        a.frame(3) = AnimFrame{100, 0, 30, 50};
    }
};

TEST(CutFrame, AnchoredFramesShareFrameOnesBottomCentre) {
    SheetFixture f;
    cutFrame(f.canvas, f.sheet, f.frame, *f.record, 200, 300, 5, true, 3);
    // Top-left at (200 - 40/2, 300 - 60) = (180, 240), whatever the frame's own size.
    EXPECT_EQ(f.canvas.pixel(181, 240), qRgb(0, 255, 0));
    EXPECT_EQ(f.canvas.pixel(179, 240), qRgb(255, 255, 255));
    EXPECT_EQ(f.canvas.pixel(181, 239), qRgb(255, 255, 255));
    EXPECT_EQ(f.canvas.pixel(209, 289), qRgb(0, 255, 0));
    EXPECT_EQ(f.canvas.pixel(210, 289), qRgb(255, 255, 255));
    // The frame's bottom-left pixel is the key: left out.
    EXPECT_EQ(f.canvas.pixel(180, 289), qRgb(255, 255, 255));
    EXPECT_EQ(f.frame.size(), (Size{30, 50}));
}

TEST(CutFrame, UnanchoredFrameHasItsTopLeftAtThePoint) {
    SheetFixture f;
    cutFrame(f.canvas, f.sheet, f.frame, *f.record, 10, 20, 5, false, 1);
    EXPECT_EQ(f.canvas.pixel(10, 20), qRgb(255, 0, 0));
    EXPECT_EQ(f.canvas.pixel(49, 79), qRgb(255, 0, 0));
    EXPECT_EQ(f.canvas.pixel(10, 79), qRgb(255, 255, 255)); // key
    EXPECT_EQ(f.canvas.pixel(50, 20), qRgb(255, 255, 255));
}

TEST(CutFrame, TransparencyTakesTheCutOutsBottomLeftPixel) {
    SheetFixture f;
    // The sheet's own bottom-left pixel is something else; only the cut-out's counts.
    f.sheet.setPixel(0, 299, qRgb(1, 2, 3));
    f.sheet.setPixel(100, 49, qRgb(0, 255, 0)); // frame 3's bottom-left is now green: green is left out
    cutFrame(f.canvas, f.sheet, f.frame, *f.record, 0, 0, 5, false, 3);
    EXPECT_EQ(f.canvas.pixel(5, 5), qRgb(255, 255, 255));
}

TEST(CutFrame, RectanglesOutsideTheSheetAndBadNumbersAreSafe) {
    SheetFixture f;
    Animation& a = f.record->animation(7);
    a.frameCount = 2;
    a.frame(1) = AnimFrame{390, 290, 40, 40};       // hangs over the sheet's corner
    a.frame(2) = AnimFrame{65535, 65535, 65535, 65535}; // nowhere near it
    cutFrame(f.canvas, f.sheet, f.frame, *f.record, 1000, 690, 7, false, 1);
    cutFrame(f.canvas, f.sheet, f.frame, *f.record, 0, 0, 7, true, 2);
    EXPECT_LE(f.frame.width(), f.sheet.width());
    EXPECT_LE(f.frame.height(), f.sheet.height());
    const Picture before = f.canvas;
    cutFrame(f.canvas, f.sheet, f.frame, *f.record, 0, 0, 0, false, 1);
    cutFrame(f.canvas, f.sheet, f.frame, *f.record, 0, 0, 101, false, 1);
    cutFrame(f.canvas, f.sheet, f.frame, *f.record, 0, 0, 5, false, 31);
    cutFrame(f.canvas, f.sheet, f.frame, *f.record, 0, 0, 9, false, 1); // empty animation
    EXPECT_TRUE(f.canvas == before);
}

TEST(CutCell, ItemThreeOfTheLargeStrip) {
    Picture strip(5000, 50);
    fillRect(strip, 100, 0, 50, 50, rgb(255, 255, 0));
    Picture cell;
    cutCell(strip, 50, 50, 3, cell);
    EXPECT_EQ(cell.size(), (Size{50, 50}));
    EXPECT_EQ(cell.pixel(0, 0), qRgb(255, 255, 0));
    EXPECT_EQ(cell.pixel(49, 49), qRgb(255, 255, 0));
    cutCell(strip, 50, 50, 255, cell); // beyond the strip: black, nothing read outside
    EXPECT_EQ(cell.pixel(10, 10), qRgb(0, 0, 0));
}

TEST(Blit, ClippedAtEveryEdge) {
    Picture target(30, 30);
    target.fill(rgb(255, 255, 255));
    Picture source = fromQt(solidPicture(20, 20, Qt::blue));
    source.setPixel(0, 19, qRgb(9, 9, 9));
    for (Point at : {Point{-10, -10}, Point{25, 25}, Point{-30, 5}, Point{40, 40}}) {
        drawTransparent(target, source, at);
        drawOpaque(target, source, at);
    }
    EXPECT_EQ(target.pixel(0, 0), qRgb(0, 0, 255));
    EXPECT_EQ(target.pixel(29, 29), qRgb(0, 0, 255));
    EXPECT_EQ(target.pixel(15, 15), qRgb(255, 255, 255));
}

TEST(ReloadBackground, EachModeReadsItsFile) {
    FakeFileSystem files;
    putMinimalTree(files, *ProjectRecord::createBlank());
    PictureFiles pictureFiles(files);
    ScreenState screen;
    Picture background;
    Picture canvas(kPlayWidth, kPlayHeight);

    screen.screenMode = ScreenMode::Scene;
    screen.currentScene = 12;
    EXPECT_EQ(reloadBackground(screen, kFakeRoot, pictureFiles, background, canvas), "");
    EXPECT_EQ(files.opened.last(), QStringLiteral("/game/mzh/scena/12"));
    EXPECT_EQ(canvas.pixel(3, 3), qRgb(240, 100, 100));

    screen.screenMode = ScreenMode::Animator;
    reloadBackground(screen, kFakeRoot, pictureFiles, background, canvas);
    EXPECT_EQ(files.opened.last(), QStringLiteral("/game/mzh/data/anim"));
    screen.screenMode = ScreenMode::Help;
    screen.sceneViewOffset = Point{100, 50};
    canvas.fill(rgb(255, 255, 255));
    reloadBackground(screen, kFakeRoot, pictureFiles, background, canvas);
    EXPECT_EQ(files.opened.last(), QStringLiteral("/game/mzh/data/help"));
    EXPECT_EQ(canvas.pixel(99, 49), qRgb(255, 255, 255));
    EXPECT_EQ(canvas.pixel(100, 50), qRgb(0, 160, 0));

    // A missing scene file is reported by name, and the scene starts blank instead of taking the help
    // picture held before for its own.
    screen.screenMode = ScreenMode::Passability;
    screen.currentScene = 40;
    const QString message = QString::fromStdString(reloadBackground(screen, kFakeRoot, pictureFiles, background, canvas));
    EXPECT_TRUE(message.contains(QStringLiteral("/game/mzh/scena/40")));
    EXPECT_TRUE(background == blankScenePicture());
    EXPECT_EQ(canvas.pixel(500, 500), qRgb(0xC0, 0xC0, 0xC0));
    // A missing sheet keeps the picture held (the animator draws nothing of its own over it).
    files.files.remove(kFakeRoot.data("anim"));
    screen.screenMode = ScreenMode::Animator;
    EXPECT_FALSE(reloadBackground(screen, kFakeRoot, pictureFiles, background, canvas).empty());
    EXPECT_TRUE(background == blankScenePicture());
}

} // namespace
} // namespace tw::test
