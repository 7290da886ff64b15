#include "app/mainwindow.h"

#include "app/canvasview.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace tw {
namespace {

constexpr int kClientWidth = 1007;
constexpr int kClientHeight = 699;
constexpr int kPanelHeight = 169;

} // namespace

MainWindow::MainWindow(AssetPaths paths, Services services, QWidget* parent)
    : QWidget(parent), engine_(std::move(paths), services) {
    setObjectName(QStringLiteral("Tf"));
    setFixedSize(kClientWidth, kClientHeight);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    canvasView_ = new CanvasView(engine_.canvas(), this);
    layout->addWidget(canvasView_, 1);
    buildPanel();
    layout->addWidget(panel_);

    frameTimer_ = new QTimer(this);
    frameTimer_->setObjectName(QStringLiteral("Timer2"));
    frameTimer_->setTimerType(Qt::PreciseTimer);
    frameTimer_->setInterval(100);
    connect(frameTimer_, &QTimer::timeout, this, &MainWindow::onFrameTick);

    overlayTimer_ = new QTimer(this);
    overlayTimer_->setObjectName(QStringLiteral("Timer1"));
    overlayTimer_->setTimerType(Qt::PreciseTimer);
    overlayTimer_->setInterval(10);
    connect(overlayTimer_, &QTimer::timeout, this, &MainWindow::onOverlayTick);
}

MainWindow::~MainWindow() = default;

void MainWindow::buildPanel() {
    panel_ = new QWidget(this);
    panel_->setObjectName(QStringLiteral("Panel1"));
    panel_->setFixedHeight(kPanelHeight);
    auto* panelLayout = new QVBoxLayout(panel_);
    panelLayout->setContentsMargins(1, 1, 1, 1);
    pages_ = new QTabWidget(panel_);
    pages_->setObjectName(QStringLiteral("PageControl1"));
    panelLayout->addWidget(pages_);

    const char* captions[] = {"Меню игры", "Аппликатор фона сцены", "Аниматор", "Система", "Проходимость",
                              "Музон",     "Редактор сюжета",       "Герой",    "Предметы", "Курсор .ani",
                              "Дверь",     "Комикс",                "Сборка"};
    QWidget* heroPage = nullptr;
    QWidget* buildPage = nullptr;
    for (const char* caption : captions) {
        auto* page = new QWidget(pages_);
        pages_->addTab(page, QString::fromUtf8(caption));
        if (QString::fromUtf8(caption) == QStringLiteral("Герой")) heroPage = page;
        if (QString::fromUtf8(caption) == QStringLiteral("Сборка")) buildPage = page;
    }

    tickIntervalSpin_ = new QSpinBox(heroPage);
    tickIntervalSpin_->setObjectName(QStringLiteral("SpinEdit16"));
    tickIntervalSpin_->setRange(20, 100);
    tickIntervalSpin_->move(10, 25);
    auto* intervalLabel = new QLabel(QStringLiteral("Интервал обновления"), heroPage);
    intervalLabel->move(10, 5);

    gameNameEdit_ = new QLineEdit(buildPage);
    gameNameEdit_->setObjectName(QStringLiteral("Edit15"));
    gameNameEdit_->setGeometry(10, 10, 300, 22);

    panel_->hide();
}

bool MainWindow::startUp() {
    if (!engine_.startUp()) return false;
    gameNameEdit_->setText(engine_.gameName());
    setWindowTitle(engine_.caption());
    frameTimer_->setInterval(engine_.frameTimerInterval());
    tickIntervalSpin_->setValue(engine_.record().tickInterval);
    frameTimer_->start();
    overlayTimer_->start();
    canvasView_->update();
    return true;
}

void MainWindow::onFrameTick() { canvasView_->update(); }

void MainWindow::onOverlayTick() { canvasView_->update(); }

bool MainWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && engine_.isStarted()) engine_.activate();
    return QWidget::event(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (engine_.shutDown(gameNameEdit_->text())) {
        event->accept();
    } else {
        event->ignore();
    }
}

} // namespace tw
