#pragma once

#include <QWidget>

class QToolButton;

namespace tw {

class Editor;
class SceneStepper;

// "Проходимость": the brush (walkable or blocked cells), the scene buttons, "Все стереть" and the rules
// of the page. The painting itself happens on the canvas.
class PassabilityPage final : public QWidget {
    Q_OBJECT
public:
    PassabilityPage(Editor& editor, QWidget* parent);
    SceneStepper* sceneStepper() const { return stepper_; }
    // The brush buttons show the brush in use.
    void showBrush();

signals:
    // The cells of the scene shown changed.
    void cellsChanged();

private:
    Editor& editor_;
    SceneStepper* stepper_ = nullptr;
    QToolButton* walkableButton_ = nullptr; // SpeedButton44
    QToolButton* blockedButton_ = nullptr;  // SpeedButton45
};

// The rules of the passability page, one numbered line each.
extern const char* const kPassabilityHelp;

} // namespace tw
