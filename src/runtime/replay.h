#pragma once

#include "platform/audio.h"
#include "platform/cursors.h"
#include "platform/filedialogs.h"
#include "platform/filesystem.h"
#include "platform/messages.h"
#include "platform/random.h"
#include "project/assetpaths.h"
#include "runtime/engine.h"
#include "runtime/gamesession.h"
#include "runtime/inputlog.h"
#include "runtime/replayfiles.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tw {

// The frame ticks a replay runs after the last event of a recording that does not say when play ended, so
// that the walk or the dialog that event started comes to rest.
inline constexpr std::uint32_t kReplaySettleTicks = 100;

// A replay's message boxes: the questions are answered from the recording, through the handler the replay
// installs; errors and notices are kept to be told on standard error.
class ReplayMessages final : public Messages {
public:
    void showError(const std::string& text) override { shown.push_back(text); }
    void showInfo(const std::string& text) override { shown.push_back(text); }
    void beep() override {}
    // Answers a question; without one, the question's default answer is taken.
    std::function<std::optional<bool>(const std::string& question)> answers;
    std::vector<std::string> shown;

protected:
    bool ask(const std::string& text, Answer defaultAnswer) override;
};

// Where an editor plugs into a replay's engine: `attach` before start-up (what it returns lives as long
// as the engine), `show` after it, to put the editor where the game is played.
struct ReplayEditor {
    std::function<std::shared_ptr<void>(Engine&)> attach;
    std::function<void(Engine&)> show;
};

// A recording played back on the game in `folder` with no window, no sound and no display: a GameSession
// on an engine (with an editor plugged in, when given) receives each recorded event after as many frame
// ticks as had run when it came, and the questions the game asks get the recorded answers at their ticks.
class Replay {
public:
    Replay(FileSystem& disk, const std::string& folder, InputLog log, const ReplayEditor& editor = {});
    ~Replay();
    Replay(const Replay&) = delete;
    Replay& operator=(const Replay&) = delete;

    // Starts the game. False when it cannot be read; failure() says why.
    bool startUp();
    std::string failure() const;
    // Plays every event, then the frame ticks up to the recording's end, or without one up to the last
    // event's tick plus kReplaySettleTicks.
    void run();

    Engine& engine() { return *engine_; }
    std::uint32_t ticks() const { return ticks_; }
    // Where play and the recording went apart (a question nobody answered, an answer nobody asked
    // for), and the messages the game showed, in the order they came.
    const std::vector<std::string>& notes() const { return notes_; }

private:
    void tickTo(std::uint32_t tick);
    void deliver(const InputEvent& event);
    std::optional<bool> answer(const std::string& question);
    void noteMessages();

    InputLog log_;
    std::size_t next_ = 0; // the next event to play
    std::uint32_t ticks_ = 0;
    std::vector<std::string> notes_;
    std::size_t messagesNoted_ = 0;
    ReplayFiles files_;
    ReplayMessages messages_;
    SilentAudio audio_;
    SeededRandom random_;
    std::unique_ptr<CursorDisplay> cursors_;
    std::unique_ptr<FileDialogs> dialogs_;
    ReplayEditor editor_;
    std::unique_ptr<Engine> engine_;
    std::shared_ptr<void> attached_;
    std::unique_ptr<GameSession> session_;
};

// The state play leaves, as one JSON object: the scene shown, the bag's slots 1..18, the item held on
// the cursor (0: none), the items present in the world, the doors that exist in each scene and the
// dialogs with a kind, each with its numbers. The same state gives the same bytes.
std::string playStateJson(const Engine& engine);

} // namespace tw
