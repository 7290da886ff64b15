#pragma once

#include <QWidget>

#include <functional>

class QToolButton;

namespace tw {

// A pair of buttons "---" and "+" that step a number by one. The stepper holds no number: a press either
// reports the step (stepped) to whoever owns the number, or, once bound, moves the bound number of the
// editor's state within its range and reports that it changed (changed). The pair sits on its parent at
// the point given, the buttons side by side.
class Stepper final : public QWidget {
    Q_OBJECT
public:
    Stepper(QWidget* parent, const char* downName, const char* upName, QPoint at, int buttonWidth,
            int buttonHeight = 22, int gap = 4);

    // Each press moves `value` by one within low..high(), read at the press (a comic count may grow),
    // then emits changed(). `value` must outlive the stepper (a field of the editor's state).
    void bind(int& value, int low, std::function<int()> high);
    void bind(int& value, int low, int high);

    QToolButton* downButton() const { return down_; }
    QToolButton* upButton() const { return up_; }

signals:
    // A press: -1 for "---", +1 for "+".
    void stepped(int delta);
    // The bound number moved (or stayed at its bound: the page shows it anew either way).
    void changed();

private:
    QToolButton* down_;
    QToolButton* up_;
};

// value + delta kept within low..high (high below low counts as low).
int steppedWithin(int value, int delta, int low, int high);

} // namespace tw
