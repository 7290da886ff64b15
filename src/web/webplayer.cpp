#include "web/webplayer.h"

#include "platform/messages.h"
#include "project/gamepack.h"
#include "runtime/actionzones.h"

#include <utility>

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
    const bool before = frameChanged();
    const ChangedArea changed = engine_->frameTick();
    // A tick that names nothing may still follow drawing made elsewhere.
    if (changed.isEmpty() && frameChanged() && !before) whole_ = true;
    changed_ = changed_.united(changed.boundingRect());
    return frameChanged();
}

bool WebPlayer::overlayTick() {
    if (!started_) return false;
    const Rect changed = engine_->overlayTick();
    if (!changed.isEmpty()) changed_ = changed_.united(changed);
    return !changed.isEmpty();
}

// Input may draw anywhere (a new game, another scene, the panel): the whole frame is made again.
void WebPlayer::mouseMove(int x, int y) {
    if (!started_) return;
    engine_->mouseMove(x, y, kPlayHeight);
    whole_ = true;
}

void WebPlayer::mouseDown(bool right, int x, int y) {
    if (!started_) return;
    session_->mouseDown(right ? MouseButton::Right : MouseButton::Left, x, y);
    whole_ = true;
}

void WebPlayer::mouseUp() {
    if (!started_) return;
    engine_->mouseUp();
    whole_ = true;
}

void WebPlayer::escape() {
    if (!started_) return;
    session_->keyDown(kEscapeKey);
    whole_ = true;
}

bool WebPlayer::closing() { return !started_ || session_->closeRequested(); }

std::string WebPlayer::caption() const { return started_ ? session_->caption() : std::string(); }

bool WebPlayer::frameChanged() const {
    return engine_ && std::as_const(*engine_).canvas().cacheKey() != shownKey_;
}

Rect WebPlayer::changedRect() const {
    if (!frameChanged()) return {};
    const Picture& canvas = std::as_const(*engine_).canvas();
    const std::size_t size = std::size_t(canvas.width()) * std::size_t(canvas.height()) * 4;
    // Drawing the ticks did not name (input, a new game, a first frame) may be anywhere.
    if (whole_ || changed_.isEmpty() || rgba_.size() != size) return canvas.rect();
    return changed_.intersected(canvas.rect());
}

const std::vector<std::uint8_t>& WebPlayer::frameRgba() {
    if (!engine_) return rgba_;
    const Picture& canvas = std::as_const(*engine_).canvas();
    const Rect area = changedRect();
    rgba_.resize(std::size_t(canvas.width()) * std::size_t(canvas.height()) * 4);
    for (int y = area.y; y < area.y + area.height; ++y) {
        const Rgb* in = canvas.row(y) + area.x;
        std::uint8_t* out = rgba_.data() + (std::size_t(y) * std::size_t(canvas.width()) + std::size_t(area.x)) * 4;
        for (int x = 0; x < area.width; ++x) {
            const Rgb pixel = in[x];
            *out++ = std::uint8_t(pixel >> 16);
            *out++ = std::uint8_t(pixel >> 8);
            *out++ = std::uint8_t(pixel);
            *out++ = 0xFF;
        }
    }
    shownKey_ = canvas.cacheKey();
    changed_ = {};
    whole_ = false;
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
