// An author starts a new game and writes the characters of a scene on the "Диалог" page: one that talks,
// one that gives an item, one that exchanges nothing for an item and one that exchanges an item for
// another, each with its click zone, approach cell and text position; then random dialogs on the
// "Случайные диалоги" page, and portals to leave the scene and come back. Play talks to each character:
// the texts show on their box where they were placed, items change hands, and after the hero has been
// away the talking character says a random dialog. Each of the page's edits is one undoable step.
#include "canvas/drawing.h"
#include "support/testdata.h"
#include "support/windowscenario.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>

#include <functional>

namespace tw::test {
namespace {

QPoint cellCentre(int c, int r) { return QPoint(20 * c - 10, 20 * r - 10); }

struct Character {
    int number;
    int kind;                     // the kind button checked
    std::array<const char*, 8> lines; // "" leaves the box empty
    QRect zone;
    QPoint approach;              // cell
    QPoint textAt;
    int giveSteps;                // presses of "+" under "Отдать предмет" (0: not moved)
    int getSteps;                 // and under "Получить предмет"
};

const Character kTalker{1, 1, {"Здравствуй, путник!", "", "", "", "", "", "", ""},
                        QRect(QPoint(100, 100), QPoint(160, 200)), QPoint(9, 11), QPoint(600, 420), 0, 0};
const Character kGiver{2, 2, {"Держи подарок.", "", "", "", "", "", "", ""},
                       QRect(QPoint(250, 100), QPoint(310, 200)), QPoint(17, 11), QPoint(620, 430), 0, 5};
const Character kBeggar{3, 3, {"Принеси мне ничего.", "", "", "", "", "", "", "Спасибо за пустоту!"},
                        QRect(QPoint(400, 100), QPoint(460, 200)), QPoint(24, 11), QPoint(640, 440), 0, 13};
const Character kTrader{4, 3, {"", "Принеси мне ключ.", "", "", "", "", "Вот тебе лампа.", ""},
                        QRect(QPoint(100, 300), QPoint(160, 400)), QPoint(9, 21), QPoint(660, 450), 9, 15};

class Dialogs : public WindowScenario {
protected:
    QImage shadow;

    void SetUp() override {
        auto blank = newGame(2);
        // A new game: no dialog gives or wants an item yet (0). Erasing the plot would make them 1, and
        // no picker goes below 1, so only a new game's characters can want an empty hand.
        putMinimalTree(world.files, *blank);
        // The speech box is a picture of the test corpus.
        const QByteArray box = readTestData(QStringLiteral("bmp/good/rgb24.bmp"));
        world.files.files[kFakeRoot.data("ten")] = box;
        shadow = QImage::fromData(box);
        openWindow();
    }
    void clickShown(QPoint at) {
        click(at);
        ticks(1);
    }
    void pressTimes(const char* button, int n) {
        for (int i = 0; i < n; ++i) press(button);
    }
    void hidePanel() {
        pointer(QEvent::MouseMove, QPoint(500, 300));
        ticks(1);
    }
    void leaveTextBox() {
        if (QWidget* focused = QApplication::focusWidget()) focused->clearFocus();
    }
    bool shown(const char* name) { return !find<QWidget>(name)->isHidden(); }
    QByteArray recordBytes() {
        return QByteArray(reinterpret_cast<const char*>(record().bytes()), qsizetype(kProjectRecordSize));
    }
    // The action changes the record in one step: one undo takes it back, one redo makes it again.
    void oneStep(const char* what, const std::function<void()>& action) {
        const QByteArray before = recordBytes();
        action();
        const QByteArray after = recordBytes();
        EXPECT_NE(after, before) << what;
        leaveTextBox();
        undo();
        EXPECT_EQ(recordBytes(), before) << what;
        redo();
        EXPECT_EQ(recordBytes(), after) << what;
    }
    // The lines (0..3) of a speech text at `at` that show text in the game's two colours.
    QList<int> linesShown(QPoint at) {
        const QImage canvas = window->canvasView()->grab().toImage();
        QList<int> lines;
        for (int k = 0; k < 4; ++k) {
            bool found = false;
            // The body of the letters, clear of the line above's descenders.
            for (int y = at.y() + 15 * k + 3; y < at.y() + 15 * k + 12 && !found; ++y) {
                for (int x = at.x(); x < at.x() + 300 && !found; ++x) {
                    const QRgb colour = canvas.pixel(x, y) | 0xFF000000u;
                    // Not a pixel of the box picture under the text that happens to have a text colour.
                    const QPoint inBox = QPoint(x, y) - at + QPoint(10, 10);
                    if (shadow.rect().contains(inBox) && (shadow.pixel(inBox) | 0xFF000000u) == colour) continue;
                    found = colour == kTextFirstPass || colour == kTextSecondPass;
                }
            }
            if (found) lines << k;
        }
        return lines;
    }
    // A pixel of the speech box above the text: the box is drawn at (textX - 10, textY - 10).
    void expectBoxAt(QPoint textAt) {
        const QRgb key = shadow.pixel(0, shadow.height() - 1);
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 100; ++x) {
                if (shadow.pixel(x, y) == key) continue;
                EXPECT_EQ(shownAt(textAt - QPoint(10, 10) + QPoint(x, y)), shadow.pixel(x, y)) << x << "," << y;
                return;
            }
        }
        ADD_FAILURE() << "the box picture has no opaque pixel at its top";
    }
    void write(const Character& c) {
        spin("SpinEdit12", c.number);
        find<QRadioButton>(("RadioButton" + std::to_string(c.kind)).c_str())->click();
        for (int i = 0; i < 8; ++i) {
            if (*c.lines[std::size_t(i)]) type(("Edit" + std::to_string(3 + i)).c_str(), QString::fromUtf8(c.lines[std::size_t(i)]));
        }
        leaveTextBox();
        pressTimes("SpeedButton103", c.giveSteps);
        pressTimes("SpeedButton105", c.getSteps);
        press("SpeedButton100");
        drag(c.zone.topLeft(), c.zone.bottomRight() + QPoint(1, 1));
        ticks(1);
        showPanel();
        press("SpeedButton101");
        clickShown(cellCentre(c.approach.x(), c.approach.y()));
        showPanel();
        press("SpeedButton106");
        clickShown(c.textAt);
        showPanel();
    }
    const Dialog& dialog(int k) { return record().scene(1).dialog(k); }
    // Clicks the character and waits for the hero to reach it; the text shows from then on.
    void talkTo(const Character& c) {
        clickShown(c.zone.center());
        for (int i = 0; i < 400 && !window->engine().play().dialogOpen; ++i) ticks(1);
        ASSERT_TRUE(window->engine().play().dialogOpen) << c.number;
        ticks(1);
    }
    void walkTo(QPoint cell, const std::function<bool()>& arrived) {
        clickShown(cellCentre(cell.x(), cell.y()));
        for (int i = 0; i < 400 && !arrived(); ++i) ticks(1);
    }
    int slotOf(int n) {
        for (int k = 1; k <= kBagSlots; ++k) {
            if (record().bagSlot(k) == n) return k;
        }
        return 0;
    }
};

TEST_F(Dialogs, WriteFourCharactersAndRandomDialogsThenTalkToEach) {
    auto* pages = find<QTabWidget>("PageControl1");
    showPanel();

    // Item 9, which the trader wants, lies on cell (14, 25).
    pages->setCurrentIndex(6);
    auto* plotPages = find<QTabWidget>("PageControl2");
    plotPages->setCurrentIndex(2);
    pressTimes("SpeedButton65", 8);
    press("SpeedButton67");
    clickShown(cellCentre(14, 25));
    showPanel();

    // The "Диалог" page opens on dialog 1 of the new game: no kind, empty boxes, no items.
    plotPages->setCurrentIndex(6);
    EXPECT_FALSE(find<QRadioButton>("RadioButton1")->isChecked());
    EXPECT_TRUE(find<QLineEdit>("Edit3")->text().isEmpty());
    EXPECT_EQ(window->editor().state().itemPickA, 0);
    // The checked kind shows the controls it uses.
    find<QRadioButton>("RadioButton1")->click();
    EXPECT_EQ(QList<bool>({shown("Edit7"), shown("Label35"), shown("Image13"), shown("Image14")}),
              QList<bool>({false, false, false, false}));
    find<QRadioButton>("RadioButton2")->click();
    EXPECT_EQ(QList<bool>({shown("Edit10"), shown("SpeedButton102"), shown("Label37"), shown("SpeedButton105")}),
              QList<bool>({false, false, true, true}));
    find<QRadioButton>("RadioButton3")->click();
    EXPECT_EQ(QList<bool>({shown("Edit7"), shown("Label36"), shown("Image13"), shown("Image14")}),
              QList<bool>({true, true, true, true}));

    for (const Character& c : {kTalker, kGiver, kBeggar, kTrader}) write(c);
    for (const Character& c : {kTalker, kGiver, kBeggar, kTrader}) {
        const Dialog& d = dialog(c.number);
        EXPECT_EQ(QList<int>({d.kind, d.progress, d.giveItem, d.getItem}),
                  QList<int>({c.kind, 0, c.giveSteps, c.getSteps}))
            << c.number;
        EXPECT_EQ(QRect(QPoint(d.zoneX1, d.zoneY1), QPoint(d.zoneX2 - 1, d.zoneY2 - 1)), c.zone) << c.number;
        EXPECT_EQ(QPoint(d.approachCol, d.approachRow), c.approach) << c.number;
        EXPECT_EQ(QPoint(d.textX, d.textY), c.textAt) << c.number;
        for (int i = 0; i < 8; ++i) EXPECT_EQ(d.lines[i].text(), std::string(c.lines[std::size_t(i)])) << c.number;
    }
    // The trader's item to give is the combination panel's first part; its picture shows.
    EXPECT_EQ(find<QLabel>("Label21")->text(), QStringLiteral("9"));
    EXPECT_EQ(find<QLabel>("Image13")->pixmap().toImage().pixel(10, 10), largeItemColour(9).rgb());
    // The beggar's empty hand loads as no picture and stays empty when he is stored again with item 12
    // to give instead of 13.
    spin("SpinEdit12", kBeggar.number);
    EXPECT_EQ(find<QLabel>("Image13")->pixmap().toImage().pixel(10, 10), qRgb(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(find<QLabel>("Label21")->text(), QStringLiteral("0"));
    press("SpeedButton104");
    oneStep("Подход героя", [&] { press("SpeedButton101"); });
    EXPECT_EQ(QList<int>({dialog(3).giveItem, dialog(3).getItem}), QList<int>({0, 12}));
    showPanel();
    clickShown(cellCentre(kBeggar.approach.x(), kBeggar.approach.y()));
    showPanel();

    // While a box has the focus, its column is drawn at the dialog's text position.
    type("Edit10", QStringLiteral("Спасибо за пустоту!"));
    EXPECT_EQ(linesShown(kBeggar.textAt), QList<int>({3}));
    type("Edit3", QStringLiteral("Принеси мне ничего."));
    EXPECT_EQ(linesShown(kBeggar.textAt), QList<int>({0}));
    leaveTextBox();
    EXPECT_EQ(linesShown(kBeggar.textAt), QList<int>());

    // Random dialog 3 of scene 1 says its third line; what is typed for scene 1 and saved after switching
    // to scene 2 goes to scene 2.
    plotPages->setCurrentIndex(7);
    pressTimes("SpeedButton108", 2);
    EXPECT_EQ(find<QLabel>("Label38")->text(), QStringLiteral("3"));
    type("Edit13", QStringLiteral("Опять ты?"));
    oneStep("Сохранить", [&] { press("SpeedButton109"); });
    type("Edit11", QStringLiteral("Это вторая сцена."));
    press("SpeedButton49");
    ASSERT_EQ(screen().currentScene, 2);
    press("SpeedButton109");
    EXPECT_EQ(record().scene(2).randomDialog(3).lines[0].text(), "Это вторая сцена.");
    EXPECT_EQ(record().scene(1).randomDialog(3).lines[0].text(), std::string());
    EXPECT_EQ(record().scene(1).randomDialog(3).lines[2].text(), "Опять ты?");
    leaveTextBox();

    // Portals: scene 2's on cell (20, 20) leads to (3, 25) of scene 1, scene 1's on (3, 30) to scene 2.
    plotPages->setCurrentIndex(0);
    press("SpeedButton55");
    clickShown(cellCentre(20, 20));
    spin("SpinEdit7", 1);
    press("SpeedButton56");
    clickShown(cellCentre(3, 25));
    showPanel();
    press("SpeedButton48");
    press("SpeedButton55");
    clickShown(cellCentre(3, 30));
    spin("SpinEdit7", 2);
    press("SpeedButton56");
    clickShown(cellCentre(20, 15));
    ASSERT_EQ(screen().currentScene, 1);
    ASSERT_EQ(record().scene(1).portal(1).targetScene, 2);

    // Play.
    hidePanel();
    talkTo(kTalker);
    EXPECT_EQ(dialog(1).progress, 1);
    EXPECT_EQ(linesShown(kTalker.textAt), QList<int>({0}));
    expectBoxAt(kTalker.textAt);

    talkTo(kGiver);
    EXPECT_EQ(record().item(5).state, 2);
    EXPECT_EQ(dialog(2).progress, 1);
    EXPECT_EQ(linesShown(kGiver.textAt), QList<int>({0}));
    expectBoxAt(kGiver.textAt);

    // An empty hand is what the beggar wants.
    talkTo(kBeggar);
    EXPECT_EQ(record().item(12).state, 2);
    EXPECT_EQ(dialog(3).progress, 1);
    EXPECT_EQ(linesShown(kBeggar.textAt), QList<int>({3}));

    // The trader asks for the key until he gets it; then the lamp changes hands and the key is lost.
    talkTo(kTrader);
    EXPECT_EQ(linesShown(kTrader.textAt), QList<int>({1}));
    EXPECT_EQ(dialog(4).progress, 0);
    walkTo(QPoint(14, 25), [&] { return record().item(9).state == 2; });
    ASSERT_EQ(record().item(9).state, 2);
    pointer(QEvent::MouseMove, QPoint(500, 20));
    ticks(2);
    clickShown(QPoint(slotOf(9) * 51 + 30, 20));
    ASSERT_EQ(record().heldItem, 9);
    hidePanel();
    talkTo(kTrader);
    EXPECT_EQ(QList<int>({record().item(9).state, record().item(15).state, record().heldItem, dialog(4).progress}),
              QList<int>({0, 2, 0, 1}));
    EXPECT_EQ(linesShown(kTrader.textAt), QList<int>({2}));
    expectBoxAt(kTrader.textAt);

    // Out through the portal and back: the talker and the giver have done their part and say random
    // dialog 3 (the pick is 1 + 2).
    walkTo(QPoint(3, 30), [&] { return screen().currentScene == 2; });
    ASSERT_EQ(screen().currentScene, 2);
    walkTo(QPoint(20, 20), [&] { return screen().currentScene == 1; });
    ASSERT_EQ(screen().currentScene, 1);
    EXPECT_EQ(QList<int>({dialog(1).kind, dialog(1).progress, dialog(2).kind, dialog(2).progress}),
              QList<int>({3, 2, 3, 2}));
    world.random.next = {2};
    talkTo(kTalker);
    EXPECT_EQ(linesShown(kTalker.textAt), QList<int>({2}));

    // "Коор текста" starts the talker over; "Убрать" leaves the giver's texts and place.
    showPanel();
    plotPages->setCurrentIndex(6);
    spin("SpinEdit12", 1);
    oneStep("Коор текста", [&] { press("SpeedButton106"); });
    EXPECT_EQ(dialog(1).progress, 0);
    spin("SpinEdit12", 2);
    oneStep("Убрать", [&] { press("SpeedButton127"); });
    EXPECT_EQ(QList<int>({dialog(2).kind, dialog(2).zoneX1, dialog(2).zoneX2, dialog(2).zoneY2}),
              QList<int>({0, 0, 0, kGiver.zone.bottom() + 1}));
    EXPECT_EQ(dialog(2).lines[0].text(), "Держи подарок.");
    EXPECT_EQ(QPoint(dialog(2).textX, dialog(2).textY), kGiver.textAt);
    window->hide();
}

} // namespace
} // namespace tw::test
