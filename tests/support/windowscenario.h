#pragma once

#include "app/canvasview.h"
#include "app/mainwindow.h"
#include "support/fakes.h"
#include "support/faketree.h"
#include "support/testdata.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

#include <memory>

namespace tw::test {

// A scenario test that drives the real main window as an author does: widgets found by their names,
// buttons clicked, the canvas given mouse events, the timers' work run tick by tick, Ctrl+Z pressed.
class WindowScenario : public ::testing::Test {
protected:
    FakeWorld world;
    std::unique_ptr<MainWindow> window;

    // Starts the window on the fake tree (put the record and pictures there first) and makes it active,
    // so that its shortcuts take keys.
    // A new game of `scenes` scenes with the hero at cell (3, 3), stepping 10 px.
    static std::unique_ptr<ProjectRecord> newGame(int scenes) {
        auto record = ProjectRecord::createBlank();
        record->sceneCount = std::uint16_t(scenes);
        record->heroStep = 10;
        record->heroX = 50;
        record->heroY = 50;
        return record;
    }
    void openWindow() {
        window = std::make_unique<MainWindow>(kFakeRoot, world.services());
        ASSERT_TRUE(window->startUp());
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    template <class T>
    T* find(const char* name) {
        T* widget = window->findChild<T*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    void press(const char* button) { find<QToolButton>(button)->click(); }
    void spin(const char* name, int value) { find<QSpinBox>(name)->setValue(value); }

    // A press, move or release of the left button on the canvas.
    void pointer(QEvent::Type type, QPoint at) {
        CanvasView* canvas = window->canvasView();
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, QPointF(at), canvas->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
        QApplication::sendEvent(canvas, &event);
    }
    void click(QPoint at) {
        pointer(QEvent::MouseMove, at);
        pointer(QEvent::MouseButtonPress, at);
        pointer(QEvent::MouseButtonRelease, at);
    }
    // Press at `from`, move in `steps` even steps to `to`, release there.
    void drag(QPoint from, QPoint to, int steps = 8) {
        pointer(QEvent::MouseMove, from);
        pointer(QEvent::MouseButtonPress, from);
        for (int i = 1; i <= steps; ++i) pointer(QEvent::MouseMove, from + (to - from) * i / steps);
        pointer(QEvent::MouseButtonRelease, to);
    }
    void doubleClick(QPoint at) {
        pointer(QEvent::MouseButtonPress, at);
        pointer(QEvent::MouseButtonRelease, at);
        pointer(QEvent::MouseButtonDblClick, at);
        pointer(QEvent::MouseButtonRelease, at);
    }
    // n rounds of both timers' work.
    void ticks(int n) {
        for (int i = 0; i < n; ++i) {
            window->frameTick();
            window->overlayTick();
        }
    }
    // The editor's panel comes up while the pointer rests at the canvas's bottom edge.
    void showPanel() {
        pointer(QEvent::MouseMove, QPoint(500, window->canvasView()->height() - 2));
        ticks(1);
    }
    // A file of the test corpus, offered to the file dialogs as the author's own file (named `asName`,
    // or as in the corpus).
    QString offer(const char* corpusFile, const char* asName = nullptr) {
        const QString name = asName ? QString::fromLatin1(asName) : QString::fromLatin1(corpusFile).section('/', -1);
        const QString chosen = QStringLiteral("/home/author/") + name;
        world.files.files[chosen] = readTestData(QLatin1String(corpusFile));
        return chosen;
    }
    // Types into a text box as the author does, replacing what it held; the box keeps the focus. Key by
    // key, each carrying its character, as a keyboard with a Russian layout sends them.
    template <class Box = QLineEdit>
    Box* type(const char* name, const QString& text) {
        auto* box = find<Box>(name);
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        for (qsizetype i = 0; i < text.size(); ++i) {
            const qsizetype n = text.at(i).isHighSurrogate() ? 2 : 1;
            const QString character = text.mid(i, n);
            i += n - 1;
            QTest::sendKeyEvent(QTest::Press, box, Qt::Key_unknown, character, Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, box, Qt::Key_unknown, character, Qt::NoModifier);
        }
        return box;
    }
    void undo() { QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier); }
    void redo() { QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier); }
    // The colour the canvas widget shows at a point.
    QRgb shownAt(QPoint at) { return window->canvasView()->grab().toImage().pixel(at); }
    ProjectRecord& record() { return window->engine().record(); }
    ScreenState& screen() { return window->engine().screen(); }
};

} // namespace tw::test
