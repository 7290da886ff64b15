#include "runtime/replay.h"

#include "runtime/bag.h"

#include <algorithm>

namespace tw {

bool ReplayMessages::ask(const std::string& text, Answer defaultAnswer) {
    const std::optional<bool> given = answers ? answers(text) : std::nullopt;
    return given ? *given : defaultAnswer == Answer::Yes;
}

Replay::Replay(FileSystem& disk, const std::string& folder, InputLog log, const ReplayEditor& editor)
    : log_(std::move(log)), files_(disk, AssetPaths(folder)), random_(log_.seed),
      cursors_(std::make_unique<NoCursors>()), dialogs_(std::make_unique<NoFileDialogs>()), editor_(editor) {
    messages_.answers = [this](const std::string& question) { return answer(question); };
    engine_ = std::make_unique<Engine>(AssetPaths(folder),
                                       Services{files_, messages_, audio_, *cursors_, random_, *dialogs_});
    if (editor_.attach) attached_ = editor_.attach(*engine_);
    session_ = std::make_unique<GameSession>(*engine_);
}

Replay::~Replay() {
    // The session and the editor let go of the engine before it goes.
    session_.reset();
    attached_.reset();
    engine_.reset();
}

bool Replay::startUp() {
    if (!session_->startUp()) return false;
    if (editor_.show) editor_.show(*engine_);
    messagesNoted_ = messages_.shown.size();
    return true;
}

void Replay::tickTo(std::uint32_t tick) {
    while (ticks_ < tick) {
        engine_->frameTick();
        ++ticks_;
    }
}

std::string Replay::failure() const {
    std::string text;
    for (const std::string& shown : messages_.shown) text += (text.empty() ? "" : "\n") + shown;
    return text;
}

std::optional<bool> Replay::answer(const std::string& question) {
    if (next_ >= log_.events.size() || log_.events[next_].kind != InputEvent::Kind::Answer) {
        notes_.push_back("такт " + std::to_string(ticks_) + ": в записи нет ответа на вопрос «" + question +
                         "»; принят ответ по умолчанию");
        return std::nullopt;
    }
    const InputEvent& given = log_.events[next_++];
    // The frame ticks that ran while the question waited for the player run while it waits here too.
    tickTo(given.tick);
    return given.yes;
}

void Replay::deliver(const InputEvent& e) {
    const MouseButton button = e.rightButton ? MouseButton::Right : MouseButton::Left;
    switch (e.kind) {
    case InputEvent::Kind::Move:
        engine_->mouseMove(e.x, e.y, e.height);
        break;
    // The player's window hands both presses of a double-click to the game as presses.
    case InputEvent::Kind::Press:
    case InputEvent::Kind::DoubleClick:
        session_->mouseDown(button, e.x, e.y);
        break;
    case InputEvent::Kind::Release:
        engine_->mouseUp();
        break;
    case InputEvent::Kind::Key:
        session_->keyDown(e.key);
        break;
    case InputEvent::Kind::Answer:
        notes_.push_back("такт " + std::to_string(e.tick) +
                         ": ответ из записи не понадобился: игра ни о чём не спросила");
        break;
    }
    noteMessages();
}

void Replay::noteMessages() {
    for (; messagesNoted_ < messages_.shown.size(); ++messagesNoted_)
        notes_.push_back("такт " + std::to_string(ticks_) + ": сообщение игры: " + messages_.shown[messagesNoted_]);
}

void Replay::run() {
    while (next_ < log_.events.size()) {
        const InputEvent e = log_.events[next_++];
        tickTo(e.tick);
        deliver(e);
    }
    const std::uint32_t last = log_.events.empty() ? 0 : log_.events.back().tick;
    // A recording made by the player ends where the game was closed: played up to there, the replay ends
    // in the state the player left. One without an end gets a settle after its last event.
    tickTo(log_.end ? std::max(*log_.end, last) : last + kReplaySettleTicks);
    noteMessages();
}

std::string playStateJson(const Engine& engine) {
    const ProjectRecord& record = engine.record();
    std::string out = "{\"scene\":" + std::to_string(engine.screen().currentScene) + ",\"bag\":[";
    for (int k = 1; k <= kBagSlots; ++k) {
        if (k > 1) out += ',';
        out += std::to_string(record.bagSlot(k));
    }
    out += "],\"heldItem\":" + std::to_string(isHoldingItem(record) ? record.heldItem : 0) + ",\"items\":[";
    bool first = true;
    const auto separate = [&first, &out] {
        if (!first) out += ',';
        first = false;
    };
    for (int n = 1; n <= kItemCapacity; ++n) {
        const Item& item = record.item(n);
        if (item.state == 0) continue;
        separate();
        out += "{\"item\":" + std::to_string(n) + ",\"state\":" + std::to_string(item.state) +
               ",\"scene\":" + std::to_string(item.scene) + ",\"col0\":" + std::to_string(item.col0) +
               ",\"row0\":" + std::to_string(item.row0) + '}';
    }
    out += "],\"doors\":[";
    first = true;
    for (int s = 1; s <= kSceneCapacity; ++s) {
        for (int d = 1; d <= kDoorsPerScene; ++d) {
            const Door& door = record.scene(s).door(d);
            if (door.state == 0) continue;
            separate();
            out += "{\"scene\":" + std::to_string(s) + ",\"door\":" + std::to_string(d) +
                   ",\"state\":" + std::to_string(door.state) + '}';
        }
    }
    out += "],\"dialogs\":[";
    first = true;
    for (int s = 1; s <= kSceneCapacity; ++s) {
        for (int d = 1; d <= kDialogsPerScene; ++d) {
            const Dialog& dialog = record.scene(s).dialog(d);
            if (dialog.kind == 0) continue;
            separate();
            out += "{\"scene\":" + std::to_string(s) + ",\"dialog\":" + std::to_string(d) +
                   ",\"kind\":" + std::to_string(dialog.kind) +
                   ",\"progress\":" + std::to_string(dialog.progress) + '}';
        }
    }
    out += "]}";
    return out;
}

} // namespace tw
