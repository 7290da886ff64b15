#include "runtime/engine.h"

#include "canvas/background.h"
#include "canvas/blit.h"
#include "canvas/cutting.h"
#include "platform/anicursor.h"
#include "platform/audio.h"
#include "platform/cursors.h"
#include "platform/filesystem.h"
#include "platform/messages.h"
#include "project/recordfile.h"
#include "project/recoveryfile.h"
#include "project/utf8.h"
#include "runtime/bag.h"
#include "runtime/editrecorder.h"
#include "runtime/orders.h"


#include <algorithm>
#include <cstddef>
#include <cstring>
#include <utility>

namespace tw {

Engine::Engine(AssetPaths paths, Services services)
    : paths_(std::move(paths)), services_(services), pictureFiles_(services.files),
      record_(ProjectRecord::createBlank()), canvas_(kPlayWidth, kPlayHeight),
      recovery_(services.files, paths_.recoveryFile()) {
    canvas_.fill(rgb(255, 255, 255));
}

Engine::~Engine() = default;

bool Engine::startUp() {
    // 1-2. The record. It is read into a fresh record that replaces the live one only once whole.
    RecordLoad load = loadRecordFile(services_.files, paths_.recordFile());
    if (load.status == RecordLoad::Status::OpenFailed) {
        services_.messages.showError(" ERROR ");
        return false;
    }
    if (load.status != RecordLoad::Status::Ok) {
        services_.messages.showError(load.message);
        return false;
    }
    takeUpRecovery(load.record);
    record_ = std::move(load.record);
    ProjectRecord& record = *record_;

    // 3 and 7. The timer and count defaults.
    applyStartDefaults(record);
    // 4. The scene to show. A stored number outside the scene table starts on scene 1; the stored bytes
    // stay as they are until the record is next written.
    screen_.currentScene = isSceneNumber(record.startScene) ? record.startScene : 1;
    // 5. The name and the caption are read by the window from gameName() and caption().
    // 6. Cursors.
    loadCursors();
    // 8. A white canvas.
    canvas_.fill(rgb(255, 255, 255));
    // 9. Pictures.
    if (!loadPictures()) return false;
    // 10. The menu.
    if (screen_.screenMode == ScreenMode::Menu) drawOpaque(canvas_, pictures_.backgroundPicture, Point{0, 0});
    // 11. An item that was carried on the cursor when the record was saved is carried again.
    if (isItemNumber(record.heldItem)) cutCell(pictures_.largeItemStrip, 50, 50, record.heldItem, pictures_.handPicture);

    started_ = true;
    // Nothing has changed yet: the first recovery write waits for a change.
    recovery_.setBaseline(recordAsClosed(gameName()));
    return true;
}

void Engine::takeUpRecovery(std::unique_ptr<ProjectRecord>& loaded) {
    const std::string path = paths_.recoveryFile();
    RecoveryCheck check = inspectRecoveryFile(services_.files, path, *loaded);
    switch (check.status) {
    case RecoveryCheck::Status::None:
        return;
    case RecoveryCheck::Status::Discard:
        services_.files.remove(path);
        return;
    case RecoveryCheck::Status::Offer:
        // Yes is the default: the recovered work is what the author most likely wants, and No deletes it.
        if (services_.messages.askYesNo(kRecoveryQuestion, Messages::Answer::Yes)) {
            // The recovered record goes through the same defaults and checks as one read from the project
            // file; the project file itself is rewritten only at the next close, and the recovery file
            // stays until then.
            loaded = std::move(check.record);
        } else {
            services_.files.remove(path);
        }
        return;
    }
}

Bytes Engine::recordAsClosed(const std::string& gameNameText) const {
    Bytes bytes(reinterpret_cast<const char*>(record_->bytes()), kProjectRecordSize);
    ShortString<100> name = record_->gameName;
    name.setText(std::string(leftCharacters(gameNameText, 100)));
    const std::uint16_t scene = static_cast<std::uint16_t>(screen_.currentScene);
    std::memcpy(bytes.data() + offsetof(ProjectRecord, gameName), &name, sizeof name);
    std::memcpy(bytes.data() + offsetof(ProjectRecord, startScene), &scene, sizeof scene);
    return bytes;
}

void Engine::writeRecovery(const std::string& gameNameText) {
    if (!started_) return;
    recovery_.offer(recordAsClosed(gameNameText));
}

void Engine::loadCursors() {
    for (int slot = 1; slot <= kCursorSlots; ++slot) {
        FileSystem::ReadResult read = services_.files.read(paths_.cursor(slot));
        std::optional<AniCursor> cursor;
        if (read.ok()) cursor = decodeCursor(read.bytes); // a plain .cur saved under an .ani name loads too
        // A file that cannot be loaded empties the slot; the default arrow shows for it.
        services_.cursors.install(slot, std::move(cursor));
    }
    setCanvasCursor(cursorNeutral);
}

bool Engine::loadPictures() {
    auto load = [this](const char* name, Picture& picture) {
        const std::string message = pictureFiles_.load(paths_.data(name), picture);
        if (message.empty()) return true;
        services_.messages.showError(message);
        return false;
    };
    Pictures& p = pictures_;
    p.backgroundPicture = Picture();
    p.stampPicture = Picture();
    if (!load("anim", p.sheetPicture)) return false;
    if (!load("menu", p.backgroundPicture)) return false;
    p.framePicture = Picture();
    if (!load("pon", p.panelPicture)) return false;
    if (!load("nabpredmax", p.largeItemStrip)) return false;
    if (!load("nabpredmin", p.smallItemStrip)) return false;
    ensureSize(p.largeItemPicture, 50, 50);
    ensureSize(p.smallItemPicture, 20, 20);
    ensureSize(p.handPicture, 50, 50);
    p.scratchPicture = Picture();
    if (!load("dver", p.doorStrip)) return false;
    ensureSize(p.doorPicture, 60, 90);
    p.comicPicture = Picture();
    if (!load("ten", p.shadowPicture)) return false;
    return true;
}

void Engine::resetPlay() {
    PlayState& play = play_;
    play.walkingToItem = false;
    play.walkingToDoor = false;
    play.walkingToDialog = false;
    play.orderScene = 0;
    play.dialogOpen = false;
    play.comicOn = false;
    play.comicTicks = 0;
    play.remarkTicks = 0;
    play.panelShown = false;
    play.panelTicks = 0;
    play.pressPending = false;
    play.itemHover = false;
    play.hintHover = false;
    play.heroFree = true;
    if (isHoldingItem(*record_)) cutCell(pictures_.largeItemStrip, 50, 50, record_->heldItem, pictures_.handPicture);
    // The clock belongs to a walk that no longer exists.
    if (canvasCursor_ == cursorClock) setCanvasCursor(cursorNeutral);
}

void Engine::leaveScene() {
    const PlayScope play(recorder_);
    tw::leaveScene(*record_, play_);
}

void Engine::assetFileChanged(const std::string& path) {
    for (int slot = 1; slot <= kCursorSlots; ++slot) {
        if (path == paths_.cursor(slot)) {
            const int shape = canvasCursor_;
            loadCursors();
            setCanvasCursor(shape);
            break;
        }
    }
    // The pictures of mzh/data that stay in memory for the whole run; the menu and help pictures are
    // backgrounds and come back with the background below.
    const std::pair<const char*, Picture Pictures::*> kept[] = {
        {"anim", &Pictures::sheetPicture},     {"pon", &Pictures::panelPicture},
        {"nabpredmax", &Pictures::largeItemStrip}, {"nabpredmin", &Pictures::smallItemStrip},
        {"dver", &Pictures::doorStrip},        {"ten", &Pictures::shadowPicture}};
    for (const auto& [name, picture] : kept) {
        if (path != paths_.data(name)) continue;
        const std::string message = pictureFiles_.load(path, pictures_.*picture);
        if (!message.empty()) reportOnce(message);
    }
    if (isHoldingItem(*record_)) cutCell(pictures_.largeItemStrip, 50, 50, record_->heldItem, pictures_.handPicture);
    if (path == backgroundFileFor(screen_, paths_)) reloadBackground();
}

void Engine::activate() {
    services_.audio.openMusic(paths_.sound("fon.mp3"));
    services_.audio.playMusic();
}

bool Engine::shutDown(const std::string& gameNameText) {
    if (!started_) return true;
    // Every write is attempted even after one fails: whatever can be saved is saved, each file atomically.
    std::string failures; // one line for each file not written
    // 1. The strips are edited only in memory; they reach their files here.
    const std::pair<const char*, const Picture*> strips[] = {{"nabpredmax", &pictures_.largeItemStrip},
                                                            {"nabpredmin", &pictures_.smallItemStrip},
                                                            {"dver", &pictures_.doorStrip}};
    for (const auto& [name, picture] : strips) {
        const std::string message = pictureFiles_.save(paths_.data(name), *picture);
        if (!message.empty()) failures += (failures.empty() ? "" : "\n") + message;
    }
    // 2-3. Name and scene.
    record_->gameName.setText(std::string(leftCharacters(gameNameText, 100)));
    record_->startScene = screen_.currentScene;
    // 4. The record, written safely: on failure the old file stays whole.
    const std::string message = saveRecordFile(services_.files, paths_.recordFile(), *record_);
    if (!message.empty()) failures += (failures.empty() ? "" : "\n") + message;

    if (failures.empty()) {
        // Everything is on disk: the recovery copy has served its purpose.
        recovery_.close(true);
        return true;
    }
    services_.messages.showError(failures);
    if (!services_.messages.askYesNo(kCloseQuestion, Messages::Answer::No)) return false;
    // Closing without saving: the recovery copy keeps the work recoverable at the next start.
    recovery_.close(false);
    return true;
}

std::string Engine::caption() const {
    return "     TARNWICK    ( " + record_->gameName.text() + " )";
}

int Engine::frameTimerInterval() const { return std::clamp(record_->tickInterval, kMinTickInterval, kMaxTickInterval); }

bool Engine::reloadBackground() {
    const std::string message =
        tw::reloadBackground(screen_, paths_, pictureFiles_, pictures_.backgroundPicture, canvas_);
    if (message.empty()) return true;
    reportOnce(message);
    return false;
}

bool Engine::loadPicture(const std::string& path, Picture& into) {
    const std::string message = pictureFiles_.load(path, into);
    if (message.empty()) return true;
    reportOnce(message);
    return false;
}

void Engine::reportOnce(const std::string& message) {
    if (!reported_.insert(message).second) return;
    services_.messages.showError(message);
}

void Engine::playEffect(const char* name) { services_.audio.playEffect(paths_.sound(name)); }

void Engine::cutFrame(int x, int y, int a, bool anchored, int f) {
    tw::cutFrame(canvas_, pictures_.sheetPicture, pictures_.framePicture, *record_, x, y, a, anchored, f);
}

void Engine::setCanvasCursor(int shape) {
    canvasCursor_ = shape;
    services_.cursors.show(shape);
}

} // namespace tw
