#include "editor/canvasediting.h"
#include "canvas/blit.h"
#include "editor/editorshell.h"
#include "platform/audio.h"
#include "platform/cursors.h"
#include "platform/filesystem.h"
#include "platform/messages.h"
#include "platform/picturecodec.h"
#include "platform/random.h"
#include "project/recordfile.h"
#include "runtime/engine.h"

#include "support/fakes.h"
#include "toolkit/toolkittypes.h"

#include <benchmark/benchmark.h>

#include <QPainter>
#include <QTemporaryDir>

namespace {

using namespace tw;

QImage texture(int w, int h, int seed) {
    QImage picture(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < w; ++x) row[x] = qRgb((x * 7 + seed) & 255, (y * 5 + seed) & 255, (x ^ y) & 255);
    }
    return picture;
}

// A busy scene: 9 visible spots of 64 x 96 frames, 100 lying items, 3 doors, 20 hints, 50 remarks, the
// item panel shown with 18 items in the bag.
std::unique_ptr<ProjectRecord> busyRecord() {
    auto record = ProjectRecord::createBlank();
    record->sceneCount = 1;
    record->startScene = 1;
    record->tickInterval = 50;
    record->heroStep = 5;
    for (int a = 1; a <= 10; ++a) {
        Animation& animation = record->animation(a);
        animation.frameCount = 4;
        for (int f = 1; f <= 4; ++f) animation.frame(f) = AnimFrame{std::uint16_t(64 * (f - 1)), std::uint16_t(96 * (a - 1)), 64, 96};
    }
    record->heroAnimStand = 10;
    record->heroX = 500;
    record->heroY = 400;
    SceneBlock& scene = record->scene(1);
    for (int k = 1; k <= 9; ++k) scene.animSpot(k) = AnimSpot{1, 0, std::uint16_t(100 * k), 200, std::uint8_t(k), std::uint8_t(k % 2)};
    for (int n = 1; n <= 100; ++n) record->item(n) = Item{n <= 82 ? std::int16_t(1) : std::int16_t(2), std::int16_t(n % 50), std::int16_t(10 + n / 50), 1, 0, 0, 0, 0, 0};
    for (int k = 1; k <= 18; ++k) record->bagSlot(k) = std::uint8_t(82 + k);
    for (int d = 1; d <= 3; ++d) {
        Door& door = scene.door(d);
        door = Door{1, 5, 2, 1, 1, std::uint8_t(10 * d), 20, 0, std::uint16_t(200 * d), 500, std::uint16_t(200 * d + 60), 590, std::uint16_t(200 * d), 500};
    }
    for (int h = 1; h <= 20; ++h) {
        Hint& hint = scene.hint(h);
        hint.text.setText("Подсказка " + std::to_string(h));
        hint.zoneX1 = std::uint16_t(40 * h);
        hint.zoneY1 = 600;
        hint.zoneX2 = std::uint16_t(40 * h + 30);
        hint.zoneY2 = 650;
    }
    for (int k = 1; k <= 50; ++k) {
        HeroRemark& remark = record->heroRemark(k);
        remark.state = 1;
        remark.scene = 1;
        remark.col = std::uint8_t(k);
        remark.row = 30;
        remark.text.setText("Реплика героя");
        CrowdRemark& crowd = record->crowdRemark(k);
        crowd.scene = k <= 5 ? 1 : 0;
        crowd.x = std::uint16_t(150 * k);
        crowd.y = 100;
        crowd.countdown = 1000000;
        crowd.shownIndex = std::uint8_t(k);
        crowd.text.setText("Гомон толпы");
    }
    for (int c = 1; c <= kGridColumns; ++c)
        for (int r = 1; r <= kGridRows; ++r) record->pass(1, c, r) = (c + r) % 7 == 0 ? kBlockedCell : 0;
    return record;
}

void writeTree(const QString& root) {
    AssetPaths paths(root.toStdString());
    QDir dir(root);
    for (const char* folder : {"mzh", "mzh/data", "mzh/scena", "mzh/Kom", "mzh/sound", "graf"}) dir.mkpath(QLatin1String(folder));
    DiskFileSystem disk;
    auto put = [&disk](const std::string& path, const QImage& picture) { disk.writeAtomically(path, encodeBmp(fromQt(picture))); };
    QImage sheet = texture(640, 960, 3);
    // Each frame keeps a key-coloured bottom-left pixel, as authors draw them.
    for (int a = 0; a < 10; ++a)
        for (int f = 0; f < 10; ++f) sheet.setPixel(64 * f, 96 * a + 95, qRgb(255, 0, 255));
    put(paths.data("anim"), sheet);
    put(paths.data("menu"), texture(kPlayWidth, kPlayHeight, 1));
    put(paths.scene(1), texture(kPlayWidth, kPlayHeight, 2));
    put(paths.data("pon"), texture(kPlayWidth, 60, 4));
    put(paths.data("nabpredmax"), texture(5000, 50, 5));
    put(paths.data("nabpredmin"), texture(2000, 20, 6));
    put(paths.data("dver"), texture(3000, 90, 7));
    put(paths.data("ten"), texture(380, 80, 8));
    saveRecordFile(disk, paths.recordFile(), *busyRecord());
}

void BM_PlayFrameBusyScene(benchmark::State& state) {
    QTemporaryDir dir;
    writeTree(dir.path());
    DiskFileSystem disk;
    test::FakeMessages messages;
    SilentAudio audio;
    test::FakeCursors cursors;
    test::FakeFileDialogs dialogs;
    SeededRandom random(7);
    Engine engine(AssetPaths(dir.path().toStdString()), Services{disk, messages, audio, cursors, random, dialogs});
    const CanvasEditing editing(engine);
    if (!engine.startUp()) {
        state.SkipWithError("start-up failed");
        return;
    }
    selectPage(engine, EditorPage::PlotEditor);
    engine.play().mousePoint = Point{300, 2}; // keeps the item panel shown
    for (auto _ : state) {
        engine.frameTick();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PlayFrameBusyScene)->Unit(benchmark::kMicrosecond);

// The floor: one plain copy of a 1009 x 700 32-bit picture.
void BM_PlainCopyOfTheCanvas(benchmark::State& state) {
    const Picture source = fromQt(texture(kPlayWidth, kPlayHeight, 9));
    Picture target(kPlayWidth, kPlayHeight);
    for (auto _ : state) {
        drawOpaque(target, source, Point{0, 0});
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PlainCopyOfTheCanvas)->Unit(benchmark::kMicrosecond);

} // namespace
