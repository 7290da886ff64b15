#pragma once

#include <QWidget>

class QRadioButton;
class QSpinBox;

namespace tw {

class Editor;
struct ProjectRecord;

// "Герой": the hero's five animations, his speed, the frame interval and his start position.
class HeroPage final : public QWidget {
    Q_OBJECT
public:
    HeroPage(Editor& editor, QWidget* parent);
    // The spinners take the record's animation numbers (done when the plot editor is chosen, and after
    // the record changed under the page).
    void loadAnimations();
    // The speed buttons follow heroStep (done on every frame of the scene).
    void showSpeed();
    // The interval spinner shows the record's period (done at start-up).
    void showInterval();

signals:
    // The frame timer must take the record's period now.
    void intervalSaved();

private:
    ProjectRecord& record();

    Editor& editor_;
    QSpinBox* animationSpins_[5] = {};
    QRadioButton* speedButtons_[3] = {};
    QSpinBox* intervalSpin_ = nullptr;
};

// The hero page's note on the frame interval.
extern const char* const kHeroHelp;

} // namespace tw
