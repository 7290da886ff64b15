#include "runtime/gamesession.h"

#include "platform/cursors.h"
#include "platform/filesystem.h"
#include "platform/messages.h"
#include "project/recordfile.h"
#include "runtime/orders.h"
#include "runtime/playrules.h"

#include <cstddef>
#include <cstring>

namespace tw {
namespace {

// True when two records hold the same game. What the frame tick rewrites while the player does nothing is
// left out: the crowd remarks' countdowns and the remark each shows (they run on a random clock), and the
// hero's cell, which every tick derives from his position (compared with the rest).
bool sameGame(const std::uint8_t* a, const std::uint8_t* b) {
    const auto same = [a, b](std::size_t from, std::size_t to) {
        return std::memcmp(a + from, b + from, to - from) == 0;
    };
    const std::size_t crowd = offsetof(ProjectRecord, crowdRemarks);
    if (!same(0, crowd)) return false;
    for (int k = 0; k < kCrowdRemarkCapacity; ++k) {
        const std::size_t remark = crowd + std::size_t(k) * sizeof(CrowdRemark);
        if (!same(remark, remark + offsetof(CrowdRemark, countdown))) return false;
    }
    const std::size_t heroCell = offsetof(ProjectRecord, heroCol);
    static_assert(offsetof(ProjectRecord, heroRow) == offsetof(ProjectRecord, heroCol) + 2);
    return same(offsetof(ProjectRecord, animations), heroCell) && same(heroCell + 4, kProjectRecordSize);
}

} // namespace

GameSession::GameSession(Engine& engine) : engine_(engine) {
    engine_.setMenuChoiceHandler([this](int zone) { menuChoice(zone); });
    engine_.play().musicLoop = true;
}

GameSession::~GameSession() {
    engine_.setMenuChoiceHandler({});
}

bool GameSession::startUp() {
    if (!engine_.startUp()) return false;
    // The record with its start-up defaults, so a new game begins exactly where the first start did.
    built_ = recordBytes();
    return true;
}

Bytes GameSession::recordBytes() const {
    return Bytes(reinterpret_cast<const char*>(engine_.record().bytes()), kProjectRecordSize);
}

bool GameSession::gameInProgress() const {
    if (!started_ || baseline_.size() != kProjectRecordSize) return started_;
    return !sameGame(reinterpret_cast<const std::uint8_t*>(baseline_.data()), engine_.record().bytes());
}

void GameSession::menuChoice(int zone) {
    switch (zone) {
    case 1:
        newGame();
        break;
    case 2:
        openGame();
        break;
    case 3:
        saveGame();
        break;
    default:
        break;
    }
}

bool GameSession::confirmLosingProgress(const char* question) {
    if (!gameInProgress()) return true;
    return engine_.services().messages.askYesNo(question, Messages::Answer::No);
}

void GameSession::newGame() {
    if (built_.size() != kProjectRecordSize) return; // not started up
    if (!confirmLosingProgress(kNewGameQuestion)) return;
    play(built_);
}

void GameSession::openGame() {
    if (built_.size() != kProjectRecordSize) return;
    Services& services = engine_.services();
    const std::string path = engine_.paths().savePointFile();
    // The save is read whole before anything changes: a damaged file leaves the game as it was.
    RecordLoad load = loadRecordFile(services.files, path);
    if (load.status == RecordLoad::Status::OpenFailed) {
        services.messages.showError(services.files.exists(path)
                                        ? "Не удалось открыть файл сохранённой игры " + path + "."
                                        : std::string(kNoSavedGame));
        return;
    }
    if (load.status != RecordLoad::Status::Ok) {
        services.messages.showError("Сохранённая игра не открыта.\n" + load.message);
        return;
    }
    if (!confirmLosingProgress(kOpenGameQuestion)) return;
    play(Bytes(reinterpret_cast<const char*>(load.record->bytes()), kProjectRecordSize));
}

void GameSession::play(const Bytes& bytes) {
    ProjectRecord& record = engine_.record();
    // The walks of the old game end before its cells and marks are replaced.
    leaveScene(record, engine_.play());
    std::memcpy(record.bytes(), bytes.data(), kProjectRecordSize);
    applyStartDefaults(record);
    engine_.resetPlay();
    engine_.screen().currentScene = std::uint16_t(startSceneOf(record));
    started_ = true;
    baseline_ = recordBytes();
    showScene();
}

void GameSession::showScene() {
    engine_.screen().screenMode = ScreenMode::Scene;
    engine_.screen().sceneViewOffset = Point{0, 0};
    engine_.setCanvasCursor(cursorNeutral);
    engine_.reloadBackground();
}

bool GameSession::saveGame(bool announce) {
    Services& services = engine_.services();
    if (!started_) {
        services.messages.showInfo(kGameNotStarted);
        return false;
    }
    ProjectRecord& record = engine_.record();
    // The save starts where the player is; the game in memory keeps its own start scene.
    const std::uint16_t before = record.startScene;
    record.startScene = engine_.screen().currentScene;
    const std::string failure = saveRecordFile(services.files, engine_.paths().savePointFile(), record);
    record.startScene = before;
    if (!failure.empty()) {
        services.messages.showError("Игра не сохранена.\n" + failure);
        return false;
    }
    baseline_ = recordBytes();
    if (announce) services.messages.showInfo(kGameSaved);
    return true;
}

void GameSession::keyDown(int key) {
    if (key != kEscapeKey || !engine_.isStarted()) return;
    ScreenState& screen = engine_.screen();
    switch (screen.screenMode) {
    case ScreenMode::Menu:
        // Back to the game left with Esc; before any game there is nothing to go back to.
        if (started_) showScene();
        break;
    case ScreenMode::Help:
        screen.screenMode = ScreenMode::Menu;
        engine_.setCanvasCursor(cursorNeutral);
        engine_.reloadBackground();
        break;
    default:
        engine_.keyDown(key);
        break;
    }
}

void GameSession::mouseDown(MouseButton button, int x, int y) {
    if (engine_.isStarted() && engine_.screen().screenMode == ScreenMode::Help) {
        keyDown(kEscapeKey);
        return;
    }
    engine_.mouseDown(button, x, y);
}

bool GameSession::closeRequested() {
    if (!gameInProgress()) return true;
    if (!engine_.services().messages.askYesNo(kSaveBeforeExitQuestion,
                                              Messages::Answer::Yes))
        return true;
    if (saveGame(false)) return true;
    // The save failed and said why: the player may still leave without it, as the editor's close offers.
    return engine_.services().messages.askYesNo(kCloseQuestion, Messages::Answer::No);
}

} // namespace tw
