// What the animator costs with a large sheet (2000 x 2000): the overlay tick that shows the sheet and the
// frame's rectangle (drawn over, still, and while the author stretches the rectangle), the preview on
// each frame tick, and fitting a frame to the figure under a double-click.
#include "editor/canvasediting.h"
#include "demoengine.h"

#include "editor/animator.h"
#include "editor/editor.h"
#include "editor/editorshell.h"
#include "platform/audio.h"
#include "platform/filesystem.h"
#include "platform/random.h"
#include "runtime/engine.h"

#include "support/fakes.h"
#include "toolkit/toolkittypes.h"

#include <benchmark/benchmark.h>

#include <QPainter>

#include <memory>

namespace {

using namespace tw;

constexpr int kSheetSide = 2000;
constexpr QRgb kKey = 0xFF00FF00;

// A sheet of 2000 x 2000 on the key colour with a grid of 150 x 150 figures (filled discs with a ring
// inside), and, in the bottom-right quarter, one large figure of 900 x 900.
QImage largeSheet() {
    QImage sheet(kSheetSide, kSheetSide, QImage::Format_RGB32);
    sheet.fill(kKey);
    QPainter painter(&sheet);
    for (int y = 0; y + 160 <= 1000; y += 160) {
        for (int x = 0; x + 160 <= kSheetSide; x += 160) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(QColor((x * 7) % 256, (y * 3) % 256, 120));
            painter.drawEllipse(x + 5, y + 5, 150, 150);
            painter.setBrush(QColor(30, 30, 30));
            painter.drawEllipse(x + 50, y + 50, 60, 60);
        }
    }
    painter.setBrush(QColor(200, 60, 40));
    painter.drawRect(1050, 1050, 900, 900);
    return sheet;
}

struct AnimatorEngine : bench::DemoEditor {
    // Started on the animator page with the large sheet in memory and animation 1 cut as three frames of
    // 150 x 150 from the sheet's top row.
    bool start() {
        if (!DemoEditor::start()) return false;
        selectPage(*engine, EditorPage::Animator);
        const Picture sheet = fromQt(largeSheet());
        engine->pictures().sheetPicture = sheet;
        engine->pictures().backgroundPicture = sheet;
        Animation& animation = engine->record().animation(1);
        animation.frameCount = 3;
        for (int f = 1; f <= 3; ++f) animation.frame(f) = AnimFrame{std::uint16_t(160 * (f - 1) + 5), 5, 150, 150};
        editorState(*engine).currentAnimation = 1;
        editorState(*engine).sheetViewOffset = Point{-100, -50};
        engine->overlayTick();
        return true;
    }
};

enum class SheetCase { DrawnOver, Still, Stretching };

void BM_AnimatorOverlayTick(benchmark::State& state, SheetCase which) {
    AnimatorEngine demo;
    if (!demo.start()) {
        state.SkipWithError("demo start-up failed");
        return;
    }
    Engine& engine = *demo.engine;
    editorState(engine).animatorMouseMode = 2;
    if (which == SheetCase::Stretching) engine.mouseDown(MouseButton::Left, 300, 200);
    int step = 0;
    for (auto _ : state) {
        if (which == SheetCase::DrawnOver) engine.canvas().bits(); // a write access: the canvas counts as drawn over
        if (which == SheetCase::Stretching) {
            step = (step + 1) % 200;
            engine.mouseMove(400 + step, 300 + step / 2, 699);
        }
        benchmark::DoNotOptimize(engine.overlayTick());
    }
    if (which == SheetCase::Stretching) engine.mouseUp();
}
BENCHMARK_CAPTURE(BM_AnimatorOverlayTick, DrawnOver, SheetCase::DrawnOver)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_AnimatorOverlayTick, Still, SheetCase::Still)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_AnimatorOverlayTick, StretchMoveAndTick, SheetCase::Stretching)->Unit(benchmark::kMicrosecond);

// One frame tick in the animator: the preview of a 150 x 150 frame, cut anew from the sheet.
void BM_AnimatorPreviewFrameTick(benchmark::State& state) {
    AnimatorEngine demo;
    if (!demo.start()) {
        state.SkipWithError("demo start-up failed");
        return;
    }
    for (auto _ : state) {
        demo.engine->frameTick();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_AnimatorPreviewFrameTick)->Unit(benchmark::kMicrosecond);

// The figure fit of a double-click: a 150 x 150 disc with a hole, and the 900 x 900 block.
void BM_FigureFit(benchmark::State& state) {
    const Picture sheet = fromQt(largeSheet());
    const Point at = state.range(0) == 0 ? Point{165 + 10, 80} : Point{1500, 1500};
    for (auto _ : state) benchmark::DoNotOptimize(figureAt(sheet, at));
    state.SetLabel(state.range(0) == 0 ? "150x150 figure" : "900x900 figure");
}
BENCHMARK(BM_FigureFit)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The whole double-click on the canvas as the engine serves it, a step of the editor included.
void BM_DoubleClickFit(benchmark::State& state) {
    AnimatorEngine demo;
    if (!demo.start()) {
        state.SkipWithError("demo start-up failed");
        return;
    }
    Engine& engine = *demo.engine;
    editorState(engine).animatorMouseMode = 2;
    editorState(engine).sheetViewOffset = Point{0, 0};
    for (auto _ : state) {
        engine.mouseDoubleClick(MouseButton::Left, 175, 80);
        engine.mouseUp();
    }
}
BENCHMARK(BM_DoubleClickFit)->Unit(benchmark::kMicrosecond);

} // namespace
