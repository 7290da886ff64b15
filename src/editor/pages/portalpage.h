#pragma once

#include <QWidget>

class QSpinBox;

namespace tw {

class Editor;

// "Портал" of the plot editor: the portal number, the button that arms its placement, "Убрать" and the
// steps of the placement. The target scene is chosen on the floating chooser (targetchooser.h).
class PortalPage final : public QWidget {
    Q_OBJECT
public:
    PortalPage(Editor& editor, QWidget* parent);

signals:
    // The canvas shows another scene or another overlay.
    void canvasChanged();

private:
    Editor& editor_;
    QSpinBox* numberSpin_ = nullptr; // SpinEdit6
};

// The help text of the portal page (Label45).
extern const char* const kPortalHelp;

// A spinner stepped with its arrows only (typing disabled), named `name`, within min..max.
QSpinBox* steppingSpin(QWidget* parent, const char* name, int min, int max, int x, int y, int w = 60);

} // namespace tw
