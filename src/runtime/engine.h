#pragma once

#include "canvas/changedarea.h"
#include "canvas/drawing.h"
#include "canvas/textstamper.h"
#include "canvas/geometry.h"
#include "canvas/picture.h"
#include "canvas/picturefiles.h"
#include "canvas/pictures.h"
#include "canvas/screenstate.h"
#include "project/assetpaths.h"
#include "project/projectrecord.h"
#include "project/recoverywriter.h"
#include "runtime/playstate.h"
#include "runtime/tickmemo.h"
#include "runtime/services.h"

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <utility>

namespace tw {

class EditRecorder;
class EditorHooks;

enum class MouseButton { Left, Right };
// What a pointer move asks of the editor panel along the canvas bottom.
enum class PanelChange { Keep, Show, Hide };
inline constexpr int kEscapeKey = 27;
inline constexpr const char* kRecoveryQuestion =
    "Найдены несохранённые изменения после аварийного завершения. Восстановить?";
inline constexpr const char* kCloseQuestion = "Закрыть без сохранения?";

// Owns the whole run: the project record, what the screen shows, the in-memory pictures and the canvas
// they are composed on. It draws only into its canvas picture and reaches the outside world only through
// its services, so everything it does can be driven headless.
class Engine {
public:
    Engine(AssetPaths paths, Services services);
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // Loads the project tree: the record with its defaults, the cursors and the pictures, and draws the
    // menu. Reports a failure to the user itself (" ERROR " when the record cannot be opened, otherwise a
    // message naming the file) and returns false; the engine is then not started.
    // A recovery file left by a run that did not close cleanly is offered back first (kRecoveryQuestion):
    // Yes uses its record in place of the project file's; No, or a file that is damaged or equal to the
    // project file, deletes it.
    bool startUp();
    bool isStarted() const { return started_; }

    // The window was activated: the background music starts from the beginning.
    void activate();

    // Writes the item and door strips and the record back, attempting every write even when one fails.
    // gameNameText is the name field's text. Does nothing after a failed start-up (an empty record must
    // never overwrite the author's project). When all writes succeed the recovery file is deleted and
    // true is returned. Otherwise one message names each file that could not be written and why, and
    // kCloseQuestion is asked with No as default: No returns false (the window stays open, the author
    // can fix the cause and close again); Yes returns true and keeps the recovery file.
    bool shutDown(const std::string& gameNameText);

    // Called periodically while the editor runs: starts writing the record, as a close would store it,
    // to the recovery file when it has changed since the last such write or since start-up. The write
    // runs on a worker thread; the caller only pays for a copy and a comparison.
    void writeRecovery(const std::string& gameNameText);
    RecoveryWriter& recovery() { return recovery_; }

    // "     TARNWICK    ( " + gameName + " )"
    std::string caption() const;
    std::string gameName() const { return record_->gameName.text(); }
    // The frame timer's period in ms as the timer should use it: the stored value, kept within the range
    // the hero page offers (20..100). A record whose interval was wiped to 1 ms, or damaged, would
    // otherwise play many times too fast or flood the program with ticks.
    int frameTimerInterval() const;

    ProjectRecord& record() { return *record_; }
    const ProjectRecord& record() const { return *record_; }
    ScreenState& screen() { return screen_; }
    const ScreenState& screen() const { return screen_; }
    Pictures& pictures() { return pictures_; }
    const Picture& canvas() const { return canvas_; }
    Picture& canvas() { return canvas_; }
    const AssetPaths& paths() const { return paths_; }
    Services& services() { return services_; }

    // The frame tick (every tickInterval ms): the play frame in the scene mode, an attached editor's frame in
    // its own modes.
    // Returns the part of the canvas that may have changed since the canvas was last shown; empty when
    // the tick did not draw.
    ChangedArea frameTick();
    // The overlay tick (every 10 ms): music loop; with an editor, the menu zones and the cell overlays. It draws only
    // when something it draws from has changed since it last drew (the canvas was drawn over, or the
    // mode, scene, background, menu zones or walkable cells changed) and returns the part of the canvas
    // that may have changed; an empty rectangle when it left the canvas alone.
    Rect overlayTick();

    // Canvas input, in canvas pixels. canvasHeight is the height the canvas widget has now.
    void mouseDown(MouseButton button, int x, int y);
    PanelChange mouseMove(int x, int y, int canvasHeight);
    void mouseUp();
    // A second press of a double-click: a press like any other, and in the animator's stretch mode the
    // current frame is fitted to the figure of the sheet under the pointer (an edit, one step).
    void mouseDoubleClick(MouseButton button, int x, int y);
    void keyDown(int key);

    // What a press on menu zone 1 ("Новая игра"), 2 ("Открыть") or 3 ("Сохранить") does. Without a
    // handler (the editor) the press only beeps; the player hands in the game's own actions.
    void setMenuChoiceHandler(std::function<void(int zone)> handler) { menuChoice_ = std::move(handler); }

    // The editor that keeps the canvas's edits as steps; null (the default) in the player.
    void setEditRecorder(EditRecorder* recorder) { recorder_ = recorder; }
    EditRecorder* editRecorder() const { return recorder_; }

    // The record was replaced as a whole (a save point restored, the plot erased, a step of that kind
    // undone): what play had in flight belongs to the old record and is dropped. Walks to items, doors and
    // characters, an open dialog, a running comic, the remark and panel timers and a pending press end,
    // the hero takes orders again, and the picture on the cursor follows heldItem.
    void resetPlay();
    // The hero leaves the scene shown (a portal, the scene buttons, a restore or erase, a step that shows
    // another scene): the orders given in it end (see runtime/orders.h). This is play: an editor's step
    // under way, however deep, keeps it out.
    void leaveScene();
    // An asset file was replaced on disk: the pictures and cursors read from it are read again, and the
    // background when it is the background of the current mode.
    void assetFileChanged(const std::string& path);

    PlayState& play() { return play_; }
    const PlayState& play() const { return play_; }

    // The editor plugged into this engine (see runtime/editorhooks.h); null, the default, in the player.
    void setEditorHooks(EditorHooks* hooks) { hooks_ = hooks; }
    EditorHooks* editorHooks() const { return hooks_; }
    // Zone outlines, labels, numbers and cell marks are the author's: drawn only with an editor attached.
    bool drawsEditorAids() const { return hooks_ != nullptr; }
    // Writes the game's texts and labels on the canvas.
    TextStamper& text() { return text_; }

    // Loads the background of the current screen mode and draws it (see canvas/background.h). A load
    // failure is reported to the user. Returns false on failure.
    bool reloadBackground();
    // Loads a picture of the tree; a failure is reported to the user once per file and message, so a
    // picture that fails on every tick does not flood the screen with messages. Returns false on failure.
    bool loadPicture(const std::string& path, Picture& into);
    // Shows a message to the user unless the same message was shown before.
    void reportOnce(const std::string& message);
    // Plays a sound of mzh/sound on the effects player.
    void playEffect(const char* name);
    // Draws frame f of animation a on the canvas (see canvas/cutting.h).
    void cutFrame(int x, int y, int a, bool anchored, int f);
    // The canvas pointer: slot 1..8, kCursorHidden or kCursorDefault.
    void setCanvasCursor(int shape);
    int canvasCursor() const { return canvasCursor_; }

private:
    // Offers the recovery file back; may replace the loaded record.
    void takeUpRecovery(std::unique_ptr<ProjectRecord>& loaded);
    // The record's bytes with the name and start scene that a close would store.
    Bytes recordAsClosed(const std::string& gameNameText) const;
    bool loadPictures();
    void loadCursors();
    OverlayInputs overlayInputs() const;

    AssetPaths paths_;
    Services services_;
    PictureFiles pictureFiles_;
    std::unique_ptr<ProjectRecord> record_;
    ScreenState screen_;
    Pictures pictures_;
    Picture canvas_;
    PlayState play_;
    EditorHooks* hooks_ = nullptr;
    TextStamper text_;
    std::set<std::string> reported_;
    RecoveryWriter recovery_;
    EditRecorder* recorder_ = nullptr;
    std::function<void(int)> menuChoice_;
    bool started_ = false;
    int canvasCursor_ = 0;
    OverlayMemo overlayMemo_;
    FrameMemo frameMemo_;
};

} // namespace tw
