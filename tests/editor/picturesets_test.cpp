// Pictures put into the fixed picture files: only a chosen file that decodes changes anything; an item's
// two pictures land together in their cells, padded with their own transparent colour; a changed strip
// is on disk at once and comes back with undo; comics are counted only once copied.
#include "editor/canvasediting.h"
#include "editor/editor.h"
#include "editor/picturesets.h"
#include "platform/picturecodec.h"
#include "runtime/playfixture.h"
#include "support/testdata.h"
#include "toolkit/toolkittypes.h"

#include <QFileInfo>

#include <functional>
#include <random>
#include <utility>

namespace tw::test {
namespace {

class PictureSets : public PlayFixture {
protected:
    std::unique_ptr<Editor> editor;

    void SetUp() override {
        PlayFixture::SetUp();
        editing.reset(); // the editor brings its own
        editor = std::make_unique<Editor>(*engine);
    }
    QString offer(const QString& path) {
        const QString chosen = QStringLiteral("/home/author/") + QFileInfo(path).fileName();
        world.files.files[chosen] = readFileOrFail(path);
        return chosen;
    }
    QString data(const char* name) const { return QString::fromStdString(kFakeRoot.data(name)); }
    // What a cell of w x h must hold after `picture` was put into it.
    static QRgb expectedCellPixel(const QImage& picture, int x, int y) {
        if (x < picture.width() && y < picture.height()) return picture.pixel(x, y) & 0xFFFFFF;
        return picture.pixel(0, picture.height() - 1) & 0xFFFFFF;
    }
    static void expectCell(const QImage& strip, const QImage& before, int w, int h, int n, const QImage& picture,
                           const QString& name) {
        ASSERT_EQ(strip.size(), before.size()) << name.toStdString();
        for (int y = 0; y < strip.height(); ++y) {
            for (int x = 0; x < strip.width(); ++x) {
                const bool inCell = x >= (n - 1) * w && x < n * w && y < h;
                const QRgb want = inCell ? expectedCellPixel(picture, x - (n - 1) * w, y) : before.pixel(x, y) & 0xFFFFFF;
                if ((strip.pixel(x, y) & 0xFFFFFF) != want) {
                    FAIL() << name.toStdString() << ": cell " << n << " pixel (" << x << ", " << y << ") wrong";
                }
            }
        }
    }
};

// Every corrupt file of the corpus, offered to every button: nothing changes, and the author is told
// which file was refused.
TEST_F(PictureSets, ACorruptPictureChangesNoFileNoStripAndNoCount) {
    const QString good = offer(testDataPath(QStringLiteral("bmp/good/rgb24.bmp")));
    const QStringList watched = {data("pon"), data("nabpredmax"), data("nabpredmin"), data("dver"), data("menu"),
                                 QString::fromStdString(kFakeRoot.comic(1))};
    QMap<QString, QByteArray> before;
    for (const QString& path : watched) before[path] = world.files.files.value(path);
    const QImage large = toQt(std::as_const(engine->pictures().largeItemStrip)).copy();
    const QImage small = toQt(std::as_const(engine->pictures().smallItemStrip)).copy();
    const QImage doors = toQt(std::as_const(engine->pictures().doorStrip)).copy();
    const QImage panel = toQt(std::as_const(engine->pictures().panelPicture)).copy();
    const int comics = record().comicCount;
    engine->screen().screenMode = ScreenMode::Scene;

    int refused = 0;
    for (const QFileInfo& bad : testDataFiles(QStringLiteral("bmp/bad"))) {
        // A few files of the folder are damaged only where no reader looks; they are pictures.
        if (!toQt(decodePicture(fromQtBytes(readFileOrFail(bad.filePath())))).isNull()) continue;
        ++refused;
        const QString chosen = offer(bad.filePath());
        const std::function<bool()> actions[] = {
            [&] { world.dialogs.answers = {chosen}; return replacePanel(*editor); },
            [&] { world.dialogs.answers = {chosen, good}; return replaceItemPictures(*editor); },
            [&] { world.dialogs.answers = {good, chosen}; return replaceItemPictures(*editor); },
            [&] { world.dialogs.answers = {chosen}; return replaceDoorPicture(*editor); },
            [&] { world.dialogs.answers = {chosen}; return replaceBackdrop(*editor, Backdrop::Menu); },
            [&] { world.dialogs.answers = {chosen}; return addComic(*editor); },
        };
        for (const auto& action : actions) {
            world.messages.errors.clear();
            EXPECT_FALSE(action()) << bad.fileName().toStdString();
            ASSERT_EQ(world.messages.errors.size(), 1) << bad.fileName().toStdString();
            EXPECT_TRUE(world.messages.errors[0].contains(chosen)) << world.messages.errors[0].toStdString();
        }
    }
    EXPECT_GE(refused, 8);
    for (const QString& path : watched) EXPECT_EQ(world.files.files.value(path), before[path]) << path.toStdString();
    EXPECT_EQ(toQt(std::as_const(engine->pictures().largeItemStrip)), large);
    EXPECT_EQ(toQt(std::as_const(engine->pictures().smallItemStrip)), small);
    EXPECT_EQ(toQt(std::as_const(engine->pictures().doorStrip)), doors);
    EXPECT_EQ(toQt(std::as_const(engine->pictures().panelPicture)), panel);
    EXPECT_EQ(record().comicCount, comics);
    // The scene stays shown: the screen switches only after the picture has been written.
    EXPECT_EQ(engine->screen().screenMode, ScreenMode::Scene);
    EXPECT_FALSE(editor->journal().canUndo());
}

// Every good picture of the corpus, as a large and as a small item picture and as a door picture, into
// a random cell: that cell holds the picture's top-left pixels padded with its bottom-left colour, every
// other pixel stays, the file on disk holds the new strip at once, and one undo takes both strips back.
TEST_F(PictureSets, PicturesLandInTheirCellOnlyAndAreOnDiskAtOnce) {
    const QFileInfoList good = testDataFiles(QStringLiteral("bmp/good"));
    std::mt19937 random(11);
    for (int i = 0; i < good.size(); ++i) {
        const QString largeFile = offer(good[i].filePath());
        const QString smallFile = offer(good[(i + 7) % good.size()].filePath());
        const QImage large = toQt(decodePicture(fromQtBytes(world.files.files[largeFile])));
        const QImage small = toQt(decodePicture(fromQtBytes(world.files.files[smallFile])));
        const int n = std::uniform_int_distribution<int>(1, 100)(random);
        const int k = std::uniform_int_distribution<int>(1, 50)(random);
        const QByteArray largeBytes = world.files.files[data("nabpredmax")];
        const QByteArray smallBytes = world.files.files[data("nabpredmin")];
        const QImage largeBefore = toQt(std::as_const(engine->pictures().largeItemStrip)).copy();
        const QImage smallBefore = toQt(std::as_const(engine->pictures().smallItemStrip)).copy();
        const QImage doorBefore = toQt(std::as_const(engine->pictures().doorStrip)).copy();

        editorState(*engine).currentItem = n;
        world.dialogs.answers = {largeFile, smallFile};
        ASSERT_TRUE(replaceItemPictures(*editor)) << good[i].fileName().toStdString();
        expectCell(toQt(std::as_const(engine->pictures().largeItemStrip)), largeBefore, 50, 50, n, large, good[i].fileName());
        expectCell(toQt(std::as_const(engine->pictures().smallItemStrip)), smallBefore, 20, 20, n, small, good[i].fileName());
        EXPECT_EQ(decodePicture(fromQtBytes(world.files.files[data("nabpredmax")])), engine->pictures().largeItemStrip);
        EXPECT_EQ(decodePicture(fromQtBytes(world.files.files[data("nabpredmin")])), engine->pictures().smallItemStrip);
        // The item's transparent colour is the picture's own bottom-left colour, whatever its size.
        EXPECT_EQ(engine->pictures().largeItemPicture.pixel(0, 49) & 0xFFFFFF,
                  large.pixel(0, std::min(49, large.height() - 1)) & 0xFFFFFF);

        editorState(*engine).closedDoorPick = k;
        world.dialogs.answers = {largeFile};
        ASSERT_TRUE(replaceDoorPicture(*editor));
        expectCell(toQt(std::as_const(engine->pictures().doorStrip)), doorBefore, 60, 90, k, large, good[i].fileName());
        EXPECT_EQ(decodePicture(fromQtBytes(world.files.files[data("dver")])), engine->pictures().doorStrip);
        EXPECT_EQ(engine->pictures().doorPicture.size(), (Size{60, 90}));

        ASSERT_EQ(editor->undo(), Editor::Outcome::Applied);
        ASSERT_EQ(editor->undo(), Editor::Outcome::Applied);
        EXPECT_EQ(world.files.files[data("nabpredmax")], largeBytes);
        EXPECT_EQ(world.files.files[data("nabpredmin")], smallBytes);
        EXPECT_EQ(toQt(std::as_const(engine->pictures().largeItemStrip)), largeBefore);
        EXPECT_EQ(toQt(std::as_const(engine->pictures().smallItemStrip)), smallBefore);
        EXPECT_EQ(toQt(std::as_const(engine->pictures().doorStrip)), doorBefore);
        ASSERT_EQ(editor->redo(), Editor::Outcome::Applied);
    }
    // The second dialog cancelled: neither strip changes and nothing is read.
    const QByteArray largeBytes = world.files.files[data("nabpredmax")];
    world.dialogs.answers = {offer(good[0].filePath())};
    EXPECT_FALSE(replaceItemPictures(*editor));
    EXPECT_EQ(world.files.files[data("nabpredmax")], largeBytes);
    // The small strip cannot be written: the large one is put back as it was.
    world.files.failWritesTo << data("nabpredmin");
    world.dialogs.answers = {offer(good[0].filePath()), offer(good[1].filePath())};
    EXPECT_FALSE(replaceItemPictures(*editor));
    EXPECT_EQ(world.files.files[data("nabpredmax")], largeBytes);
}

TEST_F(PictureSets, ComicsAreCountedOnlyOnceCopiedAndStopAtTheDoorsLimit) {
    // Start-up counts three comics in a new game; their files need not exist yet.
    const int comics = record().comicCount;
    const QString picture = offer(testDataPath(QStringLiteral("bmp/good/pal8nonsquare.bmp")));
    world.dialogs.answers = {picture};
    ASSERT_TRUE(addComic(*editor));
    EXPECT_EQ(record().comicCount, comics + 1);
    EXPECT_EQ(editorState(*engine).comicPick, comics + 1);
    EXPECT_EQ(world.files.files[kFakeRoot.comic(comics + 1)], world.files.files[picture]);
    EXPECT_EQ(comicPreview(*engine).size(), QSize(137, 137));

    // A copy that fails keeps the count and the pick.
    world.files.failWritesTo << kFakeRoot.comic(comics + 2);
    world.dialogs.answers = {picture};
    EXPECT_FALSE(addComic(*editor));
    EXPECT_EQ(record().comicCount, comics + 1);
    EXPECT_FALSE(world.files.files.contains(kFakeRoot.comic(comics + 2)));
    EXPECT_EQ(editorState(*engine).comicPick, comics + 1);
    world.files.failWritesTo.clear();

    // Undo takes back the file and the count together; the pick is clamped to the comics left.
    ASSERT_EQ(editor->undo(), Editor::Outcome::Applied);
    EXPECT_EQ(record().comicCount, comics);
    EXPECT_FALSE(world.files.files.contains(kFakeRoot.comic(comics + 1)));
    stepComicPick(*engine, +1);
    EXPECT_EQ(editorState(*engine).comicPick, comics);

    // At the limit nothing is asked and nothing copied.
    record().comicCount = kComicLimit;
    world.dialogs.asked.clear();
    world.dialogs.answers = {picture};
    EXPECT_FALSE(addComic(*editor));
    EXPECT_TRUE(world.dialogs.asked.isEmpty());
    EXPECT_EQ(record().comicCount, kComicLimit);
    // A comic whose file is missing previews empty and is reported once.
    world.messages.errors.clear();
    editorState(*engine).comicPick = 200;
    EXPECT_TRUE(comicPreview(*engine).isNull());
    EXPECT_TRUE(comicPreview(*engine).isNull());
    EXPECT_EQ(world.messages.errors.size(), 1);
}

} // namespace
} // namespace tw::test
