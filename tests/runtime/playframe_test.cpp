#include "editor/canvasediting.h"
#include "editor/editorshell.h"
#include "platform/picturecodec.h"
#include "runtime/engine.h"
#include "support/fakes.h"
#include "support/faketree.h"
#include "toolkit/toolkittypes.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <utility>

namespace tw::test {
namespace {

constexpr QRgb kKey = 0xFFFF00FF;
constexpr QRgb kHeroColour = 0xFFC00000;
constexpr QRgb kSpotColour = 0xFF00C000;
constexpr QRgb kSpotFrame2Colour = 0xFF00C0C0;
constexpr QRgb kSceneColour = 0xFF148080; // scene 1 of the fake tree: (20, 100, 100)... see faketree

// A scene with a hero (animation 1: one 40 x 60 red frame), a spot animation 2 (two 40 x 40 frames,
// green then teal) and item 3 (small picture solid yellow), all at the same place.
class PlayFrame : public ::testing::Test {
protected:
    FakeWorld world;
    std::unique_ptr<Engine> engine;
    std::unique_ptr<CanvasEditing> editing;

    void SetUp() override {
        auto record = ProjectRecord::createBlank();
        record->sceneCount = 3;
        record->startScene = 1;
        record->tickInterval = 50;
        record->heroStep = 5;
        Animation& hero = record->animation(1);
        hero.frameCount = 1;
        hero.frame(1) = AnimFrame{0, 0, 40, 60};
        Animation& spot = record->animation(2);
        spot.frameCount = 2;
        spot.frame(1) = AnimFrame{100, 0, 40, 40};
        spot.frame(2) = AnimFrame{200, 0, 40, 40};
        record->heroAnimStand = 1;
        record->heroX = 220; // foot point: the frame covers (200, 140)-(240, 200)
        record->heroY = 200;
        record->heroCol = 12;
        record->heroRow = 11;
        record->scene(1).animSpot(1) = AnimSpot{1, 0, 200, 150, 2, 0};
        record->item(3) = Item{1, 10, 8, 1, 0, 0, 0, 0, 0}; // drawn at (200, 160)
        putMinimalTree(world.files, *record);

        QImage sheet(400, 300, QImage::Format_RGB32);
        sheet.fill(kKey);
        QPainter painter(&sheet);
        painter.fillRect(0, 0, 40, 59, QColor::fromRgb(kHeroColour));
        painter.fillRect(101, 0, 39, 39, QColor::fromRgb(kSpotColour));
        painter.fillRect(201, 0, 39, 39, QColor::fromRgb(kSpotFrame2Colour));
        painter.end();
        world.files.files[kFakeRoot.data("anim")] = toQtBytes(encodeBmp(fromQt(sheet)));
        QImage small(2000, 20, QImage::Format_RGB32);
        small.fill(Qt::yellow);
        small.setPixel(40, 19, qRgb(1, 1, 1)); // item 3's bottom-left pixel is its key
        world.files.files[kFakeRoot.data("nabpredmin")] = toQtBytes(encodeBmp(fromQt(small)));

        engine = std::make_unique<Engine>(kFakeRoot, world.services());

        editing = std::make_unique<CanvasEditing>(*engine);
        ASSERT_TRUE(engine->startUp());
        selectPage(*engine, EditorPage::PlotEditor);
    }

    QRgb at(int x, int y) const { return engine->canvas().pixel(x, y); }
};

TEST_F(PlayFrame, TheHeroCoversSpotsAndItemsAtHisPlace) {
    engine->frameTick();
    EXPECT_EQ(at(205, 165), kHeroColour);   // hero over spot and item
    EXPECT_EQ(at(205, 145), kHeroColour);   // hero over spot
    EXPECT_EQ(at(230, 205), qRgb(20, 100, 100)); // below the hero: the scene
}

TEST_F(PlayFrame, SpotAndItemShowWhereTheHeroIsNot) {
    engine->record().heroX = 600;
    engine->frameTick();
    EXPECT_EQ(at(215, 165), kSpotColour); // the spot is drawn after the item
    engine->record().scene(1).animSpot(1).visible = 0;
    engine->frameTick();
    EXPECT_EQ(at(215, 165), qRgb(255, 255, 0)); // the item alone
}

TEST_F(PlayFrame, HiddenSpotIsNotDrawnButItsCounterAdvances) {
    engine->record().heroX = 600;
    engine->record().scene(1).animSpot(1).visible = 0;
    EXPECT_EQ(engine->play().spotFrame[0], 1);
    engine->frameTick();
    EXPECT_EQ(engine->play().spotFrame[0], 2);
    EXPECT_NE(at(215, 150), kSpotColour);
    EXPECT_NE(at(215, 150), kSpotFrame2Colour);
    engine->frameTick();
    EXPECT_EQ(engine->play().spotFrame[0], 1); // two frames: back to the first
    // Shown again, it continues from its own counter.
    engine->record().scene(1).animSpot(1).visible = 1;
    engine->frameTick();
    EXPECT_EQ(at(215, 150), kSpotColour);
    engine->frameTick();
    EXPECT_EQ(at(215, 150), kSpotFrame2Colour);
}

TEST_F(PlayFrame, CyclicSpotWithOneFrameAlwaysShowsFrameOne) {
    engine->record().heroX = 600;
    engine->record().animation(2).frameCount = 1;
    for (int tick = 0; tick < 5; ++tick) {
        engine->frameTick();
        EXPECT_EQ(at(215, 150), kSpotColour);
        EXPECT_EQ(engine->play().spotFrame[0], 1);
    }
}

TEST_F(PlayFrame, RandomSpotJumpsOnlyOnAFiveInFiftyChance) {
    engine->record().heroX = 600;
    engine->record().scene(1).animSpot(1).randomFrame = 1;
    world.random.next = {5, 4, 1}; // no jump; then a jump to 1 + 1 = frame 2
    engine->frameTick();
    EXPECT_EQ(engine->play().spotFrame[0], 1);
    engine->frameTick();
    EXPECT_EQ(engine->play().spotFrame[0], 2);
}

TEST_F(PlayFrame, ThePanelCoversTheHero) {
    engine->record().heroY = 50; // the hero stands under the item panel
    engine->play().mousePoint = Point{500, 2};
    engine->frameTick();
    EXPECT_TRUE(engine->play().panelShown);
    EXPECT_EQ(at(215, 20), qRgb(90, 60, 30));
    EXPECT_EQ(engine->canvasCursor(), int(cursorItem));
    // Above y 100 the panel is drawn one last time and is gone from the next tick on.
    engine->play().mousePoint = Point{500, 300};
    engine->frameTick();
    EXPECT_FALSE(engine->play().panelShown);
    EXPECT_EQ(at(215, 20), qRgb(90, 60, 30));
    engine->frameTick();
    EXPECT_EQ(at(215, 20), kHeroColour);
}

TEST_F(PlayFrame, WithTheComicOnNothingElseIsVisible) {
    engine->pictures().comicPicture = fromQt(solidPicture(100, 80, Qt::cyan));
    engine->play().comicOn = true;
    engine->play().comicTicks = 30;
    engine->frameTick();
    const QImage canvas = toQt(std::as_const(engine->canvas()));
    // Centred: ((1009 - 100) div 2, (700 - 80) div 2) = (454, 310).
    EXPECT_EQ(at(454, 310), qRgb(0, 255, 255));
    EXPECT_EQ(at(553, 389), qRgb(0, 255, 255));
    int notBlack = 0;
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x)
            if (canvas.pixel(x, y) != qRgb(0, 0, 0)) ++notBlack;
    EXPECT_EQ(notBlack, 100 * 80);
}

TEST_F(PlayFrame, ComicEndsAfterThirtyTicksFreeingTheHero) {
    engine->pictures().comicPicture = fromQt(solidPicture(10, 10, Qt::cyan));
    engine->play().comicOn = true;
    engine->play().comicTicks = 30;
    engine->play().heroFree = false;
    for (int tick = 0; tick < 29; ++tick) engine->frameTick();
    EXPECT_TRUE(engine->play().comicOn);
    engine->frameTick();
    EXPECT_FALSE(engine->play().comicOn);
    EXPECT_TRUE(engine->play().heroFree);
    EXPECT_EQ(world.audio.log.last(), QStringLiteral("effect:") + QString::fromStdString(kFakeRoot.sound("even.wav")));
}

TEST_F(PlayFrame, OnlyTheSceneAndAnimatorModesWorkInTheFrameTick) {
    for (EditorPage page : {EditorPage::GameMenu, EditorPage::Passability}) {
        selectPage(*engine, page);
        engine->canvas().fill(rgb(0, 0, 0));
        engine->frameTick();
        EXPECT_EQ(at(500, 500), qRgb(0, 0, 0));
        EXPECT_EQ(engine->play().spotFrame[0], 1);
    }
}

TEST_F(PlayFrame, MenuOverlayOutlinesOnlyWellFormedZones) {
    selectPage(*engine, EditorPage::GameMenu);
    ProjectRecord& record = engine->record();
    record.menuTopLeft(1) = {100, 100};
    record.menuBottomRight(1) = {200, 150}; // dragged: outlined
    record.menuTopLeft(2) = {300, 300};
    record.menuBottomRight(2) = {300, 300}; // only clicked: not outlined
    record.menuTopLeft(3) = {500, 500};
    record.menuBottomRight(3) = {400, 450}; // dragged up-left: never drawn
    engine->overlayTick();
    EXPECT_EQ(at(100, 100), qRgb(255, 0, 255));
    EXPECT_EQ(at(199, 149), qRgb(255, 0, 255));
    EXPECT_EQ(at(150, 125), qRgb(0, 0, 160));
    EXPECT_EQ(at(300, 300), qRgb(0, 0, 160));
    EXPECT_EQ(at(450, 450), qRgb(0, 0, 160));
    EXPECT_EQ(at(500, 500), qRgb(0, 0, 160));
    // Neither of the two is ever hit.
    engine->mouseDown(MouseButton::Left, 300, 300);
    engine->mouseDown(MouseButton::Left, 450, 470);
    EXPECT_EQ(world.messages.beeps, 0);
}

TEST_F(PlayFrame, EditorMarkersAreDrawnDuringPlay) {
    ProjectRecord& record = engine->record();
    record.scene(1).portal(1) = Portal{30, 20, 5, 5, 2};
    record.scene(1).dialog(1).kind = 1;
    record.scene(1).dialog(1).zoneX1 = 600;
    record.scene(1).dialog(1).zoneY1 = 100;
    record.scene(1).dialog(1).zoneX2 = 700;
    record.scene(1).dialog(1).zoneY2 = 200;
    record.scene(1).dialog(1).approachCol = 40;
    record.scene(1).dialog(1).approachRow = 30;
    engine->frameTick();
    EXPECT_EQ(at(20 * 29, 20 * 19 + 10), qRgb(255, 0, 255));  // portal cell (30, 20) outline
    EXPECT_EQ(at(20 * 30 - 1, 20 * 20 - 2), qRgb(255, 0, 255));
    EXPECT_EQ(at(650, 100), qRgb(255, 0, 255)); // dialog zone outline
    EXPECT_EQ(at(20 * 39, 20 * 29 + 15), qRgb(255, 0, 255)); // dialog approach cell
}

} // namespace
} // namespace tw::test

namespace tw::test {
namespace {

// While a portal or an item is being placed the walkable cells are outlined with every frame, over the
// scene: the fast overlay tick leaves the frame alone, so the hero and the spots never blink away.
TEST_F(PlayFrame, PlacingOutlinesCellsWithTheFrameAndTheOverlayKeepsTheHero) {
    for (int armed = 0; armed < 2; ++armed) {
        SCOPED_TRACE(armed);
        editorState(*engine).portalPick = armed == 0 ? 1 : 0;
        editorState(*engine).itemArmed = armed == 1;
        engine->frameTick();
        EXPECT_EQ(at(205, 165), kHeroColour);
        EXPECT_EQ(at(400, 400), qRgb(255, 0, 255)); // cell (21, 21) outlined
        const QImage frame = toQt(std::as_const(engine->canvas())).copy();
        for (int i = 0; i < 5; ++i) engine->overlayTick();
        EXPECT_TRUE(toQt(std::as_const(engine->canvas())) == frame);
    }
}

} // namespace
} // namespace tw::test
