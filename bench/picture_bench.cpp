#include "platform/picturecodec.h"

#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QImageReader>

namespace {

// A scene background as the applicator saves it: 1009 x 700, 24 bits, rows padded to 3028 bytes.
QByteArray sceneBmp() {
    QImage scene(1009, 700, QImage::Format_RGB32);
    for (int y = 0; y < scene.height(); ++y)
        for (int x = 0; x < scene.width(); ++x)
            scene.setPixel(x, y, qRgb(x % 256, y % 256, (x ^ y) % 256));
    return tw::encodeBmp(scene);
}

// Loading a scene: header checks, the rewritten header and Qt's reader.
void BM_DecodeScene24(benchmark::State& state) {
    const QByteArray bytes = sceneBmp();
    for (auto _ : state) {
        QImage picture = tw::decodePicture(bytes);
        benchmark::DoNotOptimize(picture.constBits());
    }
}
BENCHMARK(BM_DecodeScene24)->Unit(benchmark::kMillisecond);

// Qt's reader alone on the same bytes: the cost of the checks is the difference.
void BM_QtReaderScene24(benchmark::State& state) {
    QByteArray bytes = sceneBmp();
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
    const QImage scene = tw::decodePicture(sceneBmp());
    for (auto _ : state) {
        QByteArray bytes = tw::encodeBmp(scene);
        benchmark::DoNotOptimize(bytes.constData());
    }
}
BENCHMARK(BM_EncodeScene24)->Unit(benchmark::kMillisecond);

} // namespace
