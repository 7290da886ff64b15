#include "runtime/walking.h"
#include "support/referencewave.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

namespace tw::test {
namespace {

struct Cell {
    int col;
    int row;
};

// A corridor that snakes through the whole grid: along row 1 to the right, down at the end, along row 3 to
// the left, and so on. Its cells in walking order, 935 of them.
std::vector<Cell> snakePath() {
    std::vector<Cell> path;
    for (int row = 1; row <= kGridRows; row += 2) {
        const bool rightwards = (row / 2) % 2 == 0;
        for (int i = 0; i < kGridColumns; ++i)
            path.push_back({rightwards ? 1 + i : kGridColumns - i, row});
        if (row + 1 <= kGridRows) path.push_back({rightwards ? kGridColumns : 1, row + 1});
    }
    return path;
}

class Walking : public ::testing::Test {
protected:
    static constexpr int kScene = 7;
    std::unique_ptr<ProjectRecord> record = ProjectRecord::createBlank();
    PlayState state;

    void SetUp() override {
        record->heroAnimRight = 11;
        record->heroAnimLeft = 12;
        record->heroAnimBack = 13;
        record->heroAnimForward = 14;
        record->heroAnimStand = 15;
        record->heroStep = 5;
    }
    std::uint16_t& cell(int c, int r) { return record->pass(kScene, c, r); }
    void fillScene(std::uint16_t value) {
        for (int c = 1; c <= kGridColumns; ++c)
            for (int r = 1; r <= kGridRows; ++r)
                cell(c, r) = value;
    }
    // Opens the first n cells of the snake in an otherwise blocked scene.
    std::vector<Cell> openSnake(int n) {
        fillScene(kBlockedCell);
        std::vector<Cell> path = snakePath();
        path.resize(std::size_t(n));
        for (const Cell& at : path)
            cell(at.col, at.row) = 0;
        return path;
    }
    // The hero's foot point in the middle of the bottom half of a cell, as the editor would put it.
    void putHero(int c, int r) {
        record->heroX = std::uint16_t(20 * (c - 1) + 10);
        record->heroY = std::uint16_t(20 * (r - 1) + 15);
    }
    int heroCol() const { return record->heroX / 20 + 1; }
    int heroRow() const { return record->heroY / 20 + 1; }
    void tick(bool chooserVisible = false) { walkStep(*record, kScene, state, chooserVisible); }

    // Ticks until the hero's foot point is in (c, r), checking that he never sets foot on a blocked cell.
    // Returns the number of ticks, or -1 when he has not arrived after maxTicks.
    int walkTo(int c, int r, int maxTicks) {
        for (int ticks = 1; ticks <= maxTicks; ++ticks) {
            tick();
            const std::uint16_t under = record->passOrBlocked(kScene, heroCol(), heroRow());
            EXPECT_LT(under, kBlockedCell) << "tick " << ticks << " cell " << heroCol() << "," << heroRow();
            if (under >= kBlockedCell) return -1;
            if (heroCol() == c && heroRow() == r) return ticks;
        }
        return -1;
    }
};

// --- The wave search -------------------------------------------------------------------------------------

TEST_F(Walking, WaveGivesTheSweepsMarksOnRandomGrids) {
    auto expected = ProjectRecord::createBlank();
    std::mt19937 random(20240611);
    const std::vector<Cell> snake = snakePath();
    for (int trial = 0; trial < 600; ++trial) {
        const int scene = 1 + int(random() % kSceneCapacity);
        const double density = double(random() % 8) / 10.0;
        std::bernoulli_distribution blocked(density);
        // Walkable cells carry stale marks; blocked ones 30000 or, as in a damaged record, more.
        for (int c = 1; c <= kGridColumns; ++c) {
            for (int r = 1; r <= kGridRows; ++r) {
                std::uint16_t& at = record->pass(scene, c, r);
                if (blocked(random))
                    at = random() % 4 ? kBlockedCell : std::uint16_t(kBlockedCell + random() % 35536);
                else
                    at = std::uint16_t(random() % 3 ? random() % 400 : random() % kBlockedCell);
            }
        }
        // Every third grid is the snake with a few walls knocked into it, so that paths grow past the
        // reach of the wave.
        if (trial % 3 == 0) {
            for (int c = 1; c <= kGridColumns; ++c)
                for (int r = 1; r <= kGridRows; ++r)
                    record->pass(scene, c, r) = kBlockedCell;
            for (const Cell& at : snake)
                record->pass(scene, at.col, at.row) = std::uint16_t(random() % 500);
            for (int k = 0; k < 6; ++k)
                record->pass(scene, 1 + int(random() % 51), 1 + int(random() % 35)) = 0;
        }
        int col = 1 + int(random() % kGridColumns);
        int row = 1 + int(random() % kGridRows);
        if (trial % 3 == 0) {
            // On the snake: the target at distance 299, 300 or 301 from its start, or anywhere along it.
            const int along = trial % 9 == 0 ? 299 + (trial / 9) % 3 : int(random() % snake.size());
            col = snake[std::size_t(along)].col;
            row = snake[std::size_t(along)].row;
        } else if (trial % 17 == 1) {
            col = int(random() % 3) == 0 ? 0 : kGridColumns + 1; // off the grid
        }
        const bool force = random() % 2;

        std::memcpy(expected->bytes(), record->bytes(), kProjectRecordSize);
        referenceSpreadWave(*expected, scene, col, row, force);
        spreadWave(*record, scene, col, row, force);
        ASSERT_EQ(std::memcmp(expected->bytes(), record->bytes(), kProjectRecordSize), 0)
            << "trial " << trial << " scene " << scene << " target " << col << "," << row << " force "
            << force << " density " << density;
    }
}

TEST_F(Walking, WaveReachesThreeHundredMovesAndNoFurther) {
    for (const int distance : {299, 300, 301}) {
        const std::vector<Cell> path = openSnake(distance + 1);
        const Cell target = path.back();
        auto expected = ProjectRecord::createBlank();
        std::memcpy(expected->bytes(), record->bytes(), kProjectRecordSize);
        referenceSpreadWave(*expected, kScene, target.col, target.row, false);
        spreadWave(*record, kScene, target.col, target.row, false);
        EXPECT_EQ(std::memcmp(expected->bytes(), record->bytes(), kProjectRecordSize), 0) << distance;
        EXPECT_EQ(cell(path[0].col, path[0].row), distance <= 300 ? distance + 1 : 0) << distance;
        EXPECT_EQ(cell(path[1].col, path[1].row), distance) << distance;
        EXPECT_EQ(cell(target.col, target.row), 1);
    }
}

TEST_F(Walking, BlockedTargetWithoutForceClearsEveryMark) {
    for (int c = 1; c <= kGridColumns; ++c)
        for (int r = 1; r <= kGridRows; ++r)
            cell(c, r) = std::uint16_t((c * 7 + r) % 300);
    cell(10, 10) = kBlockedCell;
    cell(11, 10) = 45000;
    spreadWave(*record, kScene, 10, 10, false);
    int nonZero = 0;
    for (int c = 1; c <= kGridColumns; ++c)
        for (int r = 1; r <= kGridRows; ++r)
            nonZero += cell(c, r) != 0;
    EXPECT_EQ(nonZero, 2);
    EXPECT_EQ(cell(10, 10), kBlockedCell);
    EXPECT_EQ(cell(11, 10), 45000);

    // The same for a target off the grid, forced or not: there is nothing to mark.
    cell(5, 5) = 123;
    spreadWave(*record, kScene, 52, 10, true);
    EXPECT_EQ(cell(5, 5), 0);
}

TEST_F(Walking, ForcedTargetOnADoorCellBecomesWalkableForLaterSearches) {
    fillScene(kBlockedCell);
    for (int c = 1; c <= 9; ++c)
        cell(c, 4) = 0;
    cell(5, 4) = kBlockedCell; // a closed door across the corridor
    spreadWave(*record, kScene, 5, 4, true);
    EXPECT_EQ(cell(5, 4), 1);
    EXPECT_EQ(cell(4, 4), 2);
    EXPECT_EQ(cell(6, 4), 2);
    EXPECT_EQ(cell(1, 4), 5);

    // A later click at the corridor's end now reaches through the door cell.
    spreadWave(*record, kScene, 9, 4, false);
    EXPECT_EQ(cell(5, 4), 5);
    EXPECT_EQ(cell(1, 4), 9);
}

TEST_F(Walking, SceneOutsideTheTableChangesNothing) {
    auto before = ProjectRecord::createBlank();
    record->heroX = 300;
    record->pass(1, 3, 3) = 77;
    record->pass(100, 3, 3) = 77;
    std::memcpy(before->bytes(), record->bytes(), kProjectRecordSize);
    for (const int scene : {0, 101, -1, 65535}) {
        spreadWave(*record, scene, 3, 3, true);
        walkStep(*record, scene, state, false);
    }
    EXPECT_EQ(std::memcmp(before->bytes(), record->bytes(), kProjectRecordSize), 0);
    EXPECT_EQ(state.heroAnimation, 1);
}

// --- The walking step -------------------------------------------------------------------------------------

TEST_F(Walking, ClickOnTheHerosOwnCellKeepsHimStanding) {
    putHero(20, 12);
    spreadWave(*record, kScene, 20, 12, false);
    EXPECT_EQ(cell(20, 12), 1);
    const std::uint16_t x = record->heroX;
    const std::uint16_t y = record->heroY;
    tick();
    EXPECT_EQ(record->heroX, x);
    EXPECT_EQ(record->heroY, y);
    EXPECT_EQ(record->heroCol, 20);
    EXPECT_EQ(record->heroRow, 12);
    EXPECT_EQ(state.heroAnimation, 15);
}

TEST_F(Walking, FirstSmallerNeighbourWinsInTheOrderRightLeftBelowAbove) {
    struct Case {
        std::uint16_t right, left, below, above;
        int dx, dy, animation;
    };
    const Case cases[] = {
        {4, 4, 4, 4, 5, 0, 11},  // all smaller: right
        {9, 3, 4, 2, -5, 0, 12}, // right not smaller: left, though above is smallest
        {9, 9, 4, 4, 0, 5, 13},  // below over above
        {5, 6, 9, 4, 0, -5, 14}, // equal is not smaller
        {kBlockedCell, 6, 5, 9, 0, 0, 15},
    };
    for (const Case& c : cases) {
        putHero(10, 10);
        cell(10, 10) = 5;
        cell(11, 10) = c.right;
        cell(9, 10) = c.left;
        cell(10, 11) = c.below;
        cell(10, 9) = c.above;
        tick();
        EXPECT_EQ(record->heroX, 20 * 9 + 10 + c.dx) << c.right << " " << c.left << " " << c.below;
        EXPECT_EQ(record->heroY, 20 * 9 + 15 + c.dy) << c.right << " " << c.left << " " << c.below;
        EXPECT_EQ(state.heroAnimation, c.animation);
    }
}

TEST_F(Walking, HeroOnABlockedCellStepsOntoTheFirstWalkableNeighbour) {
    fillScene(kBlockedCell);
    putHero(8, 8);
    cell(7, 8) = 0;                           // left, unmarked
    cell(8, 9) = 2;                           // below, marked
    spreadWave(*record, kScene, 8, 9, false); // the hero's cell stays blocked, the left cell unreached
    ASSERT_EQ(cell(7, 8), 0);
    record->heroX = 20 * 7 + 5; // near the left edge of column 8
    tick();
    EXPECT_EQ(state.heroAnimation, 12);
    EXPECT_EQ(record->heroX, 20 * 7);
    tick();
    EXPECT_EQ(heroCol(), 7);
    // On the unreached cell he stops.
    tick();
    EXPECT_EQ(state.heroAnimation, 15);
    EXPECT_EQ(heroCol(), 7);
}

TEST_F(Walking, StepsArePixelsSoTenCrossesACellInTwoTicksAndTwoInTen) {
    for (const int step : {10, 5, 2}) {
        record->heroStep = std::uint8_t(step);
        record->heroX = 20 * 4; // the left edge of column 5
        record->heroY = 20 * 5 + 7;
        spreadWave(*record, kScene, 20, 6, false);
        int ticks = 0;
        while (heroCol() == 5 && ticks < 30) {
            tick();
            ++ticks;
            EXPECT_EQ(state.heroAnimation, 11);
        }
        EXPECT_EQ(ticks, 20 / step) << step;
        EXPECT_EQ(record->heroX, 20 * 5); // no snapping: exactly on the next cell's edge
        EXPECT_EQ(record->heroY, 20 * 5 + 7);
        EXPECT_EQ(record->heroCol, 5); // the cell the last step was decided from
    }
}

TEST_F(Walking, TargetThreeHundredMovesAwayIsReachedButNotThreeHundredAndOne) {
    record->heroStep = 10;
    std::vector<Cell> path = openSnake(301);
    putHero(path[0].col, path[0].row);
    spreadWave(*record, kScene, path.back().col, path.back().row, false);
    EXPECT_GT(walkTo(path.back().col, path.back().row, 300 * 2 + 2), 0);
    tick();
    EXPECT_EQ(state.heroAnimation, 15);

    path = openSnake(302);
    putHero(path[0].col, path[0].row);
    spreadWave(*record, kScene, path.back().col, path.back().row, false);
    const std::uint16_t x = record->heroX;
    const std::uint16_t y = record->heroY;
    for (int k = 0; k < 5; ++k)
        tick();
    EXPECT_EQ(record->heroX, x);
    EXPECT_EQ(record->heroY, y);
    EXPECT_EQ(state.heroAnimation, 15);
}

TEST_F(Walking, HoldsStillWhileThePortalTargetChooserIsShown) {
    putHero(3, 3);
    record->heroCol = 1;
    spreadWave(*record, kScene, 9, 3, false);
    const std::uint16_t x = record->heroX;
    state.heroAnimation = 11;
    tick(true);
    EXPECT_EQ(record->heroX, x);
    EXPECT_EQ(record->heroCol, 3); // his cell is still brought up to date
    EXPECT_EQ(state.heroAnimation, 11);

    // On an unmarked cell he is turned to the standing animation even so.
    spreadWave(*record, kScene, 9, 3, true);
    fillScene(0);
    tick(true);
    EXPECT_EQ(state.heroAnimation, 15);
}

TEST_F(Walking, HeroAtOrBeyondTheGridEdgeReadsOutsideAsBlocked) {
    // Far outside: every cell around reads as blocked, he stands and nothing wraps.
    record->heroX = 65535;
    record->heroY = 65535;
    tick();
    EXPECT_EQ(record->heroX, 65535);
    EXPECT_EQ(record->heroY, 65535);
    EXPECT_EQ(record->heroCol, 3277);
    EXPECT_EQ(record->heroRow, 3277);
    EXPECT_EQ(state.heroAnimation, 15);

    // Just right of the last column (the canvas is 1009 wide, the grid 1020): he steps back in.
    spreadWave(*record, kScene, 40, 10, false);
    record->heroX = 1025;
    record->heroY = 195;
    tick();
    EXPECT_EQ(state.heroAnimation, 12);
    EXPECT_EQ(record->heroX, 1020);
    tick();
    EXPECT_EQ(heroCol(), kGridColumns);

    // A damaged value above 30000 in the corner cell: the outside (30000) is smaller, and the steps
    // towards it stop at 0 instead of wrapping to 65535.
    fillScene(60000);
    record->heroStep = 10;
    record->heroX = 3;
    record->heroY = 4;
    tick();
    EXPECT_EQ(state.heroAnimation, 12);
    EXPECT_EQ(record->heroX, 0);
    cell(1, 1) = 50000;
    cell(2, 1) = 50000;
    tick();
    EXPECT_EQ(state.heroAnimation, 12);
    EXPECT_EQ(record->heroX, 0);
}

// --- A whole walk -----------------------------------------------------------------------------------------

TEST_F(Walking, WalksAnLShapedCorridorThereAndBackWithTheRightAnimations) {
    fillScene(kBlockedCell);
    for (int c = 3; c <= 20; ++c)
        cell(c, 5) = 0;
    for (int r = 5; r <= 25; ++r)
        cell(20, r) = 0;
    record->heroStep = 5;
    putHero(3, 5);
    state.previewFrame = 4;

    // Out: right along row 5, then down column 20.
    spreadWave(*record, kScene, 20, 25, false);
    std::vector<int> outward;
    for (int ticks = 0; ticks < 500 && !(heroCol() == 20 && heroRow() == 25); ++ticks) {
        const int fromCol = heroCol();
        const int fromRow = heroRow();
        tick();
        ASSERT_LT(record->passOrBlocked(kScene, heroCol(), heroRow()), kBlockedCell) << ticks;
        EXPECT_EQ(state.heroAnimation, fromRow == 5 && fromCol < 20 ? 11 : 13) << fromCol << "," << fromRow;
        if (outward.empty() || outward.back() != state.heroAnimation) outward.push_back(state.heroAnimation);
    }
    ASSERT_EQ(heroCol(), 20);
    ASSERT_EQ(heroRow(), 25);
    EXPECT_EQ(outward, (std::vector<int>{11, 13}));
    tick();
    EXPECT_EQ(state.heroAnimation, 15);

    // Back: up column 20, then left along row 5.
    spreadWave(*record, kScene, 3, 5, false);
    EXPECT_GT(walkTo(3, 5, 500), 0);
    tick();
    EXPECT_EQ(state.heroAnimation, 15);
    EXPECT_EQ(state.previewFrame, 4); // the frame counter belongs to the tick, not to the walk

    // The legs back, checked once more from a fresh start at the corner.
    putHero(20, 6);
    spreadWave(*record, kScene, 3, 5, false);
    tick();
    EXPECT_EQ(state.heroAnimation, 14);
    putHero(19, 5);
    tick();
    EXPECT_EQ(state.heroAnimation, 12);
}

} // namespace
} // namespace tw::test
