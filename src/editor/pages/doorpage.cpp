#include "editor/pages/doorpage.h"

#include "editor/editor.h"
#include "editor/pages/stepper.h"
#include "editor/pages/widgets.h"
#include "editor/picturesets.h"
#include "runtime/engine.h"

#include <QLabel>
#include <QPixmap>
#include <QToolButton>

namespace tw {

DoorPage::DoorPage(Editor& editor, QWidget* parent) : QWidget(parent), editor_(editor) {
    Engine& engine = editor.engine();
    number_ = label(this, "DoorNumber", QString(), 6, 4);
    auto* doors = new Stepper(this, "SpeedButton82", "SpeedButton83", QPoint(6, 26), 40);
    connect(doors, &Stepper::stepped, this, [this, &engine](int delta) {
        stepDoorPick(engine, delta);
        showPick();
        emit pickChanged();
    });
    preview_ = new QLabel(this);
    preview_->setObjectName(QStringLiteral("Image10"));
    preview_->setGeometry(100, 4, 65, 97);
    auto* replace = speedButton(this, "SpeedButton84", QStringLiteral("Заменить"), 180, 6, 90, 26);
    label(this, nullptr, QStringLiteral("60 X 90"), 180, 36);
    connect(replace, &QToolButton::clicked, this, [this] {
        if (!replaceDoorPicture(editor_)) return;
        showPick();
        emit pickChanged();
    });
}

void DoorPage::showPick() {
    number_->setText(QStringLiteral("Дверь ") + QString::number(editor_.state().closedDoorPick));
    number_->adjustSize();
    preview_->setPixmap(QPixmap::fromImage(doorPreview(editor_.engine())));
}

} // namespace tw
