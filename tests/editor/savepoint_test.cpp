// The save point as the author uses it: store, play on, roll back; what a missing, damaged or unwritable
// save point does; and how steps that replace or switch the record leave the play under way.
#include "editor/canvasediting.h"
#include "editor/editor.h"
#include "editor/savepoint.h"
#include "platform/picturecodec.h"
#include "project/recordfile.h"
#include "runtime/bag.h"
#include "runtime/playfixture.h"
#include "toolkit/toolkittypes.h"

#include <cstring>

namespace tw::test {
namespace {

// Scenes 1..10; in scene 1 a closed door on cell (10, 5) with key item 3 and key zone (300, 50)-(400, 150);
// the key is carried on the cursor.
class SavePoint : public PlayFixture {
protected:
    std::unique_ptr<Editor> editor;

    void prepare(ProjectRecord& record) override {
        record.sceneCount = 10;
        record.scene(1).door(1) = Door{1, 3, 2, 1, 2, 10, 5, 0, 300, 50, 400, 150, 300, 40};
        record.pass(1, 10, 5) = kBlockedCell;
        record.item(3).state = 2;
        record.heldItem = 3;
        record.holdingItem = 1;
    }
    void SetUp() override {
        PlayFixture::SetUp();
        editing.reset(); // the editor brings its own
        editor = std::make_unique<Editor>(*engine);
    }
    QByteArray recordBytes() {
        return QByteArray(reinterpret_cast<const char*>(record().bytes()), qsizetype(kProjectRecordSize));
    }
    QRgb sceneColour(int s) { return toQt(decodePicture(fromQtBytes(world.files.files[kFakeRoot.scene(s)]))).pixel(0, 0); }
    int scene() const { return engine->screen().currentScene; }
};

TEST_F(SavePoint, StoreInSceneFourWalkOnRestore) {
    for (int i = 0; i < 3; ++i) nextScene(*engine);
    ASSERT_EQ(scene(), 4);
    ASSERT_TRUE(storeSavePoint(*editor));
    EXPECT_EQ(world.messages.questions.last(), QStringLiteral("Сохранится текущее состояние логики игры! Сохранить?"));
    auto stored = storedRecord(world.files, kFakeRoot.savePointFile());
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->startScene, 4);
    EXPECT_EQ(std::memcmp(stored->bytes(), record().bytes(), kProjectRecordSize), 0);
    const QByteArray atStore = recordBytes();

    for (int i = 0; i < 5; ++i) nextScene(*engine);
    ASSERT_EQ(scene(), 9);
    click(200, 300); // the hero walks in scene 9
    ticks(10);
    ASSERT_NE(recordBytes(), atStore);

    ASSERT_TRUE(restoreSavePoint(*editor));
    EXPECT_EQ(world.messages.questions.last(), QStringLiteral("Откатить к последнему сохранению?"));
    EXPECT_EQ(scene(), 4);
    EXPECT_EQ(engine->pictures().backgroundPicture.pixel(0, 0), sceneColour(4));
    EXPECT_EQ(recordBytes(), atStore);
    EXPECT_TRUE(world.messages.errors.isEmpty());

    // The restore is a step: undo brings back the record as it was before it.
    const int steps = editor->journal().undoableCount();
    EXPECT_EQ(editor->undo(), Editor::Outcome::Applied);
    EXPECT_EQ(editor->journal().undoableCount(), steps - 1);
    EXPECT_NE(recordBytes(), atStore);
}

TEST_F(SavePoint, AnythingButYesChangesNothing) {
    ASSERT_TRUE(storeSavePoint(*editor));
    const QByteArray savePoint = world.files.files[kFakeRoot.savePointFile()];
    click(200, 300);
    ticks(5);
    const QByteArray before = recordBytes();
    const int written = int(world.files.written.size());
    const int opened = int(world.files.opened.size());
    const int steps = editor->journal().undoableCount();

    world.messages.answerYes = false;
    EXPECT_FALSE(storeSavePoint(*editor));
    EXPECT_FALSE(restoreSavePoint(*editor));
    EXPECT_FALSE(eraseWholePlot(*editor));
    EXPECT_FALSE(eraseAllAnimations(*editor));
    EXPECT_EQ(world.messages.questions.size(), 5);
    EXPECT_EQ(world.messages.questions.mid(1),
              (QStringList{QStringLiteral("Сохранится текущее состояние логики игры! Сохранить?"),
                           QStringLiteral("Откатить к последнему сохранению?"), QStringLiteral("Стереть весь сюжет игры?"),
                           QStringLiteral("Стереть все?")}));
    EXPECT_EQ(recordBytes(), before);
    EXPECT_EQ(world.files.written.size(), written);
    EXPECT_EQ(world.files.opened.size(), opened);
    EXPECT_EQ(world.files.files[kFakeRoot.savePointFile()], savePoint);
    EXPECT_EQ(editor->journal().undoableCount(), steps);
}

TEST_F(SavePoint, MissingDamagedOrUnwritableSavePointLeavesTheRecord) {
    const QByteArray before = recordBytes();
    // Never stored: one " ERROR ".
    EXPECT_FALSE(restoreSavePoint(*editor));
    EXPECT_EQ(world.messages.errors, QStringList{QStringLiteral(" ERROR ")});
    EXPECT_EQ(recordBytes(), before);

    // Shorter than a record: a message that names the file, and not one byte of the record changes.
    world.messages.errors.clear();
    world.files.files[kFakeRoot.savePointFile()] = before.left(1000000);
    EXPECT_FALSE(restoreSavePoint(*editor));
    ASSERT_EQ(world.messages.errors.size(), 1);
    EXPECT_TRUE(world.messages.errors[0].contains(QString::fromStdString(kFakeRoot.savePointFile()))) << world.messages.errors[0].toStdString();
    EXPECT_EQ(recordBytes(), before);

    // A store that cannot be written: reported, the old save point and the record (start scene too) stay.
    world.messages.errors.clear();
    nextScene(*engine);
    world.files.failWritesTo << kFakeRoot.savePointFile();
    EXPECT_FALSE(storeSavePoint(*editor));
    EXPECT_EQ(world.messages.errors.size(), 1);
    EXPECT_EQ(world.files.files[kFakeRoot.savePointFile()], before.left(1000000));
    EXPECT_EQ(recordBytes(), before);
    EXPECT_FALSE(editor->journal().canUndo());
}

// The key is used on the door and the hero sets off; the save point, stored before, is restored while he
// walks. The walk belonged to the old record: the restored door stays shut with its key, the hero is free.
TEST_F(SavePoint, RestoreEndsWhatPlayHadInFlight) {
    ASSERT_TRUE(storeSavePoint(*editor));
    click(350, 100);
    ASSERT_TRUE(play().walkingToDoor);
    ASSERT_EQ(engine->canvasCursor(), int(cursorClock));
    engine->pictures().handPicture.fill(rgb(0, 0, 0));

    ASSERT_TRUE(restoreSavePoint(*editor));
    EXPECT_FALSE(play().walkingToDoor);
    EXPECT_TRUE(play().heroFree);
    EXPECT_FALSE(play().pressPending);
    EXPECT_NE(engine->canvasCursor(), int(cursorClock));
    // The restored record carries the key on the cursor again, and the cursor shows it.
    EXPECT_TRUE(isHoldingItem(record()));
    EXPECT_EQ(engine->pictures().handPicture.pixel(25, 25), largeItemColour(3).rgb());
    ticks(60);
    const Door& door = record().scene(1).door(1);
    EXPECT_EQ(door.state, 1);
    EXPECT_EQ(door.keyItem, 3);
    EXPECT_EQ(record().pass(1, 10, 5), kBlockedCell);
}

TEST_F(SavePoint, RestoredRecordGetsStartUpDefaultsAndAValidScene) {
    auto saved = ProjectRecord::createBlank();
    std::memcpy(saved->bytes(), record().bytes(), kProjectRecordSize);
    saved->sceneCount = 0;
    saved->startScene = 50;
    saved->tickInterval = 0;
    putRecord(world.files, *saved, kFakeRoot.savePointFile());
    for (int i = 0; i < 3; ++i) nextScene(*engine);

    ASSERT_TRUE(restoreSavePoint(*editor));
    EXPECT_EQ(record().sceneCount, 1);
    EXPECT_EQ(record().tickInterval, 50);
    EXPECT_EQ(scene(), 1);
    EXPECT_EQ(engine->pictures().backgroundPicture.pixel(0, 0), sceneColour(1));
}

// The hero walks to the door with its key when the author places a portal's arrival point here and the
// editor switches to the portal's scene: the walk is cancelled (play), the portal is stored (an edit).
// Undo takes back the portal only; the cancelled walk's door cell stays blocked.
TEST_F(SavePoint, UndoOfAPortalPlacedWhileAWalkRanKeepsTheShutDoorShut) {
    placeHero(record(), 1, 30); // far from the door, slowly: the walk outlasts the bag panel
    record().heroStep = 2;
    click(350, 100);
    engine->mouseMove(500, 400, 699); // away from the bag panel along the top
    ticks(55);
    ASSERT_FALSE(play().panelShown);
    ASSERT_TRUE(play().walkingToDoor);
    ASSERT_LT(record().pass(1, 10, 5), kBlockedCell); // opened to the walk
    EditorState& state = editor->state();
    state.portalPick = 2;
    state.portalScene = 2;
    state.portalSpin = 1;
    click(70, 70); // cell (4, 4) of scene 1 becomes the arrival point
    ASSERT_EQ(record().scene(2).portal(1).arrivalCol, 4);
    ASSERT_EQ(scene(), 2);
    EXPECT_FALSE(play().walkingToDoor);
    EXPECT_EQ(record().pass(1, 10, 5), kBlockedCell);

    ASSERT_EQ(editor->undo(), Editor::Outcome::Applied);
    EXPECT_EQ(record().scene(2).portal(1).arrivalCol, 0);
    EXPECT_EQ(record().pass(1, 10, 5), kBlockedCell);
}

} // namespace
} // namespace tw::test
