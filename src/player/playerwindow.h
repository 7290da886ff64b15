#pragma once

#include "runtime/engine.h"
#include "runtime/gamesession.h"

#include <QWidget>

class QTimer;

namespace tw {

class InputRecorder;
class PlayerView;

// The window of a built game: the game's picture filling it (see PlayerView), the frame and overlay
// timers, and the keys: Esc between the game and its menu, F11 or Alt+Enter for full screen, Space held
// to show where a click does something. Closing asks GameSession whether the game may go.
class PlayerWindow final : public QWidget {
    Q_OBJECT
public:
    PlayerWindow(AssetPaths paths, Services services, QWidget* parent = nullptr);
    ~PlayerWindow() override;

    // Starts the game: the engine on its tree, the caption and the timers. False after a failed start-up
    // (already reported to the user); the program must then stop without writing anything.
    bool startUp();

    // Keeps a recording of the game as played: every input that reaches the game and every frame tick go
    // to `recorder` too, which writes its file when the window closes. Null (the default): none.
    void setRecorder(InputRecorder* recorder);

    Engine& engine() { return engine_; }
    GameSession& session() { return session_; }
    PlayerView* view() const { return view_; }
    bool zonesShown() const { return zonesShown_; }

    // The timers' work, callable directly (tests drive the window tick by tick).
    void frameTick();
    void overlayTick();

    // Full screen on or off; a window that was maximised before comes back maximised.
    void toggleFullScreen();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // After a key or the pointer reached the game: the record may have been replaced and the screen
    // changed, so timer, caption, picture and zones follow.
    void afterInput();
    void showZones(bool shown);
    void refreshZones();

    Engine engine_;
    GameSession session_;
    PlayerView* view_ = nullptr;
    QTimer* frameTimer_ = nullptr;
    QTimer* overlayTimer_ = nullptr;
    InputRecorder* recorder_ = nullptr;
    bool zonesShown_ = false;
    bool wasMaximized_ = false;
};

} // namespace tw
