// The game check: how long the demo's search and its whole check (search and replay in the engine) take,
// and how many states per second the search goes through on a game with many of them.
#include "demoproject.h"
#include "check/projectcheck.h"
#include "platform/filesystem.h"
#include "project/assetpaths.h"
#include "project/recordfile.h"
#include "support/smallgame.h"

#include <benchmark/benchmark.h>

namespace {

using namespace tw;

std::unique_ptr<ProjectRecord> demoRecord() {
    DiskFileSystem disk;
    RecordLoad load = loadRecordFile(disk, AssetPaths(bench::demoProjectRoot().toStdString()).recordFile());
    if (load.status != RecordLoad::Status::Ok) return nullptr;
    applyStartDefaults(*load.record);
    return std::move(load.record);
}

void reportStates(benchmark::State& state, long long states) {
    state.counters["states"] = double(states);
    state.counters["states/s"] = benchmark::Counter(double(states), benchmark::Counter::kIsIterationInvariantRate);
}

void BM_CheckDemoSearch(benchmark::State& state) {
    const auto record = demoRecord();
    if (!record) return state.SkipWithError("the demo could not be read");
    long long states = 0;
    for (auto _ : state) {
        const check::CheckReport report = check::searchGame(*record);
        states = report.states;
        benchmark::DoNotOptimize(report.walkthrough.data());
    }
    reportStates(state, states);
}
BENCHMARK(BM_CheckDemoSearch)->Unit(benchmark::kMillisecond);

// What the author waits for after "Проверить игру": the search and the walkthrough played in the engine.
void BM_CheckDemoWhole(benchmark::State& state) {
    const auto record = demoRecord();
    if (!record) return state.SkipWithError("the demo could not be read");
    DiskFileSystem disk;
    const AssetPaths paths(bench::demoProjectRoot().toStdString());
    for (auto _ : state) {
        const check::CheckReport report = check::checkRecord(*record, disk, paths);
        if (!report.replayed) return state.SkipWithError("the demo's walkthrough did not replay");
        benchmark::DoNotOptimize(report.states);
    }
}
BENCHMARK(BM_CheckDemoWhole)->Unit(benchmark::kMillisecond);

// Three scenes with twelve items lying about, three of them keys to doors and pairs that combine, and
// characters that exchange: tens of thousands of states.
void BM_CheckManyStates(benchmark::State& state) {
    test::SmallGame game(3);
    for (int s = 1; s <= 3; ++s) {
        game.portal(s, 1, 15, 5, s % 3 + 1, 15, 7);
        game.wallColumn(s, 20);
    }
    for (int n = 1; n <= 12; ++n) game.item(n, (n - 1) % 3 + 1, 2 + n, 3 + n % 5);
    for (int s = 1; s <= 3; ++s) game.door(s, 1, s, 20, 10);
    game.combination(4, 5, 13);
    game.combination(6, 7, 14);
    game.character(1, 1, 3, 10, 20, 13, 15);
    game.character(2, 1, 3, 10, 20, 14, 16);
    game.character(3, 1, 2, 10, 20, 0, 17);
    long long states = 0;
    for (auto _ : state) {
        const check::CheckReport report = check::searchGame(*game);
        states = report.states;
        benchmark::DoNotOptimize(report.walkthrough.data());
    }
    reportStates(state, states);
}
BENCHMARK(BM_CheckManyStates)->Unit(benchmark::kMillisecond);

} // namespace
