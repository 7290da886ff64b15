#pragma once

#include "runtime/engine.h"

#include <QWidget>

class QLineEdit;
class QSpinBox;
class QTabWidget;
class QTimer;

namespace tw {

class CanvasView;

// The main window Tf: the canvas, the editor panel and the timers. It forwards events, timer ticks and
// control values to the engine and shows what the engine draws.
class MainWindow final : public QWidget {
    Q_OBJECT
public:
    MainWindow(AssetPaths paths, Services services, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Runs the engine's start-up and fills the window from the record. False after a failed start-up
    // (already reported to the user); the window must then be closed without saving.
    bool startUp();

    Engine& engine() { return engine_; }
    CanvasView* canvasView() const { return canvasView_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void buildPanel();
    void onOverlayTick();
    void onFrameTick();

    Engine engine_;
    CanvasView* canvasView_ = nullptr;
    QWidget* panel_ = nullptr;
    QTabWidget* pages_ = nullptr;
    QLineEdit* gameNameEdit_ = nullptr;
    QSpinBox* tickIntervalSpin_ = nullptr;
    QTimer* frameTimer_ = nullptr;
    QTimer* overlayTimer_ = nullptr;
};

} // namespace tw
