// A new author's first hour on the editor's pages: the numbers every page shows, the picks the pages
// start with, "стереть" on an item without a partner, a door set up on an erased plot next to a painted
// wall (then played: the hero cannot walk into the wall), a sheet loaded on the animator and cut with the
// numbers in view, and a talking character in a scene without random dialogs.
#include "editor/animator.h"
#include "platform/picturecodec.h"
#include "support/windowscenario.h"
#include "toolkit/toolkittypes.h"

#include <QLabel>
#include <QRadioButton>
#include <QTabWidget>

namespace tw::test {
namespace {

QPoint cellCentre(int c, int r) { return QPoint(20 * c - 10, 20 * r - 10); }

class EditorPages : public WindowScenario {
protected:
    void SetUp() override {
        auto game = newGame(2);
        game->comicCount = 3;
        game->item(7).isComposite = 1; // left over: no combination yields item 7
        putMinimalTree(world.files, *game);
        openWindow();
    }
    QString text(const char* name) { return find<QLabel>(name)->text(); }
    void pressTimes(const char* button, int n) {
        for (int i = 0; i < n; ++i) press(button);
    }
    void clickShown(QPoint at) {
        click(at);
        ticks(1);
    }
    EditorState& state() { return window->editor().state(); }
};

TEST_F(EditorPages, TheAuthorsFirstHour) {
    auto* pages = find<QTabWidget>("PageControl1");
    auto* plotPages = find<QTabWidget>("PageControl2");
    // Before any comic button is used the comic chosen is 2, on the "Комикс" page and the door page.
    EXPECT_EQ(state().comicPick, 2);
    showPanel();
    pages->setCurrentIndex(11);
    EXPECT_EQ(text("ComicNumber"), QStringLiteral("Комикс 2"));
    press("SpeedButton87");
    EXPECT_EQ(text("ComicNumber"), QStringLiteral("Комикс 1"));
    EXPECT_EQ(state().comicPick, 1);
    // "Дверь" numbers its pictures.
    pages->setCurrentIndex(10);
    EXPECT_EQ(text("DoorNumber"), QStringLiteral("Дверь 1"));
    pressTimes("SpeedButton83", 2);
    EXPECT_EQ(text("DoorNumber"), QStringLiteral("Дверь 3"));
    EXPECT_EQ(state().closedDoorPick, 3);
    // "Проходимость" shows the scene, also after the plot editor changed it.
    pages->setCurrentIndex(4);
    EXPECT_EQ(text("Label5"), QStringLiteral("Сцена 1"));
    press("SpeedButton47");
    EXPECT_EQ(text("Label5"), QStringLiteral("Сцена 2"));
    pages->setCurrentIndex(6);
    press("SpeedButton48");
    EXPECT_EQ(text("Label6"), QStringLiteral("Сцена 1"));
    pages->setCurrentIndex(4);
    EXPECT_EQ(text("Label5"), QStringLiteral("Сцена 1"));

    // "стереть" on item 3, which has no partner, with item 7 shown as the product: the stale
    // "Составной" of item 7 goes, and item 3 keeps no product.
    pages->setCurrentIndex(6);
    plotPages->setCurrentIndex(2);
    pressTimes("SpeedButton65", 6);
    EXPECT_EQ(text("Label23"), QStringLiteral("Составной"));
    pressTimes("SpeedButton64", 4);
    EXPECT_EQ(text("Label19"), QStringLiteral("Предмет 3"));
    press("SpeedButton66");
    pressTimes("SpeedButton71", 6);
    EXPECT_EQ(text("Label22"), QStringLiteral("7"));
    press("SpeedButton73");
    EXPECT_EQ(record().item(7).isComposite, 0);
    EXPECT_EQ(QList<int>({record().item(3).partner, record().item(3).product}), QList<int>({0, 0}));
    pressTimes("SpeedButton65", 4);
    EXPECT_EQ(text("Label23"), QString());
    undo();
    EXPECT_EQ(record().item(7).isComposite, 1);
    redo();

    // The plot erased: every door stores cell (1, 1). The author paints that corner as a wall, then
    // places door 1 and sets its approach cell (5, 5): the wall stays.
    pages->setCurrentIndex(3);
    press("SpeedButton27");
    ASSERT_EQ(QPoint(record().scene(1).door(1).approachCol, record().scene(1).door(1).approachRow), QPoint(1, 1));
    pages->setCurrentIndex(4);
    press("SpeedButton45");
    clickShown(cellCentre(1, 1));
    showPanel();
    ASSERT_EQ(record().pass(1, 1, 1), kBlockedCell);
    pages->setCurrentIndex(6);
    plotPages->setCurrentIndex(3);
    press("SpeedButton77");
    clickShown(QPoint(400, 100));
    showPanel();
    press("SpeedButton79");
    clickShown(cellCentre(5, 5));
    showPanel();
    EXPECT_EQ(record().scene(1).door(1).state, 1);
    EXPECT_EQ(record().pass(1, 5, 5), kBlockedCell);
    EXPECT_EQ(record().pass(1, 1, 1), kBlockedCell);
    // Moved to (6, 5), the door gives back the cell it blocked itself, and only that one.
    press("SpeedButton79");
    clickShown(cellCentre(6, 5));
    showPanel();
    EXPECT_EQ(record().pass(1, 5, 5), 0);
    EXPECT_EQ(record().pass(1, 1, 1), kBlockedCell);
    // Played: a click on the corner sends the hero nowhere near it.
    clickShown(cellCentre(1, 1));
    ticks(200);
    EXPECT_NE(QPoint(record().heroCol, record().heroRow), QPoint(1, 1));
    showPanel();

    // A talking character in a scene whose random dialogs are all empty: storing it says so, once a
    // random dialog has a text it does not.
    plotPages->setCurrentIndex(6);
    find<QRadioButton>("RadioButton1")->click();
    type("Edit3", QStringLiteral("Здравствуй, путник."));
    world.messages.infos.clear();
    press("SpeedButton100");
    drag(QPoint(600, 300), QPoint(640, 360));
    ticks(1);
    ASSERT_EQ(world.messages.infos.size(), 1);
    EXPECT_TRUE(world.messages.infos[0].contains(QStringLiteral("случайн")));
    showPanel();
    plotPages->setCurrentIndex(7);
    type("Edit11", QStringLiteral("Ну что ещё?"));
    press("SpeedButton109");
    plotPages->setCurrentIndex(6);
    press("SpeedButton101");
    clickShown(cellCentre(30, 19));
    showPanel();
    EXPECT_EQ(world.messages.infos.size(), 1);

    // The animator shows a loaded sheet beside its panel, from the sheet's top-left corner, and the
    // current frame's numbers on the panel.
    pages->setCurrentIndex(2);
    const QString sheetFile = offer("bmp/good/rgb24.bmp");
    const QImage sheet = toQt(decodePicture(fromQtBytes(world.files.files[sheetFile])));
    ASSERT_FALSE(sheet.isNull());
    press("SpeedButton29");
    drag(QPoint(600, 300), QPoint(500, 250)); // the view dragged away before the load
    window->overlayTick();
    EXPECT_EQ(toQt(state().sheetViewOffset), toQt(kSheetViewHome) + QPoint(-100, -50));
    world.dialogs.answers = {sheetFile};
    press("SpeedButton22");
    window->overlayTick();
    EXPECT_EQ(toQt(state().sheetViewOffset), toQt(kSheetViewHome));
    const QRect panel = find<QWidget>("Panel2")->geometry();
    EXPECT_GT(kSheetViewHome.x, panel.right());
    EXPECT_EQ(shownAt(toQt(kSheetViewHome) + QPoint(3, 3)), sheet.pixel(3, 3));
    EXPECT_EQ(text("FramePosition"), QStringLiteral("x 0\ny 0"));
    EXPECT_EQ(text("FrameSize"), QStringLiteral("ш 0\nв 0"));
    press("SpeedButton30");
    drag(toQt(kSheetViewHome) + QPoint(10, 12), toQt(kSheetViewHome) + QPoint(50, 42));
    ticks(1);
    EXPECT_EQ(text("FramePosition"), QStringLiteral("x 10\ny 12"));
    EXPECT_EQ(text("FrameSize"), QStringLiteral("ш 40\nв 30"));
    press("SpeedButton43");
    EXPECT_EQ(text("FrameSize"), QStringLiteral("ш 40\nв 31"));
    window->hide();
}

} // namespace
} // namespace tw::test
