// The author writes the short texts of a game at the window: a hero remark, a hint and a crowd remark,
// in Russian, with characters the game cannot store refused as they are typed; sees each text on the
// canvas where play will show it while its box has the focus (outlined in red where it runs off the
// play area); places them; and plays them.
#include "editor/pages/textfield.h"
#include "support/windowscenario.h"

#include <QKeyEvent>
#include <QLabel>
#include <QSpinBox>
#include <QTabWidget>

namespace tw::test {
namespace {

QPoint cellCentre(int c, int r) { return QPoint(20 * c - 10, 20 * r - 10); }

class RemarksAndHints : public WindowScenario {
protected:
    void SetUp() override {
        auto blank = newGame(2);
        putMinimalTree(world.files, *blank);
        openWindow();
        find<QTabWidget>("PageControl1")->setCurrentIndex(6);
        showPanel();
    }
    void subPage(int index) { find<QTabWidget>("PageControl2")->setCurrentIndex(index); }
    // Pixels of the shown canvas within `area` in the colour of a game text's second pass.
    int textPixels(QRect area) {
        const QImage shown = window->canvasView()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        area &= shown.rect();
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) n += (shown.pixel(x, y) & 0xFFFFFF) == 0x00FFFF;
        return n;
    }
    int redPixels(QRect area) {
        const QImage shown = window->canvasView()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        area &= shown.rect();
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) n += (shown.pixel(x, y) & 0xFFFFFF) == 0xFF0000;
        return n;
    }
};

TEST_F(RemarksAndHints, WriteSeePlaceAndPlay) {
    // Hero remark 2: forty characters typed, thirty kept; a character of another script refused, and told.
    subPage(4);
    press("SpeedButton94");
    EXPECT_EQ(find<QLabel>("Label31")->text(), QStringLiteral("2"));
    const QString forty = QStringLiteral("Здесь что-то лежит, надо присмотреться внимательнее");
    TextField* remark = type<TextField>("Edit1", QStringLiteral("Эй, ß"));
    EXPECT_EQ(remark->text(), QStringLiteral("Эй, "));
    EXPECT_TRUE(remark->refusal().contains(QStringLiteral("ß")));
    remark = type<TextField>("Edit1", forty);
    EXPECT_EQ(remark->text(), forty.left(30));
    EXPECT_TRUE(remark->refusal().isEmpty());
    press("SpeedButton96");
    EXPECT_EQ(QString::fromStdString(record().heroRemark(2).text.text()), forty.left(30));
    // Placed on cell (8, 3); the preview moves above the hero standing there.
    press("SpeedButton95");
    click(cellCentre(8, 3));
    showPanel();
    EXPECT_EQ(QList<int>({record().heroRemark(2).state, record().heroRemark(2).col, record().heroRemark(2).row,
                          record().heroRemark(2).scene}),
              QList<int>({1, 8, 3, 1}));
    remark->setFocus();
    // Above the cell: play draws the remark 10 px right of the hero and 10 px over his frame's top.
    EXPECT_GT(textPixels(QRect(150, 0, 300, 60)), 20);
    remark->clearFocus();
    EXPECT_EQ(textPixels(QRect(150, 0, 300, 60)), 0);
    // "---" then "+" shows the stored, cut text.
    press("SpeedButton93");
    press("SpeedButton94");
    EXPECT_EQ(remark->text(), forty.left(30));

    // Hint 3 of scene 1: zone dragged, text position near the right edge; the long text runs off the play
    // area and the preview shows it in red there.
    subPage(5);
    find<QSpinBox>("SpinEdit11")->setValue(3);
    press("SpeedButton98");
    drag(QPoint(100, 100), QPoint(200, 180));
    showPanel();
    press("SpeedButton99");
    click(QPoint(900, 120));
    showPanel();
    TextField* hint = type<TextField>("Edit2", QStringLiteral("Старый колодец, из него тянет холодом и сыростью"));
    EXPECT_GT(textPixels(QRect(900, 115, 109, 25)), 10);
    EXPECT_GT(redPixels(QRect(990, 110, 19, 30)), 10);
    press("SpeedButton97");
    const Hint& stored = record().scene(1).hint(3);
    EXPECT_EQ(QString::fromStdString(stored.text.text()), hint->text());
    EXPECT_EQ(QList<int>({stored.zoneX1, stored.zoneY1, stored.zoneX2, stored.zoneY2, stored.textX, stored.textY}),
              QList<int>({100, 100, 200, 180, 900, 120}));
    // Moved to where it fits: no red.
    press("SpeedButton99");
    click(QPoint(210, 120));
    showPanel();
    hint->setFocus();
    EXPECT_EQ(redPixels(QRect(0, 0, 1009, 700)), 0);
    EXPECT_GT(textPixels(QRect(210, 115, 400, 25)), 10);

    // Typed on scene 1, stored after switching to scene 2: it lands in scene 2, scene 1 keeps its own.
    type<TextField>("Edit2", QStringLiteral("Вода"));
    press("SpeedButton49");
    EXPECT_EQ(hint->text(), QStringLiteral("Вода"));
    press("SpeedButton97");
    EXPECT_EQ(record().scene(2).hint(3).text.text(), "Вода");
    EXPECT_NE(record().scene(1).hint(3).text.text(), "Вода");
    // "Убрать" empties it; Ctrl+Z brings it back into the record and the box.
    press("SpeedButton126");
    EXPECT_TRUE(record().scene(2).hint(3).text.text().empty());
    hint->clearFocus();
    undo();
    EXPECT_EQ(record().scene(2).hint(3).text.text(), "Вода");
    EXPECT_EQ(hint->text(), QStringLiteral("Вода"));
    press("SpeedButton48");

    // Crowd remark 5 at (600, 300).
    subPage(8);
    find<QSpinBox>("SpinEdit15")->setValue(5);
    type<TextField>("Edit16", QStringLiteral("Говорят, в лесу волки"));
    press("SpeedButton118");
    press("SpeedButton119");
    click(QPoint(600, 300));
    showPanel();
    EXPECT_EQ(QList<int>({record().crowdRemark(5).x, record().crowdRemark(5).y, record().crowdRemark(5).scene}),
              QList<int>({600, 300, 1}));
    find<TextField>("Edit16")->clearFocus();

    // Play. The crowd's countdown runs out at once and picks remark 5.
    world.random.next = {4, 4};
    record().crowdRemark(5).countdown = 1;
    ticks(2);
    EXPECT_GT(textPixels(QRect(600, 295, 200, 25)), 10);
    // The hint shows while the button is held in its zone.
    pointer(QEvent::MouseMove, QPoint(150, 140));
    pointer(QEvent::MouseButtonPress, QPoint(150, 140));
    ticks(1);
    EXPECT_GT(textPixels(QRect(210, 115, 400, 25)), 10);
    pointer(QEvent::MouseButtonRelease, QPoint(150, 140));
    // The hero walks onto the remark's cell and says it once.
    click(cellCentre(8, 3));
    for (int i = 0; i < 200 && record().heroRemark(2).state != 2; ++i) ticks(1);
    EXPECT_EQ(record().heroRemark(2).state, 2);
    ticks(1);
    EXPECT_GT(textPixels(QRect(150, 0, 300, 60)), 20);
    window->hide();
}

} // namespace
} // namespace tw::test
