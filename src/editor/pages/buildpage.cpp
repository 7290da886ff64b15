#include "editor/pages/buildpage.h"

#include "check/reporttext.h"
#include "editor/buildcheck.h"
#include "editor/editor.h"
#include "editor/gamebuild.h"
#include "editor/pages/checkwindow.h"
#include "editor/pages/widgets.h"
#include "editor/webbuild.h"
#include "platform/messages.h"
#include "runtime/engine.h"
#include "toolkit/toolkittypes.h"

#include <QApplication>
#include <QLineEdit>
#include <QScreen>
#include <QToolButton>

#include <algorithm>

namespace tw {

BuildPage::BuildPage(Editor& editor, QWidget* parent) : QWidget(parent), editor_(editor) {
    label(this, nullptr, QStringLiteral("Имя игры (латинскими буквами, без пробелов)"), 10, 8);
    gameNameEdit_ = new QLineEdit(this);
    gameNameEdit_->setObjectName(QStringLiteral("Edit15"));
    gameNameEdit_->setGeometry(10, 28, 300, 22);
    auto* build = speedButton(this, "SpeedButton111", QStringLiteral("Сохранить"), 10, 60, 120, 26);
    connect(build, &QToolButton::clicked, this, [this] { buildChecked(false); });
    auto* buildWeb = speedButton(this, "BuildWeb", QStringLiteral("Сохранить для браузера"), 10, 92, 260, 26);
    buildWeb->setToolTip(QStringLiteral("Игра, в которую играют в браузере: папка для любого веб-хостинга"));
    connect(buildWeb, &QToolButton::clicked, this, [this] { buildChecked(true); });
    auto* check = speedButton(this, "CheckGame", QStringLiteral("Проверить игру"), 140, 60, 130, 26);
    check->setToolTip(QStringLiteral("Можно ли пройти игру до конца: тупики, сцены, предметы, двери и персонажи, "
                                     "до которых не добраться, и прохождение, сыгранное в самой игре"));
    check->setAccessibleName(QStringLiteral("Проверить игру"));
    connect(check, &QToolButton::clicked, this, &BuildPage::checkGame);
    helpText(this, "BuildNote",
             QStringLiteral("Сборка записывает готовую игру: программу игры под её именем и папку mzh рядом с ней. "
                            "Перед сборкой поставьте героя на стартовую позицию сюжета: игра начнётся с того, "
                            "что записано сейчас, со сцены, открытой в редакторе. Собирайте в пустую папку. "
                            "«Проверить игру» ищет тупики и то, до чего игрок не доберётся; «Сохранить» "
                            "проверяет игру перед сборкой. «Сохранить для браузера» собирает игру для веб-страницы."),
             QRect(330, 8, 420, 80));
}

QString BuildPage::gameNameText() const { return gameNameEdit_->text(); }

void BuildPage::setGameName(const QString& name) { gameNameEdit_->setText(name); }

check::CheckReport BuildPage::runCheck() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    check::CheckReport report = checkGameAsBuilt(editor_.engine());
    QApplication::restoreOverrideCursor();
    return report;
}

void BuildPage::showReport(const check::CheckReport& report) {
    if (!checkWindow_) {
        // A window of its own over the editor's: it stays while the panel slides away.
        checkWindow_ = new CheckWindow(window());
        connect(checkWindow_, &CheckWindow::sceneChosen, this, &BuildPage::sceneChosen);
        connect(checkWindow_, &CheckWindow::checkAgain, this, &BuildPage::checkGame);
        // Beside the editor's window where the screen has room, else over its right side: the canvas
        // it shows scenes on stays in view as far as it can.
        const QRect editor = window()->frameGeometry();
        const QRect screen = window()->screen()->availableGeometry();
        const int x = std::min(editor.right() + 8, screen.right() - checkWindow_->frameGeometry().width());
        checkWindow_->move(std::max(screen.left(), x), std::max(screen.top(), editor.top()));
    }
    checkWindow_->showReport(report);
    checkWindow_->show();
    checkWindow_->raise();
    checkWindow_->activateWindow();
}

void BuildPage::checkGame() { showReport(runCheck()); }

void BuildPage::buildChecked(bool forBrowser) {
    const QString name = gameNameEdit_->text();
    // A name the build refuses is said first: there is no point checking a game that will not be built.
    if (gameNameProblem(name).isEmpty()) {
        const check::CheckReport report = runCheck();
        if (report.foundAnything()) {
            QString found = check::findingsText(report);
            if (!report.complete)
                found += (found.isEmpty() ? QString() : QStringLiteral("; ")) +
                         QStringLiteral("перебор остановлен на пределе, проверено не всё");
            const QString question =
                QStringLiteral("Проверка игры нашла ошибки: %1.\nСобрать игру всё равно?").arg(found);
            if (!editor_.engine().services().messages.askYesNo(fromQt(question), Messages::Answer::No)) {
                showReport(report);
                return;
            }
        }
    }
    if (forBrowser)
        buildWebGame(editor_, name);
    else
        buildGame(editor_, name);
}

} // namespace tw
