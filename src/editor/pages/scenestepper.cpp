#include "editor/pages/scenestepper.h"

#include "editor/editorshell.h"
#include "editor/pages/widgets.h"
#include "runtime/engine.h"

#include <QLabel>
#include <QToolButton>

namespace tw {

SceneStepper::SceneStepper(Engine& engine, const char* downName, const char* upName, const char* labelName,
                           QWidget* parent)
    : QWidget(parent), engine_(engine) {
    resize(130, 44);
    if (labelName) {
        label_ = label(this, labelName, QString(), 0, 0);
    } else {
        label(this, "Label5", QStringLiteral("Сцена"), 0, 0);
    }
    auto* down = speedButton(this, downName, QStringLiteral("---"), 0, 20, 60);
    auto* up = speedButton(this, upName, QStringLiteral("+"), 64, 20, 60);
    connect(down, &QToolButton::clicked, this, [this] {
        previousScene(engine_);
        refresh();
        emit sceneChanged();
    });
    connect(up, &QToolButton::clicked, this, [this] {
        nextScene(engine_);
        refresh();
        emit sceneChanged();
    });
    refresh();
}

void SceneStepper::refresh() {
    if (!label_) return;
    label_->setText(QStringLiteral("Сцена ") + QString::number(engine_.screen().currentScene));
    label_->adjustSize();
}

} // namespace tw
