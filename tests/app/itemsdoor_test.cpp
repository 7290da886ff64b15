// An author erases the plot, gives an item and two door pictures new pictures and adds a comic, lays
// two items, defines that they combine into a third, sets up a door that the product opens, and plays
// it: the hero picks both up, they are combined in the bag, the product opens the door, its comic is
// shown and the door stands open in its new picture.
#include "platform/picturecodec.h"
#include "runtime/bag.h"
#include "support/testdata.h"
#include "support/windowscenario.h"
#include "toolkit/toolkittypes.h"

#include <QLabel>
#include <QTabWidget>

#include <cstdlib>

namespace tw::test {
namespace {

QPoint cellCentre(int c, int r) { return QPoint(20 * c - 10, 20 * r - 10); }

// The part of the door at (400, 100) that no editor aid covers: not its number at the corner, the key
// zone's outline along its edges, nor the approach cell (22, 8) below.
const QRect kDoorClearArea(24, 6, 30, 30);

class ItemsAndDoor : public WindowScenario {
protected:
    QImage comic;

    void SetUp() override {
        auto blank = newGame(1);
        blank->comicCount = 1;
        // A plot to erase: item 4 in the bag, door 1 standing in the scene.
        blank->item(4).state = 2;
        blank->bagSlot(1) = 4;
        blank->scene(1).door(1).state = 1;
        putMinimalTree(world.files, *blank);
        world.files.files[kFakeRoot.comic(1)] = toQtBytes(encodeBmp(fromQt(solidPicture(200, 100, Qt::red))));
        openWindow();
    }
    QImage pictureOf(const QString& chosen) { return toQt(decodePicture(fromQtBytes(world.files.files[chosen]))); }
    // A pixel within `area` of a picture for a cell h high that is not its transparent colour.
    static QPoint opaquePixel(const QImage& picture, int h, QRect area) {
        const QRgb key = picture.pixel(0, std::min(h, picture.height()) - 1);
        for (int y = area.top(); y <= area.bottom() && y < picture.height(); ++y) {
            for (int x = area.left(); x <= area.right() && x < picture.width(); ++x) {
                if (picture.pixel(x, y) != key) return QPoint(x, y);
            }
        }
        return QPoint(-1, -1);
    }
    void clickShown(QPoint at) {
        click(at);
        ticks(1);
    }
    void pressTimes(const char* button, int n) {
        for (int i = 0; i < n; ++i) press(button);
    }
    QString text(const char* name) { return find<QLabel>(name)->text(); }
    QRgb previewAt(const char* name, QPoint at) { return find<QLabel>(name)->pixmap().toImage().pixel(at); }
    const Item& item(int n) { return record().item(n); }
    int slotOf(int n) {
        for (int k = 1; k <= kBagSlots; ++k) {
            if (record().bagSlot(k) == n) return k;
        }
        return 0;
    }
    // Shows the item panel and clicks the slot holding item n.
    void clickBagItem(int n) {
        pointer(QEvent::MouseMove, QPoint(500, 20));
        ticks(2);
        const int slot = slotOf(n);
        ASSERT_NE(slot, 0) << n;
        clickShown(QPoint(slot * 51 + 30, 20));
    }
};

TEST_F(ItemsAndDoor, LayCombineSetUpTheDoorAndPlay) {
    auto* pages = find<QTabWidget>("PageControl1");
    showPanel();
    // The plot erased: the item leaves the bag, the door the scene.
    pages->setCurrentIndex(3);
    press("SpeedButton27");
    EXPECT_EQ(QList<int>({item(4).state, record().bagSlot(1), record().scene(1).door(1).state}), QList<int>({0, 0, 0}));

    // Item 4 gets new pictures on the "Предметы" page.
    pages->setCurrentIndex(8);
    pressTimes("SpeedButton35", 3);
    const QString largeFile = offer("bmp/good/rgb24.bmp");
    const QString smallFile = offer("bmp/good/pal8.bmp");
    world.dialogs.answers = {largeFile, smallFile};
    press("SpeedButton54");
    const QImage large = pictureOf(largeFile);
    const QImage small = pictureOf(smallFile);
    EXPECT_EQ(previewAt("Image3", QPoint(10, 10)), large.pixel(10, 10));
    // Door pictures 3 (closed) and 4 (open) on the "Дверь" page, then back to 3.
    pages->setCurrentIndex(10);
    pressTimes("SpeedButton83", 2);
    const QString closedFile = offer("bmp/good/rgb32.bmp");
    world.dialogs.answers = {closedFile};
    press("SpeedButton84");
    press("SpeedButton83");
    const QString openFile = offer("bmp/good/pal4.bmp");
    world.dialogs.answers = {openFile};
    press("SpeedButton84");
    press("SpeedButton82");
    const QImage closedDoor = pictureOf(closedFile);
    const QImage openDoor = pictureOf(openFile);
    // Comic 2 added on the "Комикс" page.
    pages->setCurrentIndex(11);
    const QString comicFile = offer("bmp/good/pal8nonsquare.bmp");
    world.dialogs.answers = {comicFile};
    press("SpeedButton89");
    EXPECT_EQ(record().comicCount, 2);
    comic = pictureOf(comicFile);
    ASSERT_FALSE(comic.isNull());

    pages->setCurrentIndex(6);
    auto* plotPages = find<QTabWidget>("PageControl2");
    plotPages->setCurrentIndex(2);

    // Items 4 and 9 on cells (6, 10) and (9, 10); the plot editor shows item 4 as the items page left it.
    showPanel();
    EXPECT_EQ(text("Label19"), QStringLiteral("Предмет 4"));
    EXPECT_EQ(previewAt("Image4", QPoint(10, 10)), large.pixel(10, 10));
    EXPECT_EQ(previewAt("Image4", QPoint(55, 55)), qRgb(0xC0, 0xC0, 0xC0));
    press("SpeedButton67");
    clickShown(cellCentre(6, 10));
    showPanel();
    // Laid on the scene in its new small picture.
    const QPoint smallPixel = opaquePixel(small, 20, QRect(8, 8, 12, 12));
    ASSERT_GE(smallPixel.x(), 0);
    EXPECT_EQ(shownAt(QPoint(100, 180) + smallPixel), small.pixel(smallPixel));
    showPanel();
    pressTimes("SpeedButton65", 5);
    press("SpeedButton67");
    clickShown(cellCentre(9, 10));
    showPanel();
    EXPECT_EQ(QList<int>({item(4).state, item(4).col0, item(4).row0}), QList<int>({1, 5, 9}));
    EXPECT_EQ(QList<int>({item(9).state, item(9).col0, item(9).row0}), QList<int>({1, 8, 9}));

    // 4 + 9 = 12, saved on item 4; stepping to item 9 shows the combination from its side.
    pressTimes("SpeedButton64", 5);
    auto* panel = find<QWidget>("Panel3");
    EXPECT_FALSE(panel->isVisible());
    press("SpeedButton66");
    EXPECT_TRUE(panel->isVisible());
    pressTimes("SpeedButton69", 8);
    pressTimes("SpeedButton71", 11);
    EXPECT_EQ(previewAt("Image6", QPoint(10, 10)), largeItemColour(12).rgb());
    press("SpeedButton72");
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(QList<int>({item(4).partner, item(4).product, item(9).partner, item(9).product}),
              QList<int>({9, 12, 4, 12}));
    pressTimes("SpeedButton65", 5);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(text("Label21"), QStringLiteral("4"));
    EXPECT_EQ(text("Label22"), QStringLiteral("12"));
    // Item 12 is "Составной".
    pressTimes("SpeedButton65", 3);
    EXPECT_EQ(text("Label23"), QStringLiteral("Составной"));

    // Door 1: closed picture 3 (chosen already on the "Дверь" page), open 4, key 12, comic 2; at
    // (400, 100), key zone (400, 100)-(460, 190), approach cell (22, 8).
    plotPages->setCurrentIndex(3);
    ASSERT_TRUE(find<QWidget>("Image12")->isVisible());
    spin("SpinEdit10", 1);
    EXPECT_EQ(window->editor().state().closedDoorPick, 3);
    pressTimes("SpeedButton76", 3);
    pressTimes("SpeedButton81", 11);
    pressTimes("SpeedButton92", 5); // stops at the last comic
    press("SpeedButton77");
    clickShown(QPoint(400, 100));
    showPanel();
    press("SpeedButton78");
    drag(QPoint(400, 100), QPoint(460, 190), 6);
    ticks(1);
    showPanel();
    press("SpeedButton79");
    clickShown(cellCentre(22, 8));
    const Door& door = record().scene(1).door(1);
    EXPECT_EQ(QList<int>({door.state, door.closedPicture, door.openPicture, door.keyItem, door.comic}),
              QList<int>({1, 3, 4, 12, 2}));
    EXPECT_EQ(QRect(QPoint(door.keyZoneX1, door.keyZoneY1), QPoint(door.keyZoneX2, door.keyZoneY2)),
              QRect(QPoint(400, 100), QPoint(460, 190)));
    EXPECT_EQ(QPoint(door.pictureX, door.pictureY), QPoint(400, 100));
    EXPECT_EQ(record().pass(1, 22, 8), kBlockedCell);
    // The closed door stands in its new picture.
    const QPoint closedPixel = opaquePixel(closedDoor, 90, kDoorClearArea);
    ASSERT_GE(closedPixel.x(), 0);
    EXPECT_EQ(shownAt(QPoint(400, 100) + closedPixel), closedDoor.pixel(closedPixel));
    // The comic preview shows the comic's top-left corner.
    // (Stretched and scaled smoothly: the colour within a few steps.)
    const QColor shownComic(previewAt("Image12", QPoint(1, 1)));
    const QColor comicCorner(comic.pixel(0, 0));
    EXPECT_LE(std::abs(shownComic.red() - comicCorner.red()) + std::abs(shownComic.green() - comicCorner.green()) +
                  std::abs(shownComic.blue() - comicCorner.blue()),
              48);

    // Play: walk to both items and pick them up.
    for (int n : {4, 9}) {
        clickShown(cellCentre(item(n).col0 + 1, item(n).row0 + 1));
        for (int i = 0; i < 200 && item(n).state != 2; ++i) ticks(1);
        ASSERT_EQ(item(n).state, 2) << n;
    }
    // Combine them in the bag, take the product and use it on the key zone.
    clickBagItem(4);
    ASSERT_EQ(record().heldItem, 4);
    clickBagItem(9);
    EXPECT_EQ(item(12).state, 2);
    EXPECT_EQ(slotOf(4) + slotOf(9), 0);
    clickBagItem(12);
    ASSERT_EQ(record().heldItem, 12);
    pointer(QEvent::MouseMove, QPoint(430, 150));
    ticks(2);
    clickShown(QPoint(430, 150));
    bool comicSeen = false;
    for (int i = 0; i < 300 && !comicSeen; ++i) {
        ticks(1);
        comicSeen = window->engine().play().comicOn;
    }
    ASSERT_TRUE(comicSeen);
    EXPECT_EQ(door.state, 2);
    ticks(1);
    const QPoint centre(kPlayWidth / 2, kPlayHeight / 2);
    EXPECT_EQ(shownAt(centre), comic.pixel(comic.width() / 2, comic.height() / 2));
    // Once the comic is over, the door stands open in its new picture.
    for (int i = 0; i < 2000 && window->engine().play().comicOn; ++i) ticks(1);
    ASSERT_FALSE(window->engine().play().comicOn);
    ticks(1);
    const QPoint openPixel = opaquePixel(openDoor, 90, kDoorClearArea);
    ASSERT_GE(openPixel.x(), 0);
    EXPECT_EQ(shownAt(QPoint(400, 100) + openPixel), openDoor.pixel(openPixel));
    window->hide();
}

} // namespace
} // namespace tw::test
