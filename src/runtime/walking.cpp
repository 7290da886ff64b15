#include "runtime/walking.h"

#include "runtime/playrules.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <utility>

namespace tw {

namespace {

// Bit r of a column mask stands for row r + 1 of that column; a column of 35 rows fits in 64 bits.
using ColumnBits = std::uint64_t;

// Masks are indexed by column 1..51, with an always-empty column 0 and 52 on either side so that the
// neighbours of any column can be read without a test.
using ColumnMasks = std::array<ColumnBits, kGridColumns + 2>;

// The columns 1..51 as bits of one word.
constexpr std::uint64_t kAllColumns = ((std::uint64_t(1) << kGridColumns) - 1) << 1;

static_assert(kGridRows < 64 && kGridColumns + 1 < 64,
              "a column, and the set of columns, fit in a 64-bit word");

int lowestBit(std::uint64_t bits) {
    return std::countr_zero(bits);
}

// Clears the walkable cells (below 30000) of a scene's grid to 0, keeps the blocked ones, and returns the
// walkable cells as one mask per column. This runs on every search over all 1785 cells, so it takes four
// cells at a time: the grid is one run of 16-bit values (column after column), read as 64-bit words of
// four lanes. A lane v is blocked when v >= 30000: its top bit is set, or adding 32768 - 30000 to its low
// 15 bits carries into the top bit (which cannot spill into the next lane).
ColumnMasks clearAndFindWalkable(PassGrid& grid) {
    constexpr int kCells = kGridColumns * kGridRows;
    constexpr std::uint64_t kTopBits = 0x8000'8000'8000'8000;
    constexpr std::uint64_t kLowBits = 0x7FFF'7FFF'7FFF'7FFF;
    constexpr std::uint64_t kToTop = 0x0AD0'0AD0'0AD0'0AD0; // 32768 - 30000 in every lane
    // Moves the bits at 0, 16, 32 and 48 to 45, 46, 47 and 48 without overlapping partial products.
    constexpr std::uint64_t kGather = 0x0000'2000'4000'8001;
    static_assert(32768 - kBlockedCell == 0x0AD0);

    unsigned char* bytes = reinterpret_cast<unsigned char*>(&grid[0][0]);
    std::array<std::uint64_t, kCells / 64 + 2> walkable{}; // bit i: cell i of the run
    int i = 0;
    for (; i + 4 <= kCells; i += 4) {
        std::uint64_t four;
        std::memcpy(&four, bytes + 2 * i, sizeof four);
        const std::uint64_t blocked = (four | ((four & kLowBits) + kToTop)) & kTopBits;
        const std::uint64_t open = (blocked ^ kTopBits) >> 15; // bit 0 of each walkable lane
        four &= ~(open * 0xFFFF);
        std::memcpy(bytes + 2 * i, &four, sizeof four);
        walkable[std::size_t(i / 64)] |= (((open * kGather) >> 45) & 0xF) << (i % 64);
    }
    for (; i < kCells; ++i) {
        std::uint16_t& cell = grid[i / kGridRows][i % kGridRows];
        if (cell < kBlockedCell) {
            cell = 0;
            walkable[std::size_t(i / 64)] |= std::uint64_t(1) << (i % 64);
        }
    }

    ColumnMasks columns{};
    constexpr ColumnBits kColumnRows = (ColumnBits(1) << kGridRows) - 1;
    for (int c = 1; c <= kGridColumns; ++c) {
        const int first = (c - 1) * kGridRows;
        const auto word = std::size_t(first / 64);
        const int shift = first % 64;
        ColumnBits bits = walkable[word] >> shift;
        if (shift != 0) bits |= walkable[word + 1] << (64 - shift);
        columns[std::size_t(c)] = bits & kColumnRows;
    }
    return columns;
}

} // namespace

// The 300 sweeps give every walkable cell at path distance d <= 300 from the target the mark d + 1: a
// cell that sweep i sets is a 0 cell next to a cell marked i. This computes the same marks as a
// breadth-first search, one distance at a time, on bit masks: each column holds a mask of the walkable
// cells not yet reached and a mask of the wave front (the cells marked with the current distance). The
// next front is the front shifted one row up and down within each column plus the fronts of the columns
// left and right, kept to the unreached cells; its cells get the next mark. Only columns next to the
// front are visited, so a thin wave in a maze costs little, and an open floor is handled 35 cells per
// word. Everything lives in fixed arrays on the stack.
void spreadWave(ProjectRecord& record, int scene, int col, int row, bool force) {
    if (!isSceneNumber(scene)) return;
    spreadWaveOn(record.passGrid[scene - 1], col, row, force);
}

void spreadWaveOn(PassGrid& grid, int col, int row, bool force) {

    // Old marks are meaningless to this search: every walkable cell becomes 0 and unreached. Values
    // above 30000 (a damaged record) are blocked like 30000 itself, and kept.
    ColumnMasks unreached = clearAndFindWalkable(grid);

    if (!isCellInGrid(col, row)) return;
    std::uint16_t& target = grid[col - 1][row - 1];
    if (!force && target >= kBlockedCell) return;
    target = 1;

    // Two buffers take turns holding the front. Only the columns next to the front are rewritten, so a
    // buffer may keep bits of an older front in other columns; those are harmless, because every
    // neighbour of a front cell is reached (or blocked) one round later, and the next front is always
    // limited to unreached cells.
    ColumnMasks frontA{};
    ColumnMasks frontB{};
    ColumnMasks* front = &frontA; // the cells marked with the current distance
    ColumnMasks* next = &frontB;
    (*front)[std::size_t(col)] = ColumnBits(1) << (row - 1);
    unreached[std::size_t(col)] &= ~(*front)[std::size_t(col)];
    std::uint64_t frontColumns = std::uint64_t(1) << col;

    for (int mark = 2; mark <= kWaveReach + 1 && frontColumns != 0; ++mark) {
        std::uint64_t visit = (frontColumns | (frontColumns << 1) | (frontColumns >> 1)) & kAllColumns;
        std::uint64_t nextColumns = 0;
        while (visit != 0) {
            const int c = lowestBit(visit);
            visit &= visit - 1;
            const auto at = std::size_t(c);
            const ColumnBits mine = (*front)[at];
            ColumnBits reached =
                ((mine << 1) | (mine >> 1) | (*front)[at - 1] | (*front)[at + 1]) & unreached[at];
            (*next)[at] = reached;
            if (reached == 0) continue;
            unreached[at] &= ~reached;
            nextColumns |= std::uint64_t(1) << c;
            std::uint16_t* column = grid[c - 1];
            do {
                column[lowestBit(reached)] = std::uint16_t(mark);
                reached &= reached - 1;
            } while (reached != 0);
        }
        std::swap(front, next);
        frontColumns = nextColumns;
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

std::uint16_t cellOrBlocked(const PassGrid& grid, int col, int row) {
    return isCellInGrid(col, row) ? grid[col - 1][row - 1] : kBlockedCell;
}

StepTowards nextStep(const PassGrid& grid, int col, int row) {
    // The first smaller neighbour in this fixed order wins, so ties always resolve the same way. A hero
    // on a blocked cell (30000) therefore walks onto the first walkable neighbour, whatever its mark.
    const std::uint16_t here = cellOrBlocked(grid, col, row);
    if (cellOrBlocked(grid, col + 1, row) < here) return StepTowards::Right;
    if (cellOrBlocked(grid, col - 1, row) < here) return StepTowards::Left;
    if (cellOrBlocked(grid, col, row + 1) < here) return StepTowards::Down;
    if (cellOrBlocked(grid, col, row - 1) < here) return StepTowards::Up;
    return StepTowards::None;
}

void walkStep(ProjectRecord& record, int scene, PlayState& state, bool heroHeld) {
    if (!isSceneNumber(scene)) return;

    // The hero may stand anywhere in 0..65535 (the editor puts him on any clicked point, a record from
    // disk may hold anything); outside the grid his cell and its neighbours read as blocked.
    const int col = footCell(record.heroX);
    const int row = footCell(record.heroY);
    record.heroCol = std::uint16_t(col);
    record.heroRow = std::uint16_t(row);

    const PassGrid& grid = record.passGrid[scene - 1];
    if (cellOrBlocked(grid, col, row) == 0) state.heroAnimation = record.heroAnimStand;

    // While the author places a portal the hero holds still.
    if (heroHeld) return;

    const int step = record.heroStep;
    switch (nextStep(grid, col, row)) {
    case StepTowards::Right:
        record.heroX = steppedUp(record.heroX, step);
        state.heroAnimation = record.heroAnimRight;
        break;
    case StepTowards::Left:
        record.heroX = steppedDown(record.heroX, step);
        state.heroAnimation = record.heroAnimLeft;
        break;
    case StepTowards::Down:
        record.heroY = steppedUp(record.heroY, step);
        state.heroAnimation = record.heroAnimBack;
        break;
    case StepTowards::Up:
        record.heroY = steppedDown(record.heroY, step);
        state.heroAnimation = record.heroAnimForward;
        break;
    case StepTowards::None:
        state.heroAnimation = record.heroAnimStand;
        break;
    }
}

} // namespace tw
