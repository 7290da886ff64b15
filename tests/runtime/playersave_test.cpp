// The player's "Открыть" when its save file is no file: a named pipe nobody writes into, or /dev/zero.
// The game says the save was not opened and goes on; no read waits on the pipe.
#include "runtime/gamefiles.h"
#include "runtime/gamesession.h"
#include "support/fakes.h"
#include "support/faketree.h"
#include "support/pipewatch.h"
#include "support/playergame.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <sys/stat.h>

namespace tw::test {
namespace {

TEST(PlayerSave, ASaveThatIsAPipeOrADeviceIsRefusedWithoutWaiting) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString pipe = dir.filePath(QStringLiteral("baztyp.dll"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);

    FakeWorld world;
    putMinimalTree(world.files, *playerGame());
    GameFiles files{world.files, kFakeRoot};
    Engine engine(kFakeRoot, Services{files, world.messages, world.audio, world.cursors, world.random, world.dialogs});
    GameSession session(engine);
    ASSERT_TRUE(session.startUp());
    const QByteArray built(reinterpret_cast<const char*>(engine.record().bytes()), qsizetype(kProjectRecordSize));

    bool readerWaited = false;
    {
        PipeWatch watch(pipe);
        for (const QString& save : {pipe, QStringLiteral("/dev/zero")}) {
            world.files.onDisk[QString::fromStdString(kFakeRoot.savePointFile())] = save;
            world.messages.errors.clear();
            // "Открыть" on the menu.
            engine.mouseMove(200, 230, kPlayHeight);
            session.mouseDown(MouseButton::Left, 200, 230);
            engine.mouseUp();
            ASSERT_EQ(world.messages.errors.size(), 1) << save.toStdString();
            EXPECT_TRUE(world.messages.errors[0].contains(QStringLiteral("не обычный файл"))) << world.messages.errors[0].toStdString();
            EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(engine.record().bytes()), qsizetype(kProjectRecordSize)), built);
            EXPECT_EQ(engine.screen().screenMode, ScreenMode::Menu);
        }
        readerWaited = watch.readerWaited();
    }
    EXPECT_FALSE(readerWaited) << "the player's read waited on the pipe";
}

} // namespace
} // namespace tw::test
