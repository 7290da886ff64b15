#include "editor/pages/doorpage.h"

#include "editor/editor.h"
#include "editor/pages/widgets.h"
#include "editor/picturesets.h"
#include "runtime/engine.h"

#include <QLabel>
#include <QPixmap>
#include <QToolButton>

namespace tw {

DoorPage::DoorPage(Editor& editor, QWidget* parent) : QWidget(parent), editor_(editor) {
    Engine& engine = editor.engine();
    auto* previous = speedButton(this, "SpeedButton82", QStringLiteral("---"), 6, 6, 40, 22);
    auto* next = speedButton(this, "SpeedButton83", QStringLiteral("+"), 50, 6, 40, 22);
    const auto step = [this, &engine](int delta) {
        stepDoorPick(engine, delta);
        showPick();
        emit pickChanged();
    };
    connect(previous, &QToolButton::clicked, this, [step] { step(-1); });
    connect(next, &QToolButton::clicked, this, [step] { step(+1); });
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

void DoorPage::showPick() { preview_->setPixmap(QPixmap::fromImage(doorPreview(editor_.engine()))); }

} // namespace tw
