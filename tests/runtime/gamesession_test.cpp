// The player's game logic on an engine, headless: the menu's new game, open and save, Esc between the game
// and the menu, the help screen, the question at the close, and the game files the player never writes.
#include "runtime/gamefiles.h"
#include "runtime/gamesession.h"
#include "support/fakes.h"
#include "support/faketree.h"
#include "support/playergame.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tw::test {
namespace {

class GameSessionTest : public ::testing::Test {
protected:
    FakeWorld world;
    GameFiles files{world.files, kFakeRoot};
    std::unique_ptr<Engine> engine;
    std::unique_ptr<GameSession> session;

    void SetUp() override {
        putMinimalTree(world.files, *playerGame());
        start();
    }
    void start() {
        session.reset();
        engine = std::make_unique<Engine>(kFakeRoot, Services{files, world.messages, world.audio,
                                                              world.cursors, world.random, world.dialogs});
        session = std::make_unique<GameSession>(*engine);
        ASSERT_TRUE(session->startUp());
    }
    ProjectRecord& record() { return engine->record(); }
    ScreenMode mode() const { return engine->screen().screenMode; }
    int scene() const { return engine->screen().currentScene; }
    QByteArray bytes() const {
        return QByteArray(reinterpret_cast<const char*>(engine->record().bytes()),
                          qsizetype(kProjectRecordSize));
    }

    void chooseMenu(int zone) {
        engine->mouseMove(200, 100 * zone + 30, kPlayHeight);
        session->mouseDown(MouseButton::Left, 200, 100 * zone + 30);
        engine->mouseUp();
    }
    void esc() { session->keyDown(kEscapeKey); }
    void ticks(int n) {
        for (int i = 0; i < n; ++i)
            engine->frameTick();
    }
    // A click on cell (c, r) of the scene, then time for the hero to walk there.
    void walkTo(int c, int r) {
        const int x = 20 * (c - 1) + 10, y = 20 * (r - 1) + 10;
        engine->mouseMove(x, y, kPlayHeight);
        session->mouseDown(MouseButton::Left, x, y);
        engine->frameTick();
        engine->mouseUp();
        ticks(40);
    }
    // Picks up item 5 and walks through the portal to scene 3.
    void playSome() {
        walkTo(9, 10);
        ASSERT_EQ(record().item(5).state, 2);
        walkTo(14, 10);
        ASSERT_EQ(scene(), 3);
    }
    bool typWritten() const {
        return world.files.written.contains(kFakeRoot.recordFile()) ||
               world.files.written.contains(kFakeRoot.recoveryFile());
    }
};

TEST_F(GameSessionTest, NewGameAfterPlayStartsTheGameAsBuiltAgain) {
    EXPECT_EQ(mode(), ScreenMode::Menu);
    EXPECT_TRUE(engine->play().musicLoop);
    EXPECT_EQ(session->caption(), "Клад короля");
    EXPECT_FALSE(session->gameStarted());
    const QByteArray built = QByteArray::fromStdString(session->builtRecord());

    chooseMenu(1);
    EXPECT_TRUE(world.messages.questions.isEmpty()); // nothing to lose yet
    EXPECT_EQ(mode(), ScreenMode::Scene);
    EXPECT_EQ(scene(), 2);
    EXPECT_EQ(engine->canvas().pixel(500, 690), qRgb(40, 100, 100)); // scene 2's background
    EXPECT_FALSE(session->gameInProgress());
    // Standing still changes nothing worth a question.
    ticks(20);
    EXPECT_FALSE(session->gameInProgress());

    playSome();
    EXPECT_TRUE(session->gameInProgress());
    esc();
    EXPECT_EQ(mode(), ScreenMode::Menu);

    // No to the question: the game goes on as it was.
    world.messages.answerYes = false;
    const QByteArray played = bytes();
    chooseMenu(1);
    EXPECT_EQ(world.messages.questions, QStringList{QString::fromUtf8(kNewGameQuestion)});
    EXPECT_EQ(world.messages.defaults, QList<Messages::Answer>{Messages::Answer::No});
    EXPECT_EQ(mode(), ScreenMode::Menu);
    EXPECT_EQ(bytes(), played);

    world.messages.answerYes = true;
    chooseMenu(1);
    EXPECT_EQ(mode(), ScreenMode::Scene);
    EXPECT_EQ(scene(), 2);
    EXPECT_EQ(bytes(), built);
    EXPECT_EQ(record().item(5).state, 1);
    EXPECT_EQ(record().bagSlot(kBagSlots), 0);
    EXPECT_EQ(record().heroX, 90);
    EXPECT_EQ(world.cursors.shown, int(cursorNeutral));
    EXPECT_FALSE(session->gameInProgress());
    // And it plays again from there.
    walkTo(9, 10);
    EXPECT_EQ(record().item(5).state, 2);
    EXPECT_FALSE(typWritten());
}

TEST_F(GameSessionTest, SaveAndOpenUseTheSavePointAndNeverTheGameFile) {
    const QString save = QString::fromStdString(kFakeRoot.savePointFile());
    // Before any game: nothing to open, nothing to save.
    chooseMenu(2);
    EXPECT_EQ(world.messages.errors, QStringList{QString::fromUtf8(kNoSavedGame)});
    chooseMenu(3);
    EXPECT_EQ(world.messages.infos, QStringList{QString::fromUtf8(kGameNotStarted)});
    EXPECT_EQ(mode(), ScreenMode::Menu);
    EXPECT_FALSE(session->gameStarted());
    EXPECT_TRUE(world.files.written.isEmpty());
    world.messages.errors.clear();
    world.messages.infos.clear();

    chooseMenu(1);
    playSome();
    esc();
    chooseMenu(3);
    EXPECT_EQ(world.messages.infos, QStringList{QString::fromUtf8(kGameSaved)});
    EXPECT_TRUE(world.messages.questions.isEmpty());
    const auto saved = storedRecord(world.files, save.toStdString());
    ASSERT_NE(saved, nullptr);
    EXPECT_EQ(saved->startScene, 3);   // the scene being played
    EXPECT_EQ(record().startScene, 2); // the game in memory keeps its own
    EXPECT_EQ(saved->item(5).state, 2);
    EXPECT_FALSE(session->gameInProgress());
    const std::uint16_t savedX = record().heroX;

    // A new game, then the save opened: the game goes on in scene 3 with the item in the bag.
    chooseMenu(1);
    EXPECT_TRUE(world.messages.questions.isEmpty()); // saved just now: nothing to lose
    ASSERT_EQ(scene(), 2);
    walkTo(7, 7);
    esc();
    chooseMenu(2);
    EXPECT_EQ(world.messages.questions, QStringList{QString::fromUtf8(kOpenGameQuestion)});
    EXPECT_EQ(mode(), ScreenMode::Scene);
    EXPECT_EQ(scene(), 3);
    EXPECT_EQ(record().heroX, savedX);
    EXPECT_EQ(record().item(5).state, 2);
    EXPECT_EQ(std::count(record().inventory, record().inventory + kBagSlots, 5), 1);
    EXPECT_EQ(record().startScene, 3);
    EXPECT_TRUE(world.messages.errors.isEmpty());

    // A damaged save, or one that cannot be read, leaves the game as it is and names the file.
    const QByteArray before = bytes();
    const QByteArray whole = world.files.files[save];
    esc();
    for (int damage = 0; damage < 2; ++damage) {
        if (damage == 0)
            world.files.files[save] = whole.left(1000);
        else
            world.files.failReadsOf << save;
        chooseMenu(2);
        ASSERT_EQ(world.messages.errors.size(), 1) << damage;
        EXPECT_TRUE(world.messages.errors[0].contains(save)) << damage;
        EXPECT_EQ(mode(), ScreenMode::Menu);
        EXPECT_EQ(bytes(), before);
        world.messages.errors.clear();
        world.files.files[save] = whole;
    }
    world.files.failReadsOf.clear();

    // A save that cannot be written says why, naming the file; the record is as it was.
    esc();
    walkTo(5, 9);
    esc();
    world.files.failWritesTo << save;
    const QByteArray unsaved = bytes();
    chooseMenu(3);
    ASSERT_EQ(world.messages.errors.size(), 1);
    EXPECT_TRUE(world.messages.errors[0].contains(save));
    EXPECT_TRUE(world.messages.errors[0].contains(QStringLiteral("Permission denied")));
    EXPECT_EQ(bytes(), unsaved);
    EXPECT_TRUE(session->gameInProgress());
    EXPECT_EQ(world.files.files[save], whole);
    EXPECT_FALSE(typWritten());
}

TEST_F(GameSessionTest, TheCloseAsksOnlyWithAGameInProgress) {
    EXPECT_TRUE(session->closeRequested());
    chooseMenu(1);
    ticks(5);
    EXPECT_TRUE(session->closeRequested());
    EXPECT_TRUE(world.messages.questions.isEmpty());

    walkTo(9, 10);
    // No: the game goes unsaved.
    world.messages.answerYes = false;
    EXPECT_TRUE(session->closeRequested());
    EXPECT_EQ(world.messages.questions, QStringList{QString::fromUtf8(kSaveBeforeExitQuestion)});
    EXPECT_EQ(world.messages.defaults, QList<Messages::Answer>{Messages::Answer::Yes});
    EXPECT_TRUE(world.files.written.isEmpty());
    // Yes with a folder that cannot be written: the save says why and the close is offered without it,
    // No by default; No keeps the window.
    world.messages.answerYes = true;
    world.files.failWritesTo << kFakeRoot.savePointFile();
    world.messages.questions.clear();
    world.messages.defaults.clear();
    world.messages.answersInTurn = {true, false};
    EXPECT_FALSE(session->closeRequested());
    EXPECT_EQ(world.messages.errors.size(), 1);
    EXPECT_EQ(world.messages.questions,
              QStringList({QString::fromUtf8(kSaveBeforeExitQuestion), QString::fromUtf8(kCloseQuestion)}));
    EXPECT_EQ(world.messages.defaults, QList<Messages::Answer>({Messages::Answer::Yes, Messages::Answer::No}));
    // Yes: saved (with no message of its own), and the window may close.
    world.files.failWritesTo.clear();
    EXPECT_TRUE(session->closeRequested());
    EXPECT_EQ(world.files.written, PathList{kFakeRoot.savePointFile()});
    EXPECT_EQ(storedRecord(world.files, kFakeRoot.savePointFile())->item(5).state, 2);
    EXPECT_TRUE(world.messages.infos.isEmpty());
    EXPECT_FALSE(session->gameInProgress());
}

TEST_F(GameSessionTest, EscGoesBetweenTheGameAndTheMenuAndLeavesHelp) {
    esc(); // no game to go back to
    EXPECT_EQ(mode(), ScreenMode::Menu);
    chooseMenu(4);
    EXPECT_EQ(mode(), ScreenMode::Help);
    EXPECT_EQ(engine->canvas().pixel(500, 690), qRgb(0, 160, 0));
    esc();
    EXPECT_EQ(mode(), ScreenMode::Menu);
    EXPECT_EQ(engine->canvas().pixel(500, 690), qRgb(0, 0, 160));
    // A click on the help screen goes back too, and is not a press in the menu beneath: zone 1 is not chosen.
    chooseMenu(4);
    chooseMenu(1);
    EXPECT_EQ(mode(), ScreenMode::Menu);
    EXPECT_FALSE(session->gameStarted());

    chooseMenu(1);
    // The game waits in the menu; Esc brings it back where it was, a walk under way going on.
    const int x = 20 * 24 + 10, y = 20 * 20 + 10;
    engine->mouseMove(x, y, kPlayHeight);
    session->mouseDown(MouseButton::Left, x, y);
    engine->mouseUp();
    ticks(4);
    const std::uint16_t heroX = record().heroX;
    ASSERT_GT(heroX, 90);
    esc();
    EXPECT_EQ(mode(), ScreenMode::Menu);
    ticks(10);
    EXPECT_EQ(record().heroX, heroX);
    esc();
    EXPECT_EQ(mode(), ScreenMode::Scene);
    EXPECT_EQ(scene(), 2);
    EXPECT_EQ(engine->canvas().pixel(500, 690), qRgb(40, 100, 100));
    ticks(4);
    EXPECT_GT(record().heroX, heroX);
}

// An editor's recovery copy left in the game's tree is neither offered nor deleted, and the game file
// cannot be written or deleted through the player's files.
TEST_F(GameSessionTest, TheGameFilesAreTheAuthorsAndStayAsTheyAre) {
    auto changed = playerGame();
    changed->heroX = 400;
    const QByteArray recovery(reinterpret_cast<const char*>(changed->bytes()), qsizetype(kProjectRecordSize));
    world.files.files[kFakeRoot.recoveryFile()] = recovery;
    start();
    EXPECT_TRUE(world.messages.questions.isEmpty());
    EXPECT_EQ(world.files.files.value(kFakeRoot.recoveryFile()), recovery);
    EXPECT_EQ(record().heroX, 90);

    const QByteArray game = world.files.files.value(kFakeRoot.recordFile());
    for (const std::string& path : {kFakeRoot.recoveryFile(), std::string("/game/mzh/data/../data/typ.dll")}) {
        EXPECT_FALSE(files.writeAtomically(path, "x").empty()) << path;
        EXPECT_FALSE(files.remove(path)) << path;
    }
    EXPECT_EQ(world.files.files.value(kFakeRoot.recordFile()), game);
    EXPECT_EQ(world.files.files.value(kFakeRoot.recoveryFile()), recovery);
    EXPECT_TRUE(files.writeAtomically(kFakeRoot.savePointFile(), "save").empty()); // the rest goes through
}

} // namespace
} // namespace tw::test
