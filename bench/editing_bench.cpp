// What the editor's history costs: a pointer dragging the passability brush (each move an edit of the
// record, then the overlay tick that shows it), a button that changes the record (one step: snapshot,
// compare, store), and a scene picture stamped and saved again and again (one step holding the file's old
// and new bytes), with the memory the history holds.
#include "editor/canvasediting.h"
#include "demoengine.h"

#include "editor/editor.h"
#include "editor/editorshell.h"
#include "platform/audio.h"
#include "platform/filesystem.h"
#include "platform/picturecodec.h"
#include "platform/random.h"
#include "runtime/engine.h"

#include "support/fakes.h"
#include "toolkit/toolkittypes.h"

#include <benchmark/benchmark.h>

#include <QDirIterator>
#include <QFile>
#include <QPainter>

#include <memory>

namespace {

using namespace tw;

using bench::DemoEditor;

// The pointer crosses the scene with the button held, one cell per move, painting cells walkable and
// blocked by turns; every move is followed by the overlay tick, as the 10 ms timer runs it while the
// author drags. Every 50 moves the button is released (a step is stored) and pressed again.
void BM_PassabilityDragMoveAndOverlayTick(benchmark::State& state) {
    DemoEditor demo;
    if (!demo.start()) {
        state.SkipWithError("demo start-up failed");
        return;
    }
    Engine& engine = *demo.engine;
    selectPage(engine, EditorPage::Passability);
    engine.mouseDown(MouseButton::Left, 10, 10);
    engine.overlayTick();
    int step = 0;
    for (auto _ : state) {
        const int x = 10 + 20 * (step % 51);
        const int y = 10 + 20 * ((step / 51) % 35);
        editorState(engine).drawWalkable = (step / 51) % 2 == 0;
        engine.mouseMove(x, y, 699);
        benchmark::DoNotOptimize(engine.overlayTick());
        if (++step % 50 == 0) {
            engine.mouseUp();
            engine.mouseDown(MouseButton::Left, x, y);
        }
    }
    engine.mouseUp();
    state.counters["steps kept"] = double(demo.editor->journal().stepCount());
}
BENCHMARK(BM_PassabilityDragMoveAndOverlayTick)->Unit(benchmark::kMicrosecond);

// The overlay tick alone while the pointer drags: the move (with its edit) happens outside the timing.
void BM_PassabilityDragOverlayTick(benchmark::State& state) {
    DemoEditor demo;
    if (!demo.start()) {
        state.SkipWithError("demo start-up failed");
        return;
    }
    Engine& engine = *demo.engine;
    selectPage(engine, EditorPage::Passability);
    engine.mouseDown(MouseButton::Left, 10, 10);
    engine.overlayTick();
    int step = 0;
    for (auto _ : state) {
        state.PauseTiming();
        editorState(engine).drawWalkable = (step / 51) % 2 == 0;
        engine.mouseMove(10 + 20 * (step % 51), 10 + 20 * ((step / 51) % 35), 699);
        ++step;
        state.ResumeTiming();
        benchmark::DoNotOptimize(engine.overlayTick());
    }
    engine.mouseUp();
}
BENCHMARK(BM_PassabilityDragOverlayTick)->Unit(benchmark::kMicrosecond);

// A button that changes one field of the record: the step's snapshot, compare and store.
void BM_JournalStepRecordEdit(benchmark::State& state) {
    DemoEditor demo;
    if (!demo.start()) {
        state.SkipWithError("demo start-up failed");
        return;
    }
    ProjectRecord& record = demo.engine->record();
    std::uint8_t speed = 2;
    for (auto _ : state) {
        speed = speed == 2 ? 10 : 2;
        demo.editor->change([&] { record.heroStep = speed; });
    }
    state.counters["steps kept"] = double(demo.editor->journal().stepCount());
}
BENCHMARK(BM_JournalStepRecordEdit)->Unit(benchmark::kMicrosecond);

// A scene picture stamped and saved, over and over: the step keeps the file's previous and new bytes
// (2 x 2.1 MB). The files live in memory here, so the figure is the history's own cost: reading the old
// bytes, writing the new ones and storing both, plus dropping the oldest steps once the history holds
// 256 MB. The BMP encoding of the picture is done once, outside the loop.
void BM_JournalStepSceneStamp(benchmark::State& state) {
    // The demo project, copied into memory.
    test::FakeWorld world;
    const QString root = bench::demoProjectRoot();
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (file.open(QIODevice::ReadOnly)) world.files.files[file.fileName()] = file.readAll();
    }
    const AssetPaths paths(root.toStdString());
    Engine engine(paths, world.services());
    if (root.isEmpty() || !engine.startUp()) {
        state.SkipWithError("start-up failed");
        return;
    }
    Editor editor(engine);
    const std::string scene = paths.scene(2); // not the scene shown: no background reload in the loop
    QImage picture(kPlayWidth, kPlayHeight, QImage::Format_RGB32);
    picture.fill(QColor(30, 90, 30));
    Bytes stamped[2];
    for (int k = 0; k < 2; ++k) {
        QPainter painter(&picture);
        painter.fillRect(100 + 60 * k, 100, 50, 50, QColor(200, 40, 40));
        painter.end();
        stamped[k] = encodeBmp(fromQt(picture));
    }
    std::size_t most = 0;
    int k = 0;
    for (auto _ : state) {
        // A fresh buffer, as every save encodes the picture anew (the fake tree would otherwise share it).
        editor.writeFile(scene, Bytes(stamped[k]));
        k = 1 - k;
        most = std::max(most, editor.journal().bytes());
    }
    state.counters["file MiB"] = double(stamped[0].size()) / (1 << 20);
    state.counters["steps kept"] = double(editor.journal().stepCount());
    state.counters["history MiB (most)"] = double(most) / (1 << 20);
}
BENCHMARK(BM_JournalStepSceneStamp)->Unit(benchmark::kMicrosecond);

} // namespace
