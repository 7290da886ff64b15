#include "web/webplayer.h"

#include "platform/messages.h"
#include "project/gamepack.h"
#include "runtime/actionzones.h"

namespace tw {
namespace {

constexpr const char* kSavedGamePath = "mzh/data/baztyp.dll";

} // namespace

WebPlayer::WebPlayer(Messages& messages, Audio& audio, CursorDisplay& cursors, std::uint32_t seed)
    : messages_(messages), audio_(audio), cursors_(cursors), random_(seed) {}

WebPlayer::~WebPlayer() {
    // The session lets go of the engine before it goes.
    session_.reset();
    engine_.reset();
}

bool WebPlayer::start(const Bytes& pack, const Bytes& savedGame) {
    GamePackRead read = readGamePack(pack);
    if (!read.ok) {
        messages_.showError("Игра не загружена: " + read.reason + ".");
        return false;
    }
    // A save of an earlier visit replaces one shipped with the game (the author's save point).
    if (!savedGame.empty()) read.files[kSavedGamePath] = savedGame;
    files_ = std::make_unique<MemoryFileSystem>(std::move(read.files));
    files_->written = [this](const std::string& path, const Bytes& bytes) {
        if (path == kSavedGamePath && gameSaved) gameSaved(bytes);
    };
    engine_ = std::make_unique<Engine>(AssetPaths(""), Services{*files_, messages_, audio_, cursors_, random_, dialogs_});
    session_ = std::make_unique<GameSession>(*engine_);
    started_ = session_->startUp();
    if (started_) engine_->activate();
    return started_;
}

int WebPlayer::frameInterval() const { return started_ ? engine_->frameTimerInterval() : 50; }

bool WebPlayer::frameTick() {
    if (!started_) return false;
    engine_->frameTick();
    // A tick that names nothing may still follow drawing made elsewhere: the page shows the whole frame.
    return true;
}

bool WebPlayer::overlayTick() { return started_ && !engine_->overlayTick().isEmpty(); }

void WebPlayer::mouseMove(int x, int y) {
    if (started_) engine_->mouseMove(x, y, kPlayHeight);
}

void WebPlayer::mouseDown(bool right, int x, int y) {
    if (started_) session_->mouseDown(right ? MouseButton::Right : MouseButton::Left, x, y);
}

void WebPlayer::mouseUp() {
    if (started_) engine_->mouseUp();
}

void WebPlayer::escape() {
    if (started_) session_->keyDown(kEscapeKey);
}

bool WebPlayer::closing() { return !started_ || session_->closeRequested(); }

std::string WebPlayer::caption() const { return started_ ? session_->caption() : std::string(); }

const std::vector<std::uint8_t>& WebPlayer::frameRgba() {
    if (!engine_) return rgba_;
    const Picture& canvas = engine_->canvas();
    rgba_.resize(std::size_t(canvas.width()) * std::size_t(canvas.height()) * 4);
    std::uint8_t* out = rgba_.data();
    const Rgb* in = canvas.constBits();
    for (std::size_t k = 0, n = std::size_t(canvas.width()) * std::size_t(canvas.height()); k < n; ++k) {
        const Rgb pixel = in[k];
        *out++ = std::uint8_t(pixel >> 16);
        *out++ = std::uint8_t(pixel >> 8);
        *out++ = std::uint8_t(pixel);
        *out++ = 0xFF;
    }
    return rgba_;
}

int WebPlayer::frameWidth() const { return engine_ ? engine_->canvas().width() : 0; }
int WebPlayer::frameHeight() const { return engine_ ? engine_->canvas().height() : 0; }

std::vector<int> WebPlayer::actionZoneRects() const {
    std::vector<int> rects;
    if (!started_) return rects;
    for (const ActionZone& zone : actionZones(*engine_)) {
        rects.insert(rects.end(), {zone.rect.x, zone.rect.y, zone.rect.width, zone.rect.height});
    }
    return rects;
}

} // namespace tw
