#include "editor/pages/checkwindow.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace tw {
namespace {

using Role = check::ReportLine::Role;

// The index of a line in lines_ (or steps_), kept on its item.
constexpr int kLineIndex = Qt::UserRole;

// Lines as long as the report's wrap at the view's width instead of ending in an ellipsis: each row is as
// tall as its text wrapped there.
class WrappingDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
        if (!view) return size;
        int width = view->viewport()->width() - 2 * kTextMargin;
        if (const auto* tree = qobject_cast<const QTreeView*>(view)) {
            int depth = tree->rootIsDecorated() ? 1 : 0;
            for (QModelIndex up = index.parent(); up.isValid(); up = up.parent()) ++depth;
            width -= tree->indentation() * depth;
        }
        QStyleOptionViewItem item(option);
        initStyleOption(&item, index);
        const QRect text = QFontMetrics(item.font).boundingRect(QRect(0, 0, std::max(width, 40), 0),
                                                               Qt::AlignLeft | Qt::TextWordWrap, item.text);
        size.setHeight(std::max(size.height(), text.height() + 2 * kTextMargin));
        size.setWidth(std::min(size.width(), std::max(width, 40)));
        return size;
    }

private:
    static constexpr int kTextMargin = 3;
};

// A tree that lays its rows out again when its width changes, so that wrapped lines take their new height.
class ReportTree final : public QTreeWidget {
public:
    using QTreeWidget::QTreeWidget;

protected:
    void resizeEvent(QResizeEvent* event) override {
        QTreeWidget::resizeEvent(event);
        scheduleDelayedItemsLayout();
    }
};

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
    resize(720, 520);

    auto* layout = new QVBoxLayout(this);
    verdict_ = new QLabel(this);
    verdict_->setObjectName(QStringLiteral("CheckVerdict"));
    verdict_->setWordWrap(true);
    verdict_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont larger = styled(verdict_->font(), true, false);
    if (larger.pointSizeF() > 0) larger.setPointSizeF(larger.pointSizeF() * 1.15);
    verdict_->setFont(larger);
    layout->addWidget(verdict_);

    auto* split = new QSplitter(Qt::Horizontal, this);
    lineTree_ = new ReportTree(split);
    lineTree_->setItemDelegate(new WrappingDelegate(lineTree_));
    lineTree_->setObjectName(QStringLiteral("CheckLines"));
    lineTree_->setAccessibleName(QStringLiteral("Что нашла проверка"));
    lineTree_->setHeaderHidden(true);
    lineTree_->setColumnCount(1);
    lineTree_->setWordWrap(true);
    lineTree_->setAlternatingRowColors(true);
    lineTree_->setUniformRowHeights(false);
    // Long lines wrap within the column, which follows the window's width.
    lineTree_->setTextElideMode(Qt::ElideNone);
    lineTree_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    connect(lineTree_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) { lineChosen(item); });
    connect(lineTree_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { lineChosen(item); });

    stepsPane_ = new QWidget(split);
    auto* stepsLayout = new QVBoxLayout(stepsPane_);
    stepsLayout->setContentsMargins(0, 0, 0, 0);
    stepsTitle_ = new QLabel(stepsPane_);
    stepsTitle_->setObjectName(QStringLiteral("CheckStepsTitle"));
    stepsTitle_->setWordWrap(true);
    stepsTitle_->setFont(styled(stepsTitle_->font(), true, false));
    stepsLayout->addWidget(stepsTitle_);
    stepList_ = new QListWidget(stepsPane_);
    stepList_->setObjectName(QStringLiteral("CheckSteps"));
    stepList_->setAccessibleName(QStringLiteral("Шаги до тупика"));
    stepList_->setWordWrap(true);
    stepList_->setResizeMode(QListView::Adjust);
    stepList_->setItemDelegate(new WrappingDelegate(stepList_));
    stepList_->setAlternatingRowColors(true);
    stepsLayout->addWidget(stepList_);
    connect(stepList_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && std::size_t(row) < steps_.size() && steps_[std::size_t(row)].scene > 0)
            emit sceneChosen(steps_[std::size_t(row)].scene);
    });
    split->addWidget(lineTree_);
    split->addWidget(stepsPane_);
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
    // Green when the check found nothing, dark red when it found something.
    verdict_->setStyleSheet(report.foundAnything() ? QStringLiteral("color: #a01818;") : QStringLiteral("color: #146c2e;"));
    // The steps pane is there for dead ends only.
    stepsPane_->setVisible(!report.deadEnds.empty());
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
