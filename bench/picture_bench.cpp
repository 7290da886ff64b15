#include "platform/picturecodec.h"
#include "toolkit/toolkittypes.h"

#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QImageReader>

namespace {

// A scene background as the applicator saves it: 1009 x 700, 24 bits, rows padded to 3028 bytes.
tw::Bytes sceneBmp() {
    tw::Picture scene(1009, 700);
    for (int y = 0; y < scene.height(); ++y)
        for (int x = 0; x < scene.width(); ++x)
            scene.setPixel(x, y, tw::rgb(x % 256, y % 256, (x ^ y) % 256));
    return tw::encodeBmp(scene);
}

// Loading a scene: header checks and the decoding.
void BM_DecodeScene24(benchmark::State& state) {
    const tw::Bytes bytes = sceneBmp();
    for (auto _ : state) {
        tw::Picture picture = tw::decodePicture(bytes);
        benchmark::DoNotOptimize(picture.bits());
    }
}
BENCHMARK(BM_DecodeScene24)->Unit(benchmark::kMillisecond);

// Qt's reader alone on the same bytes, for comparison.
void BM_QtReaderScene24(benchmark::State& state) {
    QByteArray bytes = tw::toQtBytes(sceneBmp());
    for (auto _ : state) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        QImage picture = QImageReader(&buffer, "bmp").read().convertToFormat(QImage::Format_RGB32);
        benchmark::DoNotOptimize(picture.constBits());
    }
}
BENCHMARK(BM_QtReaderScene24)->Unit(benchmark::kMillisecond);

// Saving a scene (the applicator's save, the strips at shutdown).
void BM_EncodeScene24(benchmark::State& state) {
    const tw::Picture scene = tw::decodePicture(sceneBmp());
    for (auto _ : state) {
        tw::Bytes bytes = tw::encodeBmp(scene);
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(BM_EncodeScene24)->Unit(benchmark::kMillisecond);

} // namespace
