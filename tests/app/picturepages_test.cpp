// The author at the window fills the picture pages: a new menu background, an item's two pictures, a
// door picture and two comics, looking at each preview, taking one change back with Ctrl+Z; the menu
// then shows the new picture and the plot editor cuts the new item picture.
#include "platform/picturecodec.h"
#include "support/testdata.h"
#include "support/windowscenario.h"
#include "toolkit/toolkittypes.h"

#include <QLabel>
#include <QTabWidget>

namespace tw::test {
namespace {

class PicturePagesScenario : public WindowScenario {
protected:
    void SetUp() override {
        auto record = ProjectRecord::createBlank();
        record->sceneCount = 3;
        record->comicCount = 1;
        // 3 + 7 = 12
        record->item(3).partner = 7;
        record->item(7).partner = 3;
        record->item(3).product = record->item(7).product = 12;
        putMinimalTree(world.files, *record);
        world.files.files[kFakeRoot.comic(1)] = toQtBytes(encodeBmp(fromQt(solidPicture(300, 200, QColor(7, 8, 9)))));
        openWindow();
    }
    QImage shown(const char* name) { return find<QLabel>(name)->pixmap().toImage().convertToFormat(QImage::Format_RGB32); }
    void page(int index) { find<QTabWidget>("PageControl1")->setCurrentIndex(index); }
    QString data(const char* name) const { return QString::fromStdString(kFakeRoot.data(name)); }
};

TEST_F(PicturePagesScenario, TheAuthorFillsThePicturePagesAndTheGameShowsThem) {
    // The menu background: written anew as BMP, then shown.
    const QString menu = offer("bmp/good/webamp_base-2.91_MAIN.BMP");
    const QImage menuPicture = toQt(decodePicture(fromQtBytes(world.files.files[menu])));
    page(4); // away from the menu first
    page(0);
    world.dialogs.answers = {menu};
    press("SpeedButton1");
    // The small picture is stored on a black screen of the play area's size, and shown so.
    const QImage storedMenu = toQt(decodePicture(fromQtBytes(world.files.files[data("menu")])));
    ASSERT_EQ(storedMenu.size(), QSize(kPlayWidth, kPlayHeight));
    EXPECT_EQ(storedMenu.copy(menuPicture.rect()), menuPicture.convertToFormat(storedMenu.format()));
    EXPECT_EQ(storedMenu.pixel(menuPicture.width(), 0) & 0xFFFFFF, 0u);
    EXPECT_EQ(screen().screenMode, ScreenMode::Menu);
    ticks(1);
    EXPECT_EQ(shownAt(QPoint(5, 5)) & 0xFFFFFF, menuPicture.pixel(5, 5) & 0xFFFFFF);
    EXPECT_EQ(shownAt(QPoint(500, 500)) & 0xFFFFFF, 0u);

    // Item 3: "+" twice, then its two pictures.
    page(8);
    press("SpeedButton35");
    press("SpeedButton35");
    EXPECT_EQ(find<QLabel>("Label13")->text(), QStringLiteral("Предмет 3"));
    const QString large = offer("bmp/good/rgb24.bmp");
    const QString small = offer("bmp/good/pal8.bmp");
    const QImage largePicture = toQt(decodePicture(fromQtBytes(world.files.files[large])));
    const QImage smallPicture = toQt(decodePicture(fromQtBytes(world.files.files[small])));
    const QByteArray stripBefore = world.files.files[data("nabpredmax")];
    world.dialogs.answers = {large, small};
    press("SpeedButton54");
    QImage preview = shown("Image3");
    ASSERT_EQ(preview.size(), QSize(97, 57));
    EXPECT_EQ(preview.pixel(10, 10) & 0xFFFFFF, largePicture.pixel(10, 10) & 0xFFFFFF);
    EXPECT_EQ(preview.pixel(51 + 5, 5) & 0xFFFFFF, smallPicture.pixel(5, 5) & 0xFFFFFF);
    // On disk at once, in the third cell.
    const QImage strip = toQt(decodePicture(fromQtBytes(world.files.files[data("nabpredmax")])));
    EXPECT_EQ(strip.pixel(100 + 10, 10) & 0xFFFFFF, largePicture.pixel(10, 10) & 0xFFFFFF);
    // The plot editor's item sub-page follows the shared item, with its combination.
    EXPECT_EQ(find<QLabel>("Label19")->text(), QStringLiteral("Предмет 3"));
    EXPECT_FALSE(find<QWidget>("Panel3")->isHidden());
    EXPECT_EQ(window->editor().state().itemPickA, 7);
    EXPECT_EQ(window->editor().state().itemPickB, 12);
    EXPECT_EQ(find<QLabel>("Image4")->pixmap().toImage().pixel(10, 10) & 0xFFFFFF, largePicture.pixel(10, 10) & 0xFFFFFF);

    // Ctrl+Z takes both strips back, and the preview with them; Ctrl+Shift+Z brings them again.
    undo();
    EXPECT_EQ(world.files.files[data("nabpredmax")], stripBefore);
    EXPECT_EQ(shown("Image3").pixel(10, 10) & 0xFFFFFF, QColor(largeItemColour(3)).rgb() & 0xFFFFFF);
    redo();
    EXPECT_EQ(shown("Image3").pixel(10, 10) & 0xFFFFFF, largePicture.pixel(10, 10) & 0xFFFFFF);

    // Door picture 2.
    page(10);
    press("SpeedButton83");
    world.dialogs.answers = {large};
    press("SpeedButton84");
    EXPECT_EQ(window->editor().state().closedDoorPick, 2);
    EXPECT_EQ(shown("Image10").pixel(20, 20) & 0xFFFFFF, largePicture.pixel(20, 20) & 0xFFFFFF);
    EXPECT_EQ(toQt(decodePicture(fromQtBytes(world.files.files[data("dver")]))).pixel(60 + 20, 20) & 0xFFFFFF,
              largePicture.pixel(20, 20) & 0xFFFFFF);
    // Picture 1 is one colour throughout, so all of it is transparent on the silver preview.
    press("SpeedButton82");
    EXPECT_EQ(shown("Image10").pixel(20, 20) & 0xFFFFFF, qRgb(0xC0, 0xC0, 0xC0) & 0xFFFFFF);

    // One comic so far, and the pick starts at 2: the page names comic 2 and shows no picture; "---"
    // shows comic 1. Two are added, the stepper stops at the last one, and the third is replaced.
    // The pointer at the bottom edge brings the panel up again after the canvas hid it.
    showPanel();
    page(11);
    EXPECT_EQ(window->editor().state().comicPick, 2);
    EXPECT_EQ(find<QLabel>("ComicNumber")->text(), QStringLiteral("Комикс 2"));
    EXPECT_TRUE(find<QLabel>("Image11")->pixmap().isNull());
    press("SpeedButton87");
    EXPECT_EQ(window->editor().state().comicPick, 1);
    EXPECT_EQ(shown("Image11").pixel(60, 60) & 0xFFFFFF, qRgb(7, 8, 9) & 0xFFFFFF);
    world.dialogs.answers = {large};
    press("SpeedButton89");
    world.dialogs.answers = {small};
    press("SpeedButton89");
    EXPECT_EQ(record().comicCount, 3);
    press("SpeedButton88");
    EXPECT_EQ(window->editor().state().comicPick, 3);
    EXPECT_EQ(shown("Image11").size(), QSize(137, 137));
    world.dialogs.answers = {menu};
    press("SpeedButton90");
    EXPECT_EQ(world.files.files[kFakeRoot.comic(3)], world.files.files[menu]);
    EXPECT_EQ(shown("Image11").pixel(5, 5) & 0xFFFFFF, menuPicture.scaled(137, 137, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).pixel(5, 5) & 0xFFFFFF);
    press("SpeedButton87");
    EXPECT_EQ(window->editor().state().comicPick, 2);
    EXPECT_EQ(world.files.files[kFakeRoot.comic(2)], world.files.files[large]);
    press("SpeedButton87");
    press("SpeedButton87");
    EXPECT_EQ(window->editor().state().comicPick, 1);
    EXPECT_EQ(shown("Image11").pixel(60, 60) & 0xFFFFFF, qRgb(7, 8, 9) & 0xFFFFFF);

    // The plot editor cuts the new item picture for the item shown.
    page(6);
    EXPECT_EQ(window->engine().pictures().largeItemPicture.pixel(10, 10) & 0xFFFFFF,
              largePicture.pixel(10, 10) & 0xFFFFFF);
    EXPECT_TRUE(world.messages.errors.isEmpty()) << world.messages.errors.join('\n').toStdString();
}

} // namespace
} // namespace tw::test
