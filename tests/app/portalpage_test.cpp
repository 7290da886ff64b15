// The author at the window places portals and scene animations from the plot editor: the portal's four
// steps with the floating scene chooser, a change of mind half-way (the spinner turned, Esc, another
// page), "Убрать", an animation spot with its preview, every edit taken back with Ctrl+Z; then the game
// is played: the spot animates and the hero walks through the portal. Everything goes through the
// widgets, found by their names, and the canvas's mouse events.
#include "platform/picturecodec.h"
#include "support/windowscenario.h"
#include "toolkit/toolkittypes.h"

#include <QCheckBox>
#include <QLabel>
#include <QPainter>
#include <QTabWidget>

namespace tw::test {
namespace {

constexpr QRgb kRed = qRgb(255, 0, 0);
constexpr QRgb kBlue = qRgb(0, 0, 255);

// Pixel at the centre of cell (c, r).
QPoint cell(int c, int r) { return QPoint(20 * c - 10, 20 * r - 10); }

class PortalPageScenario : public WindowScenario {
protected:
    void SetUp() override {
        auto record = ProjectRecord::createBlank();
        record->sceneCount = 3;
        record->heroStep = 10;
        record->heroX = 50; // cell (3, 3)
        record->heroY = 50;
        record->pass(1, 10, 10) = kBlockedCell;
        record->pass(3, 10, 10) = kBlockedCell;
        // Animation 2: a red square and then a blue one, each in a 40 x 40 frame keyed magenta.
        Animation& animation = record->animation(2);
        animation.frameCount = 2;
        animation.frame(1) = AnimFrame{20, 20, 40, 40};
        animation.frame(2) = AnimFrame{120, 20, 40, 40};
        // Spot 3 of scene 1 was never placed but plays random frames.
        record->scene(1).animSpot(3).randomFrame = 1;
        putMinimalTree(world.files, *record);
        QImage sheet = solidPicture(400, 300, QColor(255, 0, 255));
        QPainter painter(&sheet);
        painter.fillRect(30, 30, 20, 20, QColor(kRed));
        painter.fillRect(130, 30, 20, 20, QColor(kBlue));
        painter.end();
        world.files.files.insert(kFakeRoot.data("anim"), toQtBytes(encodeBmp(fromQt(sheet))));

        openWindow();
        find<QTabWidget>("PageControl1")->setCurrentIndex(6);
        ASSERT_EQ(screen().screenMode, ScreenMode::Scene);
    }
    QRgb sceneColour(int s) { return qRgb(s * 20, 100, 100); }
    const EditorState& editing() { return window->editor().state(); }
    Portal portal(int s, int k) { return record().scene(s).portal(k); }
    QPoint hero() { return QPoint(record().heroX, record().heroY); }
    bool chooserShown() { return find<QFrame>("RzPanel1")->isVisible(); }
    // Sends the hero towards cell (c, r) and says whether he took a step within a few frames.
    bool heroWalksTo(int c, int r) {
        const QPoint before = hero();
        click(cell(c, r));
        ticks(3);
        return hero() != before;
    }
};

void expectPortal(const Portal& portal, int col, int row, int arrivalCol, int arrivalRow, int target) {
    EXPECT_EQ(portal.col, col);
    EXPECT_EQ(portal.row, row);
    EXPECT_EQ(portal.arrivalCol, arrivalCol);
    EXPECT_EQ(portal.arrivalRow, arrivalRow);
    EXPECT_EQ(portal.targetScene, target);
}

TEST_F(PortalPageScenario, PortalBetweenScenesThenPlayedThrough) {
    EXPECT_TRUE(find<QLabel>("Label45")->text().endsWith(QStringLiteral("герой может зациклится.")));
    EXPECT_FALSE(chooserShown());
    // The hero is sent off to the right; half-way the author starts placing portal 2 and the hero stops.
    click(cell(20, 3));
    ticks(2);
    spin("SpinEdit6", 2);
    press("SpeedButton55");
    const QPoint stopped = hero();
    ticks(5);
    EXPECT_EQ(hero(), stopped);

    // A blocked cell does not take the portal; a walkable one does and brings up the chooser.
    click(cell(10, 10));
    EXPECT_EQ(portal(1, 2).col, 0);
    EXPECT_FALSE(chooserShown());
    click(cell(5, 7));
    expectPortal(portal(1, 2), 0, 0, 0, 0, 0); // written only as a whole, with the arrival
    ASSERT_TRUE(chooserShown());
    EXPECT_EQ(find<QFrame>("RzPanel1")->geometry(), QRect(352, 344, 201, 89));
    EXPECT_EQ(find<QSpinBox>("SpinEdit7")->maximum(), 3);
    EXPECT_EQ(hero(), stopped); // the presses gave him no orders

    // The portal spinner turned half-way changes nothing in this placement.
    spin("SpinEdit6", 4);
    spin("SpinEdit7", 3);
    EXPECT_EQ(screen().currentScene, 3);
    EXPECT_EQ(shownAt(QPoint(500, 20)), sceneColour(3));
    EXPECT_EQ(portal(1, 2).targetScene, 0);
    ticks(5);
    EXPECT_EQ(hero(), stopped);

    press("SpeedButton56");
    EXPECT_FALSE(chooserShown());
    ticks(5);
    EXPECT_EQ(hero(), stopped); // still placing: the arrival is not set yet
    click(cell(10, 10)); // blocked on scene 3
    EXPECT_EQ(screen().currentScene, 3);
    click(cell(8, 9));
    EXPECT_EQ(screen().currentScene, 1);
    EXPECT_EQ(shownAt(QPoint(500, 20)), sceneColour(1));
    expectPortal(portal(1, 2), 5, 7, 8, 9, 3);
    expectPortal(portal(1, 4), 0, 0, 0, 0, 0);
    EXPECT_EQ(portal(3, 2).col, 0);
    EXPECT_FALSE(editing().portalPlacementUnderway());

    // The placement is one step.
    undo();
    expectPortal(portal(1, 2), 0, 0, 0, 0, 0);
    redo();
    expectPortal(portal(1, 2), 5, 7, 8, 9, 3);
    EXPECT_EQ(screen().currentScene, 1);

    // Played: the hero walks onto the portal's cell and comes out on scene 3 at the arrival cell.
    click(cell(5, 7));
    for (int i = 0; i < 200 && screen().currentScene == 1; ++i) ticks(1);
    EXPECT_EQ(screen().currentScene, 3);
    EXPECT_EQ(hero(), QPoint(20 * 8, 20 * 9));
    window->hide();
}

TEST_F(PortalPageScenario, PortalWithinOneSceneAbandonedPlacementsAndRemoval) {
    // Step 3 skipped: the portal leads into its own scene.
    spin("SpinEdit6", 1);
    press("SpeedButton55");
    click(cell(4, 4));
    ASSERT_TRUE(chooserShown());
    press("SpeedButton56");
    click(cell(6, 6));
    expectPortal(portal(1, 1), 4, 4, 6, 6, 1);
    EXPECT_FALSE(editing().portalPlacementUnderway());

    // Esc while the target scene is shown: the chooser goes, the portal's scene comes back, the hero
    // walks again once the author returns to the game.
    spin("SpinEdit6", 3);
    press("SpeedButton55");
    click(cell(12, 4));
    spin("SpinEdit7", 2);
    ASSERT_EQ(screen().currentScene, 2);
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_FALSE(chooserShown());
    EXPECT_FALSE(editing().portalPlacementUnderway());
    EXPECT_EQ(screen().currentScene, 1);
    EXPECT_EQ(screen().screenMode, ScreenMode::Menu);
    find<QTabWidget>("PageControl1")->setCurrentIndex(7);
    find<QTabWidget>("PageControl1")->setCurrentIndex(6);
    EXPECT_TRUE(heroWalksTo(3, 12));
    // Nothing of the placement left half-way stays.
    expectPortal(portal(1, 3), 0, 0, 0, 0, 0);

    // Another page while the cell is armed: nothing stays armed and the hero walks.
    press("SpeedButton55");
    find<QTabWidget>("PageControl1")->setCurrentIndex(7);
    find<QTabWidget>("PageControl1")->setCurrentIndex(6);
    EXPECT_FALSE(editing().portalPlacementUnderway());
    EXPECT_TRUE(heroWalksTo(3, 3));
    click(cell(14, 4));
    EXPECT_EQ(portal(1, 3).col, 0);

    // "Убрать" takes the cell of the portal the spinner names; arrival and target stay.
    spin("SpinEdit6", 1);
    press("SpeedButton123");
    expectPortal(portal(1, 1), 0, 0, 6, 6, 1);
    undo();
    expectPortal(portal(1, 1), 4, 4, 6, 6, 1);
    window->hide();
}

TEST_F(PortalPageScenario, AnimationSpotPlacedPreviewedAndPlayed) {
    auto* subPages = find<QTabWidget>("PageControl2");
    subPages->setCurrentIndex(1);
    ASSERT_EQ(subPages->tabText(1), QStringLiteral("Анимация"));
    EXPECT_EQ(find<QLabel>("Label46")->text(),
              QStringLiteral("Совет: \nгерой перекрывает любую анимацию, \nрасполагайте ее на дальних планах, \n"
                             "рядом с проходами."));
    auto* shown = find<QCheckBox>("CheckBox2");
    auto* random = find<QCheckBox>("CheckBox3");
    EXPECT_FALSE(random->isChecked());
    spin("SpinEdit8", 3);
    EXPECT_TRUE(random->isChecked()); // spot 3 plays random frames
    EXPECT_FALSE(shown->isChecked());

    // "Случайный кадр" unchecked: the placed spot plays its frames in turn, though it was random.
    random->click();
    EXPECT_EQ(record().scene(1).animSpot(3).randomFrame, 0);
    press("SpeedButton51");
    spin("SpinEdit9", 2);
    EXPECT_EQ(record().scene(1).animSpot(3).animation, 2);
    // Armed, frame 1 of animation 2 follows the pointer, its top-left corner at the pointer.
    pointer(QEvent::MouseMove, QPoint(600, 300));
    EXPECT_EQ(shownAt(QPoint(615, 315)), kRed);
    click(QPoint(300, 200));
    const AnimSpot placed = record().scene(1).animSpot(3);
    EXPECT_EQ(placed.visible, 1);
    EXPECT_EQ(placed.x, 300);
    EXPECT_EQ(placed.y, 200);
    EXPECT_EQ(placed.animation, 2);
    EXPECT_EQ(placed.randomFrame, 0);
    EXPECT_FALSE(editing().animSpotArmed);
    EXPECT_FALSE(shown->isChecked()); // "Казать" follows only a change of the spot or the tab
    spin("SpinEdit8", 1);
    spin("SpinEdit8", 3);
    EXPECT_TRUE(shown->isChecked());

    // Played: the spot shows its two frames in turn at the placed point.
    QSet<QRgb> seen;
    for (int i = 0; i < 4; ++i) {
        ticks(1);
        seen.insert(shownAt(QPoint(322, 222)));
    }
    EXPECT_TRUE(seen.contains(kRed));
    EXPECT_TRUE(seen.contains(kBlue));

    // Taken back step by step; the check boxes follow each undo.
    undo();
    EXPECT_EQ(record().scene(1).animSpot(3).visible, 0);
    EXPECT_FALSE(shown->isChecked());
    undo();
    EXPECT_EQ(record().scene(1).animSpot(3).animation, 0);
    undo();
    EXPECT_EQ(record().scene(1).animSpot(3).randomFrame, 1);
    EXPECT_TRUE(random->isChecked());
    // A spot that never named an animation (0) previews the spinner's animation; arming writes nothing.
    press("SpeedButton51");
    pointer(QEvent::MouseMove, QPoint(600, 300));
    EXPECT_EQ(find<QSpinBox>("SpinEdit9")->value(), 2);
    EXPECT_EQ(shownAt(QPoint(615, 315)), kRed);
    EXPECT_EQ(record().scene(1).animSpot(3).animation, 0);
    window->hide();
}

} // namespace
} // namespace tw::test
