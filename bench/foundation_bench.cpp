#include "demoproject.h"

#include "canvas/cutting.h"
#include "platform/audio.h"
#include "platform/cursors.h"
#include "platform/filesystem.h"
#include "platform/messages.h"
#include "platform/random.h"
#include "project/projectrecord.h"
#include "project/recordfile.h"
#include "runtime/engine.h"

#include "support/fakes.h"
#include "toolkit/toolkittypes.h"

#include <benchmark/benchmark.h>

#include <QPainter>
#include <QTemporaryDir>

#include <random>

namespace {

using namespace tw;

// Load and save of a whole record through the disk, the save being the safe write (temporary file,
// flush to disk, rename).
void BM_RecordSave(benchmark::State& state) {
    QTemporaryDir dir;
    DiskFileSystem disk;
    auto record = ProjectRecord::createBlank();
    std::mt19937 random(1);
    for (std::size_t i = 0; i < kProjectRecordSize; ++i) record->bytes()[i] = std::uint8_t(random());
    const std::string path = dir.filePath(QStringLiteral("typ.dll")).toStdString();
    for (auto _ : state) benchmark::DoNotOptimize(saveRecordFile(disk, path, *record));
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(kProjectRecordSize));
}
BENCHMARK(BM_RecordSave)->Unit(benchmark::kMillisecond);

void BM_RecordLoad(benchmark::State& state) {
    QTemporaryDir dir;
    DiskFileSystem disk;
    const std::string path = dir.filePath(QStringLiteral("typ.dll")).toStdString();
    saveRecordFile(disk, path, *ProjectRecord::createBlank());
    for (auto _ : state) benchmark::DoNotOptimize(loadRecordFile(disk, path));
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(kProjectRecordSize));
}
BENCHMARK(BM_RecordLoad)->Unit(benchmark::kMillisecond);

// One 64 x 96 frame cut out of a sheet and drawn transparently on the canvas.
void BM_CutFrame64x96(benchmark::State& state) {
    QImage drawnSheet(1009, 700, QImage::Format_RGB32);
    drawnSheet.fill(qRgb(255, 0, 255));
    QPainter(&drawnSheet).fillRect(101, 51, 60, 90, Qt::darkGreen);
    const Picture sheet = fromQt(drawnSheet);
    Picture canvas(kPlayWidth, kPlayHeight);
    canvas.fill(rgb(255, 255, 255));
    Picture frame;
    auto record = ProjectRecord::createBlank();
    record->animation(1).frameCount = 1;
    record->animation(1).frame(1) = AnimFrame{100, 50, 64, 96};
    for (auto _ : state) {
        cutFrame(canvas, sheet, frame, *record, 500, 400, 1, true, 1);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CutFrame64x96);

// Start-up of the demo project up to the first drawn menu: the record, the eight cursors and every
// picture, read from disk and decoded.
void BM_StartUpToMenu(benchmark::State& state) {
    if (bench::demoProjectRoot().isEmpty()) {
        state.SkipWithError("the demo project could not be written");
        return;
    }
    DiskFileSystem disk;
    test::FakeMessages messages;
    SilentAudio audio;
    test::FakeCursors cursors;
    test::FakeFileDialogs dialogs;
    SeededRandom random(1);
    for (auto _ : state) {
        Engine engine(AssetPaths(bench::demoProjectRoot().toStdString()), Services{disk, messages, audio, cursors, random, dialogs});
        if (!engine.startUp()) {
            state.SkipWithError("demo start-up failed");
            return;
        }
        benchmark::DoNotOptimize(engine.canvas().constBits());
    }
}
BENCHMARK(BM_StartUpToMenu)->Unit(benchmark::kMillisecond);

} // namespace
