#pragma once

#include <QWidget>

class QCheckBox;
class QTabWidget;

namespace tw {

class Engine;
class SceneStepper;

// "Редактор сюжета": the scene buttons, the hero button, "Дорожки" and the plot editor's own page
// control with its nine sub-pages.
class PlotPage final : public QWidget {
    Q_OBJECT
public:
    PlotPage(Engine& engine, QWidget* parent);
    SceneStepper* sceneStepper() const { return stepper_; }
    QTabWidget* subPages() const { return subPages_; }

private:
    SceneStepper* stepper_;
    QTabWidget* subPages_;
};

} // namespace tw
