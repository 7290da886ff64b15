// What the ticks cost on the demo project as the window runs them: the overlay tick per screen, once
// when it has to draw (something changed) and once still, and a frame tick of the playing scene together
// with finding the part of the canvas that must be shown again.
#include "editor/canvasediting.h"
#include "demoengine.h"

#include "canvas/shownpicture.h"
#include "editor/editorshell.h"
#include "platform/audio.h"
#include "platform/filesystem.h"
#include "platform/random.h"
#include "runtime/engine.h"

#include "support/fakes.h"

#include <benchmark/benchmark.h>


#include <memory>

namespace {

using namespace tw;

using bench::DemoEngine;

enum class OverlayCase { Menu, Passability, SceneTrails, ScenePlain };

void setUp(Engine& engine, OverlayCase which) {
    switch (which) {
    case OverlayCase::Menu:
        selectPage(engine, EditorPage::GameMenu);
        break;
    case OverlayCase::Passability:
        selectPage(engine, EditorPage::Passability);
        break;
    case OverlayCase::SceneTrails:
        selectPage(engine, EditorPage::PlotEditor);
        editorState(engine).trailsShown = true;
        break;
    case OverlayCase::ScenePlain:
        selectPage(engine, EditorPage::PlotEditor);
        break;
    }
}

// The overlay tick after the canvas was drawn over (it has to draw everything again), or, with `still`,
// a tick on a screen where nothing changed since the last one.
void BM_OverlayTick(benchmark::State& state, OverlayCase which, bool still) {
    DemoEngine demo;
    if (!demo.start()) {
        state.SkipWithError("demo start-up failed");
        return;
    }
    Engine& engine = *demo.engine;
    setUp(engine, which);
    engine.overlayTick();
    for (auto _ : state) {
        if (!still) engine.canvas().bits(); // a write access: the canvas counts as drawn over
        benchmark::DoNotOptimize(engine.overlayTick());
    }
}
BENCHMARK_CAPTURE(BM_OverlayTick, MenuChanged, OverlayCase::Menu, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_OverlayTick, MenuStill, OverlayCase::Menu, true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_OverlayTick, PassabilityChanged, OverlayCase::Passability, false)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_OverlayTick, PassabilityStill, OverlayCase::Passability, true)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_OverlayTick, SceneTrailsChanged, OverlayCase::SceneTrails, false)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_OverlayTick, SceneTrailsStill, OverlayCase::SceneTrails, true)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_OverlayTick, ScenePlainChanged, OverlayCase::ScenePlain, false)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_OverlayTick, ScenePlainStill, OverlayCase::ScenePlain, true)
    ->Unit(benchmark::kMicrosecond);

// One frame tick of the demo's first scene with its animations running and the pointer still, followed
// by the search for what changed on the canvas since the previous frame, within the part the tick names,
// as the window does it.
void BM_DemoSceneFrameAndChanges(benchmark::State& state) {
    DemoEngine demo;
    if (!demo.startOnScene()) {
        state.SkipWithError("demo start-up failed");
        return;
    }
    Engine& engine = *demo.engine;
    ShownPicture shown;
    shown.update(engine.canvas());
    qint64 changedPixels = 0;
    for (auto _ : state) {
        const ChangedArea drawn = engine.frameTick();
        const ChangedArea changed =
            drawn.isEmpty() ? shown.update(engine.canvas()) : shown.update(engine.canvas(), drawn);
        for (const Rect& rect : changed)
            changedPixels += qint64(rect.width) * rect.height;
    }
    state.counters["shown px/frame"] = benchmark::Counter(double(changedPixels) / double(state.iterations()));
}
BENCHMARK(BM_DemoSceneFrameAndChanges)->Unit(benchmark::kMicrosecond);

// The same frames without the search: what composing the scene alone costs.
void BM_DemoSceneFrame(benchmark::State& state) {
    DemoEngine demo;
    if (!demo.startOnScene()) {
        state.SkipWithError("demo start-up failed");
        return;
    }
    Engine& engine = *demo.engine;
    for (auto _ : state) {
        engine.frameTick();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DemoSceneFrame)->Unit(benchmark::kMicrosecond);

} // namespace
