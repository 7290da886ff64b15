#include "app/canvasview.h"
#include "app/mainwindow.h"
#include "support/fakes.h"
#include "support/faketree.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>

namespace tw::test {
namespace {

TEST(MainWindow, StartsOnTheMenuWithTheRecordsValues) {
    FakeWorld world;
    auto record = ProjectRecord::createBlank();
    record->gameName.setText(QStringLiteral("Лесная сказка"));
    record->tickInterval = 70;
    putMinimalTree(world.files, *record);
    MainWindow window(kFakeRoot, world.services());
    ASSERT_TRUE(window.startUp());

    EXPECT_EQ(window.windowTitle(), QStringLiteral("     TARNWICK    ( Лесная сказка )"));
    EXPECT_EQ(window.size(), QSize(1007, 699));
    EXPECT_EQ(window.findChild<QLineEdit*>(QStringLiteral("Edit15"))->text(), QStringLiteral("Лесная сказка"));
    EXPECT_EQ(window.findChild<QSpinBox*>(QStringLiteral("SpinEdit16"))->value(), 70);
    EXPECT_EQ(window.findChild<QTimer*>(QStringLiteral("Timer2"))->interval(), 70);
    EXPECT_EQ(window.findChild<QTimer*>(QStringLiteral("Timer1"))->interval(), 10);
    EXPECT_FALSE(window.findChild<QWidget*>(QStringLiteral("Panel1"))->isVisibleTo(&window));
    EXPECT_EQ(window.findChild<QWidget*>(QStringLiteral("Panel1"))->height(), 169);
    EXPECT_EQ(window.findChild<QTabWidget*>(QStringLiteral("PageControl1"))->tabText(6),
              QStringLiteral("Редактор сюжета"));

    // The canvas fills the client area and shows the top-left of the menu picture.
    window.show();
    EXPECT_EQ(window.canvasView()->size(), QSize(1007, 699));
    const QImage shown = window.canvasView()->grab().toImage();
    EXPECT_EQ(shown.pixel(10, 10), qRgb(0, 0, 160));
    window.hide();
}

TEST(MainWindow, CloseStoresTheNameFieldAndRefusesToCloseOnAWriteError) {
    FakeWorld world;
    putMinimalTree(world.files, *ProjectRecord::createBlank());
    MainWindow window(kFakeRoot, world.services());
    ASSERT_TRUE(window.startUp());
    window.show();
    window.findChild<QLineEdit*>(QStringLiteral("Edit15"))->setText(QStringLiteral("NewName"));

    world.files.failWritesTo << kFakeRoot.recordFile();
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(world.messages.errors.size(), 1);

    world.files.failWritesTo.clear();
    EXPECT_TRUE(window.close());
    EXPECT_EQ(storedRecord(world.files)->gameName.text(), QStringLiteral("NewName"));
}

TEST(MainWindow, AfterAFailedStartClosingWritesNothing) {
    FakeWorld world;
    MainWindow window(kFakeRoot, world.services());
    EXPECT_FALSE(window.startUp());
    EXPECT_EQ(world.messages.errors, QStringList{QStringLiteral(" ERROR ")});
    EXPECT_TRUE(window.close());
    EXPECT_TRUE(world.files.written.isEmpty());
}

} // namespace
} // namespace tw::test
