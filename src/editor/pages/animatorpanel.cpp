#include "editor/pages/animatorpanel.h"

#include "editor/animatorview.h"
#include "editor/editor.h"
#include "editor/pages/stepper.h"
#include "editor/pages/widgets.h"
#include "runtime/engine.h"
#include "toolkit/toolkittypes.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

#include <functional>
#include <tuple>

namespace tw {
namespace {

// Image2: shows the engine's preview picture as the frame tick left it.
class PreviewView final : public QWidget {
public:
    PreviewView(const Picture& picture, QWidget* parent) : QWidget(parent), picture_(picture) {
        setObjectName(QStringLiteral("Image2"));
        setFixedSize(kPreviewWidth, kPreviewHeight);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(0xC0, 0xC0, 0xC0));
        painter.drawImage(0, 0, toQt(picture_));
    }

private:
    const Picture& picture_;
};

constexpr int kIconSize = 22;

// The four-way arrow of "move the sheet view".
QIcon moveIcon() {
    QPixmap pixmap(kIconSize, kIconSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1.6));
    const qreal c = kIconSize / 2.0;
    painter.drawLine(QPointF(3, c), QPointF(kIconSize - 3, c));
    painter.drawLine(QPointF(c, 3), QPointF(c, kIconSize - 3));
    painter.setBrush(Qt::black);
    const auto head = [&painter](QPointF tip, QPointF side1, QPointF side2) {
        QPainterPath path(tip);
        path.lineTo(side1);
        path.lineTo(side2);
        path.closeSubpath();
        painter.drawPath(path);
    };
    head({c, 1}, {c - 4, 6}, {c + 4, 6});
    head({c, kIconSize - 1.0}, {c - 4, kIconSize - 6.0}, {c + 4, kIconSize - 6.0});
    head({1, c}, {6, c - 4}, {6, c + 4});
    head({kIconSize - 1.0, c}, {kIconSize - 6.0, c - 4}, {kIconSize - 6.0, c + 4});
    return QIcon(pixmap);
}

// The dotted rectangle of "stretch the frame".
QIcon stretchIcon() {
    QPixmap pixmap(kIconSize, kIconSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.drawRect(3, 5, kIconSize - 7, kIconSize - 11);
    return QIcon(pixmap);
}

QToolButton* pictureButton(QWidget* parent, const char* name, const QIcon& icon, const QString& tip, int x, int y) {
    QToolButton* button = speedButton(parent, name, QString(), x, y, 30, 30);
    button->setIcon(icon);
    button->setIconSize(QSize(kIconSize, kIconSize));
    button->setToolTip(tip);
    button->setAccessibleName(tip);
    button->setCheckable(true);
    return button;
}

} // namespace

void AnimatorPanel::select(std::function<void()> action) {
    action();
    showRecord();
    emit canvasChanged();
}

void AnimatorPanel::edit(std::function<void()> action) {
    editor_.change(action);
    showRecord();
    emit canvasChanged();
}

AnimatorPanel::AnimatorPanel(Editor& editor, QWidget* parent)
    : QWidget(parent), editor_(editor), engine_(editor.engine()) {
    setObjectName(QStringLiteral("Panel2"));
    setGeometry(0, 0, kWidth, kHeight);
    setAutoFillBackground(true);

    preview_ = new PreviewView(engine_.pictures().previewPicture, this);
    preview_->move(8, 8);

    animationLabel_ = label(this, "Label2", QString(), 8, 316);
    auto* animations = new Stepper(this, "SpeedButton23", "SpeedButton24", QPoint(90, 312), 40, 22, 2);
    frameLabel_ = label(this, "Label3", QString(), 8, 342);
    auto* frames = new Stepper(this, "SpeedButton25", "SpeedButton26", QPoint(90, 338), 40, 22, 2);
    auto* addButton = speedButton(this, "SpeedButton28", QStringLiteral("Добавить кадр (30)"), 8, 366, 140, 24);
    auto* removeButton = speedButton(this, "SpeedButton31", QStringLiteral("---кадр"), 152, 366, 80, 24);
    // The selectors change the editor's state, the frame count is an edit of the record.
    const auto on = [this](QToolButton* button, void (AnimatorPanel::*run)(std::function<void()>),
                           std::function<void(ProjectRecord&, EditorState&)> action) {
        connect(button, &QToolButton::clicked, this,
                [this, run, action] { (this->*run)([this, &action] { action(engine_.record(), editor_.state()); }); });
    };
    connect(animations, &Stepper::stepped, this, [this](int delta) {
        select([this, delta] { delta < 0 ? previousAnimation(editor_.state()) : nextAnimation(editor_.state()); });
    });
    connect(frames, &Stepper::stepped, this, [this](int delta) {
        select([this, delta] {
            if (delta < 0) previousFrame(engine_.record(), editor_.state());
            else nextFrame(engine_.record(), editor_.state());
        });
    });
    on(addButton, &AnimatorPanel::edit, [](ProjectRecord& r, EditorState& s) { addFrame(r, s); });
    on(removeButton, &AnimatorPanel::edit, [](ProjectRecord& r, EditorState& s) { removeLastFrame(r, s); });

    moveModeButton_ = pictureButton(this, "SpeedButton29", moveIcon(),
                                    QStringLiteral("Мышь двигает набор"), 260, 312);
    stretchModeButton_ = pictureButton(this, "SpeedButton30", stretchIcon(),
                                       QStringLiteral("Мышь растягивает кадр (двойной щелчок — кадр по фигуре)"), 296, 312);
    on(moveModeButton_, &AnimatorPanel::select, [](ProjectRecord&, EditorState& s) { s.animatorMouseMode = 1; });
    on(stretchModeButton_, &AnimatorPanel::select, [](ProjectRecord&, EditorState& s) { s.animatorMouseMode = 2; });

    label(this, "Label4", QStringLiteral("Настройка кадра------------------------------------------------------"), 8, 400);
    label(this, nullptr, QStringLiteral("Полож. в наборе"), 30, 420);
    label(this, nullptr, QStringLiteral("Шир. выс. в наборе"), 190, 420);
    // Each cross: the upper and lower buttons change the vertical value, the left and right ones the
    // horizontal value.
    const QString less = QStringLiteral("---");
    const QString more = QStringLiteral("+");
    const int positionX = 30;
    const int sizeX = 200;
    const int crossY = 442;
    nudgeButton("SpeedButton37", less, positionX + 36, crossY, FrameValue::Y, -1);
    nudgeButton("SpeedButton36", less, positionX, crossY + 26, FrameValue::X, -1);
    nudgeButton("SpeedButton38", more, positionX + 72, crossY + 26, FrameValue::X, +1);
    nudgeButton("SpeedButton39", more, positionX + 36, crossY + 52, FrameValue::Y, +1);
    nudgeButton("SpeedButton41", less, sizeX + 36, crossY, FrameValue::Height, -1);
    nudgeButton("SpeedButton40", less, sizeX, crossY + 26, FrameValue::Width, -1);
    nudgeButton("SpeedButton42", more, sizeX + 72, crossY + 26, FrameValue::Width, +1);
    nudgeButton("SpeedButton43", more, sizeX + 36, crossY + 52, FrameValue::Height, +1);
    // The values the crosses change, in their middles.
    QFont small = font();
    small.setPixelSize(10);
    for (auto [shown, name, x] : {std::tuple{&framePosition_, "FramePosition", positionX}, std::tuple{&frameSize_, "FrameSize", sizeX}}) {
        *shown = new QLabel(this);
        (*shown)->setObjectName(QLatin1String(name));
        (*shown)->setFont(small);
        (*shown)->setAlignment(Qt::AlignCenter);
        (*shown)->setGeometry(x + 34, crossY + 22, 38, 30);
    }

    showRecord();
    hide();
}

QToolButton* AnimatorPanel::nudgeButton(const char* name, const QString& caption, int x, int y, FrameValue value,
                                        int delta) {
    QToolButton* button = speedButton(this, name, caption, x, y, 34);
    button->setAutoRepeat(true); // held down, the rectangle keeps moving a pixel at a time
    connect(button, &QToolButton::clicked, this, [this, value, delta] {
        edit([&] { nudgeFrame(engine_.record(), editor_.state(), value, delta, engine_.pictures().sheetPicture.size()); });
    });
    return button;
}

void AnimatorPanel::setShown(bool shown) {
    if (shown) showRecord();
    setVisible(shown);
}

void AnimatorPanel::showRecord() {
    EditorState& state = editor_.state();
    keepSelectionInRange(engine_.record(), state);
    animationLabel_->setText(animationCaption(state));
    animationLabel_->adjustSize();
    showPreview();
    moveModeButton_->setChecked(state.animatorMouseMode == 1);
    stretchModeButton_->setChecked(state.animatorMouseMode == 2);
}

void AnimatorPanel::showPreview() {
    const QString frame = frameCaption(engine_.record(), editor_.state());
    if (frameLabel_->text() != frame) {
        frameLabel_->setText(frame);
        frameLabel_->adjustSize();
    }
    // A stretch on the canvas changes the rectangle between two ticks: its numbers follow here.
    const QString position = framePositionCaption(engine_.record(), editor_.state());
    if (framePosition_->text() != position) framePosition_->setText(position);
    const QString size = frameSizeCaption(engine_.record(), editor_.state());
    if (frameSize_->text() != size) frameSize_->setText(size);
    preview_->update();
}

} // namespace tw
