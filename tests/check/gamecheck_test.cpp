// The game check on games made by hand to be wrong in one way each, on the bundled demo, and on random
// small games whose walkthroughs must replay in the engine.
#include "check/projectcheck.h"
#include "check/walkthroughreplay.h"
#include "make-demo/demotree.h"
#include "platform/filesystem.h"
#include "project/recordfile.h"
#include "support/fakes.h"
#include "support/faketree.h"
#include "support/smallgame.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <functional>

namespace tw::test {
namespace {

using check::Action;
using check::CheckReport;
using check::SceneObject;
using check::Warning;

CheckReport checkSmallGame(SmallGame& game) {
    FakeFileSystem files;
    putMinimalTree(files, *game);
    return check::checkRecord(*game, files, kFakeRoot);
}

template <typename List, typename Value>
bool has(const List& list, const Value& value) {
    return std::find(list.begin(), list.end(), value) != list.end();
}

bool warns(const CheckReport& report, Warning::Kind kind, int scene, int number) {
    return std::any_of(report.warnings.begin(), report.warnings.end(), [&](const Warning& w) {
        return w.kind == kind && w.scene == scene && w.number == number;
    });
}

TEST(GameCheck, TheDemoCanBeFinishedAndItsWalkthroughPlaysInTheEngine) {
    QTemporaryDir dir;
    QString error;
    ASSERT_EQ(demo::writeDemoTree({dir.path(), QCoreApplication::applicationFilePath()}, &error), demo::DemoResult::Written);
    DiskFileSystem disk;
    const AssetPaths paths(dir.path().toStdString());
    const Bytes before = disk.read(paths.recordFile()).bytes;

    const check::ProjectCheck checked = check::checkProjectTree(disk, paths);
    ASSERT_TRUE(checked.readable) << checked.reason.toStdString();
    const CheckReport& report = checked.report;
    EXPECT_FALSE(report.foundAnything());
    EXPECT_TRUE(report.complete);
    EXPECT_TRUE(report.replayed);
    EXPECT_TRUE(report.deadEnds.empty());
    EXPECT_TRUE(report.notTogether.empty());
    // Every door of the demo opens on the way, and every item of the demo is had.
    EXPECT_EQ(report.walkthroughReaches.doors, report.doorsOpenable);
    EXPECT_EQ(report.walkthroughReaches.items, report.itemsObtainable);
    EXPECT_FALSE(report.doorsOpenable.empty());
    // The check wrote nothing.
    EXPECT_EQ(disk.read(paths.recordFile()).bytes, before);
    EXPECT_FALSE(disk.exists(paths.recoveryFile()));

    // The replay can tell a walkthrough that falls short: without its last step a door stays shut.
    RecordLoad load = loadRecordFile(disk, paths.recordFile());
    ASSERT_EQ(load.status, RecordLoad::Status::Ok);
    std::vector<Action> cut = report.walkthrough;
    cut.pop_back();
    const check::ReplayResult shortOne = check::replayWalkthrough(*load.record, disk, paths, cut, report.walkthroughReaches);
    EXPECT_TRUE(shortOne.started);
    EXPECT_FALSE(shortOne.reached);
    EXPECT_FALSE(shortOne.detail.empty());
    // Steps out of order part from the engine at the step that cannot be done.
    std::vector<Action> swapped = report.walkthrough;
    std::reverse(swapped.begin(), swapped.end());
    const check::ReplayResult backwards = check::replayWalkthrough(*load.record, disk, paths, swapped, report.walkthroughReaches);
    EXPECT_FALSE(backwards.reached);
    EXPECT_NE(backwards.detail.find("шаг 1"), std::string::npos) << backwards.detail;
}

// Each game is right but for one fault, which the report must name; whatever else it says, its
// walkthrough still plays in the engine.
TEST(GameCheck, HandMadeFaultsAreFoundAndNamed) {
    struct Case {
        const char* name;
        int scenes;
        std::function<void(SmallGame&)> make;
        std::function<void(const CheckReport&)> expect;
    };
    const Case cases[] = {
        {"the only key given away before its door is opened", 1,
         [](SmallGame& g) {
             g.item(1, 1, 3, 5);
             g.wallColumn(1, 20);
             g.door(1, 1, 1, 20, 10);
             g.item(3, 1, 30, 10); // behind the door
             g.character(1, 1, 3, 10, 10, 1, 2);
         },
         [](const CheckReport& r) {
             ASSERT_EQ(r.deadEnds.size(), 1u);
             const check::DeadEnd& dead = r.deadEnds[0];
             EXPECT_TRUE(has(dead.lost.doors, SceneObject{1, 1}));
             EXPECT_TRUE(has(dead.lost.items, 3));
             ASSERT_EQ(dead.steps.size(), 2u);
             EXPECT_EQ(dead.steps[0].kind, Action::Kind::Take);
             EXPECT_EQ(dead.steps[0].item, 1);
             EXPECT_EQ(dead.steps[1].kind, Action::Kind::Talk);
             EXPECT_EQ(dead.steps[1].item, 1);
             // The walkthrough opens the door before the exchange and so has everything.
             EXPECT_TRUE(r.notTogether.empty());
             EXPECT_TRUE(has(r.walkthroughReaches.items, 2));
         }},
        {"a door the hero can never stand next to", 1,
         [](SmallGame& g) {
             g.item(1, 1, 3, 5);
             for (int c = 19; c <= 21; ++c) {
                 for (int r = 9; r <= 11; ++r) g.wall(1, c, r);
             }
             g.door(1, 2, 1, 20, 10);
         },
         [](const CheckReport& r) {
             EXPECT_TRUE(has(r.doorsNever, SceneObject{1, 2}));
             EXPECT_TRUE(r.deadEnds.empty());
         }},
        {"an item lying on a blocked cell", 1,
         [](SmallGame& g) {
             g.wall(1, 7, 7);
             g.item(3, 1, 7, 7);
         },
         [](const CheckReport& r) {
             EXPECT_TRUE(has(r.itemsNever, 3));
             EXPECT_TRUE(std::any_of(r.warnings.begin(), r.warnings.end(), [](const Warning& w) {
                 return w.kind == Warning::Kind::ItemOnBlockedCell && w.item == 3 && w.col == 7 && w.row == 7;
             }));
         }},
        {"a scene no portal leads to", 3,
         [](SmallGame& g) {
             g.portal(1, 1, 10, 5, 2, 10, 6);
             g.portal(2, 1, 10, 5, 1, 10, 6);
         },
         [](const CheckReport& r) {
             EXPECT_EQ(r.scenesReachable, (std::vector<int>{1, 2}));
             EXPECT_EQ(r.scenesUnreachable, (std::vector<int>{3}));
         }},
        {"a character behind a wall", 1,
         [](SmallGame& g) {
             g.wallColumn(1, 20);
             g.character(1, 4, 1, 30, 10);
         },
         [](const CheckReport& r) { EXPECT_TRUE(has(r.dialogsNever, SceneObject{1, 4})); }},
        {"portals to scene 0 and past the last scene", 2,
         [](SmallGame& g) {
             g.portal(1, 2, 10, 5, 0, 10, 6);
             g.portal(1, 3, 12, 5, 3, 10, 6);
         },
         [](const CheckReport& r) {
             EXPECT_TRUE(warns(r, Warning::Kind::PortalTarget, 1, 2));
             EXPECT_TRUE(warns(r, Warning::Kind::PortalTarget, 1, 3));
             EXPECT_TRUE(has(r.scenesUnreachable, 2));
         }},
        {"a character of kind 1 whose random dialogs are all empty", 2,
         [](SmallGame& g) {
             g.character(1, 2, 1, 10, 10);
             g.portal(1, 1, 15, 5, 2, 10, 6);
             g.portal(2, 1, 15, 5, 1, 10, 6);
             g.randomDialog(2, 1, "Скучно"); // the other scene's texts do not count
         },
         [](const CheckReport& r) {
             EXPECT_TRUE(warns(r, Warning::Kind::EmptyRandomDialogs, 1, 2));
             EXPECT_TRUE(has(r.dialogsReachable, SceneObject{1, 2}));
         }},
        {"a portal landing on a wall and on another portal, a hero starting in a wall", 2,
         [](SmallGame& g) {
             g.wall(1, 5, 5);
             g.wall(2, 30, 30);
             g.portal(1, 1, 10, 5, 2, 30, 30);
             g.portal(1, 2, 12, 5, 2, 20, 20);
             g.portal(2, 1, 20, 20, 1, 10, 10);
         },
         [](const CheckReport& r) {
             EXPECT_TRUE(warns(r, Warning::Kind::HeroOnBlockedCell, 1, 0));
             EXPECT_TRUE(warns(r, Warning::Kind::PortalArrival, 1, 1));
             EXPECT_TRUE(warns(r, Warning::Kind::PortalOntoPortal, 1, 2));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SmallGame game(c.scenes);
        c.make(game);
        const CheckReport report = checkSmallGame(game);
        EXPECT_TRUE(report.foundAnything());
        EXPECT_TRUE(report.complete);
        c.expect(report);
        EXPECT_TRUE(report.replayed) << (report.warnings.empty() ? std::string() : report.warnings.back().detail);
    }
}

// One press sends the hero at most 300 cells along his way; an item farther down a winding corridor is
// still had, press after press, in the search and in the engine.
TEST(GameCheck, AnItemBeyondTheWavesReachIsHadPressAfterPress) {
    SmallGame game(1);
    game.hero(1, 1);
    // Rows 2, 4, 6, ... are walls with one gap, at the right end and the left end by turns: a corridor
    // of about 900 cells.
    for (int r = 2; r <= kGridRows; r += 2) {
        for (int c = 1; c <= kGridColumns; ++c) {
            const bool gap = (r % 4 == 2) ? c == kGridColumns : c == 1;
            if (!gap) game.wall(1, c, r);
        }
    }
    game.item(7, 1, kGridColumns, kGridRows);
    const CheckReport report = checkSmallGame(game);
    EXPECT_TRUE(has(report.itemsObtainable, 7));
    ASSERT_EQ(report.walkthrough.size(), 1u);
    EXPECT_TRUE(report.replayed) << (report.warnings.empty() ? std::string() : report.warnings.back().detail);
}

} // namespace
} // namespace tw::test
