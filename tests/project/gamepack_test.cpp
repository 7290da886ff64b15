// A game's files packed into one file for the web page: packs round-trip, a damaged pack is refused whole
// and never read past its end, and the demo played from its pack in memory draws what it draws from disk.
#include "platform/audio.h"
#include "platform/filedialogs.h"
#include "platform/filesystem.h"
#include "platform/memoryfiles.h"
#include "project/gamepack.h"
#include "runtime/engine.h"
#include "runtime/gamesession.h"
#include "support/demopack.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <random>

namespace tw::test {
namespace {

GameFilesByPath randomFiles(std::mt19937& random) {
    GameFilesByPath files;
    const char* const parts[] = {"mzh", "data", "scena", "Kom", "сцена", "typ.dll", "1", "a b"};
    const int count = int(random() % 6);
    for (int k = 0; k < count; ++k) {
        std::string path;
        for (int depth = 0, n = 1 + int(random() % 3); depth < n; ++depth)
            path += (depth ? "/" : "") + std::string(parts[random() % std::size(parts)]);
        Bytes bytes(random() % 300, '\0');
        for (char& c : bytes) c = char(random());
        files[path] = bytes;
    }
    return files;
}

TEST(GamePack, RoundTripsAndRefusesEveryCutAndBadPath) {
    std::mt19937 random(20261210);
    for (int round = 0; round < 200; ++round) {
        const GameFilesByPath files = randomFiles(random);
        const Bytes pack = packGameFiles(files);
        const GamePackRead read = readGamePack(pack);
        ASSERT_TRUE(read.ok) << read.reason;
        EXPECT_EQ(read.files, files);
        // Every cut and every extra byte is refused, never read past.
        for (std::size_t cut = 0; cut < pack.size(); cut += 1 + random() % 7)
            EXPECT_FALSE(readGamePack(pack.substr(0, cut)).ok) << cut;
        EXPECT_FALSE(readGamePack(pack + "x").ok);
        // A flipped byte is refused or read as some other set of files, never a crash.
        Bytes damaged = pack;
        damaged[random() % damaged.size()] ^= char(1 + random() % 255);
        const GamePackRead other = readGamePack(damaged);
        if (other.ok) {
            EXPECT_NE(other.files, files);
        }
    }
    for (const char* bad : {"", "/mzh", "mzh/", "mzh//data", "mzh/../typ.dll", "./mzh", "mzh\\data", "a\nb"})
        EXPECT_FALSE(isPackablePath(bad)) << bad;
    EXPECT_TRUE(isPackablePath("mzh/scena/12"));
    EXPECT_THROW(packGameFiles({{"../escape", "x"}}), std::invalid_argument);
    // The same path twice is refused.
    Bytes twice = packGameFiles({{"a", "1"}});
    twice[8] = 2;
    twice += twice.substr(12);
    EXPECT_FALSE(readGamePack(twice).ok);
}

// The demo started, a new game begun and played for a while, on the given files; returns the frame.
Picture playDemo(FileSystem& files, const std::string& root, bool save = false) {
    FakeMessages messages;
    SilentAudio audio;
    FakeCursors cursors;
    FakeFileDialogs dialogs;
    SeededRandom random{3};
    Engine engine(AssetPaths(root), Services{files, messages, audio, cursors, random, dialogs});
    GameSession session(engine);
    EXPECT_TRUE(session.startUp());
    const ProjectRecord& record = engine.record();
    session.mouseDown(MouseButton::Left, (record.menuTopLeft(1).x + record.menuBottomRight(1).x) / 2,
                      (record.menuTopLeft(1).y + record.menuBottomRight(1).y) / 2);
    engine.mouseUp();
    engine.mouseMove(600, 500, kPlayHeight);
    session.mouseDown(MouseButton::Left, 600, 500);
    engine.mouseUp();
    for (int tick = 0; tick < 300; ++tick) engine.frameTick();
    if (save) {
        EXPECT_TRUE(session.saveGame(false));
    }
    EXPECT_TRUE(messages.errors.isEmpty()) << messages.errors.join('\n').toStdString();
    return engine.canvas();
}

TEST(GamePack, TheDemoPlaysFromItsPackInMemoryAsFromDisk) {
    const GameFilesByPath& files = demoGameFiles();
    ASSERT_GT(files.size(), 25u);
    // The same files on disk.
    QTemporaryDir dir;
    const std::string root = dir.path().toStdString() + '/';
    DiskFileSystem disk;
    for (const auto& [path, bytes] : files) {
        for (std::size_t slash = path.find('/'); slash != std::string::npos; slash = path.find('/', slash + 1))
            disk.makeDirectory(root + path.substr(0, slash));
        ASSERT_EQ(disk.writeAtomically(root + path, bytes), "") << path;
    }

    const GamePackRead read = readGamePack(packGameFiles(files));
    ASSERT_TRUE(read.ok) << read.reason;
    MemoryFileSystem memory(read.files);
    std::vector<std::string> written;
    memory.written = [&](const std::string& path, const Bytes&) { written.push_back(path); };
    const Picture fromMemory = playDemo(memory, "", true);
    const Picture fromDisk = playDemo(disk, root);
    ASSERT_EQ(fromMemory.size(), fromDisk.size());
    EXPECT_TRUE(std::equal(fromMemory.constBits(), fromMemory.constBits() + fromMemory.width() * fromMemory.height(),
                           fromDisk.constBits()));
    // The save lands in memory and is told of, for the page to keep.
    EXPECT_EQ(written, std::vector<std::string>{"mzh/data/baztyp.dll"});
    EXPECT_TRUE(memory.exists("mzh/data/baztyp.dll"));
    EXPECT_TRUE(memory.isDirectory("mzh/scena"));
    EXPECT_FALSE(memory.isDirectory("mzh/scena/1"));
    EXPECT_EQ(memory.read("mzh/scena").status, FileSystem::ReadStatus::NotAFile);
    EXPECT_EQ(memory.entries("mzh"), (std::vector<std::string>{"Kom", "data", "scena", "sound"}));
}

} // namespace
} // namespace tw::test
