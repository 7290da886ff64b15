#pragma once

#include "project/projectrecord.h"

namespace tw::test {

// The wave search written the plain way, as the yardstick for spreadWave: clear the walkable cells, mark
// the target, then 300 full sweeps in which a 0 cell next to a cell equal to i becomes i + 1. Cells
// outside the grid count as blocked. Used by the tests to check the fast search mark for mark and by the
// benchmark to measure it.
inline void referenceSpreadWave(ProjectRecord& record, int scene, int col, int row, bool force) {
    if (!isSceneNumber(scene)) return;
    auto& grid = record.passGrid[scene - 1];
    auto at = [&grid](int c, int r) -> unsigned {
        return isCellInGrid(c, r) ? grid[c - 1][r - 1] : unsigned(kBlockedCell);
    };

    for (int c = 1; c <= kGridColumns; ++c) {
        for (int r = 1; r <= kGridRows; ++r) {
            if (grid[c - 1][r - 1] < kBlockedCell) grid[c - 1][r - 1] = 0;
        }
    }
    if (isCellInGrid(col, row) && (force || grid[col - 1][row - 1] < kBlockedCell))
        grid[col - 1][row - 1] = 1;

    for (unsigned i = 1; i <= 300; ++i) {
        for (int c = 1; c <= kGridColumns; ++c) {
            for (int r = 1; r <= kGridRows; ++r) {
                if (grid[c - 1][r - 1] != 0) continue;
                if (at(c + 1, r) == i || at(c - 1, r) == i || at(c, r + 1) == i || at(c, r - 1) == i)
                    grid[c - 1][r - 1] = std::uint16_t(i + 1);
            }
        }
    }
}

} // namespace tw::test
