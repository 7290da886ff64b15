#pragma once

#include "editor/canvasediting.h"
#include "editor/editjournal.h"
#include "runtime/editrecorder.h"

#include <QString>

#include <memory>
#include <vector>
#include <utility>

namespace tw {

class Engine;
struct ProjectRecord;
enum class AssetKind;

// The one way the editor changes the project: every change of the record or of an asset file that a
// page, a button or the canvas makes goes through here and becomes a step the author can take back with
// undo and make again with redo. Play (walking, taking, giving, doors opened in play) is not a step and is
// never taken back.
//
// A page changes the record only inside change(); files only through replaceFile() and writeFile(). The
// canvas's edits arrive through the EditRecorder interface, one step per press-drag-release. A step is
// opened once, by the outermost of a gesture, a change() or a lone edit, and closed by the same; the
// changes nested inside join it. Play's changes (PlayScope) never enter it, at any depth. The scene shown
// as the step begins and ends belongs to it.
class Editor final : public EditRecorder {
public:
    explicit Editor(Engine& engine);
    ~Editor() override;
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    Engine& engine() { return engine_; }
    const Engine& engine() const { return engine_; }
    const EditJournal& journal() const { return journal_; }
    // The editor's run-time state: armed sub-modes and the numbers chosen on the pages.
    EditorState& state() { return canvas_.state(); }
    const EditorState& state() const { return canvas_.state(); }

    // Runs action() as one step: what it changes in the record, and every file it replaces through this
    // editor, one undo takes back. A change inside another joins the outer one's step.
    template <class Action>
    void change(Action&& action) {
        openStep();
        editBegins();
        std::forward<Action>(action)();
        editEnds();
        closeStep();
    }

    // Replaces an asset file with a file the author chose: the chosen file must decode as `kind` (our
    // readers, not the file name, decide); only then is it copied over `target`, atomically. Otherwise a
    // message names the chosen file, and the old file and every picture in memory stay as they were.
    // Part of the open step, or a step of its own. Returns true when the file is in place.
    bool replaceFile(const std::string& target, AssetKind kind, const QString& chosen);
    // Writes bytes over an asset file (a picture the editor drew, the save point) atomically, keeping the
    // old bytes for undo. A failed write is reported and leaves the old file. Returns true on success.
    bool writeFile(const std::string& target, const Bytes& bytes);
    // The open step replaces the record as a whole: applying it either way resets what play has in flight.
    void markRecordReplaced() { open_.replacesRecord = true; }

    enum class Outcome { Applied, Nothing, Refused };
    // Takes back the last step / makes again the last step taken back, then redraws. Refused (with a short
    // message, the journal unchanged) when play has moved an item since so that applying the step would
    // put it in two places, or when a file could not be written back.
    Outcome undo();
    Outcome redo();

    // The canvas's edits (see EditRecorder).
    void gestureBegins() override;
    void gestureEnds() override;
    void editBegins() override;
    void editEnds() override;
    void playBegins() override;
    void playEnds() override;

    // The editor's part of the canvas.
    CanvasEditing& canvas() { return canvas_; }

private:
    // Undo and redo wait for what is under way: only a gesture may be open (it is closed first).
    bool canTakeStepsNow() const { return scopes_.empty() && stepDepth_ == (gestureOpen_ ? 1 : 0); }
    void openStep();
    void closeStep();
    // The edit and play scopes under way, innermost last: the innermost decides whether the record's
    // changes are the step's.
    bool recording() const { return !scopes_.empty() && scopes_.back(); }
    void enterScope(bool edit);
    void leaveScope();
    void recordingChanged(bool was);
    void takeSnapshot();
    void collectSinceSnapshot();
    // Applies a step backwards (undo) or forwards; false when refused.
    bool apply(const EditStep& step, bool backwards);
    bool writeBack(const std::string& path, const std::optional<Bytes>& bytes);
    // A file was written: the engine and the stamp being used read it again.
    void fileChanged(const std::string& path);

    Engine& engine_;
    CanvasEditing canvas_;
    EditJournal journal_;
    EditStep open_;
    int stepDepth_ = 0;        // nesting of what holds the open step: gestures, change(), lone edits
    int editDepth_ = 0;        // nesting of record edits under way
    std::vector<bool> scopes_; // true: an edit, false: play
    bool gestureOpen_ = false; // a button is down on the canvas: its edits collect in open_
    bool loneEdit_ = false;    // the edit under way opened the step itself
    std::unique_ptr<ProjectRecord> snapshot_; // the record before the edit under way, or since play's part
};

// How many places item n is in: each bag slot holding it, the cursor, and lying in a scene.
int placesOfItem(const ProjectRecord& record, int n);

} // namespace tw
