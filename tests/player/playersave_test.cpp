// The player's save in a built game on a real disk, where the save file is a link to the game's own
// record or another name of it: the save is refused and says why, the game as built stays as it is, and
// the close after a save that failed offers to quit without saving.
#include "player/playerwindow.h"
#include "platform/filesystem.h"
#include "runtime/gamefiles.h"
#include "support/fakes.h"
#include "support/faketree.h"
#include "support/playergame.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <unistd.h>

namespace tw::test {
namespace {

class PlayerSaveOnDisk : public ::testing::Test {
protected:
    QTemporaryDir folder;
    DiskFileSystem disk;
    FakeWorld world; // messages, sound, cursors and choosers; the files are the disk's
    std::unique_ptr<AssetPaths> paths;
    std::unique_ptr<GameFiles> files;
    std::unique_ptr<PlayerWindow> window;
    QByteArray built;

    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        // The small test game, written out as a built game's folder.
        FakeFileSystem tree;
        putMinimalTree(tree, *playerGame(), true);
        for (auto it = tree.files.cbegin(); it != tree.files.cend(); ++it) {
            const QString path = folder.filePath(it.key().mid(kFakeRoot.root().size()));
            ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(it.value());
        }
        paths = std::make_unique<AssetPaths>(folder.path().toStdString() + '/');
        files = std::make_unique<GameFiles>(disk, *paths);
        built = contents(QString::fromStdString(paths->recordFile()));
        ASSERT_EQ(std::size_t(built.size()), kProjectRecordSize);
    }
    void start() {
        window = std::make_unique<PlayerWindow>(*paths, Services{*files, world.messages, world.audio,
                                                                 world.cursors, world.random, world.dialogs});
        ASSERT_TRUE(window->startUp());
        window->show();
    }
    static QByteArray contents(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    Engine& engine() { return window->engine(); }
    void press(int x, int y) {
        engine().mouseMove(x, y, kPlayHeight);
        window->session().mouseDown(MouseButton::Left, x, y);
        window->frameTick();
        engine().mouseUp();
    }
    void chooseMenu(int zone) { press(200, 100 * zone + 30); }
    // New game, the item in cell (9, 10) taken, back to the menu.
    void playSome() {
        chooseMenu(1);
        press(20 * 8 + 10, 20 * 9 + 10);
        for (int i = 0; i < 40; ++i) window->frameTick();
        ASSERT_EQ(engine().record().item(5).state, 2);
        window->session().keyDown(kEscapeKey);
        ASSERT_EQ(engine().screen().screenMode, ScreenMode::Menu);
    }
};

TEST_F(PlayerSaveOnDisk, TheSaveNeverReachesTheGameAsBuilt) {
    const QString save = QString::fromStdString(paths->savePointFile());
    const QString game = QString::fromStdString(paths->recordFile());
    QFile::remove(save);
    ASSERT_TRUE(QFile::link(game, save));
    start();
    playSome();

    // "Сохранить": refused, saying why; the game as built and the link are as they were.
    chooseMenu(3);
    ASSERT_EQ(world.messages.errors.size(), 1);
    EXPECT_TRUE(world.messages.errors[0].contains(save)) << world.messages.errors[0].toStdString();
    EXPECT_TRUE(world.messages.errors[0].contains(QString::fromUtf8(kLinkReason)));
    EXPECT_FALSE(world.messages.infos.contains(QString::fromUtf8(kGameSaved)));
    EXPECT_EQ(contents(game), built);
    EXPECT_TRUE(QFileInfo(save).isSymLink());

    // The close: the save fails again, and the player is offered to quit without it. No keeps the game
    // open; Yes closes it, still without writing.
    world.messages.questions.clear();
    world.messages.answersInTurn = {true, false};
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(world.messages.questions,
              QStringList({QString::fromUtf8(kSaveBeforeExitQuestion), QString::fromUtf8(kCloseQuestion)}));
    world.messages.answersInTurn = {true, true};
    EXPECT_TRUE(window->close());
    EXPECT_EQ(contents(game), built);

    // Another name of the same file (a hard link) is the game as built too.
    window.reset();
    ASSERT_TRUE(QFile::remove(save));
    ASSERT_EQ(::link(QFile::encodeName(game).constData(), QFile::encodeName(save).constData()), 0);
    world.messages.errors.clear();
    world.messages.infos.clear();
    start();
    playSome();
    chooseMenu(3);
    ASSERT_EQ(world.messages.errors.size(), 1);
    EXPECT_FALSE(world.messages.infos.contains(QString::fromUtf8(kGameSaved)));
    EXPECT_EQ(contents(game), built);

    // A save file of its own is written as ever.
    ASSERT_TRUE(QFile::remove(save));
    world.messages.errors.clear();
    chooseMenu(3);
    EXPECT_TRUE(world.messages.errors.isEmpty()) << world.messages.errors.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(world.messages.infos.contains(QString::fromUtf8(kGameSaved)));
    EXPECT_EQ(contents(game), built);
    EXPECT_EQ(contents(save).size(), built.size());
    EXPECT_NE(contents(save), built);
}

} // namespace
} // namespace tw::test
