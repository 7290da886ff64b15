#include "editor/pages/checkwindow.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tw {
namespace {

using Role = check::ReportLine::Role;

// The index of a line in lines_ (or steps_), kept on its item.
constexpr int kLineIndex = Qt::UserRole;

QFont styled(QFont font, bool bold, bool italic) {
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

} // namespace

CheckWindow::CheckWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("CheckWindow"));
    setWindowTitle(QStringLiteral("Проверка игры"));
    setModal(false);
    setSizeGripEnabled(true);
    resize(860, 560);

    auto* layout = new QVBoxLayout(this);
    verdict_ = new QLabel(this);
    verdict_->setObjectName(QStringLiteral("CheckVerdict"));
    verdict_->setWordWrap(true);
    verdict_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont larger = styled(verdict_->font(), true, false);
    larger.setPointSizeF(larger.pointSizeF() * 1.15);
    verdict_->setFont(larger);
    layout->addWidget(verdict_);

    auto* split = new QSplitter(Qt::Horizontal, this);
    lineTree_ = new QTreeWidget(split);
    lineTree_->setObjectName(QStringLiteral("CheckLines"));
    lineTree_->setAccessibleName(QStringLiteral("Что нашла проверка"));
    lineTree_->setHeaderHidden(true);
    lineTree_->setColumnCount(1);
    lineTree_->setWordWrap(true);
    lineTree_->setAlternatingRowColors(true);
    lineTree_->setUniformRowHeights(false);
    lineTree_->header()->setStretchLastSection(true);
    connect(lineTree_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) { lineChosen(item); });
    connect(lineTree_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { lineChosen(item); });

    auto* stepsPane = new QWidget(split);
    auto* stepsLayout = new QVBoxLayout(stepsPane);
    stepsLayout->setContentsMargins(0, 0, 0, 0);
    stepsTitle_ = new QLabel(stepsPane);
    stepsTitle_->setObjectName(QStringLiteral("CheckStepsTitle"));
    stepsTitle_->setWordWrap(true);
    stepsTitle_->setFont(styled(stepsTitle_->font(), true, false));
    stepsLayout->addWidget(stepsTitle_);
    stepList_ = new QListWidget(stepsPane);
    stepList_->setObjectName(QStringLiteral("CheckSteps"));
    stepList_->setAccessibleName(QStringLiteral("Шаги до тупика"));
    stepList_->setWordWrap(true);
    stepList_->setAlternatingRowColors(true);
    stepsLayout->addWidget(stepList_);
    connect(stepList_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && std::size_t(row) < steps_.size() && steps_[std::size_t(row)].scene > 0)
            emit sceneChosen(steps_[std::size_t(row)].scene);
    });
    split->addWidget(lineTree_);
    split->addWidget(stepsPane);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    layout->addWidget(split, 1);

    auto* hint = new QLabel(QStringLiteral("Выберите строку, чтобы увидеть её сцену; тупик, чтобы увидеть шаги, "
                                           "которые к нему ведут."),
                            this);
    hint->setWordWrap(true);
    layout->addWidget(hint);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* again = buttons->addButton(QStringLiteral("Проверить снова"), QDialogButtonBox::ActionRole);
    again->setObjectName(QStringLiteral("CheckAgain"));
    again->setToolTip(QStringLiteral("Проверить игру ещё раз, такой, какая она сейчас"));
    QPushButton* close = buttons->addButton(QStringLiteral("Закрыть"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("CheckClose"));
    connect(again, &QPushButton::clicked, this, &CheckWindow::checkAgain);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void CheckWindow::showReport(const check::CheckReport& report) {
    report_ = report;
    lines_ = check::reportLines(report);
    {
        const QSignalBlocker quiet(lineTree_);
        lineTree_->clear();
        QTreeWidgetItem* group = nullptr;
        const QFont base = lineTree_->font();
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            const check::ReportLine& line = lines_[i];
            if (line.role == Role::Verdict) {
                verdict_->setText(line.text);
                continue;
            }
            // A dead end's steps are shown beside the tree when it is chosen.
            if (line.role == Role::Step && line.deadEnd >= 0) continue;
            QTreeWidgetItem* item = nullptr;
            if (line.role == Role::Heading) {
                item = group = new QTreeWidgetItem(lineTree_);
                item->setFont(0, styled(base, true, false));
            } else {
                item = group ? new QTreeWidgetItem(group) : new QTreeWidgetItem(lineTree_);
                if (line.role == Role::Note) item->setFont(0, styled(base, false, true));
            }
            item->setText(0, line.text);
            item->setData(0, kLineIndex, qulonglong(i));
            if (line.scene > 0) item->setToolTip(0, QStringLiteral("Показать сцену %1").arg(line.scene));
        }
        lineTree_->expandAll();
    }
    showDeadEnd(-1);
}

void CheckWindow::lineChosen(QTreeWidgetItem* item) {
    if (!item) return;
    const std::size_t i = item->data(0, kLineIndex).toULongLong();
    if (i >= lines_.size()) return;
    const check::ReportLine& line = lines_[i];
    if (line.role == Role::Entry && line.deadEnd >= 0) showDeadEnd(line.deadEnd);
    if (line.scene > 0) emit sceneChosen(line.scene);
}

void CheckWindow::showDeadEnd(int deadEnd) {
    const QSignalBlocker quiet(stepList_);
    stepList_->clear();
    steps_ = check::deadEndSteps(report_, deadEnd);
    if (deadEnd < 0) {
        stepsTitle_->setText(report_.deadEnds.empty() ? QStringLiteral("Тупиков нет.")
                                                      : QStringLiteral("Выберите тупик: здесь будут шаги, которые к "
                                                                       "нему ведут."));
        return;
    }
    stepsTitle_->setText(QStringLiteral("Шаги до тупика %1:").arg(deadEnd + 1));
    for (const check::ReportLine& step : steps_) {
        auto* item = new QListWidgetItem(step.text, stepList_);
        if (step.scene > 0) item->setToolTip(QStringLiteral("Показать сцену %1").arg(step.scene));
    }
}

} // namespace tw
