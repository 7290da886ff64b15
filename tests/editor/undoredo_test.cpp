// The editor's history over the bundled demo: random editing (painted cells, menu zones, hero settings,
// objects placed by presses on the scene, portal placements finished and abandoned, erases, the save
// point, replaced pictures), random play and random undos and redos. The program never crashes and never
// makes a second copy of an item; edits alone, all taken back, leave the record, every file of the
// project and the scene shown exactly as they were, and all made again, exactly as after them. With play
// under way between and during the edits (walks to doors and items), each step taken back and made again
// gives exactly the record and scene before and after it: play's own changes never enter a step.
#include "toolkit/toolkittypes.h"
#include "editor/canvasediting.h"
#include "editor/editor.h"
#include "editor/editorshell.h"
#include "editor/passability.h"
#include "editor/portals.h"
#include "editor/savepoint.h"
#include "runtime/orders.h"
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
        engine = std::make_unique<Engine>(AssetPaths(dir.path().toStdString()), Services{disk, messages, audio, cursors, random, dialogs});
        ASSERT_TRUE(engine->startUp());
        editor = std::make_unique<Editor>(*engine);
        for (const QFileInfo& file : testDataFiles(QStringLiteral("bmp/good"))) goodPictures << file.absoluteFilePath();
        for (const QFileInfo& file : testDataFiles(QStringLiteral("bmp/bad"))) badPictures << file.absoluteFilePath();
        ASSERT_FALSE(goodPictures.isEmpty());
        ASSERT_FALSE(badPictures.isEmpty());
    }

    static std::string where(const QByteArray& a, const QByteArray& b) {
        std::string out;
        int shown = 0;
        for (qsizetype i = 0; i < a.size() && shown < 6; ++i) {
            if (a[i] == b[i]) continue;
            out += std::to_string(i) + ":" + std::to_string(int(std::uint8_t(a[i]))) + "/" + std::to_string(int(std::uint8_t(b[i]))) + " ";
            ++shown;
            while (i + 1 < a.size() && a[i + 1] != b[i + 1]) ++i;
        }
        return out + " items@" + std::to_string(offsetof(ProjectRecord, items)) + " pass@" + std::to_string(offsetof(ProjectRecord, passGrid)) +
               " scenes@" + std::to_string(offsetof(ProjectRecord, scenes)) + " hero@" + std::to_string(offsetof(ProjectRecord, heroX));
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

    // A press and release at p, as a click of the author.
    void clickAt(QPoint p, MouseButton button = MouseButton::Left) {
        engine->mouseMove(p.x(), p.y(), 699);
        engine->mouseDown(button, p.x(), p.y());
        engine->mouseUp();
    }
    // A walkable cell's centre on the scene shown, or some point when none is found quickly.
    QPoint walkablePoint() {
        for (int tries = 0; tries < 50; ++tries) {
            const int c = 1 + roll(kGridColumns);
            const int r = 1 + roll(kGridRows);
            if (engine->record().passOrBlocked(engine->screen().currentScene, c, r) < kBlockedCell)
                return QPoint(20 * c - 10, 20 * r - 10);
        }
        return anyPoint();
    }

    // The lead-in of a portal placement, finished or not: armed, its cell pressed, a target scene chosen
    // (which shows it, and ends the walks of the scene left).
    void beginPortalPlacement() {
        selectPage(*engine, EditorPage::PlotEditor);
        armPortalPlacement(*engine, 1 + roll(kPortalsPerScene));
        clickAt(walkablePoint());
        const int target = 1 + roll(usableSceneCount(engine->record()));
        editor->change([&] { chooseTargetScene(*engine, target); });
        armArrivalPick(*engine);
    }

    // One action of an author that is not a step: scenes changed, placements begun and left.
    void moveAround() {
        switch (roll(4)) {
        case 0: nextScene(*engine); break;
        case 1: previousScene(*engine); break;
        case 2: // a portal placement left with Esc
            beginPortalPlacement();
            engine->keyDown(kEscapeKey);
            break;
        default: // or with another page
            beginPortalPlacement();
            selectPage(*engine, roll(2) == 0 ? EditorPage::Hero : EditorPage::PlotEditor);
            break;
        }
    }

    // An object of the plot editor placed by a press on the scene: an item, a door, a dialog's or a hint's
    // zone dragged, a remark's cell.
    void placeOnScene() {
        EditorState& state = editorState(*engine);
        switch (roll(5)) {
        case 0:
            state.currentItem = 1 + roll(6);
            state.itemArmed = true;
            clickAt(roll(2) == 0 ? walkablePoint() : anyPoint(), roll(3) == 0 ? MouseButton::Right : MouseButton::Left);
            state.itemArmed = false;
            return;
        case 1:
            state.doorSpin = 1 + roll(kDoorsPerScene);
            state.doorArmed = true;
            clickAt(anyPoint());
            return;
        case 2:
            state.currentDialog = 1 + roll(kDialogsPerScene);
            state.dialogZoneArmed = true;
            drag(anyPoint(), 1 + roll(3));
            return;
        case 3:
            state.currentHint = 1 + roll(kHintsPerScene);
            state.hintZoneArmed = true;
            drag(anyPoint(), 1 + roll(3));
            return;
        default:
            state.currentHeroRemark = 1 + roll(10);
            state.heroRemarkArmed = true;
            clickAt(anyPoint());
            return;
        }
    }

    // One editing action of an author, chosen at random; the actions that are not steps run first. All
    // presses on the scene are taken by an armed sub-mode: edits, never play orders.
    void edit() {
        if (roll(4) == 0) moveAround();
        makeStep(prepareStep());
    }
    // The kind of the next step, with its lead-in that is not part of it done: a portal placement is
    // begun, to be finished by the step's press.
    int prepareStep() {
        const int kind = roll(13);
        if (kind == 8 || kind == 9) beginPortalPlacement();
        if (kind <= 1) selectPage(*engine, EditorPage::Passability);
        if (kind == 2) selectPage(*engine, EditorPage::GameMenu);
        if (kind >= 10) selectPage(*engine, EditorPage::PlotEditor);
        return kind;
    }
    void makeStep(int kind) {
        switch (kind) {
        case 0: // paint cells
            editorState(*engine).drawWalkable = roll(2) == 0;
            drag(anyPoint(), roll(6));
            break;
        case 1:
            blockEveryCell(*editor);
            break;
        case 2: // a menu zone
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
        case 8:
        case 9: // a portal placement finished by pressing its arrival
            clickAt(walkablePoint());
            break;
        default:
            placeOnScene();
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
        // The scene shown when the first step began and when the last one ended.
        int sceneBefore = 0;
        int sceneAfter = 0;
        while (editor->journal().undoableCount() < start + 25) {
            if (roll(4) == 0) moveAround();
            const int kind = prepareStep();
            const int scene = engine->screen().currentScene;
            const int steps = editor->journal().undoableCount();
            makeStep(kind);
            if (editor->journal().undoableCount() == steps) continue;
            if (steps == start) sceneBefore = scene;
            sceneAfter = engine->screen().currentScene;
        }
        const QByteArray recordAfter = recordBytes();
        const Tree filesAfter = files();
        ASSERT_NE(recordAfter, recordBefore);

        while (editor->journal().undoableCount() > start) ASSERT_EQ(editor->undo(), Editor::Outcome::Applied);
        EXPECT_TRUE(recordBytes() == recordBefore) << where(recordBytes(), recordBefore);
        EXPECT_TRUE(files() == filesBefore);
        EXPECT_EQ(engine->screen().currentScene, sceneBefore);
        while (editor->redo() == Editor::Outcome::Applied) {}
        EXPECT_FALSE(editor->journal().canRedo());
        EXPECT_TRUE(recordBytes() == recordAfter);
        EXPECT_TRUE(files() == filesAfter);
        EXPECT_EQ(engine->screen().currentScene, sceneAfter);
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

// Play goes on between the author's edits: the hero is sent to a door with its key in hand, to items and
// anywhere, and the frames run, often not long enough for him to arrive. Each step, taken back right
// after it was made, gives back exactly the record and the scene shown before it, with only the orders
// that the step itself ended (the hero left the scene) ended; made again, exactly the record and scene
// after it. Play's changes (a door cell opened for a walk, then shut when the walk ended) never enter a
// step, and no item is ever in two places.
TEST_F(UndoRedo, WithPlayUnderWayEachStepTakesBackAndMakesAgainExactlyItself) {
    const auto playAWhile = [&] {
        selectPage(*engine, EditorPage::PlotEditor);
        ProjectRecord& record = engine->record();
        const SceneBlock& scene = record.scene(engine->screen().currentScene);
        switch (roll(3)) {
        case 0: // to a closed door, its key taken from the bag onto the cursor first
            for (int d = 1; d <= kDoorsPerScene; ++d) {
                const Door& door = scene.door(d);
                if (door.state != 1 || !isItemNumber(door.keyItem) || placesOfItem(record, door.keyItem) > 0) continue;
                record.heldItem = door.keyItem;
                record.holdingItem = 1;
                clickAt(QPoint((door.keyZoneX1 + door.keyZoneX2) / 2, (door.keyZoneY1 + door.keyZoneY2) / 2));
                break;
            }
            break;
        case 1: // to an item lying here
            for (int n = 1; n <= kItemCapacity; ++n) {
                const Item& item = record.item(n);
                if (item.state != 1 || item.scene != engine->screen().currentScene) continue;
                clickAt(QPoint(20 * item.col0 + 10, 20 * item.row0 + 10));
                break;
            }
            break;
        default:
            clickAt(walkablePoint(), roll(5) == 0 ? MouseButton::Right : MouseButton::Left);
            break;
        }
        for (int i = 0, n = roll(25); i < n; ++i) engine->frameTick();
    };

    int checked = 0;
    int cancelling = 0;
    for (unsigned seed : {21u, 22u, 23u}) {
        SCOPED_TRACE(seed);
        dice.seed(seed);
        for (int i = 0; i < 70; ++i) {
            if (roll(2) == 0) playAWhile();
            if (roll(4) == 0) moveAround();
            const int kind = prepareStep();
            const QByteArray recordBefore = recordBytes();
            const int sceneBefore = engine->screen().currentScene;
            const PlayState playBefore = engine->play();
            const int steps = editor->journal().undoableCount();
            makeStep(kind);
            expectNoItemTwice("an edit");
            if (editor->journal().undoableCount() == steps) continue;
            const QByteArray recordAfter = recordBytes();
            const int sceneAfter = engine->screen().currentScene;
            // The orders the step ended were ended as the hero leaves a scene; that is play, and stays.
            QByteArray expected = recordBefore;
            const PlayState& playNow = engine->play();
            const bool ordered = playBefore.walkingToItem || playBefore.walkingToDoor || playBefore.walkingToDialog;
            if (ordered && !(playNow.walkingToItem || playNow.walkingToDoor || playNow.walkingToDialog)) {
                auto copy = ProjectRecord::createBlank();
                std::memcpy(copy->bytes(), expected.constData(), kProjectRecordSize);
                PlayState play = playBefore;
                leaveScene(*copy, play);
                expected = QByteArray(reinterpret_cast<const char*>(copy->bytes()), qsizetype(kProjectRecordSize));
                ++cancelling;
            }
            ASSERT_EQ(editor->undo(), Editor::Outcome::Applied);
            EXPECT_TRUE(recordBytes() == expected) << "step " << i << " kind " << kind << " " << where(recordBytes(), expected);
            EXPECT_EQ(engine->screen().currentScene, sceneBefore) << "step " << i << " kind " << kind;
            ASSERT_EQ(editor->redo(), Editor::Outcome::Applied);
            EXPECT_TRUE(recordBytes() == recordAfter) << "step " << i;
            EXPECT_EQ(engine->screen().currentScene, sceneAfter) << "step " << i;
            ++checked;
        }
    }
    // The session did what it is about: many steps, some of them made while walks were under way and
    // ending them.
    EXPECT_GT(checked, 100);
    EXPECT_GT(cancelling, 2);
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
