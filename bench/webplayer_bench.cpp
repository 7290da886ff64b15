// The web player's frame tick, natively, on the scene the browser test measures it on: the demo's first
// scene after a new game and the key taken. The browser's own figure comes from tests/web/e2e.py.
#include "platform/audio.h"
#include "project/gamepack.h"
#include "runtime/bag.h"
#include "support/demopack.h"
#include "support/fakes.h"
#include "web/webplayer.h"

#include <benchmark/benchmark.h>

namespace {

using namespace tw;

void BM_WebPlayerFrameTick(benchmark::State& state) {
    test::FakeMessages messages;
    test::FakeAudio audio;
    test::FakeCursors cursors;
    WebPlayer player(messages, audio, cursors, 1);
    if (!player.start(packGameFiles(test::demoGameFiles()), {})) {
        state.SkipWithError("the demo did not start");
        return;
    }
    const auto click = [&player](int x, int y) {
        player.mouseMove(x, y);
        player.mouseDown(false, x, y);
        player.mouseUp();
    };
    const ProjectRecord& record = player.engine()->record();
    click((record.menuTopLeft(1).x + record.menuBottomRight(1).x) / 2,
          (record.menuTopLeft(1).y + record.menuBottomRight(1).y) / 2);
    for (int k = 0; k < 20; ++k) player.frameTick();
    const std::vector<int> zones = player.actionZoneRects();
    if (zones.size() < 4) {
        state.SkipWithError("no action zone in the scene");
        return;
    }
    click(zones[0] + zones[2] / 2, zones[1] + zones[3] / 2);
    for (int k = 0; k < 600; ++k) player.frameTick();
    for (auto _ : state) benchmark::DoNotOptimize(player.frameTick());
}
BENCHMARK(BM_WebPlayerFrameTick)->Unit(benchmark::kMicrosecond);

} // namespace
