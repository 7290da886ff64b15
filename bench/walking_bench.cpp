#include "project/projectrecord.h"
#include "runtime/walking.h"
#include "support/referencewave.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <vector>

namespace {

using namespace tw;

constexpr int kScene = 1;

// Every cell walkable (a blank record): the wave covers the whole grid from its middle.
std::unique_ptr<ProjectRecord> openScene() {
    return ProjectRecord::createBlank();
}

// A maze carved by a depth-first walk over the rooms at odd columns and rows, the walls between them
// blocked: long winding paths, many of them beyond the wave's 300 moves.
std::unique_ptr<ProjectRecord> mazeScene() {
    auto record = ProjectRecord::createBlank();
    for (int c = 1; c <= kGridColumns; ++c)
        for (int r = 1; r <= kGridRows; ++r)
            record->pass(kScene, c, r) = kBlockedCell;
    std::mt19937 random(7);
    struct Room {
        int col, row;
    };
    std::vector<Room> stack{{1, 1}};
    record->pass(kScene, 1, 1) = 0;
    while (!stack.empty()) {
        const Room at = stack.back();
        Room choices[4];
        int count = 0;
        const int moves[4][2] = {{2, 0}, {-2, 0}, {0, 2}, {0, -2}};
        for (const auto& m : moves) {
            const Room next{at.col + m[0], at.row + m[1]};
            if (isCellInGrid(next.col, next.row) && record->pass(kScene, next.col, next.row) == kBlockedCell)
                choices[count++] = next;
        }
        if (count == 0) {
            stack.pop_back();
            continue;
        }
        const Room next = choices[random() % unsigned(count)];
        record->pass(kScene, (at.col + next.col) / 2, (at.row + next.row) / 2) = 0;
        record->pass(kScene, next.col, next.row) = 0;
        stack.push_back(next);
    }
    return record;
}

// Runs one of the two searches over a scene again and again. Before timing, both searches run once on
// copies of the scene and must leave identical records, so the timings compare equal work.
template <bool fast>
void runWave(benchmark::State& state, std::unique_ptr<ProjectRecord> record, int col, int row) {
    auto check = ProjectRecord::createBlank();
    std::memcpy(check->bytes(), record->bytes(), kProjectRecordSize);
    spreadWave(*record, kScene, col, row, false);
    test::referenceSpreadWave(*check, kScene, col, row, false);
    if (std::memcmp(check->bytes(), record->bytes(), kProjectRecordSize) != 0) {
        state.SkipWithError("the two searches disagree");
        return;
    }
    int reached = 0;
    for (int c = 1; c <= kGridColumns; ++c) {
        for (int r = 1; r <= kGridRows; ++r) {
            const std::uint16_t mark = record->pass(kScene, c, r);
            reached += mark != 0 && mark < kBlockedCell;
        }
    }
    state.counters["reached"] = reached;

    for (auto _ : state) {
        if constexpr (fast)
            spreadWave(*record, kScene, col, row, false);
        else
            test::referenceSpreadWave(*record, kScene, col, row, false);
        benchmark::ClobberMemory();
    }
}

void BM_SpreadWaveOpen(benchmark::State& state) {
    runWave<true>(state, openScene(), 26, 18);
}
void BM_ReferenceWaveOpen(benchmark::State& state) {
    runWave<false>(state, openScene(), 26, 18);
}
void BM_SpreadWaveMaze(benchmark::State& state) {
    runWave<true>(state, mazeScene(), 1, 1);
}
void BM_ReferenceWaveMaze(benchmark::State& state) {
    runWave<false>(state, mazeScene(), 1, 1);
}

BENCHMARK(BM_SpreadWaveOpen)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReferenceWaveOpen)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SpreadWaveMaze)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReferenceWaveMaze)->Unit(benchmark::kMicrosecond);

} // namespace
