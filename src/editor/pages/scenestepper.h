#pragma once

#include <QWidget>

class QLabel;

namespace tw {

class Engine;

// A pair of scene buttons "---" and "+" with the label "Сцена " + n, as on the applicator,
// passability and plot editor pages. Coming into view, it shows the scene of the moment.
class SceneStepper final : public QWidget {
    Q_OBJECT
public:
    // downName/upName/labelName: the controls' names.
    SceneStepper(Engine& engine, const char* downName, const char* upName, const char* labelName, QWidget* parent);
    // Shows the current scene in the label.
    void refresh();

signals:
    void sceneChanged();

protected:
    void showEvent(QShowEvent* event) override;

private:
    Engine& engine_;
    QLabel* label_;
};

} // namespace tw
