#pragma once

#include <QWidget>

class QCheckBox;
class QSpinBox;

namespace tw {

class Editor;

// "Анимация" of the plot editor: the nine animation spots of the scene shown. The spot number chooses
// the spot, the button arms its placement (the next press on the canvas), the animation number and the
// two check boxes change the spot at once.
class SpotPage final : public QWidget {
    Q_OBJECT
public:
    SpotPage(Editor& editor, QWidget* parent);
    // The check boxes show the chosen spot of the scene shown, and the animation spinner its animation
    // when it names one. Done on a change of the spot number or of the tab, and after the record changed
    // under the page. A placing press alone does not refresh them.
    void showSpot();

private:
    Editor& editor_;
    QSpinBox* spotSpin_ = nullptr;      // SpinEdit8
    QSpinBox* animationSpin_ = nullptr; // SpinEdit9
    QCheckBox* shownBox_ = nullptr;     // CheckBox2
    QCheckBox* randomBox_ = nullptr;    // CheckBox3
};

// The help text of the animation page (Label46).
extern const char* const kSpotHelp;

} // namespace tw
