#include "editor/canvasediting.h"
#include "runtime/engine.h"
#include "support/fakes.h"
#include "support/faketree.h"
#include "toolkit/toolkittypes.h"

#include <gtest/gtest.h>

#include <cstring>
#include <utility>

namespace tw::test {
namespace {

class StartUp : public ::testing::Test {
protected:
    FakeWorld world;
    std::unique_ptr<ProjectRecord> record = ProjectRecord::createBlank();
    std::unique_ptr<Engine> engine;
    std::unique_ptr<CanvasEditing> editing;

    void SetUp() override {
        record->sceneCount = 12;
        record->startScene = 1;
        record->tickInterval = 40;
        record->gameName.setText("Quest");
    }
    bool start() {
        engine = std::make_unique<Engine>(kFakeRoot, world.services());
        editing = std::make_unique<CanvasEditing>(*engine);
        return engine->startUp();
    }
};

TEST_F(StartUp, ZeroCountsAndPeriodGetTheirDefaults) {
    record->tickInterval = 0;
    record->sceneCount = 0;
    record->stampCount = 0;
    record->comicCount = 0;
    putMinimalTree(world.files, *record);
    ASSERT_TRUE(start());
    EXPECT_EQ(engine->record().tickInterval, 50);
    EXPECT_EQ(engine->record().sceneCount, 1);
    EXPECT_EQ(engine->record().stampCount, 3);
    EXPECT_EQ(engine->record().comicCount, 3);
    EXPECT_EQ(engine->frameTimerInterval(), 50);
    EXPECT_TRUE(world.messages.errors.isEmpty());
}

TEST_F(StartUp, OpensOnTheMenuWithCaptionAndNeutralCursor) {
    putMinimalTree(world.files, *record, true);
    ASSERT_TRUE(start());
    EXPECT_EQ(engine->screen().screenMode, ScreenMode::Menu);
    EXPECT_EQ(engine->caption(), "     TARNWICK    ( Quest )");
    EXPECT_EQ(engine->canvas().pixel(500, 350), qRgb(0, 0, 160)); // the menu picture is drawn
    EXPECT_EQ(world.cursors.installs, 8);
    for (int slot = 1; slot <= 8; ++slot) EXPECT_TRUE(world.cursors.installed[slot].has_value()) << slot;
    EXPECT_EQ(world.cursors.shown, int(cursorNeutral));
    EXPECT_EQ(engine->pictures().handPicture.size(), (Size{50, 50}));
    EXPECT_EQ(engine->pictures().doorPicture.size(), (Size{60, 90}));
}

TEST_F(StartUp, MissingCursorFileEmptiesItsSlotAndStartUpGoesOn) {
    putMinimalTree(world.files, *record, true);
    world.files.files.remove(kFakeRoot.cursor(cursorClock));
    world.files.files[kFakeRoot.cursor(cursorLook)] = QByteArray("RIFF\x04\0\0\0ACON", 12);
    ASSERT_TRUE(start());
    EXPECT_FALSE(world.cursors.installed[cursorClock].has_value());
    EXPECT_FALSE(world.cursors.installed[cursorLook].has_value());
    EXPECT_TRUE(world.cursors.installed[cursorNeutral].has_value());
    EXPECT_TRUE(world.messages.errors.isEmpty());
}

TEST_F(StartUp, StartSceneIsCurrentAndClosingStoresTheCurrentScene) {
    record->startScene = 7;
    putMinimalTree(world.files, *record);
    ASSERT_TRUE(start());
    EXPECT_EQ(engine->screen().currentScene, 7);
    engine->screen().currentScene = 3;
    ASSERT_TRUE(engine->shutDown("Quest"));
    EXPECT_EQ(storedRecord(world.files)->startScene, 3);
}

TEST_F(StartUp, StartSceneOutsideTheTableStartsOnSceneOne) {
    record->startScene = 60000;
    putMinimalTree(world.files, *record);
    ASSERT_TRUE(start());
    EXPECT_EQ(engine->screen().currentScene, 1);
}

TEST_F(StartUp, HeldItemIsCarriedAgain) {
    record->heldItem = 12;
    record->holdingItem = 1;
    putMinimalTree(world.files, *record);
    ASSERT_TRUE(start());
    const QImage hand = toQt(std::as_const(engine->pictures().handPicture));
    EXPECT_EQ(hand.pixel(0, 0), largeItemColour(12).rgb());
    EXPECT_EQ(hand.pixel(49, 49), largeItemColour(12).rgb());
}

TEST_F(StartUp, MissingProjectFileGivesOneErrorAndOpensNothingElse) {
    putMinimalTree(world.files, *record, true);
    world.files.files.remove(kFakeRoot.recordFile());
    world.files.opened.clear();
    EXPECT_FALSE(start());
    EXPECT_EQ(world.messages.errors, QStringList{QStringLiteral(" ERROR ")});
    EXPECT_EQ(world.files.opened, QStringList{QString::fromStdString(kFakeRoot.recordFile())});
    EXPECT_EQ(world.cursors.installs, 0);
    // Closing afterwards writes nothing at all.
    EXPECT_TRUE(engine->shutDown("x"));
    EXPECT_TRUE(world.files.written.isEmpty());
}

TEST_F(StartUp, ShortProjectFileIsReportedByNameAndNothingIsWrittenAtClose) {
    putMinimalTree(world.files, *record);
    world.files.files[kFakeRoot.recordFile()].truncate(1000);
    EXPECT_FALSE(start());
    ASSERT_EQ(world.messages.errors.size(), 1);
    EXPECT_TRUE(world.messages.errors[0].contains(QString::fromStdString(kFakeRoot.recordFile())));
    EXPECT_TRUE(engine->shutDown("x"));
    EXPECT_TRUE(world.files.written.isEmpty());
    EXPECT_EQ(world.files.files[kFakeRoot.recordFile()].size(), 1000);
}

TEST_F(StartUp, MissingOrBrokenPictureStopsStartUpWithItsName) {
    for (const char* name : {"anim", "menu", "pon", "nabpredmax", "nabpredmin", "dver", "ten"}) {
        FakeWorld fresh;
        putMinimalTree(fresh.files, *record);
        const QString path = QString::fromStdString(kFakeRoot.data(name));
        if (QLatin1String(name) == QLatin1String("pon")) {
            fresh.files.files[path] = QByteArray("BM not really a bitmap");
        } else {
            fresh.files.files.remove(path);
        }
        Engine broken(kFakeRoot, fresh.services());
        EXPECT_FALSE(broken.startUp()) << name;
        ASSERT_EQ(fresh.messages.errors.size(), 1) << name;
        EXPECT_TRUE(fresh.messages.errors[0].contains(path)) << name;
        EXPECT_TRUE(broken.shutDown("x"));
        EXPECT_TRUE(fresh.files.written.isEmpty()) << name;
    }
}

TEST_F(StartUp, ShutdownWritesStripsNameAndRecord) {
    putMinimalTree(world.files, *record);
    ASSERT_TRUE(start());
    engine->record().heroX = 321;
    ASSERT_TRUE(engine->shutDown(QString(120, QChar(0x0416)).toStdString())); // 120 x "Ж"
    EXPECT_EQ(world.files.written,
              (PathList{kFakeRoot.data("nabpredmax"), kFakeRoot.data("nabpredmin"),
                           kFakeRoot.data("dver"), kFakeRoot.recordFile()}));
    auto saved = storedRecord(world.files);
    ASSERT_TRUE(saved);
    EXPECT_EQ(QString::fromStdString(saved->gameName.text()), QString(100, QChar(0x0416)));
    EXPECT_EQ(saved->heroX, 321);
}

TEST_F(StartUp, WriteFailureAtCloseAttemptsEveryWriteAndMayStayOpen) {
    putMinimalTree(world.files, *record);
    const QByteArray before = world.files.files[kFakeRoot.recordFile()];
    ASSERT_TRUE(start());
    world.files.failWritesTo << kFakeRoot.data("nabpredmax") << kFakeRoot.recordFile();
    world.messages.answerYes = false;
    engine->record().heroX = 99;
    EXPECT_FALSE(engine->shutDown("Quest"));
    // The other strips were still written; one message names both failures.
    EXPECT_EQ(world.files.written, (PathList{kFakeRoot.data("nabpredmin"),
                                                kFakeRoot.data("dver")}));
    ASSERT_EQ(world.messages.errors.size(), 1);
    EXPECT_TRUE(world.messages.errors[0].contains(QString::fromStdString(kFakeRoot.recordFile())));
    EXPECT_TRUE(world.messages.errors[0].contains(QString::fromStdString(kFakeRoot.data("nabpredmax"))));
    EXPECT_EQ(world.messages.questions, QStringList{QString::fromUtf8(kCloseQuestion)});
    EXPECT_EQ(world.messages.defaults, QList<Messages::Answer>{Messages::Answer::No});
    EXPECT_EQ(world.files.files[kFakeRoot.recordFile()], before);
    // Still running: the record is intact and a later close succeeds.
    EXPECT_TRUE(engine->isStarted());
    EXPECT_EQ(engine->record().heroX, 99);
    world.files.failWritesTo.clear();
    EXPECT_TRUE(engine->shutDown("Quest"));
    EXPECT_EQ(storedRecord(world.files)->heroX, 99);
    EXPECT_EQ(world.messages.questions.size(), 1);
}

// What start-up does with every kind of recovery file, and that the record taken from it goes through the
// same defaults as one read from the project file.
TEST_F(StartUp, RecoveryFileIsOfferedOnlyWhenWholeAndDifferent) {
    record->tickInterval = 0;
    record->heroX = 10;
    auto changed = ProjectRecord::createBlank();
    std::memcpy(changed->bytes(), record->bytes(), kProjectRecordSize);
    changed->heroX = 20;
    const QByteArray changedBytes(reinterpret_cast<const char*>(changed->bytes()),
                                  qsizetype(kProjectRecordSize));
    const QByteArray sameBytes(reinterpret_cast<const char*>(record->bytes()), qsizetype(kProjectRecordSize));
    const QString recovery = QString::fromStdString(kFakeRoot.recoveryFile());
    struct Case {
        const char* name;
        QByteArray bytes;
        bool unreadable;
        bool answerYes;
        bool asked;
        bool kept;
        int heroX;
    };
    const Case cases[] = {
        {"changed, Yes", changedBytes, false, true, true, true, 20},
        {"changed, No", changedBytes, false, false, true, false, 10},
        {"equal", sameBytes, false, true, false, false, 10},
        {"short", changedBytes.left(kProjectRecordSize - 1), false, true, false, false, 10},
        {"long", changedBytes + QByteArray(1, 'x'), false, true, false, false, 10},
        {"empty", QByteArray(), false, true, false, false, 10},
        {"unreadable", changedBytes, true, true, false, false, 10},
    };
    for (const Case& c : cases) {
        FakeWorld fresh;
        putMinimalTree(fresh.files, *record);
        fresh.files.files.insert(recovery, c.bytes);
        if (c.unreadable) fresh.files.failReadsOf << recovery;
        fresh.messages.answerYes = c.answerYes;
        Engine recovered(kFakeRoot, fresh.services());
        ASSERT_TRUE(recovered.startUp()) << c.name;
        EXPECT_EQ(fresh.messages.questions.size(), c.asked ? 1 : 0) << c.name;
        EXPECT_EQ(fresh.files.files.contains(recovery), c.kept) << c.name;
        EXPECT_EQ(recovered.record().heroX, c.heroX) << c.name;
        EXPECT_EQ(recovered.record().tickInterval, 50) << c.name;
        EXPECT_TRUE(fresh.files.written.isEmpty()) << c.name;
    }
    // A project file that cannot be opened stops start-up before the recovery file is looked at.
    FakeWorld missing;
    putMinimalTree(missing.files, *record);
    missing.files.files.remove(kFakeRoot.recordFile());
    missing.files.files.insert(recovery, changedBytes);
    Engine broken(kFakeRoot, missing.services());
    EXPECT_FALSE(broken.startUp());
    broken.writeRecovery("x");
    EXPECT_TRUE(broken.shutDown("x"));
    EXPECT_TRUE(missing.messages.questions.isEmpty());
    EXPECT_EQ(missing.files.files.value(recovery), changedBytes);
    EXPECT_TRUE(missing.files.written.isEmpty());
    EXPECT_TRUE(missing.files.removed.isEmpty());
}

TEST_F(StartUp, ActivationStartsTheMusicFromTheStart) {
    putMinimalTree(world.files, *record);
    ASSERT_TRUE(start());
    engine->activate();
    engine->activate();
    const QString music = QStringLiteral("open:") + QString::fromStdString(kFakeRoot.sound("fon.mp3"));
    EXPECT_EQ(world.audio.log, (QStringList{music, QStringLiteral("play"), music, QStringLiteral("play")}));
}

TEST_F(StartUp, TimerPeriodIsKeptInTheEditorsRangeForTheTimerOnly) {
    record->tickInterval = -7;
    putMinimalTree(world.files, *record);
    ASSERT_TRUE(start());
    EXPECT_EQ(engine->frameTimerInterval(), 20);
    EXPECT_EQ(engine->record().tickInterval, -7);
    // A period wiped to 1 ms would play the game fifty times too fast.
    engine->record().tickInterval = 1;
    EXPECT_EQ(engine->frameTimerInterval(), 20);
    engine->record().tickInterval = 2000000000;
    EXPECT_EQ(engine->frameTimerInterval(), 100);
    engine->record().tickInterval = 70;
    EXPECT_EQ(engine->frameTimerInterval(), 70);
}

} // namespace
} // namespace tw::test
