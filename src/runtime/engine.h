#pragma once

#include "canvas/picturefiles.h"
#include "canvas/pictures.h"
#include "canvas/screenstate.h"
#include "project/assetpaths.h"
#include "project/projectrecord.h"
#include "runtime/services.h"

#include <QImage>
#include <QString>

#include <memory>

namespace tw {

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
    bool startUp();
    bool isStarted() const { return started_; }

    // The window was activated: the background music starts from the beginning.
    void activate();

    // Writes the item and door strips and the record back. gameNameText is the name field's text. Does
    // nothing after a failed start-up (an empty record must never overwrite the author's project).
    // On a write failure the message is shown and false is returned: the window should stay open.
    bool shutDown(const QString& gameNameText);

    // "     TARNWICK    ( " + gameName + " )"
    QString caption() const;
    QString gameName() const { return record_->gameName.text(); }
    // The frame timer's period in ms as the timer should use it: the stored value, kept within 1..1000
    // so that a damaged record cannot stop or flood the timer.
    int frameTimerInterval() const;

    ProjectRecord& record() { return *record_; }
    const ProjectRecord& record() const { return *record_; }
    ScreenState& screen() { return screen_; }
    const ScreenState& screen() const { return screen_; }
    Pictures& pictures() { return pictures_; }
    const QImage& canvas() const { return canvas_; }
    QImage& canvas() { return canvas_; }
    const AssetPaths& paths() const { return paths_; }
    Services& services() { return services_; }

    // Loads the background of the current screen mode and draws it (see canvas/background.h). A load
    // failure is reported to the user.
    void reloadBackground();
    // Draws frame f of animation a on the canvas (see canvas/cutting.h).
    void cutFrame(int x, int y, int a, bool anchored, int f);
    // The canvas pointer: slot 1..8, kCursorHidden or kCursorDefault.
    void setCanvasCursor(int shape);
    int canvasCursor() const { return canvasCursor_; }

private:
    bool loadPictures();
    void loadCursors();

    AssetPaths paths_;
    Services services_;
    PictureFiles pictureFiles_;
    std::unique_ptr<ProjectRecord> record_;
    ScreenState screen_;
    Pictures pictures_;
    QImage canvas_;
    bool started_ = false;
    int canvasCursor_ = 0;
};

} // namespace tw
