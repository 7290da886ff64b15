#include "editor/pages/plotitemspage.h"

#include "editor/editor.h"
#include "editor/items.h"
#include "editor/pages/stepper.h"
#include "editor/pages/widgets.h"
#include "editor/strippreview.h"
#include "platform/messages.h"
#include "runtime/engine.h"
#include "toolkit/toolkittypes.h"

#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QToolButton>

#include <algorithm>

namespace tw {

const char* const kPlotItemsHelp =
    "Предметы (100 шт.), в игре, можно переносить в другие сцены, складировать \n"
    "на любой сцене, получать или обменивать у персонажей (один персонаж - \n"
    "один предмет), составлять из двух один.\n"
    "В редакторе, располагают на проходах (для подбора героем), в диалогах \n"
    "и сумке (панель сверху). Составные предметы будут созданы в процессе игры.\n"
    "При обмене, отдаваемый предмет теряется, используемые как ключи - \n"
    "сохраняются в сумке.\n"
    "Предмет с определенным номером в игре - уникален и в одном экземпляре.";

QPixmap cellPreview(const Picture& strip, int w, int h, int n, QSize size) {
    return QPixmap::fromImage(stripPreview(size, {{strip, QSize(w, h), n, QPoint(0, 0)}}));
}

namespace {

// The icon of the button that opens the combination panel: two small items joined into a third.
QIcon combinationIcon() {
    QPixmap pixmap(20, 20);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.fillRect(1, 1, 7, 7, QColor(0x40, 0x80, 0xC0));
    painter.fillRect(12, 1, 7, 7, QColor(0xC0, 0x80, 0x40));
    painter.fillRect(5, 12, 10, 7, QColor(0x60, 0xA0, 0x60));
    return QIcon(pixmap);
}

} // namespace

PlotItemsPage::PlotItemsPage(Editor& editor, QWidget* parent) : QWidget(parent), editor_(editor) {
    Engine& engine = editor.engine();
    EditorState& state = editor_.state();

    label(this, nullptr, QStringLiteral("Выбор предмета"), 6, 2);
    auto* items = new Stepper(this, "SpeedButton64", "SpeedButton65", QPoint(6, 20), 36, 22, 2);
    items->bind(state.currentItem, 1, kItemCapacity);
    connect(items, &Stepper::changed, this, &PlotItemsPage::showItem);
    itemLabel_ = label(this, "Label19", QString(), 6, 46);
    compositeLabel_ = label(this, "Label23", QString(), 6, 64);
    picture_ = pictureLabel(this, "Image4", QRect(112, 2, 57, 57));

    auto* place = speedButton(this, "SpeedButton67", QStringLiteral("Разместить"), 176, 2, 90);
    connect(place, &QToolButton::clicked, this, [this, &state] {
        state.itemArmed = true;
        emit canvasChanged();
    });
    auto* remove = speedButton(this, "SpeedButton124", QStringLiteral("Убрать"), 176, 28, 90);
    connect(remove, &QToolButton::clicked, this, [this, &engine, &state] {
        editor_.change([&] { removeItem(engine.record(), state.currentItem); });
        emit canvasChanged();
    });
    auto* combine = new QToolButton(this);
    combine->setObjectName(QStringLiteral("SpeedButton66"));
    combine->setIcon(combinationIcon());
    combine->setGeometry(176, 56, 26, 26);
    combine->setToolTip(QStringLiteral("Показать составление предметов"));
    combine->setAccessibleName(QStringLiteral("Часть составного"));
    label(this, nullptr, QStringLiteral("Часть\nсоставного"), 206, 56);

    panel_ = new QFrame(this);
    panel_->setObjectName(QStringLiteral("Panel3"));
    static_cast<QFrame*>(panel_)->setFrameShape(QFrame::StyledPanel);
    panel_->setGeometry(270, 0, 236, 112);
    connect(combine, &QToolButton::clicked, this, [this] {
        panel_->show();
        showPicks();
    });
    struct Pick {
        const char* down;
        const char* up;
        int* value;
        int x;
    };
    for (const Pick& p : {Pick{"SpeedButton68", "SpeedButton69", &state.itemPickA, 4},
                          Pick{"SpeedButton70", "SpeedButton71", &state.itemPickB, 130}}) {
        auto* picks = new Stepper(panel_, p.down, p.up, QPoint(p.x, 4), 30, 22, 2);
        picks->bind(*p.value, 1, kItemCapacity);
        connect(picks, &Stepper::changed, this, &PlotItemsPage::showPicks);
    }
    pickALabel_ = label(panel_, "Label21", QString(), 68, 8);
    pickBLabel_ = label(panel_, "Label22", QString(), 194, 8);
    pickAPicture_ = pictureLabel(panel_, "Image5", QRect(4, 30, 50, 50));
    pickBPicture_ = pictureLabel(panel_, "Image6", QRect(130, 30, 50, 50));
    label(panel_, "Label20", QStringLiteral("="), 100, 46);
    auto* save = speedButton(panel_, "SpeedButton72", QStringLiteral("Сохранить"), 4, 86, 100);
    connect(save, &QToolButton::clicked, this, [this, &engine, &state] {
        QString refusal;
        editor_.change([&] {
            refusal = saveCombination(engine.record(), state.currentItem, state.itemPickA, state.itemPickB);
        });
        if (!refusal.isEmpty()) {
            engine.services().messages.showError(fromQt(refusal));
            return;
        }
        panel_->hide();
        showRecord();
    });
    auto* erase = speedButton(panel_, "SpeedButton73", QStringLiteral("стереть"), 130, 86, 100);
    connect(erase, &QToolButton::clicked, this, [this, &engine, &state] {
        int partner = 0;
        editor_.change([&] { partner = eraseCombination(engine.record(), state.currentItem, state.itemPickB); });
        if (isItemNumber(partner)) state.itemPickA = partner;
        panel_->hide();
        showRecord();
    });
    panel_->hide();

    helpText(this, "Label47", QString::fromUtf8(kPlotItemsHelp), QRect(512, 0, 182, 112));
    showRecord();
}

void PlotItemsPage::showItem() {
    EditorState& state = editor_.state();
    const Item& item = editor_.engine().record().item(state.currentItem);
    if (item.partner == 0) {
        panel_->hide();
    } else {
        state.itemPickA = item.partner;
        state.itemPickB = std::max(1, int(item.product));
        panel_->show();
    }
    showRecord();
}

void PlotItemsPage::showRecord() {
    Engine& engine = editor_.engine();
    const int n = editor_.state().currentItem;
    itemLabel_->setText(QStringLiteral("Предмет ") + QString::number(n));
    itemLabel_->adjustSize();
    compositeLabel_->setText(engine.record().item(n).isComposite == 1 ? QStringLiteral("Составной") : QString());
    compositeLabel_->adjustSize();
    picture_->setPixmap(cellPreview(engine.pictures().largeItemStrip, 50, 50, n, picture_->size()));
    showPicks();
}

void PlotItemsPage::showPicks() {
    Engine& engine = editor_.engine();
    const EditorState& state = editor_.state();
    const Picture& strip = engine.pictures().largeItemStrip;
    pickALabel_->setText(QString::number(state.itemPickA));
    pickBLabel_->setText(QString::number(state.itemPickB));
    pickALabel_->adjustSize();
    pickBLabel_->adjustSize();
    pickAPicture_->setPixmap(cellPreview(strip, 50, 50, state.itemPickA, pickAPicture_->size()));
    pickBPicture_->setPixmap(cellPreview(strip, 50, 50, state.itemPickB, pickBPicture_->size()));
}

} // namespace tw
