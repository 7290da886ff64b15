#include "editor/pages/plotdialogpage.h"

#include "editor/editor.h"
#include "editor/pages/plotitemspage.h"
#include "editor/pages/portalpage.h"
#include "editor/pages/stepper.h"
#include "editor/pages/textfield.h"
#include "editor/pages/widgets.h"
#include "platform/messages.h"
#include "runtime/engine.h"
#include "toolkit/toolkittypes.h"

#include <QButtonGroup>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>

#include <algorithm>
#include <tuple>

namespace tw {

const char* const kPlotDialogHelp = "При обмене диалог 1 - типа принесешь \n"
                                    "то, получишь то.\n"
                                    "Сначала вводим текст, выбираем предмет, \n"
                                    "потом размещаем зоны. \n"
                                    "Сохранение текстов только при \n"
                                    "размещении зон, если изменили, \n"
                                    "разместите что ни будь.";

namespace {

const char* const kKindCaptions[] = {"Диалог", "Диалог+получить предмет", "Диалог+обмен предметами"};

// A caption over a narrow column, wrapped onto two lines when it is wider.
QLabel* columnCaption(QWidget* parent, const char* name, const QString& text, const QRect& area) {
    auto* caption = new QLabel(text, parent);
    caption->setObjectName(QLatin1String(name));
    caption->setWordWrap(true);
    caption->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    caption->setGeometry(area);
    return caption;
}

} // namespace

PlotDialogPage::PlotDialogPage(Editor& editor, QWidget* parent) : QWidget(parent), editor_(editor) {
    Engine& engine = editor.engine();
    EditorState& state = editor_.state();

    // The number, "Убрать" beside it, and the buttons that store the dialog and arm the canvas.
    label(this, nullptr, QStringLiteral("Диалог (кол-5)"), 4, 0);
    dialogSpin_ = steppingSpin(this, "SpinEdit12", 1, kDialogsPerScene, 4, 16, 50);
    dialogSpin_->setValue(state.currentDialog);
    connect(dialogSpin_, &QSpinBox::valueChanged, this, [this](int k) { loadDialog(k); });
    auto* remove = speedButton(this, "SpeedButton127", QStringLiteral("Убрать"), 58, 17, 56);
    connect(remove, &QToolButton::clicked, this, [this, &engine] {
        editor_.change([&] { removeDialog(engine.record(), engine.screen().currentScene, dialogSpin_->value()); });
        emit canvasChanged();
    });
    // Both zone buttons store the dialog, then arm the canvas.
    using Store = void (*)(ProjectRecord&, EditorState&, int, int, const DialogForm&);
    for (auto [name, caption, y, store] :
         {std::tuple{"SpeedButton100", "Зона клика", 44, Store(&armDialogZone)},
          std::tuple{"SpeedButton101", "Подход героя", 66, Store(&armDialogApproach)}}) {
        auto* button = speedButton(this, name, QString::fromUtf8(caption), 4, y, 110, 21);
        connect(button, &QToolButton::clicked, this, [this, &engine, &state, store = store] {
            const int s = engine.screen().currentScene;
            const int k = dialogSpin_->value();
            editor_.change([&] { store(engine.record(), state, s, k, form()); });
            emit canvasChanged();
            const QString warning = silentCharacterWarning(engine.record(), s, k);
            if (!warning.isEmpty()) engine.services().messages.showInfo(fromQt(warning));
        });
    }
    auto* text = speedButton(this, "SpeedButton106", QStringLiteral("Коор текста"), 4, 88, 110, 21);
    connect(text, &QToolButton::clicked, this, [this, &engine, &state] {
        editor_.change([&] { armDialogText(engine.record(), state, engine.screen().currentScene); });
        emit canvasChanged();
    });

    // The kind, with the help text under it.
    kinds_ = new QButtonGroup(this);
    for (int kind = 1; kind <= 3; ++kind) {
        auto* radio = new QRadioButton(QString::fromUtf8(kKindCaptions[kind - 1]), this);
        radio->setObjectName(QStringLiteral("RadioButton") + QString::number(kind));
        radio->setGeometry(118, 18 * (kind - 1), 202, 18);
        kinds_->addButton(radio, kind);
    }
    connect(kinds_, &QButtonGroup::idToggled, this, [this](int kind, bool checked) {
        if (checked) showKind(kind);
    });
    helpText(this, "Label54", QString::fromUtf8(kPlotDialogHelp), QRect(118, 57, 194, 56));

    // Two columns of four lines.
    label(this, nullptr, QStringLiteral("Диалог 1"), 324, 0);
    secondColumn_.push_back(label(this, "Label35", QStringLiteral("Диалог 2"), 448, 0));
    for (int i = 0; i < kDialogLines; ++i) {
        const QByteArray name = "Edit" + QByteArray::number(3 + i);
        const QRect at(i < 4 ? 322 : 446, 16 + 23 * (i % 4), 120, 22);
        auto* field = new TextField(this, name.constData(), ShortString<50>::capacity, at);
        lines_[std::size_t(i)] = field;
        if (i >= 4) secondColumn_.push_back(field);
        connect(field, &TextField::focusChanged, this, [this] { showPreview(true); });
        connect(field, &QLineEdit::textChanged, this, [this, field] {
            if (field->hasFocus()) showPreview(false);
        });
    }

    // The item the character wants ("Отдать предмет") and the one it gives ("Получить предмет").
    struct Picker {
        const char* caption;
        const char* captionName;
        const char* down;
        const char* up;
        const char* image;
        int* value;
        int x;
        std::vector<QWidget*>* controls;
        QLabel** picture;
    };
    const Picker pickers[] = {
        {"Отдать предмет", "Label36", "SpeedButton102", "SpeedButton103", "Image13", &state.itemPickA, 570,
         &giveControls_, &givePicture_},
        {"Получить предмет", "Label37", "SpeedButton104", "SpeedButton105", "Image14", &state.itemPickB, 630,
         &getControls_, &getPicture_},
    };
    for (const Picker& p : pickers) {
        auto* caption = columnCaption(this, p.captionName, QString::fromUtf8(p.caption), QRect(p.x, 0, 60, 30));
        auto* stepper = new Stepper(this, p.down, p.up, QPoint(p.x, 32), 28, 20, 2);
        *p.picture = pictureLabel(this, p.image, QRect(p.x + 4, 56, 50, 50));
        *p.controls = {caption, stepper->downButton(), stepper->upButton(), *p.picture};
        stepper->bind(*p.value, 1, kItemCapacity);
        connect(stepper, &Stepper::changed, this, [this] {
            showPicks();
            emit picksChanged();
        });
    }
    showPicks();
}

DialogForm PlotDialogPage::form() const {
    DialogForm form;
    form.kind = std::max(0, kinds_->checkedId());
    for (int i = 0; i < kDialogLines; ++i) form.lines[std::size_t(i)] = fromQt(lines_[std::size_t(i)]->text());
    return form;
}

void PlotDialogPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The record is read at start-up, after the pages are built: the first showing fills the boxes.
    if (!loaded_) loadDialog(editor_.state().currentDialog);
    loaded_ = true;
}

void PlotDialogPage::loadDialog(int k) {
    Engine& engine = editor_.engine();
    const DialogForm loaded = tw::loadDialog(engine.record(), editor_.state(), engine.screen().currentScene, k);
    {
        // Kind 0 checks none of the three: an exclusive group cannot be emptied.
        kinds_->setExclusive(false);
        for (QAbstractButton* button : kinds_->buttons()) {
            const QSignalBlocker blocker(button);
            button->setChecked(kinds_->id(button) == loaded.kind);
        }
        kinds_->setExclusive(true);
    }
    for (int i = 0; i < kDialogLines; ++i) {
        lines_[std::size_t(i)]->setText(toQt(loaded.lines[std::size_t(i)]));
        lines_[std::size_t(i)]->setCursorPosition(0); // a long line shows its beginning
    }
    showKind(loaded.kind);
    showRecord();
    emit picksChanged();
}

void PlotDialogPage::showKind(int kind) {
    shown_ = controlsForKind(kind, shown_);
    for (QWidget* w : secondColumn_) w->setVisible(shown_.secondColumn);
    for (QWidget* w : giveControls_) w->setVisible(shown_.giveItem);
    for (QWidget* w : getControls_) w->setVisible(shown_.getItem);
}

void PlotDialogPage::showRecord() {
    {
        const QSignalBlocker blocker(dialogSpin_);
        dialogSpin_->setValue(editor_.state().currentDialog);
    }
    showPicks();
    // The scene may have changed under the box being typed in: the text's position with it.
    showPreview(false);
}

void PlotDialogPage::showPicks() {
    Engine& engine = editor_.engine();
    const EditorState& state = editor_.state();
    const Picture& strip = engine.pictures().largeItemStrip;
    for (auto [picture, n] : {std::pair{givePicture_, state.itemPickA}, std::pair{getPicture_, state.itemPickB}}) {
        // 0 is an empty hand: the bare ground.
        picture->setPixmap(cellPreview(strip, 50, 50, n, picture->size()));
        picture->setToolTip(n == 0 ? QStringLiteral("Ничего") : QStringLiteral("Предмет ") + QString::number(n));
    }
}

void PlotDialogPage::showPreview(bool clearWhenUnfocused) {
    for (int i = 0; i < kDialogLines; ++i) {
        if (!lines_[std::size_t(i)]->hasFocus()) continue;
        const int first = i < 4 ? 0 : 4;
        QStringList column;
        for (int j = first; j < first + 4; ++j) column << lines_[std::size_t(j)]->text();
        const Engine& engine = editor_.engine();
        emit textPreviewChanged(
            dialogPreview(engine.record(), engine.screen().currentScene, editor_.state().currentDialog, column));
        return;
    }
    if (clearWhenUnfocused) emit textPreviewChanged({});
}

} // namespace tw
