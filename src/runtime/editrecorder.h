#pragma once

namespace tw {

// Lets an editor keep the canvas's edits apart from play. The engine's canvas handlers change the record
// both as a game (walks, taking items) and as an editor (painting cells, placing objects, dragging zones);
// they wrap every editing change in an EditScope, and mark the end of each press-drag-release, so an
// editor can make each gesture one step the author can take back. The player runs without a recorder.
class EditRecorder {
public:
    virtual ~EditRecorder() = default;
    // The record is about to be changed by an edit / the edit is done.
    virtual void editBegins() = 0;
    virtual void editEnds() = 0;
    // The button was released: the edits since the press belong together.
    virtual void gestureEnds() = 0;
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

// Inside an EditScope, marks a change that is play rather than an edit (an order cancelled when the
// editor switches scenes): the edit so far is closed before it and a new one opened after it.
class PlayScope {
public:
    explicit PlayScope(EditRecorder* recorder) : recorder_(recorder) {
        if (recorder_) recorder_->editEnds();
    }
    ~PlayScope() {
        if (recorder_) recorder_->editBegins();
    }
    PlayScope(const PlayScope&) = delete;
    PlayScope& operator=(const PlayScope&) = delete;

private:
    EditRecorder* recorder_;
};

} // namespace tw
