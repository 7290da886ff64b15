#include "runtime/inputrecorder.h"

#include "platform/filesystem.h"
#include "runtime/engine.h"

#include <algorithm>

namespace tw {

InputRecorder::InputRecorder(FileSystem& files, std::string path, std::uint32_t seed)
    : files_(files), path_(std::move(path)) {
    log_.seed = seed;
}

void InputRecorder::add(InputEvent event) {
    event.tick = ticks_;
    log_.events.push_back(event);
}

void InputRecorder::moved(int x, int y, int canvasHeight) {
    InputEvent e;
    e.kind = InputEvent::Kind::Move;
    e.x = x;
    e.y = y;
    e.height = canvasHeight;
    add(e);
}

namespace {

InputEvent buttonEvent(InputEvent::Kind kind, MouseButton button, int x, int y) {
    InputEvent e;
    e.kind = kind;
    e.rightButton = button == MouseButton::Right;
    e.x = x;
    e.y = y;
    return e;
}

} // namespace

void InputRecorder::pressed(MouseButton button, int x, int y) {
    add(buttonEvent(InputEvent::Kind::Press, button, x, y));
}

void InputRecorder::doubleClicked(MouseButton button, int x, int y) {
    add(buttonEvent(InputEvent::Kind::DoubleClick, button, x, y));
}

void InputRecorder::released() {
    InputEvent e;
    e.kind = InputEvent::Kind::Release;
    add(e);
}

void InputRecorder::keyPressed(int key) {
    InputEvent e;
    e.kind = InputEvent::Kind::Key;
    e.key = key;
    add(e);
}

void InputRecorder::answered(bool yes) {
    if (!listening_) return;
    InputEvent e;
    e.kind = InputEvent::Kind::Answer;
    e.yes = yes;
    add(e);
}

std::string InputRecorder::write() {
    // A reader refuses a file past its limits as a whole; a game played longer than they allow keeps its
    // first part, which still replays.
    InputLog kept;
    kept.seed = log_.seed;
    kept.end = std::min(ticks_, kMaxRecordingTick);
    for (const InputEvent& e : log_.events) {
        if (e.tick > kMaxRecordingTick || kept.events.size() >= kMaxRecordingEvents) break;
        kept.events.push_back(e);
    }
    std::string text = writeInputLog(kept);
    while (text.size() > kMaxRecordingBytes && !kept.events.empty()) {
        kept.events.resize(kept.events.size() * 9 / 10);
        text = writeInputLog(kept);
    }
    return files_.writeAtomically(path_, text);
}

bool RecordingMessages::ask(const std::string& text, Answer defaultAnswer) {
    const bool yes = shown_.askYesNo(text, defaultAnswer);
    recorder_.answered(yes);
    return yes;
}

} // namespace tw
