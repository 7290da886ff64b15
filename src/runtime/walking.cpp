#include "runtime/walking.h"

#include <array>
#include <cstdint>

namespace tw {

namespace {

// The search runs on a copy of the scene's grid with a one-cell frame of blocked cells around it, so that
// a neighbour is always one index away (+-1 for rows, +-kPaddedRows for columns) and the grid's edges need
// no tests. The record stores a scene column by column, and so does the copy.
constexpr int kPaddedRows = kGridRows + 2;
constexpr int kPaddedColumns = kGridColumns + 2;
constexpr int kPaddedCount = kPaddedRows * kPaddedColumns;

} // namespace

// The search is written as a breadth-first search instead of the 300 sweeps it stands for: a cell that
// sweep i sets to i + 1 is exactly a 0 cell next to one marked i, that is a walkable cell at path distance
// i from the target, and a queue reaches the cells in that same order of distance. Every cell enters the
// queue at most once (it is marked as it is queued, and only 0 cells are queued), so fixed arrays the size
// of the grid suffice and nothing is allocated.
void spreadWave(ProjectRecord& record, int scene, int col, int row, bool force) {
    if (!isSceneNumber(scene)) return;
    auto& grid = record.passGrid[scene - 1];

    std::array<std::uint16_t, kPaddedCount> cells;
    cells.fill(kBlockedCell);
    for (int c = 0; c < kGridColumns; ++c) {
        std::uint16_t* column = &cells[std::size_t((c + 1) * kPaddedRows + 1)];
        for (int r = 0; r < kGridRows; ++r) {
            // Old marks are meaningless to this search. Values above 30000 (a damaged record) are blocked
            // as well and are kept, like 30000 itself.
            const std::uint16_t value = grid[c][r];
            column[r] = value < kBlockedCell ? 0 : value;
        }
    }

    if (isCellInGrid(col, row)) {
        const int target = col * kPaddedRows + row;
        if (force || cells[std::size_t(target)] < kBlockedCell) {
            cells[std::size_t(target)] = 1;
            std::array<std::uint16_t, kPaddedCount> queue;
            int head = 0;
            int tail = 0;
            queue[std::size_t(tail++)] = std::uint16_t(target);
            while (head < tail) {
                const int at = queue[std::size_t(head++)];
                const std::uint16_t mark = cells[std::size_t(at)];
                // Sweep i spreads only from cells equal to i, and the last sweep is i = 300: a cell marked
                // 301 is the rim of the wave.
                if (mark > kWaveReach) continue;
                const std::uint16_t next = std::uint16_t(mark + 1);
                // Whether a neighbour is new follows no pattern a branch predictor could learn, so it is
                // written without a branch: the mark is stored either way, the queue grows only if new.
                for (const int neighbour : {at + kPaddedRows, at - kPaddedRows, at + 1, at - 1}) {
                    std::uint16_t& value = cells[std::size_t(neighbour)];
                    const bool fresh = value == 0;
                    value = fresh ? next : value;
                    queue[std::size_t(tail)] = std::uint16_t(neighbour);
                    tail += fresh;
                }
            }
        }
    }

    for (int c = 0; c < kGridColumns; ++c) {
        const std::uint16_t* column = &cells[std::size_t((c + 1) * kPaddedRows + 1)];
        for (int r = 0; r < kGridRows; ++r) grid[c][r] = column[r];
    }
}

namespace {

// Pixel coordinates are 16-bit in the record; a step never wraps them around 0 or 65535.
std::uint16_t steppedUp(std::uint16_t value, int step) {
    const int moved = value + step;
    return std::uint16_t(moved > 0xFFFF ? 0xFFFF : moved);
}

std::uint16_t steppedDown(std::uint16_t value, int step) {
    const int moved = value - step;
    return std::uint16_t(moved < 0 ? 0 : moved);
}

} // namespace

void walkStep(ProjectRecord& record, int scene, PlayState& state, bool targetChooserVisible) {
    if (!isSceneNumber(scene)) return;

    // The hero may stand anywhere in 0..65535 (the editor puts him on any clicked point, a record from
    // disk may hold anything); outside the grid his cell and its neighbours read as blocked.
    const int col = record.heroX / kCellSize + 1;
    const int row = record.heroY / kCellSize + 1;
    record.heroCol = std::uint16_t(col);
    record.heroRow = std::uint16_t(row);

    const std::uint16_t here = record.passOrBlocked(scene, col, row);
    if (here == 0) state.heroAnimation = record.heroAnimStand;

    // While the author picks a portal's target scene the hero holds still.
    if (targetChooserVisible) return;

    // The first smaller neighbour in this fixed order wins, so ties always resolve the same way. A hero
    // on a blocked cell (30000) therefore walks onto the first walkable neighbour, whatever its mark.
    const int step = record.heroStep;
    if (record.passOrBlocked(scene, col + 1, row) < here) {
        record.heroX = steppedUp(record.heroX, step);
        state.heroAnimation = record.heroAnimRight;
    } else if (record.passOrBlocked(scene, col - 1, row) < here) {
        record.heroX = steppedDown(record.heroX, step);
        state.heroAnimation = record.heroAnimLeft;
    } else if (record.passOrBlocked(scene, col, row + 1) < here) {
        record.heroY = steppedUp(record.heroY, step);
        state.heroAnimation = record.heroAnimBack;
    } else if (record.passOrBlocked(scene, col, row - 1) < here) {
        record.heroY = steppedDown(record.heroY, step);
        state.heroAnimation = record.heroAnimForward;
    } else {
        state.heroAnimation = record.heroAnimStand;
    }
}

} // namespace tw
