#pragma once

#include <QFrame>

class QSpinBox;

namespace tw {

class Editor;

// RzPanel1: the small panel over the canvas on which the author chooses the scene a portal leads to,
// shown from the press on the portal's cell until "Клик на точке появления". The spinner shows the
// target scene on the canvas as it turns.
class TargetChooser final : public QFrame {
    Q_OBJECT
public:
    TargetChooser(Editor& editor, QWidget* parent);
    // Shows or hides the panel as the editor state says; while shown, the spinner runs over the scenes
    // that exist and shows the scene on the canvas, which the arrival press will take as the target.
    void follow();

signals:
    // The canvas shows another scene or another overlay.
    void canvasChanged();

private:
    Editor& editor_;
    QSpinBox* sceneSpin_ = nullptr; // SpinEdit7
};

} // namespace tw
