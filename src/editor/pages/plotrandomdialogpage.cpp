#include "editor/pages/plotrandomdialogpage.h"

#include "editor/editor.h"
#include "editor/pages/textfield.h"
#include "editor/pages/stepper.h"
#include "editor/pages/widgets.h"
#include "runtime/engine.h"
#include "toolkit/toolkittypes.h"

#include <QLabel>
#include <QToolButton>

#include <algorithm>

namespace tw {

const char* const kPlotRandomDialogHelp = "Включатся у персонажей с диалогами, \n"
                                          "когда основные диалоги будут отработаны.";

PlotRandomDialogPage::PlotRandomDialogPage(Editor& editor, QWidget* parent) : QWidget(parent), editor_(editor) {
    Engine& engine = editor.engine();
    EditorState& state = editor_.state();

    auto* numbers = new Stepper(this, "SpeedButton107", "SpeedButton108", QPoint(6, 4), 36, 22, 2);
    numbers->bind(state.currentRandomDialog, 1, kRandomDialogsPerScene);
    connect(numbers, &Stepper::changed, this, [this] {
        showRecord();
        loadLines();
    });
    number_ = label(this, "Label38", QString(), 34, 32);

    for (int i = 0; i < kRandomDialogLines; ++i) {
        const QByteArray name = "Edit" + QByteArray::number(11 + i);
        auto* field = new TextField(this, name.constData(), ShortString<50>::capacity, QRect(90, 4 + 26 * i, 340, 22));
        lines_[std::size_t(i)] = field;
        connect(field, &TextField::focusChanged, this, [this] { showPreview(true); });
        connect(field, &QLineEdit::textChanged, this, [this, field] {
            if (field->hasFocus()) showPreview(false);
        });
    }

    auto* save = speedButton(this, "SpeedButton109", QStringLiteral("Сохранить"), 440, 4, 100);
    connect(save, &QToolButton::clicked, this, [this, &engine, &state] {
        std::array<std::string, kRandomDialogLines> texts;
        for (int i = 0; i < kRandomDialogLines; ++i) texts[std::size_t(i)] = fromQt(lines_[std::size_t(i)]->text());
        editor_.change([&] {
            storeRandomDialog(engine.record(), engine.screen().currentScene, state.currentRandomDialog, texts);
        });
    });
    helpText(this, "Label53", QString::fromUtf8(kPlotRandomDialogHelp), QRect(440, 32, 250, 80));
    showRecord();
}

void PlotRandomDialogPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The record is read at start-up, after the pages are built: the first showing fills the boxes.
    if (!loaded_) loadLines();
    loaded_ = true;
}

void PlotRandomDialogPage::loadLines() {
    const Engine& engine = editor_.engine();
    const auto texts = loadRandomDialog(engine.record(), engine.screen().currentScene, editor_.state().currentRandomDialog);
    for (int i = 0; i < kRandomDialogLines; ++i) {
        lines_[std::size_t(i)]->setText(toQt(texts[std::size_t(i)]));
        lines_[std::size_t(i)]->setCursorPosition(0);
    }
}

void PlotRandomDialogPage::showRecord() {
    number_->setText(QString::number(editor_.state().currentRandomDialog));
    number_->adjustSize();
    showPreview(false);
}

void PlotRandomDialogPage::showPreview(bool clearWhenUnfocused) {
    const bool focused = std::any_of(lines_.begin(), lines_.end(), [](TextField* f) { return f && f->hasFocus(); });
    if (!focused) {
        if (clearWhenUnfocused) emit textPreviewChanged({});
        return;
    }
    QStringList texts;
    for (TextField* field : lines_) texts << field->text();
    const Engine& engine = editor_.engine();
    emit textPreviewChanged(
        dialogPreview(engine.record(), engine.screen().currentScene, editor_.state().currentDialog, texts));
}

} // namespace tw
