// A game of the bundled demo played in the player's window with --record, then replayed headless: in the
// player's engine it comes out the same record and the same last frame as the game played, twice over;
// in the editor's engine the same scene, bag, items, doors and dialogs.
#include "app/replaycommand.h"
#include "make-demo/demostory.h"
#include "make-demo/demotree.h"
#include "make-demo/itempictures.h"
#include "platform/filesystem.h"
#include "player/playerview.h"
#include "player/playerwindow.h"
#include "runtime/gamefiles.h"
#include "runtime/inputrecorder.h"
#include "runtime/replay.h"
#include "support/fakes.h"
#include "toolkit/toolkittypes.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTimer>

#include <cstring>
#include <functional>
#include <utility>

namespace tw::test {
namespace {

// A question box as the real one behaves: while it waits for the player the window's frame timer goes
// on, here `waitTicks` ticks; then the next prepared answer.
class WaitingMessages final : public Messages {
public:
    std::function<void()> whileWaiting;
    QList<bool> answers;
    QStringList questions, errors;
    void showError(const std::string& text) override { errors << QString::fromStdString(text); }
    void showInfo(const std::string&) override {}
    void beep() override {}

protected:
    bool ask(const std::string& text, Answer) override {
        questions << QString::fromStdString(text);
        if (whileWaiting) whileWaiting();
        return answers.isEmpty() ? false : answers.takeFirst();
    }
};

// The first byte where two records differ, or -1.
qsizetype firstDifference(const std::uint8_t* a, const std::uint8_t* b) {
    for (std::size_t i = 0; i < kProjectRecordSize; ++i)
        if (a[i] != b[i]) return qsizetype(i);
    return -1;
}

class RecordAndReplay : public ::testing::Test {
protected:
    static constexpr std::uint32_t kSeed = 90210;
    QTemporaryDir dir;
    DiskFileSystem disk;
    std::unique_ptr<GameFiles> files;
    WaitingMessages asked;
    FakeAudio audio;
    FakeCursors cursors;
    FakeFileDialogs dialogs;
    SeededRandom random{kSeed};
    QString recordingFile;
    std::unique_ptr<InputRecorder> recorder;
    std::unique_ptr<RecordingMessages> messages;
    std::unique_ptr<PlayerWindow> window;

    void SetUp() override {
        QString error;
        ASSERT_EQ(demo::writeDemoTree({dir.path(), QCoreApplication::applicationFilePath()}, &error),
                  demo::DemoResult::Written)
            << error.toStdString();
        const AssetPaths paths(dir.path().toStdString());
        files = std::make_unique<GameFiles>(disk, paths);
        recordingFile = dir.filePath(QStringLiteral("walk.rec"));
        recorder = std::make_unique<InputRecorder>(*files, recordingFile.toStdString(), random.seed());
        messages = std::make_unique<RecordingMessages>(asked, *recorder);
        window = std::make_unique<PlayerWindow>(paths,
                                                Services{*files, *messages, audio, cursors, random, dialogs});
        window->setRecorder(recorder.get());
        ASSERT_TRUE(window->startUp());
        // The test is the clock: the window's own timers would add ticks of their own.
        for (QTimer* timer : window->findChildren<QTimer*>())
            timer->stop();
        window->resize(kPlayWidth, kPlayHeight);
        window->show();
        asked.whileWaiting = [this] { ticks(7); };
    }

    Engine& engine() { return window->engine(); }
    const ProjectRecord& record() { return engine().record(); }
    int scene() { return engine().screen().currentScene; }

    void ticks(int n) {
        for (int i = 0; i < n; ++i)
            window->frameTick();
    }
    bool tickUntil(const std::function<bool()>& done, int limit = 1500) {
        for (int i = 0; i < limit && !done(); ++i)
            window->frameTick();
        return done();
    }
    // The middle of canvas pixel (x, y) as the view shows it.
    QPointF at(int x, int y) {
        const QRect shown = window->view()->shownRect();
        return QPointF(shown.left() + (x + 0.5) * shown.width() / kPlayWidth,
                       shown.top() + (y + 0.5) * shown.height() / kPlayHeight);
    }
    void pointer(QEvent::Type type, QPoint p, Qt::MouseButton button = Qt::LeftButton) {
        const QPointF w = at(p.x(), p.y());
        const Qt::MouseButton changed = type == QEvent::MouseMove ? Qt::NoButton : button;
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease || type == QEvent::MouseMove
                                          ? Qt::NoButton
                                          : Qt::MouseButtons(button);
        QMouseEvent event(type, w, window->view()->mapToGlobal(w), changed, held, Qt::NoModifier);
        QApplication::sendEvent(window->view(), &event);
    }
    // The pointer arrives, the button goes down, a tick sees it held, the button comes up.
    void click(QPoint p, Qt::MouseButton button = Qt::LeftButton) {
        pointer(QEvent::MouseMove, p);
        pointer(QEvent::MouseButtonPress, p, button);
        ticks(1);
        pointer(QEvent::MouseButtonRelease, p, button);
    }
    void escape() {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &press);
    }
    QPoint menuZone(int k) {
        const Point16 a = record().menuTopLeft(k);
        const Point16 b = record().menuBottomRight(k);
        return QPoint((a.x + b.x) / 2, (a.y + b.y) / 2);
    }
    static QPoint cellCentre(int c, int r) { return QPoint(20 * (c - 1) + 10, 20 * (r - 1) + 10); }
    QPoint itemCell(int n) {
        return QPoint(20 * record().item(n).col0 + 10, 20 * record().item(n).row0 + 10);
    }
    QPoint dialogZone(int d) {
        const Dialog& dl = record().scene(scene()).dialog(d);
        return QPoint((dl.zoneX1 + dl.zoneX2) / 2, (dl.zoneY1 + dl.zoneY2) / 2);
    }

    // The player's game: the hermit, the key, a double-click, then back to the menu and a new game after
    // a wait at the question, the key again, a save and an open, and the road to the village.
    void play() {
        using namespace demo;
        ticks(3);
        pointer(QEvent::MouseMove, QPoint(40, 40));
        ticks(2);
        click(menuZone(1));
        ASSERT_EQ(engine().screen().screenMode, ScreenMode::Scene);
        ticks(2);
        click(dialogZone(kHermitDialog));
        ASSERT_TRUE(tickUntil([&] { return engine().play().dialogOpen; }));
        const QPoint key = itemCell(kItemKey);
        click(key);
        ASSERT_TRUE(tickUntil([&] { return record().item(kItemKey).state == 2; }));
        // The second press of a double-click reaches the game as a press.
        pointer(QEvent::MouseButtonPress, key);
        pointer(QEvent::MouseButtonRelease, key);
        pointer(QEvent::MouseButtonDblClick, key);
        pointer(QEvent::MouseButtonRelease, key);
        ticks(20);

        escape();
        ASSERT_EQ(engine().screen().screenMode, ScreenMode::Menu);
        ticks(4);
        // A game is in progress: the player is asked, waits a moment, and starts anew.
        asked.answers = {true};
        click(menuZone(1));
        ASSERT_EQ(asked.questions.size(), 1);
        ASSERT_EQ(engine().screen().screenMode, ScreenMode::Scene);
        ASSERT_EQ(record().item(kItemKey).state, 1);
        ticks(3);
        click(itemCell(kItemKey));
        ASSERT_TRUE(tickUntil([&] { return record().item(kItemKey).state == 2; }));
        // Saved from the menu and opened again at once: the game goes on from the save.
        escape();
        ticks(2);
        click(menuZone(3));
        ticks(2);
        click(menuZone(2));
        ASSERT_EQ(engine().screen().screenMode, ScreenMode::Scene);
        ASSERT_EQ(asked.questions.size(), 1);
        const Portal road = record().scene(1).portal(1);
        click(cellCentre(road.col, road.row));
        ASSERT_TRUE(tickUntil([&] { return scene() == 2; }));
        ticks(5);
        click(cellCentre(10, 30), Qt::RightButton);
        // The player watches the game a while before closing it.
        ticks(int(kReplaySettleTicks));
    }
};

TEST_F(RecordAndReplay, APlayedGameReplaysToTheSameRecordAndFrameInThePlayerAndTheEditor) {
    ASSERT_NO_FATAL_FAILURE(play());
    const std::uint32_t lastInput = recorder->log().events.back().tick;

    // Closing asks about saving while the game goes on; that answer is not part of the game. The
    // recording is written, ending on the tick the window closed.
    asked.answers = {false};
    ASSERT_TRUE(window->close());
    ASSERT_EQ(asked.questions.size(), 2);
    ASSERT_TRUE(asked.errors.isEmpty()) << asked.errors.join(QLatin1Char('\n')).toStdString();
    const QByteArray played(reinterpret_cast<const char*>(record().bytes()), qsizetype(kProjectRecordSize));
    const QImage playedFrame = toQt(std::as_const(engine().canvas())).copy();
    const std::string playedState = playStateJson(engine());
    EXPECT_EQ(scene(), 2);
    const FileSystem::ReadResult file = disk.read(recordingFile.toStdString());
    ASSERT_TRUE(file.ok());
    const InputLogRead read =
        readInputLog(file.bytes);
    ASSERT_TRUE(read.ok) << read.reason;
    EXPECT_EQ(read.log.seed, kSeed);
    EXPECT_EQ(read.log.end, lastInput + kReplaySettleTicks + 7);
    int answers = 0, doubles = 0, escapes = 0, rights = 0;
    std::uint32_t pressTick = 0;
    for (const InputEvent& e : read.log.events) {
        if (e.kind == InputEvent::Kind::Press) pressTick = e.tick;
        if (e.kind == InputEvent::Kind::Answer) {
            ++answers;
            EXPECT_TRUE(e.yes);
            EXPECT_EQ(e.tick, pressTick + 7) << "the answer comes when it was given";
        }
        doubles += e.kind == InputEvent::Kind::DoubleClick;
        escapes += e.kind == InputEvent::Kind::Key && e.key == kEscapeKey;
        rights += e.kind == InputEvent::Kind::Press && e.rightButton;
    }
    EXPECT_EQ(answers, 1);
    EXPECT_EQ(doubles, 1);
    EXPECT_EQ(escapes, 2);
    EXPECT_EQ(rights, 1);
    window.reset();

    // Replayed headless on the same game, twice: the record and the last frame as played, byte for byte.
    const auto replayed = [&](const ReplayEditor& editor, QByteArray& bytes, QImage& frame,
                              std::string& state) {
        Replay replay(disk, dir.path().toStdString(), read.log, editor);
        ASSERT_TRUE(replay.startUp()) << replay.failure();
        replay.run();
        // Play and the recording never parted; the one message is the save's, made in memory.
        ASSERT_EQ(replay.notes().size(), 1) << replay.notes().size();
        EXPECT_TRUE(replay.notes()[0].ends_with(kGameSaved)) << replay.notes()[0];
        bytes = QByteArray(reinterpret_cast<const char*>(replay.engine().record().bytes()),
                           qsizetype(kProjectRecordSize));
        frame = toQt(std::as_const(replay.engine().canvas())).copy();
        state = playStateJson(replay.engine());
    };
    for (int run = 1; run <= 2; ++run) {
        QByteArray bytes;
        QImage frame;
        std::string state;
        ASSERT_NO_FATAL_FAILURE(replayed({}, bytes, frame, state));
        const auto* a = reinterpret_cast<const std::uint8_t*>(played.constData());
        const auto* b = reinterpret_cast<const std::uint8_t*>(bytes.constData());
        EXPECT_EQ(firstDifference(a, b), -1) << "run " << run;
        EXPECT_EQ(state, playedState) << "run " << run;
        EXPECT_TRUE(frame == playedFrame) << "run " << run;
    }

    // In the editor's engine, on the plot editor's page: the same game.
    QByteArray bytes;
    QImage frame;
    std::string state;
    ASSERT_NO_FATAL_FAILURE(replayed(editorForReplay(), bytes, frame, state));
    EXPECT_EQ(state, playedState);
    const auto& edited = *reinterpret_cast<const ProjectRecord*>(bytes.constData());
    const auto& asPlayed = *reinterpret_cast<const ProjectRecord*>(played.constData());
    EXPECT_EQ(edited.heroX, asPlayed.heroX);
    EXPECT_EQ(edited.heroY, asPlayed.heroY);
    // The editor drew its aids over the same scene.
    EXPECT_FALSE(frame == playedFrame);
}

} // namespace
} // namespace tw::test
