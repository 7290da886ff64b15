#pragma once

#include "project/bytes.h"

#include <QByteArray>

#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

namespace tw {

// A run of record bytes that one edit changed: what they were and what they became.
struct RecordPatch {
    std::size_t offset = 0;
    QByteArray before;
    QByteArray after;
};

// An asset file that one edit replaced. An absent side means the file did not exist.
struct FileChange {
    std::string path;
    std::optional<Bytes> before;
    std::optional<Bytes> after;
};

// One step the author can take back: every record patch and file change of one action, in the order they
// were made. Undo takes them back in reverse order; redo makes them again in order.
struct EditStep {
    std::vector<RecordPatch> patches;
    std::vector<FileChange> files;
    // The step replaced the record as a whole (restore, erase): what play has in flight is reset whenever
    // the step is applied in either direction.
    bool replacesRecord = false;
    // The scene shown when the step began and when it ended: undo shows the first again, redo the
    // second, so the record and the scene the hero stands in go back together. 0: not known.
    int sceneBefore = 0;
    int sceneAfter = 0;

    bool isEmpty() const { return patches.empty() && files.empty(); }
    // The memory the step holds.
    std::size_t bytes() const;
};

// Appends to `into` the runs where `now` differs from `before` (both `size` bytes). Runs closer than a few
// bytes are joined, so a scattered edit costs few patches.
void collectPatches(const std::uint8_t* before, const std::uint8_t* now, std::size_t size,
                    std::vector<RecordPatch>& into);

// The undo history: steps done (undoable) and steps taken back (redoable). It is bounded both by a number
// of steps and by the memory they hold; the oldest steps are dropped first. A plain list rather than
// QUndoStack, because an undo here may be refused (the caller checks the result before committing it) and
// the history must shed old steps by memory, neither of which QUndoStack offers.
class EditJournal {
public:
    static constexpr int kDefaultStepLimit = 200;
    static constexpr std::size_t kDefaultByteLimit = std::size_t(256) * 1024 * 1024;

    explicit EditJournal(int stepLimit = kDefaultStepLimit, std::size_t byteLimit = kDefaultByteLimit);

    // A new step done: the redoable steps are gone, the oldest steps are dropped beyond the limits. An
    // empty step is ignored. A single step larger than the byte limit is not kept, and the history before
    // it is dropped too, since it could not be reached past this step anyway.
    void push(EditStep step);

    bool canUndo() const { return done_ > 0; }
    bool canRedo() const { return done_ < steps_.size(); }
    // The step the next undo / redo applies. Only valid when canUndo() / canRedo().
    const EditStep& nextUndo() const { return steps_[done_ - 1]; }
    const EditStep& nextRedo() const { return steps_[done_]; }
    // The caller applied nextUndo() / nextRedo(): the position moves.
    void undone() { --done_; }
    void redone() { ++done_; }

    // A step of this many bytes would not be kept, and the history before it would be lost with it: the
    // caller asks before making such a step.
    bool wouldDropHistory(std::size_t stepBytes) const { return stepBytes > byteLimit_; }
    std::size_t byteLimit() const { return byteLimit_; }

    int stepCount() const { return int(steps_.size()); }
    int undoableCount() const { return int(done_); }
    std::size_t bytes() const { return bytes_; }
    void clear();

private:
    void trim();

    std::deque<EditStep> steps_;
    std::size_t done_ = 0; // steps_[0, done_) are done, the rest are undone
    std::size_t bytes_ = 0;
    int stepLimit_;
    std::size_t byteLimit_;
};

} // namespace tw
