#include "editor/pages/itemspage.h"

#include "editor/editor.h"
#include "editor/pages/stepper.h"
#include "editor/pages/widgets.h"
#include "editor/picturesets.h"
#include "runtime/engine.h"

#include <QLabel>
#include <QPixmap>
#include <QToolButton>

namespace tw {

ItemsPage::ItemsPage(Editor& editor, QWidget* parent) : QWidget(parent), editor_(editor) {
    Engine& engine = editor.engine();
    auto* panel = speedButton(this, "SpeedButton33", QStringLiteral("Загрузить понель (1009x60)"), 300, 6, 200, 26);
    connect(panel, &QToolButton::clicked, this, [this] { replacePanel(editor_); });

    itemLabel_ = label(this, "Label13", QString(), 6, 4);
    auto* items = new Stepper(this, "SpeedButton34", "SpeedButton35", QPoint(6, 26), 40);
    connect(items, &Stepper::stepped, this, [this, &engine](int delta) {
        stepItem(engine, delta);
        emit itemChanged();
    });
    preview_ = new QLabel(this);
    preview_->setObjectName(QStringLiteral("Image3"));
    preview_->setGeometry(100, 6, 97, 57);

    auto* replace = speedButton(this, "SpeedButton54", QStringLiteral("Заменить"), 100, 70, 97, 26);
    label(this, nullptr, QStringLiteral("50x50 и сразу 20x20"), 100, 100);
    connect(replace, &QToolButton::clicked, this, [this] {
        replaceItemPictures(editor_);
        emit itemChanged();
    });
}

void ItemsPage::showItem() {
    Engine& engine = editor_.engine();
    itemLabel_->setText(QStringLiteral("Предмет ") + QString::number(editor_.state().currentItem));
    itemLabel_->adjustSize();
    preview_->setPixmap(QPixmap::fromImage(itemPreview(engine)));
}

} // namespace tw
