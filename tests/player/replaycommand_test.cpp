// The programs as an author's script runs them: `--replay FILE --json` on the game beside the executable,
// where no display exists and no platform was chosen.
#include "make-demo/demostory.h"
#include "make-demo/demotree.h"
#include "make-demo/itempictures.h"
#include "platform/filesystem.h"
#include "runtime/replay.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <cstring>

namespace tw::test {
namespace {

struct ProgramRun {
    int code = -1;
    QByteArray out, err;
};

ProgramRun runHeadless(const QString& program, const QStringList& args) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QLatin1String(name));
    process.setProcessEnvironment(environment);
    process.start(program, args);
    ProgramRun run;
    if (!process.waitForStarted(30000) || !process.waitForFinished(120000)) return run;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    run.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return run;
}

// Every file under a folder with a digest of its bytes.
QStringList snapshot(const QString& folder) {
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        files << path + QLatin1Char(' ') +
                     QString::fromLatin1(
                         QCryptographicHash::hash(file.readAll(), QCryptographicHash::Md5).toHex());
    }
    files.sort();
    return files;
}

TEST(ReplayCommand, BothProgramsReplayARecordingWithoutADisplayAndWriteNothing) {
    QTemporaryDir game, elsewhere;
    ASSERT_TRUE(game.isValid() && elsewhere.isValid());
    QString why;
    ASSERT_EQ(demo::writeDemoTree({game.path(), QStringLiteral(TW_PLAYER)}, &why), demo::DemoResult::Written)
        << why.toStdString();
    const QString player = game.filePath(QStringLiteral("tarnwick-player"));
    const QString editor = game.filePath(QStringLiteral("tarnwick"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(TW_PLAYER), player));
    ASSERT_TRUE(QFile::copy(QStringLiteral(TW_EDITOR), editor));

    // A new game from the menu, then a click on the key lying on the footpath.
    DiskFileSystem disk;
    std::string text = "tarnwick-recording 1\nseed 3\n";
    {
        auto record = ProjectRecord::createBlank();
        const FileSystem::ReadResult bytes = disk.read(AssetPaths(game.path().toStdString()).recordFile());
        ASSERT_EQ(std::size_t(bytes.bytes.size()), kProjectRecordSize);
        std::memcpy(record->bytes(), bytes.bytes.data(), kProjectRecordSize);
        const int mx = (record->menuTopLeft(1).x + record->menuBottomRight(1).x) / 2;
        const int my = (record->menuTopLeft(1).y + record->menuBottomRight(1).y) / 2;
        const int ox = (record->menuTopLeft(2).x + record->menuBottomRight(2).x) / 2;
        const int oy = (record->menuTopLeft(2).y + record->menuBottomRight(2).y) / 2;
        // "Открыть" first: the game saved in the folder is not the replay's, which has none.
        text += "press 1 left " + std::to_string(ox) + ' ' + std::to_string(oy) + "\nrelease 1\n";
        const Item& key = record->item(demo::kItemKey);
        const int kx = 20 * key.col0 + 10, ky = 20 * key.row0 + 10;
        text += "move 2 " + std::to_string(mx) + ' ' + std::to_string(my) + " 700\n";
        text += "press 3 left " + std::to_string(mx) + ' ' + std::to_string(my) + "\nrelease 4\n";
        text += "move 9 " + std::to_string(kx) + ' ' + std::to_string(ky) + " 700\n";
        text += "press 10 left " + std::to_string(kx) + ' ' + std::to_string(ky) + "\nrelease 11\n";
        text += "move 400 500 400 700\n";
    }
    const QString recording = elsewhere.filePath(QStringLiteral("key.rec"));
    ASSERT_TRUE(disk.writeAtomically(recording.toStdString(), text).empty());
    const InputLogRead log = readInputLog(text);
    ASSERT_TRUE(log.ok) << log.reason;
    std::string expected;
    {
        Replay replay(disk, game.path().toStdString(), log.log);
        ASSERT_TRUE(replay.startUp());
        replay.run();
        expected = playStateJson(replay.engine()) + "\n";
    }
    // The key was taken: the replay played the game, not just the menu.
    EXPECT_NE(expected.find("{\"item\":" + std::to_string(demo::kItemKey) + ",\"state\":2,"),
              std::string::npos)
        << expected;

    const QStringList before = snapshot(game.path());
    for (const QString& program : {player, editor}) {
        SCOPED_TRACE(program.toStdString());
        const ProgramRun run =
            runHeadless(program, {QStringLiteral("--replay"), recording, QStringLiteral("--json")});
        EXPECT_EQ(run.code, 0) << run.err.toStdString();
        EXPECT_EQ(run.out.toStdString(), expected);
        EXPECT_TRUE(run.err.contains("Сохранённой игры нет.")) << run.err.toStdString();

        // A recording with a damaged third line is refused with the line named, before anything plays.
        const QString damaged = elsewhere.filePath(QStringLiteral("damaged.rec"));
        ASSERT_TRUE(
            disk.writeAtomically(damaged.toStdString(), "tarnwick-recording 1\nseed 3\nmove 2 5000 1 700\n").empty());
        const ProgramRun refused =
            runHeadless(program, {QStringLiteral("--replay"), damaged, QStringLiteral("--json")});
        EXPECT_EQ(refused.code, 2);
        EXPECT_TRUE(refused.out.isEmpty());
        EXPECT_TRUE(refused.err.contains("строка 3")) << refused.err.toStdString();
        const ProgramRun missing = runHeadless(
            program, {QStringLiteral("--replay"), elsewhere.filePath(QStringLiteral("none.rec"))});
        EXPECT_EQ(missing.code, 2);
        EXPECT_TRUE(missing.err.contains("none.rec")) << missing.err.toStdString();
    }

    // Beside no game at all: refused, with the reason.
    const QString alone = elsewhere.filePath(QStringLiteral("tarnwick-player"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(TW_PLAYER), alone));
    const ProgramRun noGame =
        runHeadless(alone, {QStringLiteral("--replay"), recording, QStringLiteral("--json")});
    EXPECT_EQ(noGame.code, 2);
    EXPECT_TRUE(noGame.out.isEmpty());
    EXPECT_TRUE(noGame.err.contains("Игра не прочитана: ")) << noGame.err.toStdString();

    // The last frame, twice: the same picture, the scene as played.
    const QString first = elsewhere.filePath(QStringLiteral("first.png"));
    const QString second = elsewhere.filePath(QStringLiteral("second.png"));
    for (const QString& grab : {first, second}) {
        const ProgramRun run =
            runHeadless(player, {QStringLiteral("--replay"), recording, QStringLiteral("--grab"), grab});
        EXPECT_EQ(run.code, 0) << run.err.toStdString();
    }
    const QImage a(first), b(second);
    ASSERT_EQ(a.size(), QSize(kPlayWidth, kPlayHeight));
    EXPECT_TRUE(a == b);

    // Nothing in the game's folder was written, the saved game and the project file included.
    EXPECT_EQ(snapshot(game.path()), before);
}

} // namespace
} // namespace tw::test
