#include "editor/pages/plotremarkspage.h"

#include "editor/editor.h"
#include "editor/pages/portalpage.h"
#include "editor/pages/textfield.h"
#include "editor/pages/widgets.h"
#include "editor/remarks.h"
#include "runtime/engine.h"

#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>

namespace tw {

const char* const kHeroRemarksHelp = "Реплики героя (50шт. по 30 знаков) - располагаются во всех сценах, \n"
                                     "в одном экземпляре и одноразовы как мины, набрел - выругался.";
const char* const kHintsHelp = "20 шт. на сцену (по 50 знаков). В игре при наведении курсора \n"
                               "на не понятную хрень - выскачет подсказка.";
const char* const kCrowdRemarksHelp = "Реплики массовки. \n"
                                      "Номер уникален, располагается один раз, \n"
                                      "на любой сцене. Чтобы не запутаться написали \n"
                                      "реплику, сохранили, разместили. \n"
                                      "Надо новую, нашли пустую. \n"
                                      "Перед завершением игры дописали остальные, \n"
                                      "но не обязательно.";

namespace {

// While `field` has the focus, `preview` describes its text as play will show it; when the focus leaves,
// the canvas shows the game alone again.
template <class Page>
void followFocus(Page* page, TextField* field) {
    QObject::connect(field, &TextField::focusChanged, page, [page](bool focused) {
        if (focused) page->refreshPreview();
        else emit page->textPreviewChanged(TextPreview{});
    });
    QObject::connect(field, &QLineEdit::textChanged, page, [page] { page->refreshPreview(); });
}

} // namespace

PlotHeroRemarksPage::PlotHeroRemarksPage(Editor& editor, QWidget* parent) : QWidget(parent), editor_(editor) {
    Engine& engine = editor.engine();
    label(this, nullptr, QStringLiteral("Реплика героя"), 6, 2);
    auto* previous = speedButton(this, "SpeedButton93", QStringLiteral("---"), 6, 20, 40);
    auto* next = speedButton(this, "SpeedButton94", QStringLiteral("+"), 50, 20, 40);
    number_ = label(this, "Label31", QString(), 98, 24);
    for (auto [button, by] : {std::pair{previous, -1}, std::pair{next, +1}}) {
        connect(button, &QToolButton::clicked, this, [this, &engine, by = by] {
            stepHeroRemark(engine, by);
            text_->setModified(false);
            showRecord();
        });
    }
    text_ = new TextField(this, "Edit1", 30, QRect(6, 50, 300, 24));
    followFocus(this, text_);
    auto* save = speedButton(this, "SpeedButton96", QStringLiteral("Сохранить"), 314, 50, 100, 24);
    connect(save, &QToolButton::clicked, this, [this] {
        storeHeroRemark(editor_, text_->text());
        text_->setModified(false);
    });
    auto* place = speedButton(this, "SpeedButton95", QStringLiteral("Разместить"), 314, 80, 100, 24);
    connect(place, &QToolButton::clicked, this, [this, &engine] {
        engine.editor().heroRemarkArmed = true;
        emit canvasChanged();
    });
    helpText(this, "Label50", QString::fromUtf8(kHeroRemarksHelp), QRect(424, 0, 266, 112));
    showRecord();
}

void PlotHeroRemarksPage::showRecord() {
    Engine& engine = editor_.engine();
    const int n = engine.editor().currentHeroRemark;
    number_->setText(QString::number(n));
    number_->adjustSize();
    if (!text_->isModified()) text_->setText(engine.record().heroRemark(n).text.text());
}

void PlotHeroRemarksPage::refreshPreview() {
    if (!text_->hasFocus()) return;
    emit textPreviewChanged(heroRemarkPreview(editor_.engine(), text_->text()));
}

PlotHintsPage::PlotHintsPage(Editor& editor, QWidget* parent) : QWidget(parent), editor_(editor) {
    Engine& engine = editor.engine();
    label(this, nullptr, QStringLiteral("Подсказка (кол-20)"), 6, 2);
    number_ = steppingSpin(this, "SpinEdit11", 1, kHintsPerScene, 6, 20);
    number_->setValue(engine.editor().currentHint);
    connect(number_, &QSpinBox::valueChanged, this, [this, &engine](int k) {
        engine.editor().currentHint = k;
        text_->setModified(false);
        showRecord();
    });
    text_ = new TextField(this, "Edit2", 50, QRect(6, 50, 400, 24));
    followFocus(this, text_);
    auto* save = speedButton(this, "SpeedButton97", QStringLiteral("Сохранить"), 306, 80, 100, 24);
    connect(save, &QToolButton::clicked, this, [this] {
        storeHint(editor_, text_->text());
        text_->setModified(false);
    });
    auto* zone = speedButton(this, "SpeedButton98", QStringLiteral("Зона наведения курсора (растянуть)"), 74, 20, 240, 24);
    connect(zone, &QToolButton::clicked, this, [this, &engine] {
        engine.editor().hintZoneArmed = true;
        emit canvasChanged();
    });
    auto* position = speedButton(this, "SpeedButton99", QStringLiteral("Координата показа текста"), 6, 80, 200, 24);
    connect(position, &QToolButton::clicked, this, [this, &engine] {
        engine.editor().hintTextArmed = true;
        emit canvasChanged();
    });
    auto* remove = speedButton(this, "SpeedButton126", QStringLiteral("Убрать"), 320, 20, 86, 24);
    connect(remove, &QToolButton::clicked, this, [this] {
        removeHint(editor_);
        text_->setModified(false);
        showRecord();
        emit canvasChanged();
    });
    helpText(this, "Label51", QString::fromUtf8(kHintsHelp), QRect(414, 0, 276, 112));
    showRecord();
}

void PlotHintsPage::showRecord() {
    Engine& engine = editor_.engine();
    {
        const QSignalBlocker blocker(number_);
        number_->setValue(engine.editor().currentHint);
    }
    if (!text_->isModified())
        text_->setText(engine.record().scene(engine.screen().currentScene).hint(number_->value()).text.text());
}

void PlotHintsPage::refreshPreview() {
    if (!text_->hasFocus()) return;
    emit textPreviewChanged(hintPreview(editor_.engine(), text_->text()));
}

PlotCrowdRemarksPage::PlotCrowdRemarksPage(Editor& editor, QWidget* parent) : QWidget(parent), editor_(editor) {
    Engine& engine = editor.engine();
    label(this, nullptr, QStringLiteral("(кол-50)"), 6, 2);
    number_ = steppingSpin(this, "SpinEdit15", 1, kCrowdRemarkCapacity, 6, 20);
    number_->setValue(engine.editor().crowdRemarkSpin);
    connect(number_, &QSpinBox::valueChanged, this, [this, &engine](int k) {
        engine.editor().crowdRemarkSpin = k;
        text_->setModified(false);
        showRecord();
    });
    text_ = new TextField(this, "Edit16", 30, QRect(6, 50, 300, 24));
    followFocus(this, text_);
    auto* save = speedButton(this, "SpeedButton118", QStringLiteral("Сохранить"), 314, 50, 100, 24);
    connect(save, &QToolButton::clicked, this, [this] {
        storeCrowdRemark(editor_, text_->text());
        text_->setModified(false);
    });
    auto* place = speedButton(this, "SpeedButton119", QStringLiteral("Разместить"), 314, 80, 100, 24);
    connect(place, &QToolButton::clicked, this, [this, &engine] {
        engine.editor().crowdRemarkArmed = true;
        emit canvasChanged();
    });
    helpText(this, "Label67", QString::fromUtf8(kCrowdRemarksHelp), QRect(424, 0, 266, 112));
    showRecord();
}

void PlotCrowdRemarksPage::showRecord() {
    Engine& engine = editor_.engine();
    {
        const QSignalBlocker blocker(number_);
        number_->setValue(engine.editor().crowdRemarkSpin);
    }
    if (!text_->isModified()) text_->setText(engine.record().crowdRemark(number_->value()).text.text());
}

void PlotCrowdRemarksPage::refreshPreview() {
    if (!text_->hasFocus()) return;
    emit textPreviewChanged(crowdRemarkPreview(editor_.engine(), text_->text()));
}

} // namespace tw
