#pragma once

#include "check/gamecheck.h"
#include "check/reporttext.h"

#include <QDialog>

#include <vector>

class QLabel;
class QListWidget;
class QListWidgetItem;
class QTreeWidget;
class QTreeWidgetItem;

namespace tw {

// The window of the game check's report: the verdict on top, the report's groups as a tree, and beside it
// the steps of the dead end chosen. Choosing a line about a scene asks for that scene to be shown; the
// window stays open beside the editor (not modal) and can be resized.
class CheckWindow final : public QDialog {
    Q_OBJECT
public:
    explicit CheckWindow(QWidget* parent);

    // Shows a new report in place of the last one.
    void showReport(const check::CheckReport& report);

signals:
    // A line about scene `scene` was chosen.
    void sceneChosen(int scene);
    // "Проверить снова".
    void checkAgain();

private:
    void lineChosen(QTreeWidgetItem* item);
    void showDeadEnd(int deadEnd);

    check::CheckReport report_;
    std::vector<check::ReportLine> lines_;
    std::vector<check::ReportLine> steps_;
    QLabel* verdict_ = nullptr;
    QTreeWidget* lineTree_ = nullptr;
    QWidget* stepsPane_ = nullptr;
    QLabel* stepsTitle_ = nullptr;
    QListWidget* stepList_ = nullptr;
};

} // namespace tw
