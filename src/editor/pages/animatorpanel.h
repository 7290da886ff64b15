#pragma once

#include "editor/animator.h"

#include <QWidget>

#include <functional>

class QLabel;
class QToolButton;

namespace tw {

class Editor;
class Engine;

// Panel2, beside the canvas while the animator is the chosen page: the preview Image2, the animation and
// frame selectors, the frame count, the two mouse modes of the canvas and the nudge crosses of the
// current frame's position and size, with the four numbers in the crosses' middles.
class AnimatorPanel final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 345;
    static constexpr int kHeight = 530;

    AnimatorPanel(Editor& editor, QWidget* parent);

    // Entering (true) or leaving the animator page: the panel shows or hides; shown, it shows the
    // selection anew.
    void setShown(bool shown);
    // The record or the selection changed (undo, redo, erase): the selection is kept within the
    // animation's frames and the labels and mode buttons show it.
    void showRecord();
    // After each frame tick in the animator: the preview and the frame label are shown anew.
    void showPreview();

signals:
    // The canvas shows something else now (another frame, a moved rectangle).
    void canvasChanged();

private:
    // Runs a selector or an edit of the record, then shows the result.
    void select(std::function<void()> action);
    void edit(std::function<void()> action);
    QToolButton* nudgeButton(const char* name, const QString& caption, int x, int y, FrameValue value, int delta);

    Editor& editor_;
    Engine& engine_;
    QWidget* preview_ = nullptr;          // Image2
    QLabel* animationLabel_ = nullptr;    // Label2
    QLabel* frameLabel_ = nullptr;        // Label3
    QLabel* framePosition_ = nullptr;     // the current frame's srcX and srcY
    QLabel* frameSize_ = nullptr;         // its width and height
    QToolButton* moveModeButton_ = nullptr;    // SpeedButton29
    QToolButton* stretchModeButton_ = nullptr; // SpeedButton30
};

} // namespace tw
