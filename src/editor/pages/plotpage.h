#pragma once

#include <QWidget>

class QCheckBox;
class QTabWidget;

namespace tw {

class Editor;
class SceneStepper;

// "Редактор сюжета": the scene buttons, the hero button, "Дорожки", the save point's two buttons and the
// plot editor's own page control with its nine sub-pages.
class PlotPage final : public QWidget {
    Q_OBJECT
public:
    PlotPage(Editor& editor, QWidget* parent);
    SceneStepper* sceneStepper() const { return stepper_; }
    QTabWidget* subPages() const { return subPages_; }

signals:
    // The save point replaced the record.
    void recordReplaced();

private:
    SceneStepper* stepper_;
    QTabWidget* subPages_;
};

} // namespace tw
