// The browser's side of the web player: the functions the page calls, and the seams (messages, sound,
// cursors) carried out by the page's script (web/player.js). Built with Emscripten only.
#include "platform/anicursor.h"
#include "platform/audio.h"
#include "platform/cursors.h"
#include "platform/messages.h"
#include "runtime/bag.h"
#include "web/webplayer.h"

#include <emscripten.h>

#include <cstdint>
#include <memory>

namespace {

using namespace tw;

// A message and a question wait for the player's answer in the page, as the desktop player's message
// boxes do: the game stands still meanwhile (its stack is put aside and taken up again).
// clang-format off
EM_ASYNC_JS(void, pageShowMessage, (const char* text, int isError), {
    await Module.twShowMessage(UTF8ToString(text), isError !== 0);
});
EM_ASYNC_JS(int, pageAsk, (const char* text, int yesByDefault), {
    return (await Module.twAsk(UTF8ToString(text), yesByDefault !== 0)) ? 1 : 0;
});
EM_JS(void, pageSound, (const char* what, const char* path), {
    Module.twSound(UTF8ToString(what), UTF8ToString(path));
});
EM_JS(double, pageMusicTime, (int length), {
    return Module.twMusicTime(length !== 0);
});
EM_JS(void, pageCursorFrame, (int slot, int frame, const std::uint8_t* rgba, int width, int height, int hotX, int hotY), {
    Module.twCursorFrame(slot, frame, HEAPU8.slice(rgba, rgba + width * height * 4), width, height, hotX, hotY);
});
EM_JS(void, pageCursorSteps, (int slot, const int* sequence, const int* jiffies, int steps), {
    Module.twCursorSteps(slot, Array.from(HEAP32.subarray(sequence >> 2, (sequence >> 2) + steps)),
                         Array.from(HEAP32.subarray(jiffies >> 2, (jiffies >> 2) + steps)));
});
EM_JS(void, pageShowCursor, (int shape), {
    Module.twShowCursor(shape);
});
EM_JS(void, pageGameSaved, (const std::uint8_t* bytes, int size), {
    Module.twGameSaved(HEAPU8.slice(bytes, bytes + size));
});
// clang-format on

class PageMessages final : public Messages {
public:
    void showError(const std::string& text) override { pageShowMessage(text.c_str(), 1); }
    void showInfo(const std::string& text) override { pageShowMessage(text.c_str(), 0); }
    void beep() override {}

protected:
    bool ask(const std::string& text, Answer defaultAnswer) override {
        return pageAsk(text.c_str(), defaultAnswer == Answer::Yes ? 1 : 0) != 0;
    }
};

class PageAudio final : public Audio {
public:
    void openMusic(const std::string& path) override { pageSound("open", path.c_str()); }
    void playMusic() override { pageSound("play", ""); }
    void closeMusic() override { pageSound("close", ""); }
    long long musicPosition() override { return static_cast<long long>(pageMusicTime(0)); }
    long long musicLength() override { return static_cast<long long>(pageMusicTime(1)); }
    void playEffect(const std::string& path) override { pageSound("effect", path.c_str()); }
    void playClick(const std::string& path) override { pageSound("click", path.c_str()); }
    void closeEffects() override { pageSound("closeEffects", ""); }
};

class PageCursors final : public CursorDisplay {
public:
    void install(int slot, std::optional<AniCursor> cursor) override {
        if (!cursor) {
            pageCursorSteps(slot, nullptr, nullptr, 0);
            return;
        }
        for (std::size_t k = 0; k < cursor->frames.size(); ++k) {
            const AniCursor::Frame& frame = cursor->frames[k];
            std::vector<std::uint8_t> rgba;
            rgba.reserve(std::size_t(frame.image.width()) * std::size_t(frame.image.height()) * 4);
            for (int y = 0; y < frame.image.height(); ++y) {
                for (int x = 0; x < frame.image.width(); ++x) {
                    const Rgb pixel = frame.image.pixel(x, y);
                    rgba.insert(rgba.end(), {std::uint8_t(pixel >> 16), std::uint8_t(pixel >> 8), std::uint8_t(pixel),
                                             std::uint8_t(pixel >> 24)});
                }
            }
            pageCursorFrame(slot, int(k), rgba.data(), frame.image.width(), frame.image.height(), frame.hotspot.x,
                            frame.hotspot.y);
        }
        pageCursorSteps(slot, cursor->sequence.data(), cursor->stepJiffies.data(), int(cursor->sequence.size()));
    }
    void show(int shape) override { pageShowCursor(shape); }
};

PageMessages messages;
PageAudio audio;
PageCursors cursors;
std::unique_ptr<WebPlayer> player;
std::vector<int> zones;
int changedRect[4] = {};
std::string caption;

} // namespace

extern "C" {

// Starts the game from its pack (and the game saved in an earlier visit, when size is not 0).
EMSCRIPTEN_KEEPALIVE int twStart(const char* pack, int packSize, const char* saved, int savedSize, unsigned seed) {
    player = std::make_unique<WebPlayer>(messages, audio, cursors, seed);
    player->gameSaved = [](const Bytes& bytes) {
        pageGameSaved(reinterpret_cast<const std::uint8_t*>(bytes.data()), int(bytes.size()));
    };
    return player->start(Bytes(pack, std::size_t(packSize)), Bytes(saved, std::size_t(savedSize))) ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE int twFrameInterval() { return player ? player->frameInterval() : 50; }
EMSCRIPTEN_KEEPALIVE int twFrameTick() { return player && player->frameTick() ? 1 : 0; }
EMSCRIPTEN_KEEPALIVE int twOverlayTick() { return player && player->overlayTick() ? 1 : 0; }
EMSCRIPTEN_KEEPALIVE void twMouseMove(int x, int y) { if (player) player->mouseMove(x, y); }
EMSCRIPTEN_KEEPALIVE void twMouseDown(int right, int x, int y) { if (player) player->mouseDown(right != 0, x, y); }
EMSCRIPTEN_KEEPALIVE void twMouseUp() { if (player) player->mouseUp(); }
EMSCRIPTEN_KEEPALIVE void twEscape() { if (player) player->escape(); }
EMSCRIPTEN_KEEPALIVE int twGameInProgress() { return player && player->gameInProgress() ? 1 : 0; }
EMSCRIPTEN_KEEPALIVE int twClosing() { return !player || player->closing() ? 1 : 0; }
// The part of the frame that changed (x, y, width, height; all 0 when nothing did), to be taken before
// twFrame(), which makes it again.
EMSCRIPTEN_KEEPALIVE const int* twChangedRect() {
    const Rect r = player ? player->changedRect() : Rect{};
    changedRect[0] = r.x;
    changedRect[1] = r.y;
    changedRect[2] = r.width;
    changedRect[3] = r.height;
    return changedRect;
}
// The frame as RGBA bytes; its size is twFrameWidth() x twFrameHeight().
EMSCRIPTEN_KEEPALIVE const std::uint8_t* twFrame() { return player ? player->frameRgba().data() : nullptr; }
EMSCRIPTEN_KEEPALIVE int twFrameWidth() { return player ? player->frameWidth() : 0; }
EMSCRIPTEN_KEEPALIVE int twFrameHeight() { return player ? player->frameHeight() : 0; }
// The action zones shown while Space is held: x, y, width, height of each; twZoneCount() of them.
EMSCRIPTEN_KEEPALIVE int twZoneCount() {
    zones = player ? player->actionZoneRects() : std::vector<int>();
    return int(zones.size() / 4);
}
EMSCRIPTEN_KEEPALIVE const int* twZones() { return zones.data(); }
// The game's name, for the page's title (UTF-8, valid until the next call).
EMSCRIPTEN_KEEPALIVE const char* twCaption() {
    caption = player ? player->caption() : std::string();
    return caption.c_str();
}
// For the page's tests: the middle of menu zone k, as x * 65536 + y, and the items in the bag.
EMSCRIPTEN_KEEPALIVE int twMenuZoneMiddle(int k) {
    if (!player || !player->engine() || k < 1 || k > 4) return 0;
    const ProjectRecord& record = player->engine()->record();
    return (record.menuTopLeft(k).x + record.menuBottomRight(k).x) / 2 * 65536 +
           (record.menuTopLeft(k).y + record.menuBottomRight(k).y) / 2;
}
EMSCRIPTEN_KEEPALIVE int twItemsInBag() {
    if (!player || !player->engine()) return 0;
    int items = 0;
    for (int k = 1; k <= kBagSlots; ++k) items += player->engine()->record().bagSlot(k) != 0;
    return items;
}

} // extern "C"
