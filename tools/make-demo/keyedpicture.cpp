#include "make-demo/keyedpicture.h"

namespace tw::demo {

QImage flattenOnKey(const QImage& drawing, QSize size) {
    // Smooth down-scaling first gives soft shading inside the drawing; only the outer edge is then cut
    // hard, because the game's transparency knows no partial coverage.
    // The conversion to straight (not premultiplied) alpha gives half-covered pixels their true colour.
    const QImage small = (drawing.size() == size
                              ? drawing
                              : drawing.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation))
                             .convertToFormat(QImage::Format_ARGB32);
    QImage out(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        const auto* src = reinterpret_cast<const QRgb*>(small.constScanLine(y));
        auto* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const QRgb p = src[x];
            if (qAlpha(p) < 128) {
                dst[x] = keyRgb();
                continue;
            }
            QRgb colour = qRgb(qRed(p), qGreen(p), qBlue(p));
            if (colour == keyRgb()) colour = qRgb(254, 0, 254);
            dst[x] = colour;
        }
    }
    return out;
}

SpriteCanvas::SpriteCanvas(QSize size, int supersample)
    : size_(size), drawing_(size * supersample, QImage::Format_ARGB32_Premultiplied) {
    drawing_.fill(Qt::transparent);
    painter_ = std::make_unique<QPainter>(&drawing_);
    painter_->setRenderHint(QPainter::Antialiasing);
    painter_->scale(supersample, supersample);
}

SpriteCanvas::~SpriteCanvas() = default;

QImage SpriteCanvas::finish() {
    painter_->end();
    return flattenOnKey(drawing_, size_);
}

QImage keyedToTransparent(const QImage& keyed) {
    QImage out = keyed.convertToFormat(QImage::Format_ARGB32);
    if (out.isNull()) return out;
    const QRgb key = out.pixel(0, out.height() - 1) | 0xff000000u;
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if ((line[x] | 0xff000000u) == key) line[x] = 0;
    }
    return out;
}

void placeSprite(QImage& sheet, const QImage& sprite, QPoint at) {
    QPainter p(&sheet);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(at, sprite);
}

} // namespace tw::demo
