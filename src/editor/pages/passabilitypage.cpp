#include "editor/pages/passabilitypage.h"

#include "editor/editor.h"
#include "editor/passability.h"
#include "editor/pages/scenestepper.h"
#include "editor/pages/widgets.h"
#include "runtime/engine.h"

#include <QLabel>
#include <QToolButton>

namespace tw {

const char* const kPassabilityHelp =
    "1.\tГерой может двигаться по клеткам только вертикально и горизонтально.\n"
    "2.\tФункция игры \"дверь\" перекрывает только одну клетку, участок дорожки в этом случае\n"
    "\tдолжен быть одноклеточным. Должен быть подход к двери.\n"
    "3.\tПерсонажи с диалогами должны иметь подходы.\n"
    "4.\tВсе проходы желательно устанавливать до редактирования логики на сцене.\n"
    "5.\tМаксимальная, но не суммарная, длина пути не должна превышать 300 клеток (типа змейка).";

PassabilityPage::PassabilityPage(Editor& editor, QWidget* parent) : QWidget(parent), editor_(editor) {
    stepper_ = new SceneStepper(editor.engine(), "SpeedButton46", "SpeedButton47", "Label5", this);
    stepper_->move(6, 4);

    walkableButton_ = speedButton(this, "SpeedButton44", QStringLiteral("Рисовать зону проходов"), 6, 52, 180);
    blockedButton_ = speedButton(this, "SpeedButton45", QStringLiteral("Стереть ячейки"), 6, 78, 180);
    for (QToolButton* button : {walkableButton_, blockedButton_}) button->setCheckable(true);
    connect(walkableButton_, &QToolButton::clicked, this, [this] {
        editor_.state().drawWalkable = true;
        showBrush();
    });
    connect(blockedButton_, &QToolButton::clicked, this, [this] {
        editor_.state().drawWalkable = false;
        showBrush();
    });

    auto* eraseAll = speedButton(this, "SpeedButton32", QStringLiteral("Все стереть"), 6, 110, 180);
    connect(eraseAll, &QToolButton::clicked, this, [this] {
        blockEveryCell(editor_);
        emit cellsChanged();
    });

    label(this, "Label43", QString::fromUtf8(kPassabilityHelp), 200, 6);
    showBrush();
}

void PassabilityPage::showBrush() {
    const bool walkable = editor_.state().drawWalkable;
    walkableButton_->setChecked(walkable);
    blockedButton_->setChecked(!walkable);
}

} // namespace tw
