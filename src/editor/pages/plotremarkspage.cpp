#include "editor/pages/plotremarkspage.h"

#include "editor/editor.h"
#include "editor/pages/portalpage.h"
#include "editor/pages/textfield.h"
#include "editor/pages/stepper.h"
#include "editor/pages/widgets.h"
#include "editor/remarks.h"
#include "runtime/engine.h"
#include "toolkit/toolkittypes.h"

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

PlotTextPage::PlotTextPage(Editor& editor, QWidget* parent) : QWidget(parent), editor_(editor) {}

void PlotTextPage::addText(const char* name, int capacity, const QRect& at, const char* saveName, const QRect& saveAt,
                           std::function<void(Editor&, const std::string&)> store) {
    text_ = new TextField(this, name, capacity, at);
    // While the box has the focus the canvas shows its text as play will; when the focus leaves, the
    // canvas shows the game alone again.
    connect(text_, &TextField::focusChanged, this, [this](bool focused) {
        if (focused) refreshPreview();
        else emit textPreviewChanged(TextPreview{});
    });
    connect(text_, &QLineEdit::textChanged, this, &PlotTextPage::refreshPreview);
    auto* save = speedButton(this, saveName, QStringLiteral("Сохранить"), saveAt.x(), saveAt.y(), saveAt.width(),
                             saveAt.height());
    connect(save, &QToolButton::clicked, this, [this, store = std::move(store)] {
        store(editor_, fromQt(text_->text()));
        text_->setModified(false);
    });
}

void PlotTextPage::addArming(const char* name, const QString& caption, const QRect& at, bool EditorState::*flag) {
    auto* button = speedButton(this, name, caption, at.x(), at.y(), at.width(), at.height());
    connect(button, &QToolButton::clicked, this, [this, flag] {
        editor_.state().*flag = true;
        emit canvasChanged();
    });
}

void PlotTextPage::showText(const QString& text, bool chosen) {
    if (chosen) text_->setModified(false);
    if (!text_->isModified()) text_->setText(text);
}

void PlotTextPage::refreshPreview() {
    if (!text_->hasFocus()) return;
    emit textPreviewChanged(previewOf(text_->text()));
}

PlotHeroRemarksPage::PlotHeroRemarksPage(Editor& editor, QWidget* parent) : PlotTextPage(editor, parent) {
    Engine& engine = editor.engine();
    label(this, nullptr, QStringLiteral("Реплика героя"), 6, 2);
    auto* numbers = new Stepper(this, "SpeedButton93", "SpeedButton94", QPoint(6, 20), 40);
    number_ = label(this, "Label31", QString(), 98, 24);
    addText("Edit1", 30, QRect(6, 50, 300, 24), "SpeedButton96", QRect(314, 50, 100, 24), &storeHeroRemark);
    connect(numbers, &Stepper::stepped, this, [this, &engine](int by) {
        stepHeroRemark(engine, by);
        showText(toQt(engine.record().heroRemark(editor_.state().currentHeroRemark).text.text()), true);
        showRecord();
    });
    addArming("SpeedButton95", QStringLiteral("Разместить"), QRect(314, 80, 100, 24), &EditorState::heroRemarkArmed);
    helpText(this, "Label50", QString::fromUtf8(kHeroRemarksHelp), QRect(424, 0, 266, 112));
    showRecord();
}

void PlotHeroRemarksPage::showRecord() {
    Engine& engine = editor_.engine();
    const int n = editor_.state().currentHeroRemark;
    number_->setText(QString::number(n));
    number_->adjustSize();
    showText(toQt(engine.record().heroRemark(n).text.text()));
}

TextPreview PlotHeroRemarksPage::previewOf(const QString& text) { return heroRemarkPreview(editor_.engine(), text); }

PlotHintsPage::PlotHintsPage(Editor& editor, QWidget* parent) : PlotTextPage(editor, parent) {
    Engine& engine = editor.engine();
    label(this, nullptr, QStringLiteral("Подсказка (кол-20)"), 6, 2);
    number_ = steppingSpin(this, "SpinEdit11", 1, kHintsPerScene, 6, 20);
    number_->setValue(editor_.state().currentHint);
    addText("Edit2", 50, QRect(6, 50, 400, 24), "SpeedButton97", QRect(306, 80, 100, 24), &storeHint);
    connect(number_, &QSpinBox::valueChanged, this, [this, &engine](int k) {
        editor_.state().currentHint = k;
        showText(toQt(engine.record().scene(engine.screen().currentScene).hint(k).text.text()), true);
    });
    addArming("SpeedButton98", QStringLiteral("Зона наведения курсора (растянуть)"), QRect(74, 20, 240, 24),
              &EditorState::hintZoneArmed);
    addArming("SpeedButton99", QStringLiteral("Координата показа текста"), QRect(6, 80, 200, 24),
              &EditorState::hintTextArmed);
    auto* remove = speedButton(this, "SpeedButton126", QStringLiteral("Убрать"), 320, 20, 86, 24);
    connect(remove, &QToolButton::clicked, this, [this] {
        removeHint(editor_);
        showText(QString(), true);
        emit canvasChanged();
    });
    helpText(this, "Label51", QString::fromUtf8(kHintsHelp), QRect(414, 0, 276, 112));
    showRecord();
}

void PlotHintsPage::showRecord() {
    Engine& engine = editor_.engine();
    {
        const QSignalBlocker blocker(number_);
        number_->setValue(editor_.state().currentHint);
    }
    showText(toQt(engine.record().scene(engine.screen().currentScene).hint(number_->value()).text.text()));
}

TextPreview PlotHintsPage::previewOf(const QString& text) { return hintPreview(editor_.engine(), text); }

PlotCrowdRemarksPage::PlotCrowdRemarksPage(Editor& editor, QWidget* parent) : PlotTextPage(editor, parent) {
    Engine& engine = editor.engine();
    label(this, nullptr, QStringLiteral("(кол-50)"), 6, 2);
    number_ = steppingSpin(this, "SpinEdit15", 1, kCrowdRemarkCapacity, 6, 20);
    number_->setValue(editor_.state().crowdRemarkSpin);
    addText("Edit16", 30, QRect(6, 50, 300, 24), "SpeedButton118", QRect(314, 50, 100, 24), &storeCrowdRemark);
    connect(number_, &QSpinBox::valueChanged, this, [this, &engine](int k) {
        editor_.state().crowdRemarkSpin = k;
        showText(toQt(engine.record().crowdRemark(k).text.text()), true);
    });
    addArming("SpeedButton119", QStringLiteral("Разместить"), QRect(314, 80, 100, 24), &EditorState::crowdRemarkArmed);
    helpText(this, "Label67", QString::fromUtf8(kCrowdRemarksHelp), QRect(424, 0, 266, 112));
    showRecord();
}

void PlotCrowdRemarksPage::showRecord() {
    Engine& engine = editor_.engine();
    {
        const QSignalBlocker blocker(number_);
        number_->setValue(editor_.state().crowdRemarkSpin);
    }
    showText(toQt(engine.record().crowdRemark(number_->value()).text.text()));
}

TextPreview PlotCrowdRemarksPage::previewOf(const QString& text) { return crowdRemarkPreview(editor_.engine(), text); }

} // namespace tw
