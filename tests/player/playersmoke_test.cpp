// The real player program as a built game's program: the demo built into a folder, started from another
// folder, shows the game's menu and leaves the game's files as they were.
#include "editor/editor.h"
#include "editor/gamebuild.h"
#include "make-demo/demotree.h"
#include "platform/filesystem.h"
#include "platform/picturecodec.h"
#include "runtime/engine.h"
#include "support/fakes.h"
#include "toolkit/toolkittypes.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace tw::test {
namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(PlayerSmoke, ABuiltGameStartsFromAnyFolderAndShowsItsMenu) {
    QTemporaryDir project, target, elsewhere;
    ASSERT_TRUE(project.isValid() && target.isValid() && elsewhere.isValid());
    QString why;
    ASSERT_EQ(demo::writeDemoTree({project.path(), QStringLiteral(TW_PLAYER)}, &why),
              demo::DemoResult::Written)
        << why.toStdString();

    // The author builds the game into an empty folder.
    QString gameName;
    {
        DiskFileSystem disk;
        FakeMessages messages;
        FakeAudio audio;
        FakeCursors cursors;
        ScriptedRandom random;
        FakeFileDialogs dialogs;
        Engine engine(AssetPaths(project.path().toStdString()), Services{disk, messages, audio, cursors, random, dialogs});
        ASSERT_TRUE(engine.startUp());
        Editor editor(engine);
        gameName = QString::fromStdString(engine.gameName());
        dialogs.answers = {target.path()};
        ASSERT_TRUE(buildGame(editor, gameName)) << messages.errors.join(QLatin1Char('\n')).toStdString();
    }
    const AssetPaths game(target.path().toStdString());
    const QByteArray record = readAll(QString::fromStdString(game.recordFile()));
    const QByteArray savePoint = readAll(QString::fromStdString(game.savePointFile()));
    ASSERT_EQ(std::size_t(record.size()), kProjectRecordSize);

    // The player runs it from a third folder.
    const QString grab = elsewhere.filePath(QStringLiteral("menu.png"));
    QProcess player;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
    player.setProcessEnvironment(environment);
    player.setWorkingDirectory(elsewhere.path());
    player.start(QString::fromStdString(game.file(gameName.toStdString())), {QStringLiteral("--grab"), grab});
    ASSERT_TRUE(player.waitForStarted(30000)) << player.errorString().toStdString();
    ASSERT_TRUE(player.waitForFinished(60000));
    ASSERT_EQ(player.exitStatus(), QProcess::NormalExit);
    ASSERT_EQ(player.exitCode(), 0) << player.readAllStandardError().toStdString();

    // It showed the game's menu picture as it is: no zone outline or other aid of the editor over it.
    std::string error;
    const QImage menu = toQt(decodePicture(fromQtBytes(readAll(QString::fromStdString(game.data("menu")))), &error));
    ASSERT_FALSE(menu.isNull()) << error;
    const QImage shown = QImage(grab).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), QSize(kPlayWidth, kPlayHeight));
    for (int y = 0; y < kPlayHeight; ++y) {
        for (int x = 0; x < kPlayWidth; ++x) ASSERT_EQ(shown.pixel(x, y), menu.pixel(x, y)) << x << "," << y;
    }

    // The game's files are as built: the player writes neither the game nor a recovery copy.
    EXPECT_EQ(readAll(QString::fromStdString(game.recordFile())), record);
    EXPECT_EQ(readAll(QString::fromStdString(game.savePointFile())), savePoint);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(game.recoveryFile())));
}

} // namespace
} // namespace tw::test
