#pragma once

#include "platform/messages.h"
#include "runtime/inputlog.h"

#include <string>

namespace tw {

class FileSystem;
enum class MouseButton;

// Keeps a recording of play as it happens: the window tells it of every frame tick and of each input the
// moment it reaches the game (before the game acts on it, so that a question the input makes the game ask
// is answered after it in the recording). It writes the recording whole when play ends.
class InputRecorder {
public:
    InputRecorder(FileSystem& files, std::string path, std::uint32_t seed);

    void frameTicked() { ++ticks_; }
    void moved(int x, int y, int canvasHeight);
    void pressed(MouseButton button, int x, int y);
    void doubleClicked(MouseButton button, int x, int y);
    void released();
    void keyPressed(int key);
    // The answer to a question the game asked. Ignored while not listening.
    void answered(bool yes);
    // Questions asked while the window closes are not play: a replay never gets that far.
    void setListening(bool listening) { listening_ = listening; }

    const InputLog& log() const { return log_; }
    std::uint32_t ticks() const { return ticks_; }
    // Writes the recording, ending at the ticks run so far, to its file atomically. Returns why it failed;
    // empty on success. Events past the limits a reader accepts are left out (a reader would refuse the
    // whole file).
    std::string write();

private:
    void add(InputEvent event);

    FileSystem& files_;
    std::string path_;
    InputLog log_;
    std::uint32_t ticks_ = 0;
    bool listening_ = true;
};

// The message boxes of a recorded game: everything goes to the real ones, and the player's answers are
// also kept in the recording.
class RecordingMessages final : public Messages {
public:
    RecordingMessages(Messages& shown, InputRecorder& recorder) : shown_(shown), recorder_(recorder) {}
    void showError(const std::string& text) override { shown_.showError(text); }
    void showInfo(const std::string& text) override { shown_.showInfo(text); }
    void beep() override { shown_.beep(); }

protected:
    bool ask(const std::string& text, Answer defaultAnswer) override;

private:
    Messages& shown_;
    InputRecorder& recorder_;
};

} // namespace tw
