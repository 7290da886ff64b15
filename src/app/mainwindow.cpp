#include "app/mainwindow.h"

#include "app/canvasview.h"
#include "editor/pages/editorpanel.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QTimer>
#include <QVBoxLayout>

namespace tw {
namespace {

constexpr int kClientWidth = 1007;
constexpr int kClientHeight = 699;
constexpr int kRecoveryInterval = 30000;

// Shows what a tick changed. A tick that names nothing may still follow drawing made elsewhere and not
// shown yet: a look at the whole canvas catches it, and costs nothing while nobody drew.
void showTickChanges(CanvasView* view, const QRegion& changed) {
    if (changed.isEmpty())
        view->showChanges();
    else
        view->showChanges(changed);
}

} // namespace

MainWindow::MainWindow(AssetPaths paths, Services services, QWidget* parent)
    : QWidget(parent), engine_(std::move(paths), services) {
    setObjectName(QStringLiteral("Tf"));
    setFixedSize(kClientWidth, kClientHeight);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    canvasView_ = new CanvasView(engine_, this);
    layout->addWidget(canvasView_, 1);
    panel_ = new EditorPanel(engine_, this);
    layout->addWidget(panel_);
    connect(canvasView_, &CanvasView::panelChangeRequested, this, &MainWindow::applyPanelChange);
    connect(panel_, &EditorPanel::canvasChanged, canvasView_, [this] { canvasView_->showChanges(); });

    animatorPanel_ = new QWidget(this);
    animatorPanel_->setObjectName(QStringLiteral("Panel2"));
    animatorPanel_->setGeometry(0, 0, 200, 530);
    animatorPanel_->setAutoFillBackground(true);
    animatorPanel_->hide();
    connect(panel_, &EditorPanel::animatorShown, animatorPanel_, &QWidget::setVisible);

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
    overlayTimer_->setInterval(10);
    connect(overlayTimer_, &QTimer::timeout, this, &MainWindow::overlayTick);

    // Keeps a recovery copy of the record while the editor runs; the engine writes it off this thread.
    recoveryTimer_ = new QTimer(this);
    recoveryTimer_->setObjectName(QStringLiteral("RecoveryTimer"));
    recoveryTimer_->setInterval(kRecoveryInterval);
    connect(recoveryTimer_, &QTimer::timeout, this,
            [this] { engine_.writeRecovery(panel_->gameNameText()); });
}

void MainWindow::setRecoveryInterval(int milliseconds) {
    recoveryTimer_->setInterval(milliseconds);
}

MainWindow::~MainWindow() = default;

bool MainWindow::startUp() {
    if (!engine_.startUp()) return false;
    panel_->loadFromRecord();
    setWindowTitle(engine_.caption());
    frameTimer_->setInterval(engine_.frameTimerInterval());
    frameTimer_->start();
    overlayTimer_->start();
    recoveryTimer_->start();
    canvasView_->showChanges();
    return true;
}

void MainWindow::frameTick() {
    const QRegion changed = engine_.frameTick();
    if (engine_.screen().screenMode == ScreenMode::Scene) panel_->followPlay();
    showTickChanges(canvasView_, changed);
}

void MainWindow::overlayTick() {
    showTickChanges(canvasView_, engine_.overlayTick());
}

void MainWindow::applyPanelChange(PanelChange change) {
    if (change == PanelChange::Show && !panel_->isVisible()) panel_->show();
    if (change == PanelChange::Hide && panel_->isVisible()) panel_->hide();
}

bool MainWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && engine_.isStarted()) engine_.activate();
    return QWidget::event(event);
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    // Keys the editor controls do not use reach the window; Esc returns to the menu.
    if (event->key() == Qt::Key_Escape) {
        engine_.keyDown(kEscapeKey);
        canvasView_->showChanges();
        return;
    }
    QWidget::keyPressEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (engine_.shutDown(panel_->gameNameText())) {
        recoveryTimer_->stop();
        event->accept();
    } else {
        event->ignore();
    }
}

} // namespace tw
