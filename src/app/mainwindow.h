#pragma once

#include "editor/applicator.h"
#include "editor/editor.h"
#include "editor/textpreview.h"
#include "runtime/engine.h"

#include <QWidget>

class QTimer;

namespace tw {

class AnimatorPanel;
class CanvasView;
class EditorPanel;
class TargetChooser;

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
    Editor& editor() { return editor_; }
    CanvasView* canvasView() const { return canvasView_; }
    EditorPanel* editorPanel() const { return panel_; }

    // The timers' work, callable directly (tests drive the window tick by tick).
    void frameTick();
    void overlayTick();

    // Ctrl+Z, and Ctrl+Shift+Z or Ctrl+Y: the editor's last step taken back or made again.
    void undo();
    void redo();

protected:
    void wheelEvent(QWheelEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

private:
    void applyPanelChange(PanelChange change);
    // Back to the overlay's full rate: something it draws from may change now.
    void wakeOverlay();
    bool overlayIdle() const;
    // The record changed under the window (undo, redo, restore, erase): controls, timer and canvas follow.
    void showRecord();
    // Panels over the canvas that follow the editor's state (the portal's target chooser, the text
    // being written).
    void followEditorState();
    // Shows a game text over the canvas where play will draw it; an empty one takes it away.
    void showTextPreview(const TextPreview& preview);

    Engine engine_;
    Editor editor_;
    Applicator applicator_{editor_};
    CanvasView* canvasView_ = nullptr;
    EditorPanel* panel_ = nullptr;
    AnimatorPanel* animatorPanel_ = nullptr; // Panel2
    TargetChooser* targetChooser_ = nullptr; // RzPanel1
    QTimer* frameTimer_ = nullptr;
    QTimer* overlayTimer_ = nullptr;
    int stillOverlayTicks_ = 0; // overlay ticks in a row that changed nothing
    int wheelTurn_ = 0;         // the wheel's turn not yet a whole notch, in eighths of a degree
    QTimer* recoveryTimer_ = nullptr;
    TextPreview shownPreview_;
};

} // namespace tw
