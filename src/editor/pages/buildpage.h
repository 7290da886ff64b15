#pragma once

#include "check/gamecheck.h"

#include <QWidget>

class QLineEdit;

namespace tw {

class CheckWindow;
class Editor;

// The page "Сборка": the game's name (Edit15), "Сохранить" (SpeedButton111), which checks the game before
// it builds it, and "Проверить игру", whose report opens in a window of its own.
class BuildPage final : public QWidget {
    Q_OBJECT
public:
    BuildPage(Editor& editor, QWidget* parent);

    QString gameNameText() const;
    void setGameName(const QString& name);

signals:
    // A line of the check's report about scene `scene` was chosen.
    void sceneChosen(int scene);

private:
    // "Проверить игру": checks the game as it would be built and shows the report.
    void checkGame();
    // "Сохранить" and "Сохранить для браузера": checks the game first; when the check finds something,
    // the author is asked whether to build anyway, and a No shows the report instead.
    void buildChecked(bool forBrowser);
    check::CheckReport runCheck();
    void showReport(const check::CheckReport& report);

    Editor& editor_;
    QLineEdit* gameNameEdit_ = nullptr; // Edit15
    CheckWindow* checkWindow_ = nullptr;
};

} // namespace tw
