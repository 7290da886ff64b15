// The author checks a game broken on purpose from the page "Сборка": the report opens in its own window,
// the dead end's line shows its scene on the canvas and the steps into it, and "Сохранить" asks before it
// builds a game the check found wrong.
#include "app/canvasview.h"
#include "app/mainwindow.h"
#include "editor/editorshell.h"
#include "editor/pages/checkwindow.h"
#include "editor/pages/editorpanel.h"
#include "make-demo/demorecord.h"
#include "make-demo/demostory.h"
#include "make-demo/demotree.h"
#include "make-demo/itempictures.h"
#include "platform/filesystem.h"
#include "platform/picturecodec.h"
#include "support/fakes.h"
#include "toolkit/toolkittypes.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QPushButton>
#include <QTreeWidget>
#include <utility>

namespace tw::test {
namespace {

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class GameCheckWindow : public ::testing::Test {
protected:
    QTemporaryDir project, target;
    DiskFileSystem disk;
    FakeMessages messages;
    FakeAudio audio;
    FakeCursors cursors;
    SeededRandom random{11};
    FakeFileDialogs dialogs;
    std::unique_ptr<MainWindow> window;

    void SetUp() override {
        QString error;
        ASSERT_EQ(demo::writeDemoTree({project.path(), QStringLiteral(TW_PLAYER)}, &error), demo::DemoResult::Written)
            << error.toStdString();
        // Broken on purpose: the merchant takes the gate's only key instead of the coin.
        QFile file(QString::fromStdString(AssetPaths(project.path().toStdString()).recordFile()));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        QByteArray bytes = file.readAll();
        ASSERT_EQ(std::size_t(bytes.size()), kProjectRecordSize);
        reinterpret_cast<ProjectRecord*>(bytes.data())->scene(2).dialog(demo::kMerchantDialog).giveItem = demo::kItemKey;
        file.seek(0);
        file.write(bytes);
        file.close();

        window = std::make_unique<MainWindow>(AssetPaths(project.path().toStdString()),
                                              Services{disk, messages, audio, cursors, random, dialogs});
        ASSERT_TRUE(window->startUp());
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    template <class T>
    T* find(const char* name) {
        T* widget = window->findChild<T*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    ScreenState& screen() { return window->engine().screen(); }

    // The panel comes up under the pointer at the canvas's bottom edge; a click on a tab chooses it.
    void chooseTab(EditorPage page) {
        QWidget* canvas = window->canvasView();
        const QPointF edge(500, canvas->height() - 2);
        QMouseEvent move(QEvent::MouseMove, edge, canvas->mapToGlobal(edge), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(canvas, &move);
        window->frameTick();
        window->overlayTick();
        QTabBar* tabs = window->editorPanel()->pages()->tabBar();
        ASSERT_TRUE(tabs->isVisible());
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(int(page)).center());
        ASSERT_EQ(window->editorPanel()->pages()->currentIndex(), int(page));
    }

    // The line of the report's tree that starts with `text`.
    QTreeWidgetItem* line(QTreeWidget* tree, const QString& text) {
        const QList<QTreeWidgetItem*> found = tree->findItems(text, Qt::MatchStartsWith | Qt::MatchRecursive);
        EXPECT_EQ(found.size(), 1) << text.toStdString();
        return found.value(0);
    }
    void click(QTreeWidget* tree, QTreeWidgetItem* item) {
        tree->scrollToItem(item);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
    }
};

TEST_F(GameCheckWindow, TheReportShowsTheDeadEndsSceneAndStepsAndTheBuildAsksFirst) {
    const QByteArray recordBefore = fileBytes(QString::fromStdString(AssetPaths(project.path().toStdString()).recordFile()));
    chooseTab(EditorPage::Build);
    ASSERT_EQ(screen().screenMode, ScreenMode::Menu); // "Сборка" leaves the menu shown
    ASSERT_EQ(screen().currentScene, 1);
    auto* checkButton = find<QToolButton>("CheckGame");
    ASSERT_NE(checkButton, nullptr);
    EXPECT_EQ(checkButton->text(), QStringLiteral("Проверить игру"));
    EXPECT_FALSE(checkButton->toolTip().isEmpty());
    checkButton->click();

    auto* report = find<CheckWindow>("CheckWindow");
    ASSERT_NE(report, nullptr);
    EXPECT_TRUE(report->isVisible());
    EXPECT_FALSE(report->isModal());
    EXPECT_TRUE(find<QLabel>("CheckVerdict")->text().contains(QStringLiteral("тупики: ")));
    auto* tree = find<QTreeWidget>("CheckLines");
    QTreeWidgetItem* heading = line(tree, QStringLiteral("Тупики"));
    ASSERT_NE(heading, nullptr);
    EXPECT_TRUE(heading->font(0).bold());
    QTreeWidgetItem* deadEnd = line(tree, QStringLiteral("Тупик 1: уже не открыть Сцена 2, дверь 1"));
    ASSERT_NE(deadEnd, nullptr);
    EXPECT_EQ(deadEnd->parent(), heading);
    auto* steps = find<QListWidget>("CheckSteps");
    EXPECT_EQ(steps->count(), 0);

    // The dead end: the plot editor's page shows its scene, the window its steps. Showing is play, no step.
    const int stepsBefore = window->editor().journal().stepCount();
    click(tree, deadEnd);
    EXPECT_EQ(screen().screenMode, ScreenMode::Scene);
    EXPECT_EQ(screen().currentScene, 2);
    EXPECT_EQ(find<QLabel>("Label6")->text(), QStringLiteral("Сцена 2"));
    std::string error;
    const QImage village = toQt(decodePicture(fromQtBytes(fileBytes(QString::fromStdString(AssetPaths(project.path().toStdString()).scene(2)))), &error));
    ASSERT_FALSE(village.isNull()) << error;
    EXPECT_EQ(toQt(std::as_const(window->engine().pictures().backgroundPicture)).convertToFormat(QImage::Format_RGB32),
              village.convertToFormat(QImage::Format_RGB32));
    ASSERT_GE(steps->count(), 2);
    EXPECT_EQ(find<QLabel>("CheckStepsTitle")->text(), QStringLiteral("Шаги до тупика 1:"));
    EXPECT_TRUE(steps->item(0)->text().startsWith(QStringLiteral("1. Сцена 1: взять предмет 1")));
    EXPECT_TRUE(steps->item(steps->count() - 1)->text().endsWith(
        QStringLiteral("Сцена 2: поговорить с персонажем 2 (отдать предмет 1)")));
    // A step of it shows its own scene.
    steps->setCurrentRow(0);
    EXPECT_EQ(screen().currentScene, 1);
    EXPECT_EQ(window->editor().journal().stepCount(), stepsBefore);

    find<QPushButton>("CheckClose")->click();
    EXPECT_FALSE(report->isVisible());

    // "Сохранить": the check runs first and asks; No builds nothing and shows the report again.
    chooseTab(EditorPage::Build);
    EXPECT_EQ(find<QLineEdit>("Edit15")->text(), demo::kDemoGameName);
    messages.answersInTurn = {false};
    dialogs.answers = {target.path()};
    find<QToolButton>("SpeedButton111")->click();
    ASSERT_EQ(messages.questions.size(), 1);
    EXPECT_TRUE(messages.questions[0].startsWith(QStringLiteral("Проверка игры нашла ошибки: ")));
    EXPECT_TRUE(messages.questions[0].contains(QStringLiteral("тупики: ")));
    EXPECT_TRUE(messages.questions[0].endsWith(QStringLiteral("Собрать игру всё равно?")));
    EXPECT_EQ(messages.defaults[0], Messages::Answer::No);
    EXPECT_TRUE(dialogs.asked.isEmpty());
    EXPECT_TRUE(QDir(target.path()).isEmpty());
    EXPECT_EQ(fileBytes(QString::fromStdString(AssetPaths(project.path().toStdString()).recordFile())), recordBefore);
    EXPECT_TRUE(report->isVisible());

    // Yes builds it all the same.
    messages.answersInTurn = {true};
    find<QToolButton>("SpeedButton111")->click();
    EXPECT_EQ(messages.questions.size(), 2);
    EXPECT_EQ(dialogs.asked, QStringList{QStringLiteral("folder")});
    EXPECT_TRUE(QFileInfo::exists(target.filePath(demo::kDemoGameName))) << messages.errors.join('\n').toStdString();
}

} // namespace
} // namespace tw::test
