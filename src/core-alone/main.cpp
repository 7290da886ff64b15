// The game core on its own: built with the C++ standard library and nothing else, it starts the game in
// the folder given, begins a new game from the menu, sends the hero across the scene and lets play run,
// then checks that the frame holds a picture and that texts are drawn. It prints the state play left and
// a checksum of the frame, and exits 0 when all went as it should.
//
//   tw_core_alone GAME_FOLDER
#include "canvas/picture.h"
#include "platform/audio.h"
#include "platform/cursors.h"
#include "platform/filedialogs.h"
#include "platform/filesystem.h"
#include "platform/memorypolicy.h"
#include "platform/messages.h"
#include "platform/random.h"
#include "project/assetpaths.h"
#include "runtime/engine.h"
#include "runtime/gamefiles.h"
#include "runtime/gamesession.h"
#include "runtime/replay.h"

#include <cstdint>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

namespace {

using namespace tw;

// Messages go to standard error; a question takes its default answer.
class StandardErrorMessages final : public Messages {
public:
    void showError(const std::string& text) override { std::fprintf(stderr, "сообщение: %s\n", text.c_str()); }
    void showInfo(const std::string& text) override { std::fprintf(stderr, "сообщение: %s\n", text.c_str()); }
    void beep() override {}

protected:
    bool ask(const std::string& text, Answer defaultAnswer) override {
        std::fprintf(stderr, "вопрос: %s\n", text.c_str());
        return defaultAnswer == Answer::Yes;
    }
};

std::uint64_t checksum(const Picture& picture) {
    std::uint64_t hash = 14695981039346656037ull; // FNV-1a over the pixels
    for (int y = 0; y < picture.height(); ++y) {
        const Rgb* row = picture.row(y);
        for (int x = 0; x < picture.width(); ++x) {
            hash ^= row[x];
            hash *= 1099511628211ull;
        }
    }
    return hash;
}

int fail(const char* why) {
    std::fprintf(stderr, "tw_core_alone: %s\n", why);
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s GAME_FOLDER\n", argv[0]);
        return 2;
    }
    keepFreedMemoryForReuse();
    const AssetPaths paths(argv[1]);
    DiskFileSystem disk;
    GameFiles files(disk, paths); // the game is read, never written
    StandardErrorMessages messages;
    SilentAudio audio;
    NoCursors cursors;
    SeededRandom random(1);
    NoFileDialogs dialogs;
    Engine engine(paths, Services{files, messages, audio, cursors, random, dialogs});
    GameSession session(engine);
    if (!session.startUp()) return fail("the game did not start");

    // "New game" from the menu, a walk to the middle of the scene, and play left to run.
    const ProjectRecord& record = engine.record();
    const int menuX = (record.menuTopLeft(1).x + record.menuBottomRight(1).x) / 2;
    const int menuY = (record.menuTopLeft(1).y + record.menuBottomRight(1).y) / 2;
    session.mouseDown(MouseButton::Left, menuX, menuY);
    engine.mouseUp();
    if (!session.gameStarted()) return fail("the menu did not start a game");
    for (int tick = 0; tick < 50; ++tick) engine.frameTick();
    engine.mouseMove(kPlayWidth / 2, kPlayHeight / 2, kPlayHeight);
    session.mouseDown(MouseButton::Left, kPlayWidth / 2, kPlayHeight / 2);
    engine.mouseUp();
    for (int tick = 0; tick < 400; ++tick) engine.frameTick();

    // The frame is a picture, not one colour.
    const Picture& frame = engine.canvas();
    std::set<Rgb> colours;
    for (int y = 0; y < frame.height() && colours.size() < 64; y += 7) {
        for (int x = 0; x < frame.width(); x += 7) colours.insert(frame.pixel(x, y));
    }
    if (colours.size() < 64) return fail("the frame has next to no picture");
    // Texts are drawn from the compiled glyphs.
    Picture written = frame;
    engine.text().drawGameText(written, 100, 100, "Ключ от двери — «Ёж»");
    if (checksum(written) == checksum(frame)) return fail("no text was drawn");

    std::printf("%s\nframe %dx%d %016llx\n", playStateJson(engine).c_str(), frame.width(), frame.height(),
                static_cast<unsigned long long>(checksum(frame)));
    return 0;
}
