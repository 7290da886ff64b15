#include "make-demo/demotree.h"
#include "platform/filesystem.h"
#include "project/recordfile.h"
#include "runtime/engine.h"
#include "support/fakes.h"

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

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// The real disk with fake messages, sound, cursors and randomness: start-up as the program does it.
struct DiskWorld {
    DiskFileSystem files;
    FakeMessages messages;
    FakeAudio audio;
    FakeCursors cursors;
    FakeFileDialogs dialogs;
    ScriptedRandom random;
    Services services() { return Services{files, messages, audio, cursors, random, dialogs}; }
};

// An editor is killed (SIGKILL) after a change; the next start offers the change back. The project file
// is never touched by the killed run, and the recovery file is dealt with at every later start.
TEST(CrashRecovery, AKilledEditorsChangeIsOfferedBackAtTheNextStart) {
    QTemporaryDir tree;
    ASSERT_TRUE(tree.isValid());
    QString why;
    ASSERT_EQ(demo::writeDemoTree({tree.path(), QStringLiteral(TW_CRASHCHILD)}, &why),
              demo::DemoResult::Written)
        << why.toStdString();
    const AssetPaths paths(tree.path().toStdString());
    const QByteArray original = readAll(QString::fromStdString(paths.recordFile()));
    ASSERT_EQ(std::size_t(original.size()), kProjectRecordSize);
    DiskFileSystem disk;
    const std::uint16_t originalX = loadRecordFile(disk, paths.recordFile()).record->heroX;
    const std::uint16_t changedX = originalX == 333 ? 444 : 333;
    const QString changedName = QStringLiteral("Спасённая игра");

    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
    child.setProcessEnvironment(environment);
    child.start(QStringLiteral(TW_CRASHCHILD), {tree.path(), QString::number(changedX), changedName});
    ASSERT_TRUE(child.waitForStarted(30000));
    QByteArray output;
    while (!output.contains("ready") && child.state() == QProcess::Running && child.waitForReadyRead(60000))
        output += child.readAllStandardOutput();
    ASSERT_TRUE(output.contains("ready")) << child.readAllStandardError().toStdString();
    child.kill();
    ASSERT_TRUE(child.waitForFinished(30000));
    EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);

    // The killed run never wrote the project file; its work is in the recovery file only.
    EXPECT_EQ(readAll(QString::fromStdString(paths.recordFile())), original);
    const QByteArray recovery = readAll(QString::fromStdString(paths.recoveryFile()));
    ASSERT_EQ(std::size_t(recovery.size()), kProjectRecordSize);

    {
        // No: the project file's record is used and the recovery file is deleted.
        DiskWorld world;
        world.messages.answerYes = false;
        Engine engine(paths, world.services());
        ASSERT_TRUE(engine.startUp());
        EXPECT_EQ(world.messages.questions, QStringList{QString::fromUtf8(kRecoveryQuestion)});
        EXPECT_EQ(engine.record().heroX, originalX);
        EXPECT_FALSE(QFile::exists(QString::fromStdString(paths.recoveryFile())));
    }
    for (const QByteArray& unusable : {recovery.left(1000), original}) {
        // A short file, or one equal to the project file, is deleted without a question.
        writeAll(QString::fromStdString(paths.recoveryFile()), unusable);
        DiskWorld world;
        Engine engine(paths, world.services());
        ASSERT_TRUE(engine.startUp());
        EXPECT_TRUE(world.messages.questions.isEmpty());
        EXPECT_FALSE(QFile::exists(QString::fromStdString(paths.recoveryFile())));
        EXPECT_EQ(engine.record().heroX, originalX);
    }
    {
        // Yes: the change is back; the project file is rewritten only at the close, which then deletes
        // the recovery file.
        writeAll(QString::fromStdString(paths.recoveryFile()), recovery);
        DiskWorld world;
        Engine engine(paths, world.services());
        ASSERT_TRUE(engine.startUp());
        EXPECT_EQ(world.messages.questions, QStringList{QString::fromUtf8(kRecoveryQuestion)});
        EXPECT_EQ(world.messages.defaults, QList<Messages::Answer>{Messages::Answer::Yes});
        EXPECT_TRUE(world.messages.errors.isEmpty());
        EXPECT_EQ(engine.record().heroX, changedX);
        EXPECT_EQ(QString::fromStdString(engine.gameName()), changedName);
        EXPECT_EQ(readAll(QString::fromStdString(paths.recordFile())), original);
        EXPECT_TRUE(QFile::exists(QString::fromStdString(paths.recoveryFile())));
        ASSERT_TRUE(engine.shutDown(engine.gameName()));
        EXPECT_FALSE(QFile::exists(QString::fromStdString(paths.recoveryFile())));
        const RecordLoad saved = loadRecordFile(disk, paths.recordFile());
        ASSERT_EQ(saved.status, RecordLoad::Status::Ok);
        EXPECT_EQ(saved.record->heroX, changedX);
        EXPECT_EQ(QString::fromStdString(saved.record->gameName.text()), changedName);
    }
}

} // namespace
} // namespace tw::test
