// What building the demo game costs: the record written as project and save point, the five folders,
// thirty files copied and the program written and made executable, into an empty folder each time.
#include "demoengine.h"

#include "editor/gamebuild.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

namespace {

using namespace tw;

void BM_BuildDemoIntoAnEmptyFolder(benchmark::State& state) {
    bench::PrivateDemoEditor demo;
    if (!demo.start()) {
        state.SkipWithError("demo start-up failed");
        return;
    }
    const QString name = QString::fromStdString(demo.engine->gameName());
    for (auto _ : state) {
        state.PauseTiming();
        auto target = std::make_unique<QTemporaryDir>();
        demo.dialogs.answers = {target->path()};
        state.ResumeTiming();
        if (!buildGame(*demo.editor, name)) {
            state.SkipWithError("build failed");
            break;
        }
        state.PauseTiming();
        target.reset(); // the folder goes, outside the time
        state.ResumeTiming();
    }
}
BENCHMARK(BM_BuildDemoIntoAnEmptyFolder)->Unit(benchmark::kMillisecond);

} // namespace
