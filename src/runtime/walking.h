#pragma once

#include "project/projectrecord.h"
#include "runtime/playstate.h"

namespace tw {

// How far a wave reaches along a path: a cell at path distance d <= kWaveReach from the target gets the
// mark d + 1 (so marks run 1..301); farther cells stay 0.
inline constexpr int kWaveReach = 300;

// Marks the walkable cells of scene s with their path distance + 1 to (col, row), counting only
// horizontal and vertical moves, exactly as 300 sweeps of "a 0 cell next to an i becomes i + 1" would:
// every walkable cell (below 30000) is first cleared to 0, blocked cells keep their values, the target
// gets 1 if it is walkable or force is on (a blocked target then becomes walkable), cells beyond the
// reach stay 0. A target outside the 51 x 35 grid, or a blocked one without force, leaves every walkable
// cell at 0. A scene outside 1..100 changes nothing. Allocates nothing.
void spreadWave(ProjectRecord& record, int scene, int col, int row, bool force);
// The same search on one scene's grid of cells, wherever it is kept.
using PassGrid = std::uint16_t[kGridColumns][kGridRows];
void spreadWaveOn(PassGrid& grid, int col, int row, bool force);

// Where the hero's next step goes from (col, row): to the first of the right, left, lower and upper
// neighbours whose value is smaller (unsigned) than his own cell's. Cells outside the grid count as
// blocked (30000).
enum class StepTowards { None, Right, Left, Down, Up };
StepTowards nextStep(const PassGrid& grid, int col, int row);
// The value of (col, row) in the grid; 30000 outside it.
std::uint16_t cellOrBlocked(const PassGrid& grid, int col, int row);

// One tick of the hero's walk in scene s. Recomputes heroCol/heroRow from heroX/heroY (the cell before
// the step), then, unless heroHeld (the author is placing a portal), moves the foot point heroStep pixels towards the first of
// the right, left, lower and upper neighbours whose mark is smaller (unsigned) than his own cell's, and
// sets state.heroAnimation to the matching walking animation, or to the standing one when none is
// smaller. Cells outside the grid count as blocked (30000); heroX/heroY stay within 0..65535. A scene
// outside 1..100 changes nothing.
void walkStep(ProjectRecord& record, int scene, PlayState& state, bool heroHeld);

} // namespace tw
