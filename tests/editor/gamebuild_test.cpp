// Building the game into a folder: exactly the game's files are copied, the record as built is the
// project and the save point (and no undo step), the program comes last under the game's name and may be
// run; names that cannot be file names or read other than they are, targets inside the editor's own tree,
// links in the folder, a missing program and a missing file the game uses are refused before anything is
// written; a folder that is not empty is asked about; a failed build says why and leaves the folder as it
// was.
#include "editor/editor.h"
#include "editor/gamebuild.h"
#include "platform/filesystem.h"
#include "runtime/playfixture.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <map>

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
            files[kFakeRoot.sound(sound)] = QByteArray("sound ") + sound;
        for (int slot = 1; slot <= 8; ++slot) files[kFakeRoot.cursor(slot)] = "cursor " + QByteArray::number(slot);
        files[kFakeRoot.savePointFile()] = "old save point";
        files[kFakeRoot.stamp(1)] = "stamp";
        files[kFakeRoot.data("Comp")] = "the player";
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
    world.messages.answersInTurn = {false};
    // The folder is not empty: the author is asked, naming what is there, and No builds nothing.
    EXPECT_FALSE(buildGame(*editor, QStringLiteral("Quest")));
    ASSERT_EQ(world.messages.questions.size(), 1);
    EXPECT_TRUE(world.messages.questions[0].contains(QStringLiteral("mzh, notes.txt")));
    EXPECT_EQ(world.messages.defaults, QList<Messages::Answer>{Messages::Answer::No});
    EXPECT_TRUE(world.files.written.isEmpty());
    world.dialogs.answers = {QStringLiteral("/target")};
    ASSERT_TRUE(buildGame(*editor, QStringLiteral("Quest")));

    // The record as built: started at the scene shown, under the name typed.
    EXPECT_EQ(engine->record().startScene, 2);
    EXPECT_EQ(engine->record().gameName.text(), "Quest");
    EXPECT_EQ(files[kFakeRoot.recordFile()], recordBytes());
    EXPECT_EQ(files[kFakeRoot.savePointFile()], recordBytes());

    // Exactly the game's files, each a copy of the editor's; scenes 1..3 and comics 1..5 only; the other
    // files of the folder untouched; the program last, under the game's name, executable.
    QStringList expected = gameFiles(engine->record());
    ASSERT_EQ(expected.size(), 3 + 18 + 4 + 5);
    for (const QString& file : expected) EXPECT_EQ(files.value(QStringLiteral("/target/") + file), files.value(kFakeRoot.file(file.toStdString()))) << file.toStdString();
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

    // The build is no edit: undo has nothing to take back, and the record files stay as built.
    EXPECT_EQ(editor->undo(), Editor::Outcome::Nothing);
    EXPECT_EQ(files[kFakeRoot.savePointFile()], recordBytes());
    EXPECT_EQ(engine->record().gameName.text(), "Quest");

    // Built again into the same folder: the question now names the game's files it would replace.
    world.messages.questions.clear();
    world.dialogs.answers = {QStringLiteral("/target")};
    ASSERT_TRUE(buildGame(*editor, QStringLiteral("Quest")));
    ASSERT_EQ(world.messages.questions.size(), 1);
    EXPECT_TRUE(world.messages.questions[0].contains(QStringLiteral("mzh/scena/1, mzh/scena/2")));
    EXPECT_TRUE(world.messages.questions[0].contains(QStringLiteral("и ещё")));
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
                                QStringLiteral("a\tb"), QStringLiteral("a\nb"), QStringLiteral("Quest\u200B"),
                                QStringLiteral("Quest\u202Eexe.txt"), QStringLiteral("\u2066Quest"),
                                QStringLiteral("\uFEFFQuest"), QStringLiteral("Qu\u00ADest"), QStringLiteral("Qu\u2028est"),
                                QStringLiteral("\u3164"), QString(QChar(0xD800)) + QStringLiteral("x")}) {
        world.dialogs.answers = {QStringLiteral("/target")};
        EXPECT_FALSE(buildGame(*editor, name));
        EXPECT_TRUE(world.dialogs.asked.isEmpty()) << name.toStdString();
        nothingWritten("name");
    }
    for (const QString& name : {QStringLiteral("Quest-2"), QStringLiteral("Клад короля"), QStringLiteral("Клад 😀"),
                                QStringLiteral("حكاية")})
        EXPECT_TRUE(gameNameProblem(name).isEmpty()) << name.toStdString();
    EXPECT_TRUE(gameNameProblem(QStringLiteral("Quest\u202E")).contains(QStringLiteral("U+202E")));
    // Targets that are the editor's folder or lie in its mzh or graf tree.
    for (const char* target : {"/game", "/game/", "/game/mzh", "/game/mzh/data", "/game/graf/old"}) {
        world.dialogs.answers = {QLatin1String(target)};
        EXPECT_FALSE(buildGame(*editor, QStringLiteral("Quest")));
        nothingWritten(target);
    }
    // A folder beside them whose name only starts the same is fine; a missing program is refused first.
    world.files.files.remove(kFakeRoot.data("Comp"));
    world.dialogs.answers = {QStringLiteral("/game/mzh2")};
    EXPECT_FALSE(buildGame(*editor, QStringLiteral("Quest")));
    EXPECT_TRUE(world.messages.errors.value(0).contains(QString::fromStdString(kFakeRoot.data("Comp"))));
    nothingWritten("no program");
    world.files.files[kFakeRoot.data("Comp")] = "the player";

    // Links where the build would write, in the fake tree: refused, naming them, nothing written.
    for (const char* link : {"/t3/Quest", "/t3/mzh", "/t3/mzh/data/typ.dll"}) {
        world.files.links = {QLatin1String(link)};
        world.dialogs.answers = {QStringLiteral("/t3")};
        EXPECT_FALSE(buildGame(*editor, QStringLiteral("Quest")));
        EXPECT_TRUE(world.messages.errors.value(0).contains(QString::fromUtf8(link).mid(4))) << link;
        nothingWritten(link);
    }
    world.files.links.clear();
}

// Whatever write fails, the build stops there, says which file and why, and the folder is left exactly as
// it was: what the build made is gone, what it replaced has its old bytes back.
TEST_F(GameBuild, AFailedBuildLeavesTheFolderAsItWas) {
    auto& fs = world.files;
    fs.files[QStringLiteral("/t/notes.txt")] = "mine";
    fs.files[QStringLiteral("/t/mzh/scena/2")] = "an old build's scene";
    fs.files[QStringLiteral("/t/Quest")] = "an old build's program";
    fs.directories << QStringLiteral("/t") << QStringLiteral("/t/mzh") << QStringLiteral("/t/mzh/scena");
    const auto snapshot = [&] {
        std::map<QString, QByteArray> tree;
        for (auto it = fs.files.cbegin(); it != fs.files.cend(); ++it)
            if (it.key().startsWith(QStringLiteral("/t/"))) tree[it.key()] = it.value();
        QStringList folders = fs.directories;
        folders.sort();
        for (const QString& folder : folders) tree[folder] = "<folder>";
        return tree;
    };
    const auto before = snapshot();
    QStringList targets;
    for (const QString& file : gameFiles(engine->record())) targets << QStringLiteral("/t/") + file;
    targets << QStringLiteral("/t/Quest");
    for (const QString& failing : targets) {
        fs.failWritesTo = {failing};
        world.messages.errors.clear();
        world.dialogs.answers = {QStringLiteral("/t")};
        EXPECT_FALSE(buildGame(*editor, QStringLiteral("Quest"))) << failing.toStdString();
        ASSERT_EQ(world.messages.errors.size(), 1) << failing.toStdString();
        EXPECT_TRUE(world.messages.errors[0].contains(failing + QStringLiteral(": Permission denied")))
            << world.messages.errors[0].toStdString();
        EXPECT_EQ(snapshot(), before) << failing.toStdString();
    }
    fs.failWritesTo.clear();

    // A full disk: the space runs out in the middle of the scenes; the message gives the reason.
    fs.spaceLeft = 2 * qint64(kProjectRecordSize) + fs.files.value(kFakeRoot.file("mzh/scena/1")).size();
    world.messages.errors.clear();
    world.dialogs.answers = {QStringLiteral("/t")};
    EXPECT_FALSE(buildGame(*editor, QStringLiteral("Quest")));
    ASSERT_EQ(world.messages.errors.size(), 1);
    EXPECT_TRUE(world.messages.errors[0].contains(QStringLiteral("/t/mzh/scena/2: Нет места на диске")))
        << world.messages.errors[0].toStdString();
    EXPECT_EQ(snapshot(), before);
}

// A comic that no closed door shows is not needed: the game is built without it and the message names
// it. A missing file the game uses stops the build before anything is written, naming each.
TEST_F(GameBuild, MissingFilesStopTheBuildOnlyWhenTheGameUsesThem) {
    auto& fs = world.files.files;
    fs.remove(kFakeRoot.comic(2));
    fs.remove(kFakeRoot.comic(4));
    engine->record().scene(3).door(2).state = 2; // opened already: its comic was shown
    engine->record().scene(3).door(2).comic = 4;
    world.dialogs.answers = {QStringLiteral("/target")};
    ASSERT_TRUE(buildGame(*editor, QStringLiteral("Quest"))) << world.messages.errors.join(QLatin1Char('\n')).toStdString();
    EXPECT_FALSE(fs.contains(QStringLiteral("/target/mzh/Kom/2")));
    EXPECT_TRUE(fs.contains(QStringLiteral("/target/mzh/Kom/3")));
    EXPECT_TRUE(fs.contains(QStringLiteral("/target/Quest")));
    ASSERT_EQ(world.messages.infos.size(), 1);
    EXPECT_TRUE(world.messages.infos[0].contains(QStringLiteral("mzh/Kom/2, mzh/Kom/4")));

    // A closed door shows comic 4; scene 2 and the panel are gone too.
    engine->record().scene(3).door(1).state = 1;
    engine->record().scene(3).door(1).comic = 4;
    fs.remove(kFakeRoot.file("mzh/scena/2"));
    fs.remove(kFakeRoot.data("pon"));
    world.files.written.clear();
    world.dialogs.answers = {QStringLiteral("/t2")};
    EXPECT_FALSE(buildGame(*editor, QStringLiteral("Quest")));
    EXPECT_TRUE(world.files.written.isEmpty());
    ASSERT_EQ(world.messages.errors.size(), 1);
    EXPECT_TRUE(world.messages.errors[0].contains(QStringLiteral("mzh/scena/2, mzh/data/pon, mzh/Kom/4")))
        << world.messages.errors[0].toStdString();
    EXPECT_FALSE(world.messages.errors[0].contains(QStringLiteral("Kom/2")));
}

// The build on a real disk, with an editor tree of small files in one temporary folder and the build's
// folder in another.
class DiskBuild : public ::testing::Test {
protected:
    QTemporaryDir editorRoot, elsewhere;
    DiskFileSystem disk;
    FakeMessages messages;
    FakeAudio audio;
    FakeCursors cursors;
    ScriptedRandom random;
    FakeFileDialogs dialogs;
    std::unique_ptr<Engine> engine;
    std::unique_ptr<Editor> editor;
    QString target; // an empty folder to build into

    void SetUp() override {
        ASSERT_TRUE(editorRoot.isValid() && elsewhere.isValid());
        engine = std::make_unique<Engine>(AssetPaths(editorRoot.path().toStdString() + '/'),
                                          Services{disk, messages, audio, cursors, random, dialogs});
        engine->record().sceneCount = 2;
        engine->record().comicCount = 1;
        for (const char* folder : {"mzh", "mzh/data", "mzh/Kom", "mzh/scena", "mzh/sound", "graf"})
            ASSERT_TRUE(QDir(editorRoot.path()).mkpath(QLatin1String(folder)));
        for (const QString& file : gameFiles(engine->record())) put(editorRoot.filePath(file), file.toUtf8());
        put(editorRoot.filePath(QStringLiteral("mzh/data/Comp")), "#!/bin/sh\n");
        editor = std::make_unique<Editor>(*engine);
        target = elsewhere.filePath(QStringLiteral("game"));
        ASSERT_TRUE(QDir().mkpath(target));
    }
    static void put(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
        file.write(bytes);
    }
    static QByteArray contents(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
    }
    // Every path under a folder (links not followed), with each file's bytes.
    static std::map<QString, QByteArray> tree(const QString& folder) {
        std::map<QString, QByteArray> found;
        QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo info = it.nextFileInfo();
            found[info.filePath()] = info.isSymLink() ? "<link to " + info.symLinkTarget().toUtf8() + ">"
                                     : info.isDir()   ? QByteArray("<folder>")
                                                      : contents(info.filePath());
        }
        return found;
    }
    bool build(const QString& folder, const QString& name = QStringLiteral("Quest")) {
        messages.errors.clear();
        messages.infos.clear();
        dialogs.answers = {folder};
        return buildGame(*editor, name);
    }
};

// A link where the build would write leads outside the folder: to a file of the author's, or to the
// editor's own tree. The build refuses it, naming the link, and writes nothing anywhere.
TEST_F(DiskBuild, NeverWritesThroughALinkInTheFolder) {
    const QString outside = elsewhere.filePath(QStringLiteral("letter.txt"));
    put(outside, "the author's letter");
    const auto editorTree = tree(editorRoot.path());
    struct Case {
        const char* link;
        QString to;
    };
    for (const Case& c : {Case{"Quest", outside}, Case{"mzh/data/typ.dll", outside}, Case{"mzh/scena/1", outside},
                          Case{"mzh", editorRoot.filePath(QStringLiteral("mzh"))},
                          Case{"mzh/data", editorRoot.filePath(QStringLiteral("mzh/data"))}}) {
        SCOPED_TRACE(c.link);
        QDir(target).removeRecursively();
        const QString link = target + QLatin1Char('/') + QLatin1String(c.link);
        ASSERT_TRUE(QDir().mkpath(QFileInfo(link).path()));
        ASSERT_TRUE(QFile::link(c.to, link));
        const auto folderBefore = tree(target);
        EXPECT_FALSE(build(target));
        ASSERT_EQ(messages.errors.size(), 1);
        EXPECT_TRUE(messages.errors[0].contains(QLatin1String(c.link))) << messages.errors[0].toStdString();
        EXPECT_EQ(contents(outside), "the author's letter");
        EXPECT_EQ(tree(editorRoot.path()), editorTree);
        EXPECT_EQ(tree(target), folderBefore);
    }

    // The folder chosen may itself be a link: the game goes where it leads, and the editor's folder
    // reached through a link is still the editor's.
    QDir(target).removeRecursively();
    ASSERT_TRUE(QDir().mkpath(target));
    const QString toEditor = elsewhere.filePath(QStringLiteral("editor-link"));
    ASSERT_TRUE(QFile::link(editorRoot.path(), toEditor));
    EXPECT_FALSE(build(toEditor));
    EXPECT_FALSE(build(toEditor + QStringLiteral("/mzh/Kom")));
    EXPECT_EQ(tree(editorRoot.path()), editorTree);
    const QString toTarget = elsewhere.filePath(QStringLiteral("target-link"));
    ASSERT_TRUE(QFile::link(target, toTarget));
    ASSERT_TRUE(build(toTarget)) << messages.errors.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(contents(target + QStringLiteral("/mzh/scena/2")), "mzh/scena/2");
    EXPECT_EQ(contents(target + QStringLiteral("/Quest")), "#!/bin/sh\n");
    EXPECT_TRUE(QFileInfo(target + QStringLiteral("/Quest")).isExecutable());
}

// A name the file system cannot hold fails at the program, the last write: the message says why and
// the folder is empty again, as it was.
TEST_F(DiskBuild, AFailedBuildSaysWhyAndTakesBackWhatItWrote) {
    const QString tooLong = QString(100, QChar(0x8A9E)); // 300 bytes in UTF-8; names hold 255
    put(target + QStringLiteral("/notes.txt"), "mine");
    EXPECT_FALSE(build(target, tooLong));
    ASSERT_EQ(messages.errors.size(), 1);
    EXPECT_TRUE(messages.errors[0].contains(QStringLiteral("Слишком длинное имя файла"))) << messages.errors[0].toStdString();
    EXPECT_EQ(QDir(target).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("notes.txt")});
    EXPECT_EQ(contents(target + QStringLiteral("/notes.txt")), "mine");
}

// On disk the program is made executable by everyone, whatever mode the copy had.
TEST(DiskFiles, MakeExecutableSetsMode0755) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    DiskFileSystem disk;
    const std::string path = folder.filePath(QStringLiteral("Quest")).toStdString();
    ASSERT_TRUE(disk.writeAtomically(path, "#!/bin/sh\n").empty());
    ASSERT_TRUE(disk.makeExecutable(path).empty());
    using P = QFileDevice::Permission;
    const QFileDevice::Permissions mode = QFile::permissions(QString::fromStdString(path));
    for (P bit : {P::ReadOwner, P::WriteOwner, P::ExeOwner, P::ReadGroup, P::ExeGroup, P::ReadOther, P::ExeOther})
        EXPECT_TRUE(mode.testFlag(bit)) << int(bit);
    EXPECT_FALSE(mode.testFlag(P::WriteOther));
    EXPECT_EQ(disk.makeExecutable(folder.filePath(QStringLiteral("missing")).toStdString()), "Нет такого файла или папки");
}

// The disk's writes never follow a link: the link is refused and what it points at stays as it was; a
// write keeps the mode of the file it replaces, and failures say why in the user's words.
TEST(DiskFiles, WritesRefuseLinksAndSayWhy) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    DiskFileSystem disk;
    const QString fileName = folder.filePath(QStringLiteral("typ.dll"));
    const std::string file = fileName.toStdString();
    const std::string link = folder.filePath(QStringLiteral("baztyp.dll")).toStdString();
    ASSERT_TRUE(disk.writeAtomically(file, "the game").empty());
    ASSERT_TRUE(QFile::link(fileName, QString::fromStdString(link)));
    EXPECT_TRUE(disk.isLink(link));
    EXPECT_FALSE(disk.isLink(file));
    EXPECT_TRUE(disk.sameFile(link, file));
    EXPECT_EQ(disk.writeAtomically(link, "a save"), kLinkReason);
    EXPECT_EQ(disk.copy(file, link), kLinkReason);
    EXPECT_EQ(disk.makeExecutable(link), kLinkReason);
    EXPECT_FALSE(disk.makeDirectory(link).empty());
    QFile check(fileName);
    ASSERT_TRUE(check.open(QIODevice::ReadOnly));
    EXPECT_EQ(check.readAll(), "the game");
    EXPECT_FALSE(QFile::permissions(fileName).testFlag(QFileDevice::ExeOwner));

    ASSERT_TRUE(QFile::setPermissions(fileName, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    ASSERT_TRUE(disk.writeAtomically(file, "the game, again").empty());
    EXPECT_EQ(QFile::permissions(fileName), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
                                            QFileDevice::WriteUser);
    EXPECT_EQ(disk.writeAtomically(folder.filePath(QString(300, QLatin1Char('n'))).toStdString(), "x"),
              "Слишком длинное имя файла");
    EXPECT_EQ(disk.writeAtomically(folder.filePath(QStringLiteral("none/x")).toStdString(), "x"), "Нет такого файла или папки");
    EXPECT_EQ(fileErrorReason(ENOSPC), "Нет места на диске");
    // No temporary file is left behind by the failures.
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({QStringLiteral("baztyp.dll"), QStringLiteral("typ.dll")}));
    // An empty folder and a link are removed as themselves.
    ASSERT_TRUE(disk.makeDirectory(folder.filePath(QStringLiteral("empty")).toStdString()).empty());
    EXPECT_TRUE(disk.remove(folder.filePath(QStringLiteral("empty")).toStdString()));
    EXPECT_TRUE(disk.remove(link));
    EXPECT_TRUE(QFile::exists(fileName));
}

} // namespace
} // namespace tw::test
