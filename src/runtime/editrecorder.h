#pragma once

namespace tw {

// Lets an editor keep the canvas's edits apart from play. The engine's canvas handlers change the record
// both as a game (walks, taking items) and as an editor (painting cells, placing objects, dragging zones).
// Each press opens a gesture and its release closes it, so an editor can make what the author did with
// the button one step he can take back. Inside it every editing change is wrapped in an EditScope, and
// every change that play makes in a PlayScope, so that play never enters a step, however the calls are
// nested. The player runs without a recorder.
class EditRecorder {
public:
    virtual ~EditRecorder() = default;
    // A button went down on the canvas / was released: the edits in between belong together.
    virtual void gestureBegins() = 0;
    virtual void gestureEnds() = 0;
    // The record is about to be changed by an edit / the edit is done.
    virtual void editBegins() = 0;
    virtual void editEnds() = 0;
    // The record is about to be changed by play / play is done; inside an edit, play's changes are
    // kept out of it.
    virtual void playBegins() = 0;
    virtual void playEnds() = 0;
};

// Marks the lifetime of one edit of the record for a recorder, if there is one.
class EditScope {
public:
    explicit EditScope(EditRecorder* recorder) : recorder_(recorder) {
        if (recorder_) recorder_->editBegins();
    }
    ~EditScope() {
        if (recorder_) recorder_->editEnds();
    }
    EditScope(const EditScope&) = delete;
    EditScope& operator=(const EditScope&) = delete;

private:
    EditRecorder* recorder_;
};

// Marks a change of the record that is play rather than an edit (orders cancelled when the hero leaves
// the scene, a frame of play). At any depth of edits under way, what it changes enters no step.
class PlayScope {
public:
    explicit PlayScope(EditRecorder* recorder) : recorder_(recorder) {
        if (recorder_) recorder_->playBegins();
    }
    ~PlayScope() {
        if (recorder_) recorder_->playEnds();
    }
    PlayScope(const PlayScope&) = delete;
    PlayScope& operator=(const PlayScope&) = delete;

private:
    EditRecorder* recorder_;
};

} // namespace tw
