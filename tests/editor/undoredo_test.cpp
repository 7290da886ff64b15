// The editor's history over the bundled demo: random editing (painted cells, menu zones, hero settings,
// placed items, erases, the save point, replaced pictures), random play and random undos and redos. The
// program never crashes and never makes a second copy of an item; edits alone, all taken back, leave the
// record and every file of the project exactly as they were, and all made again, exactly as after them.
#include "editor/canvasediting.h"
#include "editor/editor.h"
#include "editor/editorshell.h"
#include "editor/passability.h"
#include "editor/savepoint.h"
#include "make-demo/demotree.h"
#include "platform/filesystem.h"
#include "project/assetcheck.h"
#include "runtime/engine.h"
#include "support/fakes.h"
#include "support/testdata.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDirIterator>
#include <QTemporaryDir>

#include <map>
#include <random>

namespace tw::test {
namespace {

using Tree = std::map<QString, QByteArray>;

class UndoRedo : public ::testing::Test {
protected:
    QTemporaryDir dir;
    DiskFileSystem disk;
    FakeMessages messages;
    FakeAudio audio;
    FakeCursors cursors;
    FakeFileDialogs dialogs;
    SeededRandom random{7};
    std::unique_ptr<Engine> engine;
    std::unique_ptr<Editor> editor;
    std::mt19937 dice;
    QStringList goodPictures;
    QStringList badPictures;

    void SetUp() override {
        QString error;
        ASSERT_EQ(demo::writeDemoTree({dir.path(), QCoreApplication::applicationFilePath()}, &error),
                  demo::DemoResult::Written)
            << error.toStdString();
        engine = std::make_unique<Engine>(AssetPaths(dir.path()), Services{disk, messages, audio, cursors, random, dialogs});
        ASSERT_TRUE(engine->startUp());
        editor = std::make_unique<Editor>(*engine);
        for (const QFileInfo& file : testDataFiles(QStringLiteral("bmp/good"))) goodPictures << file.absoluteFilePath();
        for (const QFileInfo& file : testDataFiles(QStringLiteral("bmp/bad"))) badPictures << file.absoluteFilePath();
        ASSERT_FALSE(goodPictures.isEmpty());
        ASSERT_FALSE(badPictures.isEmpty());
    }

    int roll(int below) { return int(dice() % unsigned(below)); }
    QPoint anyPoint() { return QPoint(roll(1100) - 40, roll(780) - 40); } // now and then off the canvas

    QByteArray recordBytes() const {
        return QByteArray(reinterpret_cast<const char*>(engine->record().bytes()), qsizetype(kProjectRecordSize));
    }
    Tree files() const {
        Tree tree;
        QDirIterator it(dir.path(), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            QFile file(path);
            EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
            tree[path] = file.readAll();
        }
        return tree;
    }

    void drag(QPoint from, int moves) {
        engine->mouseMove(from.x(), from.y(), 699);
        engine->mouseDown(MouseButton::Left, from.x(), from.y());
        for (int i = 0; i < moves; ++i) {
            const QPoint p = anyPoint();
            engine->mouseMove(p.x(), p.y(), 699);
        }
        engine->mouseUp();
    }

    // One editing action of an author, chosen at random. A press on the scene in the plot editor is also a
    // walking order, which is play; `onScene` allows such presses.
    void edit(bool onScene = true) {
        switch (roll(onScene ? 12 : 8)) {
        case 0: // paint cells
            selectPage(*engine, EditorPage::Passability);
            editorState(*engine).drawWalkable = roll(2) == 0;
            drag(anyPoint(), roll(6));
            break;
        case 1:
            selectPage(*engine, EditorPage::Passability);
            if (roll(2) == 0) nextScene(*engine);
            blockEveryCell(*editor);
            break;
        case 2: // a menu zone
            selectPage(*engine, EditorPage::GameMenu);
            armMenuZone(*engine, 1 + roll(4));
            drag(anyPoint(), 1 + roll(3));
            break;
        case 3: // a hero page button
            editor->change([&] { engine->record().heroStep = std::uint8_t(std::array{2, 5, 10}[std::size_t(roll(3))]); });
            break;
        case 4:
            messages.answerYes = roll(3) != 0;
            if (roll(2) == 0) eraseWholePlot(*editor); else eraseAllAnimations(*editor);
            break;
        case 5:
            messages.answerYes = true;
            storeSavePoint(*editor);
            break;
        case 6:
            messages.answerYes = true;
            restoreSavePoint(*editor);
            break;
        case 7: { // a scene picture replaced from a chosen file, good or bad
            const QStringList& pool = roll(3) == 0 ? badPictures : goodPictures;
            const QString chosen = pool[roll(int(pool.size()))];
            editor->replaceFile(engine->paths().scene(1 + roll(3)), AssetKind::Picture, chosen);
            break;
        }
        default: // lay an item on a cell of the scene in the plot editor
            selectPage(*engine, EditorPage::PlotEditor);
            editorState(*engine).currentItem = 1 + roll(6);
            editorState(*engine).itemArmed = true;
            {
                const QPoint p = anyPoint();
                engine->mouseDown(MouseButton::Left, p.x(), p.y());
                engine->mouseUp();
            }
            editorState(*engine).itemArmed = false;
            break;
        }
    }

    // A while of play: the pointer wanders, clicks now and then, the frame tick runs; now and then the
    // player goes for an item lying in the scene, long enough to pick it up if a path leads there.
    void play() {
        selectPage(*engine, EditorPage::PlotEditor);
        if (roll(2) == 0) {
            for (int n = 1; n <= kItemCapacity; ++n) {
                const Item& item = engine->record().item(n);
                if (item.state != 1 || item.scene != engine->screen().currentScene) continue;
                const int x = 20 * item.col0 + 10;
                const int y = 20 * item.row0 + 10;
                engine->mouseMove(x, y, 699);
                engine->mouseDown(MouseButton::Left, x, y);
                engine->frameTick();
                engine->mouseUp();
                for (int t = 0; t < 300 && engine->play().walkingToItem; ++t) engine->frameTick();
                break;
            }
        }
        for (int i = 0, n = 5 + roll(40); i < n; ++i) {
            const QPoint p = anyPoint();
            engine->mouseMove(p.x(), p.y(), 699);
            if (roll(4) == 0) {
                engine->mouseDown(roll(5) == 0 ? MouseButton::Right : MouseButton::Left, p.x(), p.y());
                engine->frameTick();
                engine->mouseUp();
            }
            engine->frameTick();
        }
    }

    void expectNoItemTwice(const char* after) {
        for (int n = 1; n <= kItemCapacity; ++n)
            ASSERT_LE(placesOfItem(engine->record(), n), 1) << "item " << n << " after " << after;
    }
};

TEST_F(UndoRedo, EditsTakenBackAndMadeAgainRestoreRecordAndFilesExactly) {
    for (unsigned seed : {1u, 2u, 3u}) {
        SCOPED_TRACE(seed);
        dice.seed(seed);
        const int start = editor->journal().undoableCount();
        const QByteArray recordBefore = recordBytes();
        const Tree filesBefore = files();
        while (editor->journal().undoableCount() < start + 25) edit(false);
        const QByteArray recordAfter = recordBytes();
        const Tree filesAfter = files();
        ASSERT_NE(recordAfter, recordBefore);

        while (editor->journal().undoableCount() > start) ASSERT_EQ(editor->undo(), Editor::Outcome::Applied);
        EXPECT_TRUE(recordBytes() == recordBefore);
        EXPECT_TRUE(files() == filesBefore);
        while (editor->redo() == Editor::Outcome::Applied) {}
        EXPECT_FALSE(editor->journal().canRedo());
        EXPECT_TRUE(recordBytes() == recordAfter);
        EXPECT_TRUE(files() == filesAfter);
    }
    // Bad pictures were offered and refused, each with a message naming the file; the only other message
    // is the one of a restore before any save point was stored.
    ASSERT_TRUE(messages.errors.join(QString()).contains(QStringLiteral("/bmp/bad/")));
    for (const QString& error : messages.errors)
        EXPECT_TRUE(error.contains(QStringLiteral("/bmp/bad/")) || error == QStringLiteral(" ERROR ")) << error.toStdString();
}

TEST_F(UndoRedo, EditingPlayingUndoingAndRedoingNeverCopiesAnItem) {
    expectNoItemTwice("start-up");
    for (unsigned seed : {11u, 12u, 13u, 14u}) {
        SCOPED_TRACE(seed);
        dice.seed(seed);
        for (int i = 0; i < 120; ++i) {
            const int dice100 = roll(100);
            if (dice100 < 35) edit();
            else if (dice100 < 60) play();
            else if (dice100 < 85) editor->undo();
            else editor->redo();
            expectNoItemTwice("a random action");
            ASSERT_LE(editor->journal().stepCount(), EditJournal::kDefaultStepLimit);
        }
    }
}

// The author lays the herb in the scene; the player takes it; undoing the laying would bring the herb
// back to its old place while it is in the bag: refused, and the history is still usable.
TEST_F(UndoRedo, AnUndoThatWouldCopyAnItemIsRefused) {
    selectPage(*engine, EditorPage::PlotEditor);
    ProjectRecord& record = engine->record();
    const int n = 1;
    // The item lies nowhere and is in no slot to begin with.
    editor->change([&] {
        for (int k = 1; k <= kBagSlots; ++k) if (record.bagSlot(k) == n) record.bagSlot(k) = 0;
        record.item(n).state = 0;
        if (record.heldItem == n) record.holdingItem = 0;
    });
    editor->change([&] { record.item(n).state = 1; }); // laid in the scene
    // Play takes it into the bag (as a pick-up does).
    record.item(n).state = 2;
    record.bagSlot(kBagSlots) = std::uint8_t(n);
    ASSERT_EQ(placesOfItem(record, n), 1);
    // Undo of the laying: state back to 0 is fine (the bag keeps it).
    EXPECT_EQ(editor->undo(), Editor::Outcome::Applied);
    EXPECT_EQ(placesOfItem(record, n), 1);
    // Redo would lay it in the scene again while it is in the bag.
    messages.errors.clear();
    EXPECT_EQ(editor->redo(), Editor::Outcome::Refused);
    EXPECT_EQ(messages.errors.size(), 1);
    EXPECT_EQ(placesOfItem(record, n), 1);
    EXPECT_TRUE(editor->journal().canRedo());
    // New edits are still taken back.
    editor->change([&] { record.heroStep = 10; });
    EXPECT_EQ(editor->undo(), Editor::Outcome::Applied);
    EXPECT_TRUE(editor->journal().canRedo());
}

} // namespace
} // namespace tw::test
