// What the scene background applicator costs: a brush move at the largest radius (441 pixels, each
// with its random draw, then the square shown), a stamp pressed onto the scene and the scene file written
// atomically to disk with its undo step, and the 10 ms display while the stamp follows the pointer or
// the pointer rests.
#include "demoengine.h"

#include "editor/applicator.h"
#include "editor/editor.h"
#include "editor/editorshell.h"
#include "runtime/engine.h"


#include <benchmark/benchmark.h>


namespace {

using namespace tw;

// The demo started on the applicator page, in a project folder of its own (a stamp writes a scene file).
struct ApplicatorDemo : bench::PrivateDemoEditor {
    std::unique_ptr<Applicator> applicator;

    bool start() {
        if (!PrivateDemoEditor::start()) return false;
        applicator = std::make_unique<Applicator>(*editor);
        selectPage(*engine, EditorPage::Applicator);
        engine->mouseMove(500, 300, 699);
        applicator->drawOverlay();
        return true;
    }
};

void BM_ApplicatorBrushMoveRadius20(benchmark::State& state) {
    ApplicatorDemo demo;
    if (!demo.start()) {
        state.SkipWithError("demo start-up failed");
        return;
    }
    Applicator& applicator = *demo.applicator;
    applicator.setBrushOn(true);
    applicator.setBrushRadius(20);
    applicator.setBrushIntensity(5);
    demo.engine->mouseDown(MouseButton::Left, 300, 300);
    int step = 0;
    for (auto _ : state) {
        const Point at{300 + step % 400, 300 + (step / 400) % 300};
        demo.engine->mouseMove(at.x, at.y, 699);
        applicator.move(at);
        ++step;
    }
    state.counters["pixels per move"] = 21 * 21;
}
BENCHMARK(BM_ApplicatorBrushMoveRadius20)->Unit(benchmark::kMicrosecond);

void BM_ApplicatorStampWithSceneSaved(benchmark::State& state) {
    ApplicatorDemo demo;
    if (!demo.start()) {
        state.SkipWithError("demo start-up failed");
        return;
    }
    int step = 0;
    for (auto _ : state) {
        const Point at{100 + (step * 37) % 800, 100 + (step * 53) % 500};
        demo.engine->mouseDown(MouseButton::Left, at.x, at.y);
        demo.applicator->press(at);
        demo.engine->mouseUp();
        demo.applicator->release();
        ++step;
    }
    state.counters["steps kept"] = double(demo.editor->journal().stepCount());
}
BENCHMARK(BM_ApplicatorStampWithSceneSaved)->Unit(benchmark::kMillisecond);

// state.range(0): 1 while the pointer moves 3 px per tick, 0 while it rests.
void BM_ApplicatorOverlayTick(benchmark::State& state) {
    ApplicatorDemo demo;
    if (!demo.start()) {
        state.SkipWithError("demo start-up failed");
        return;
    }
    const bool moving = state.range(0) != 0;
    int step = 0;
    for (auto _ : state) {
        if (moving) demo.engine->mouseMove(200 + (step * 3) % 600, 300, 699);
        benchmark::DoNotOptimize(demo.engine->overlayTick());
        benchmark::DoNotOptimize(demo.applicator->drawOverlay());
        ++step;
    }
}
BENCHMARK(BM_ApplicatorOverlayTick)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

} // namespace
