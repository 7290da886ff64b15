#include "app/mainwindow.h"

#include "app/canvasview.h"
#include "editor/pages/animatorpanel.h"
#include "editor/pages/editorpanel.h"
#include "editor/pages/targetchooser.h"
#include "editor/textpreview.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QWheelEvent>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdlib>

namespace tw {
namespace {

constexpr int kClientWidth = 1007;
constexpr int kClientHeight = 699;
constexpr int kRecoveryInterval = 30000;
// The overlay tick runs every 10 ms. Once it has changed nothing for a fifth of a second it is looked at
// every 50 ms instead, until the pointer, a key or a page changes something: a still screen then wakes the
// program 40 times a second instead of 120. Only the restart of the looping music can come up to 50 ms
// later while the screen stands still.
constexpr int kOverlayInterval = 10;
constexpr int kIdleOverlayInterval = 50;
constexpr int kStillTicksBeforeIdle = 20;

// Shows what a tick changed. A tick that names nothing may still follow drawing made elsewhere and not
// shown yet: a look at the whole canvas catches it, and costs nothing while nobody drew.
void showTickChanges(CanvasView* view, const ChangedArea& changed) {
    if (changed.isEmpty())
        view->showChanges();
    else
        view->showChanges(changed);
}

} // namespace

MainWindow::MainWindow(AssetPaths paths, Services services, QWidget* parent)
    : QWidget(parent), engine_(std::move(paths), services), editor_(engine_) {
    setObjectName(QStringLiteral("Tf"));
    setFixedSize(kClientWidth, kClientHeight);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    canvasView_ = new CanvasView(engine_, this);
    layout->addWidget(canvasView_, 1);
    panel_ = new EditorPanel(editor_, applicator_, this);
    layout->addWidget(panel_);
    connect(canvasView_, &CanvasView::panelChangeRequested, this, &MainWindow::applyPanelChange);
    connect(panel_, &EditorPanel::canvasChanged, canvasView_, [this] {
        canvasView_->showChanges();
        wakeOverlay();
        followEditorState();
    });
    connect(canvasView_, &CanvasView::inputReceived, this, [this] {
        wakeOverlay();
        followEditorState();
    });
    connect(panel_, &EditorPanel::recordReplaced, this, &MainWindow::showRecord);
    connect(panel_, &EditorPanel::textPreviewChanged, this, &MainWindow::showTextPreview);

    // A line edit that has the focus keeps Ctrl+Z for its own text; everywhere else it is the editor's.
    const auto shortcut = [this](const QKeySequence& keys, void (MainWindow::*action)()) {
        auto* s = new QShortcut(keys, this);
        connect(s, &QShortcut::activated, this, action);
    };
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), &MainWindow::undo);
    shortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), &MainWindow::redo);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Y), &MainWindow::redo);

    animatorPanel_ = new AnimatorPanel(editor_, this);
    connect(panel_, &EditorPanel::animatorShown, animatorPanel_, &AnimatorPanel::setShown);
    connect(animatorPanel_, &AnimatorPanel::canvasChanged, canvasView_, [this] {
        canvasView_->showChanges();
        wakeOverlay();
    });

    targetChooser_ = new TargetChooser(editor_, this);
    connect(targetChooser_, &TargetChooser::canvasChanged, this, [this] {
        canvasView_->showChanges();
        wakeOverlay();
    });

    frameTimer_ = new QTimer(this);
    frameTimer_->setObjectName(QStringLiteral("Timer2"));
    frameTimer_->setTimerType(Qt::PreciseTimer);
    frameTimer_->setInterval(100);
    connect(frameTimer_, &QTimer::timeout, this, &MainWindow::frameTick);
    connect(panel_, &EditorPanel::intervalSaved, this,
            [this] { frameTimer_->setInterval(engine_.frameTimerInterval()); });

    overlayTimer_ = new QTimer(this);
    overlayTimer_->setObjectName(QStringLiteral("Timer1"));
    overlayTimer_->setTimerType(Qt::PreciseTimer);
    overlayTimer_->setInterval(kOverlayInterval);
    connect(overlayTimer_, &QTimer::timeout, this, &MainWindow::overlayTick);

    // Keeps a recovery copy of the record while the editor runs; the engine writes it off this thread.
    recoveryTimer_ = new QTimer(this);
    recoveryTimer_->setObjectName(QStringLiteral("RecoveryTimer"));
    recoveryTimer_->setInterval(kRecoveryInterval);
    connect(recoveryTimer_, &QTimer::timeout, this,
            [this] { engine_.writeRecovery(panel_->gameNameText().toStdString()); });
}

void MainWindow::setRecoveryInterval(int milliseconds) {
    recoveryTimer_->setInterval(milliseconds);
}

MainWindow::~MainWindow() = default;

bool MainWindow::startUp() {
    if (!engine_.startUp()) return false;
    panel_->loadFromRecord();
    setWindowTitle(QString::fromStdString(engine_.caption()));
    frameTimer_->setInterval(engine_.frameTimerInterval());
    frameTimer_->start();
    overlayTimer_->start();
    recoveryTimer_->start();
    canvasView_->showChanges();
    return true;
}

void MainWindow::frameTick() {
    const ChangedArea changed = engine_.frameTick();
    if (engine_.screen().screenMode == ScreenMode::Scene) panel_->followPlay();
    if (engine_.screen().screenMode == ScreenMode::Animator) animatorPanel_->showPreview();
    showTickChanges(canvasView_, changed);
    // The overlay draws over the frame (the trails' dots): while it idles it follows each frame at once.
    if (overlayIdle() && !changed.isEmpty()) overlayTick();
}

void MainWindow::overlayTick() {
    const Rect changed = engine_.overlayTick().united(applicator_.drawOverlay());
    showTickChanges(canvasView_, changed);
    if (!changed.isEmpty()) {
        wakeOverlay();
    } else if (++stillOverlayTicks_ >= kStillTicksBeforeIdle && !overlayIdle()) {
        overlayTimer_->setInterval(kIdleOverlayInterval);
    }
}

void MainWindow::wakeOverlay() {
    stillOverlayTicks_ = 0;
    if (overlayIdle()) overlayTimer_->setInterval(kOverlayInterval);
}

bool MainWindow::overlayIdle() const { return overlayTimer_->interval() != kOverlayInterval; }

void MainWindow::undo() {
    if (editor_.undo() == Editor::Outcome::Applied) showRecord();
}

void MainWindow::redo() {
    if (editor_.redo() == Editor::Outcome::Applied) showRecord();
}

void MainWindow::followEditorState() {
    targetChooser_->follow();
    panel_->refreshTextPreview();
}

void MainWindow::showTextPreview(const TextPreview& preview) {
    // Asked again after every press and move: only a different text or place is drawn anew.
    if (preview == shownPreview_) return;
    shownPreview_ = preview;
    if (preview.isEmpty()) {
        canvasView_->setDecoration({});
        return;
    }
    canvasView_->setDecoration([this](Picture& canvas) {
        return drawTextPreview(canvas, engine_.text(), engine_.pictures().shadowPicture, shownPreview_);
    });
}

void MainWindow::showRecord() {
    panel_->showRecord();
    animatorPanel_->showRecord();
    followEditorState();
    frameTimer_->setInterval(engine_.frameTimerInterval());
    canvasView_->showChanges();
    wakeOverlay();
}

void MainWindow::applyPanelChange(PanelChange change) {
    if (change == PanelChange::Show && !panel_->isVisible()) panel_->show();
    if (change == PanelChange::Hide && panel_->isVisible()) panel_->hide();
}

bool MainWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && engine_.isStarted()) engine_.activate();
    return QWidget::event(event);
}

void MainWindow::wheelEvent(QWheelEvent* event) {
    // The wheel chooses the applicator's stamp wherever the pointer is over the window. A smooth wheel or
    // a touchpad sends parts of a notch (120): they add up to one.
    if (engine_.screen().screenMode != ScreenMode::Applicator) {
        wheelTurn_ = 0;
        QWidget::wheelEvent(event);
        return;
    }
    const int delta = event->angleDelta().y();
    // A turn the other way starts afresh.
    if ((delta > 0 && wheelTurn_ < 0) || (delta < 0 && wheelTurn_ > 0)) wheelTurn_ = 0;
    wheelTurn_ += delta;
    const int steps = wheelTurn_ / 120;
    wheelTurn_ -= steps * 120;
    for (int i = 0; i < std::abs(steps); ++i) applicator_.wheel(steps);
    if (steps != 0) wakeOverlay();
    event->accept();
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    // Keys the editor controls do not use reach the window; Esc returns to the menu.
    if (event->key() == Qt::Key_Escape) {
        engine_.keyDown(kEscapeKey);
        followEditorState();
        canvasView_->showChanges();
        wakeOverlay();
        return;
    }
    QWidget::keyPressEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (engine_.shutDown(panel_->gameNameText().toStdString())) {
        recoveryTimer_->stop();
        event->accept();
    } else {
        event->ignore();
    }
}

} // namespace tw
