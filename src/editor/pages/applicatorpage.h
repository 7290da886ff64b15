#pragma once

#include <QWidget>

class QCheckBox;
class QToolButton;

namespace tw {

class Applicator;
class SceneStepper;

// "Аппликатор фона сцены": the scene buttons, the scene and stamp files, the five view presets, the
// brush and the help text. The work itself is the Applicator's; the page only passes the choices on.
class ApplicatorPage final : public QWidget {
    Q_OBJECT
public:
    ApplicatorPage(Applicator& applicator, QWidget* parent);
    SceneStepper* sceneStepper() const { return scenes_; }

signals:
    // The scene shown, its picture or the view changed: the canvas is drawn anew.
    void canvasChanged();

private:
    // A button that runs an action of the applicator; the scene number follows what it did.
    void connectAction(QToolButton* button, bool (Applicator::*act)());

    Applicator& applicator_;
    SceneStepper* scenes_;
    QCheckBox* brush_; // CheckBox4
};

// The help text of the page (Label40).
extern const char* const kApplicatorHelp;

} // namespace tw
