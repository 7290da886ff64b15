#include "editor/pages/scenestepper.h"

#include "editor/editorshell.h"
#include "editor/pages/stepper.h"
#include "editor/pages/widgets.h"
#include "runtime/engine.h"

#include <QLabel>

namespace tw {

SceneStepper::SceneStepper(Engine& engine, const char* downName, const char* upName, const char* labelName,
                           QWidget* parent)
    : QWidget(parent), engine_(engine) {
    resize(130, 44);
    label_ = label(this, labelName, QString(), 0, 0);
    auto* scenes = new Stepper(this, downName, upName, QPoint(0, 20), 60);
    connect(scenes, &Stepper::stepped, this, [this](int delta) {
        if (delta < 0) previousScene(engine_);
        else nextScene(engine_);
        refresh();
        emit sceneChanged();
    });
    refresh();
}

void SceneStepper::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refresh();
}

void SceneStepper::refresh() {
    label_->setText(QStringLiteral("Сцена ") + QString::number(engine_.screen().currentScene));
    label_->adjustSize();
}

} // namespace tw
