#pragma once

#include <QWidget>

class QLabel;

namespace tw {

class Engine;

// A pair of scene buttons "---" and "+" with an optional label "Сцена " + n, as on the applicator,
// passability and plot editor pages.
class SceneStepper final : public QWidget {
    Q_OBJECT
public:
    // downName/upName/labelName: the controls' names; labelName null for a page without a number.
    SceneStepper(Engine& engine, const char* downName, const char* upName, const char* labelName, QWidget* parent);
    // Shows the current scene in the label.
    void refresh();

signals:
    void sceneChanged();

private:
    Engine& engine_;
    QLabel* label_ = nullptr;
};

} // namespace tw
