#pragma once

#include "runtime/engine.h"

#include <QWidget>

class QTimer;

namespace tw {

class CanvasView;
class EditorPanel;

// The main window Tf: the canvas, the editor panel and the two timers. It forwards events, timer ticks and
// control values to the engine and shows what the engine draws.
class MainWindow final : public QWidget {
    Q_OBJECT
public:
    MainWindow(AssetPaths paths, Services services, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Runs the engine's start-up and fills the window from the record. False after a failed start-up
    // (already reported to the user); the window must then be closed without saving.
    bool startUp();

    // The period of the recovery writes (30 s by default); tests shorten it.
    void setRecoveryInterval(int milliseconds);

    Engine& engine() { return engine_; }
    CanvasView* canvasView() const { return canvasView_; }
    EditorPanel* editorPanel() const { return panel_; }

    // The timers' work, callable directly (tests drive the window tick by tick).
    void frameTick();
    void overlayTick();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

private:
    void applyPanelChange(PanelChange change);
    // Back to the overlay's full rate: something it draws from may change now.
    void wakeOverlay();
    bool overlayIdle() const;

    Engine engine_;
    CanvasView* canvasView_ = nullptr;
    EditorPanel* panel_ = nullptr;
    QWidget* animatorPanel_ = nullptr; // Panel2
    QTimer* frameTimer_ = nullptr;
    QTimer* overlayTimer_ = nullptr;
    int stillOverlayTicks_ = 0; // overlay ticks in a row that changed nothing
    QTimer* recoveryTimer_ = nullptr;
};

} // namespace tw
