// Building the game into a folder: exactly the game's files are copied, the record as built is the
// project and the save point, the program comes last under the game's name and may be run; names that
// cannot be file names, targets inside the editor's own tree and a missing program are refused before
// anything is written, and the first failed copy stops the build and says which file.
#include "editor/editor.h"
#include "editor/gamebuild.h"
#include "platform/filesystem.h"
#include "runtime/playfixture.h"

#include <QFile>
#include <QTemporaryDir>

namespace tw::test {
namespace {

class GameBuild : public PlayFixture {
protected:
    std::unique_ptr<Editor> editor;

    void prepare(ProjectRecord& record) override {
        record.sceneCount = 3;
        record.comicCount = 5;
    }
    void SetUp() override {
        PlayFixture::SetUp();
        auto& files = world.files.files;
        for (int n = 1; n <= 6; ++n) files[kFakeRoot.comic(n)] = "comic " + QByteArray::number(n);
        for (const char* sound : {"clik.wav", "even.wav", "fon.mp3", "hod.wav"})
            files[kFakeRoot.sound(QLatin1String(sound))] = QByteArray("sound ") + sound;
        for (int slot = 1; slot <= 8; ++slot) files[kFakeRoot.cursor(slot)] = "cursor " + QByteArray::number(slot);
        files[kFakeRoot.savePointFile()] = "old save point";
        files[kFakeRoot.stamp(1)] = "stamp";
        files[kFakeRoot.data(QStringLiteral("Comp"))] = "the player";
        editing.reset(); // the editor brings its own
        editor = std::make_unique<Editor>(*engine);
    }
    QByteArray recordBytes() const {
        return QByteArray(reinterpret_cast<const char*>(engine->record().bytes()), qsizetype(kProjectRecordSize));
    }
    QStringList targetFiles(const QString& target) const {
        QStringList found;
        for (auto it = world.files.files.cbegin(); it != world.files.files.cend(); ++it)
            if (it.key().startsWith(target + QLatin1Char('/'))) found << it.key().mid(target.size() + 1);
        found.sort();
        return found;
    }
};

TEST_F(GameBuild, CopiesExactlyTheGameAndWritesTheRecordAsBuilt) {
    auto& files = world.files.files;
    files[QStringLiteral("/target/notes.txt")] = "mine";
    files[QStringLiteral("/target/mzh/scena/9")] = "an old scene";
    engine->screen().currentScene = 2;
    world.dialogs.answers = {QStringLiteral("/target")};
    ASSERT_TRUE(buildGame(*editor, QStringLiteral("Quest")));

    // The record as built: started at the scene shown, under the name typed.
    EXPECT_EQ(engine->record().startScene, 2);
    EXPECT_EQ(engine->record().gameName.text(), QStringLiteral("Quest"));
    EXPECT_EQ(files[kFakeRoot.recordFile()], recordBytes());
    EXPECT_EQ(files[kFakeRoot.savePointFile()], recordBytes());

    // Exactly the game's files, each a copy of the editor's; scenes 1..3 and comics 1..5 only; the other
    // files of the folder untouched; the program last, under the game's name, executable.
    QStringList expected = gameFiles(engine->record());
    ASSERT_EQ(expected.size(), 3 + 18 + 4 + 5);
    for (const QString& file : expected) EXPECT_EQ(files.value(QStringLiteral("/target/") + file), files.value(kFakeRoot.file(file))) << file.toStdString();
    expected << QStringLiteral("Quest") << QStringLiteral("notes.txt") << QStringLiteral("mzh/scena/9");
    expected.sort();
    EXPECT_EQ(targetFiles(QStringLiteral("/target")), expected);
    EXPECT_EQ(files[QStringLiteral("/target/notes.txt")], "mine");
    EXPECT_EQ(files[QStringLiteral("/target/mzh/scena/9")], "an old scene");
    EXPECT_EQ(files[QStringLiteral("/target/Quest")], "the player");
    EXPECT_EQ(world.files.written.last(), QStringLiteral("/target/Quest"));
    EXPECT_EQ(world.files.executables, QStringList({QStringLiteral("/target/Quest")}));
    ASSERT_EQ(world.messages.infos.size(), 1);
    EXPECT_TRUE(world.messages.infos[0].contains(QStringLiteral("/target")));

    // One undo takes the record and both record files back.
    ASSERT_EQ(editor->undo(), Editor::Outcome::Applied);
    EXPECT_EQ(files[kFakeRoot.savePointFile()], "old save point");
    EXPECT_EQ(engine->record().gameName.text(), QString());
}

TEST_F(GameBuild, RefusesBeforeWritingAndStopsAtTheFirstFailure) {
    const QByteArray before = recordBytes();
    const auto nothingWritten = [&](const char* what) {
        EXPECT_EQ(recordBytes(), before) << what;
        EXPECT_TRUE(world.files.written.isEmpty()) << what;
        EXPECT_EQ(world.messages.errors.size(), 1) << what;
        world.messages.errors.clear();
    };
    // Names that cannot name a file beside mzh: refused before the folder is asked.
    for (const QString& name : {QString(), QStringLiteral(" "), QStringLiteral("."), QStringLiteral(".."),
                                QStringLiteral("MZH"), QStringLiteral("a/b"), QStringLiteral("a\\b"),
                                QStringLiteral("a\tb"), QStringLiteral("a\nb")}) {
        world.dialogs.answers = {QStringLiteral("/target")};
        EXPECT_FALSE(buildGame(*editor, name));
        EXPECT_TRUE(world.dialogs.asked.isEmpty()) << name.toStdString();
        nothingWritten("name");
    }
    EXPECT_TRUE(gameNameProblem(QStringLiteral("Quest-2")).isEmpty());
    // Targets that are the editor's folder or lie in its mzh or graf tree.
    for (const char* target : {"/game", "/game/", "/game/mzh", "/game/mzh/data", "/game/graf/old"}) {
        world.dialogs.answers = {QLatin1String(target)};
        EXPECT_FALSE(buildGame(*editor, QStringLiteral("Quest")));
        nothingWritten(target);
    }
    // A folder beside them whose name only starts the same is fine; a missing program is refused first.
    world.files.files.remove(kFakeRoot.data(QStringLiteral("Comp")));
    world.dialogs.answers = {QStringLiteral("/game/mzh2")};
    EXPECT_FALSE(buildGame(*editor, QStringLiteral("Quest")));
    EXPECT_TRUE(world.messages.errors.value(0).contains(kFakeRoot.data(QStringLiteral("Comp"))));
    nothingWritten("no program");
    world.files.files[kFakeRoot.data(QStringLiteral("Comp"))] = "the player";

    // The panel cannot be copied: the build stops there, naming it; nothing after it is copied.
    world.files.failWritesTo << QStringLiteral("/t2/mzh/data/pon");
    world.dialogs.answers = {QStringLiteral("/t2")};
    EXPECT_FALSE(buildGame(*editor, QStringLiteral("Quest")));
    ASSERT_EQ(world.messages.errors.size(), 1);
    EXPECT_TRUE(world.messages.errors[0].contains(QStringLiteral("/t2/mzh/data/pon")));
    EXPECT_TRUE(world.files.files.contains(QStringLiteral("/t2/mzh/data/nabpredmin")));
    EXPECT_FALSE(world.files.files.contains(QStringLiteral("/t2/mzh/data/pred.ani")));
    EXPECT_FALSE(world.files.files.contains(QStringLiteral("/t2/Quest")));
}

// On disk the program is made executable by everyone, whatever mode the copy had.
TEST(DiskFiles, MakeExecutableSetsMode0755) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    DiskFileSystem disk;
    const QString path = folder.filePath(QStringLiteral("Quest"));
    ASSERT_TRUE(disk.writeAtomically(path, "#!/bin/sh\n").isEmpty());
    ASSERT_TRUE(disk.makeExecutable(path));
    using P = QFileDevice::Permission;
    const QFileDevice::Permissions mode = QFile::permissions(path);
    for (P bit : {P::ReadOwner, P::WriteOwner, P::ExeOwner, P::ReadGroup, P::ExeGroup, P::ReadOther, P::ExeOther})
        EXPECT_TRUE(mode.testFlag(bit)) << int(bit);
    EXPECT_FALSE(mode.testFlag(P::WriteOther));
    EXPECT_FALSE(disk.makeExecutable(folder.filePath(QStringLiteral("missing"))));
}

} // namespace
} // namespace tw::test
