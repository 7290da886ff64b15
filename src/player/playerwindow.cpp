#include "player/playerwindow.h"

#include "player/playerview.h"
#include "platform/messages.h"
#include "runtime/actionzones.h"
#include "runtime/inputrecorder.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QTimer>
#include <QVBoxLayout>

namespace tw {
namespace {

// Without an editor the overlay tick only keeps the music looping: twenty looks a second restart a track
// soon enough after its end and keep a still game cheap.
constexpr int kOverlayInterval = 50;

} // namespace

PlayerWindow::PlayerWindow(AssetPaths paths, Services services, QWidget* parent)
    : QWidget(parent), engine_(std::move(paths), services), session_(engine_) {
    setObjectName(QStringLiteral("PlayerWindow"));
    setFocusPolicy(Qt::StrongFocus);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    view_ = new PlayerView(engine_, session_, this);
    layout->addWidget(view_);
    resize(kPlayWidth, kPlayHeight);
    connect(view_, &PlayerView::inputReceived, this, &PlayerWindow::afterInput);

    frameTimer_ = new QTimer(this);
    frameTimer_->setObjectName(QStringLiteral("FrameTimer"));
    frameTimer_->setTimerType(Qt::PreciseTimer);
    connect(frameTimer_, &QTimer::timeout, this, &PlayerWindow::frameTick);

    overlayTimer_ = new QTimer(this);
    overlayTimer_->setObjectName(QStringLiteral("OverlayTimer"));
    overlayTimer_->setTimerType(Qt::PreciseTimer);
    overlayTimer_->setInterval(kOverlayInterval);
    connect(overlayTimer_, &QTimer::timeout, this, &PlayerWindow::overlayTick);
}

PlayerWindow::~PlayerWindow() = default;

bool PlayerWindow::startUp() {
    if (!session_.startUp()) return false;
    setWindowTitle(QString::fromStdString(session_.caption()));
    frameTimer_->setInterval(engine_.frameTimerInterval());
    frameTimer_->start();
    overlayTimer_->start();
    view_->showChanges();
    return true;
}

void PlayerWindow::setRecorder(InputRecorder* recorder) {
    recorder_ = recorder;
    view_->setRecorder(recorder);
}

void PlayerWindow::frameTick() {
    const ChangedArea changed = engine_.frameTick();
    if (recorder_) recorder_->frameTicked();
    // A tick that names nothing may still follow drawing made elsewhere: a look at the whole canvas
    // catches it, and costs nothing while nobody drew.
    if (changed.isEmpty())
        view_->showChanges();
    else
        view_->showChanges(changed);
    // A portal may have taken the hero to another scene, a door opened, an item been picked up.
    refreshZones();
}

void PlayerWindow::overlayTick() {
    const Rect changed = engine_.overlayTick();
    if (!changed.isEmpty()) view_->showChanges(changed);
}

void PlayerWindow::afterInput() {
    // New and Open replace the record: its frame period and name come with it.
    frameTimer_->setInterval(engine_.frameTimerInterval());
    setWindowTitle(QString::fromStdString(session_.caption()));
    view_->showChanges();
    refreshZones();
}

void PlayerWindow::showZones(bool shown) {
    zonesShown_ = shown;
    refreshZones();
}

void PlayerWindow::refreshZones() {
    view_->setZones(zonesShown_ ? actionZones(engine_) : std::vector<ActionZone>());
}

void PlayerWindow::toggleFullScreen() {
    if (isFullScreen()) {
        if (wasMaximized_)
            showMaximized();
        else
            showNormal();
    } else {
        wasMaximized_ = isMaximized();
        showFullScreen();
    }
}

void PlayerWindow::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_F11 ||
        ((key == Qt::Key_Return || key == Qt::Key_Enter) && event->modifiers().testFlag(Qt::AltModifier))) {
        if (!event->isAutoRepeat()) toggleFullScreen();
        return;
    }
    if (key == Qt::Key_Space) {
        // A held key repeats; only the first press counts.
        if (!event->isAutoRepeat()) showZones(true);
        return;
    }
    if (key == Qt::Key_Escape) {
        if (recorder_) recorder_->keyPressed(kEscapeKey);
        session_.keyDown(kEscapeKey);
        afterInput();
        return;
    }
    QWidget::keyPressEvent(event);
}

void PlayerWindow::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space) {
        if (!event->isAutoRepeat()) showZones(false);
        return;
    }
    QWidget::keyReleaseEvent(event);
}

// A Space released while another window had the keys never arrives here: the zones go with the focus.
void PlayerWindow::focusOutEvent(QFocusEvent* event) {
    showZones(false);
    QWidget::focusOutEvent(event);
}

void PlayerWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && !isActiveWindow()) showZones(false);
    QWidget::changeEvent(event);
}

void PlayerWindow::closeEvent(QCloseEvent* event) {
    // What is answered at the close is not play: a replay ends before it.
    if (recorder_) recorder_->setListening(false);
    const bool closing = session_.closeRequested();
    if (recorder_) recorder_->setListening(true);
    if (!closing) {
        event->ignore();
        return;
    }
    frameTimer_->stop();
    overlayTimer_->stop();
    if (recorder_) {
        const std::string failure = recorder_->write();
        if (!failure.empty()) engine_.services().messages.showError("Запись игры не сохранена.\n" + failure);
    }
    event->accept();
}

} // namespace tw
