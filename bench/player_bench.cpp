// What a built game costs to come up: the engine and the player's session started on the demo game from
// disk (record, cursors, pictures), up to the menu drawn with its zones.
#include "demoproject.h"

#include "platform/audio.h"
#include "platform/filesystem.h"
#include "platform/random.h"
#include "runtime/engine.h"
#include "runtime/gamefiles.h"
#include "runtime/gamesession.h"

#include "support/fakes.h"

#include <benchmark/benchmark.h>

namespace {

using namespace tw;

void BM_PlayerStartUpToTheMenu(benchmark::State& state) {
    const QString root = bench::demoProjectRoot();
    if (root.isEmpty()) {
        state.SkipWithError("demo tree could not be written");
        return;
    }
    const AssetPaths paths(root.toStdString());
    DiskFileSystem disk;
    GameFiles files(disk, paths);
    test::FakeMessages messages;
    SilentAudio audio;
    test::FakeCursors cursors;
    test::FakeFileDialogs dialogs;
    SeededRandom random(3);
    for (auto _ : state) {
        Engine engine(paths, Services{files, messages, audio, cursors, random, dialogs});
        GameSession session(engine);
        if (!session.startUp()) {
            state.SkipWithError("start-up failed");
            break;
        }
        Rect drawn = engine.overlayTick();
        benchmark::DoNotOptimize(drawn);
    }
}
BENCHMARK(BM_PlayerStartUpToTheMenu)->Unit(benchmark::kMillisecond);

} // namespace
