#include "canvas/blit.h"

#include <algorithm>
#include <cstring>

namespace tw {
namespace {

// The part of a w x h source placed at `at` that falls inside the target, as source coordinates.
QRect visibleSourcePart(const QImage& target, int w, int h, QPoint at) {
    const QRect onTarget = QRect(at, QSize(w, h)).intersected(target.rect());
    return onTarget.translated(-at);
}

} // namespace

void ensureSize(QImage& picture, int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (picture.width() == width && picture.height() == height && picture.format() == QImage::Format_RGB32)
        return;
    picture = QImage(width, height, QImage::Format_RGB32);
    picture.fill(Qt::black); // never show whatever the new memory held
}

void drawOpaque(QImage& target, const QImage& source, QPoint at) {
    if (source.isNull() || target.isNull()) return;
    Q_ASSERT(source.format() == QImage::Format_RGB32 && target.format() == QImage::Format_RGB32);
    const QRect part = visibleSourcePart(target, source.width(), source.height(), at);
    if (part.isEmpty()) return;
    const std::size_t rowBytes = std::size_t(part.width()) * 4;
    for (int y = part.top(); y <= part.bottom(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(source.constScanLine(y)) + part.left();
        auto* to = reinterpret_cast<QRgb*>(target.scanLine(y + at.y())) + part.left() + at.x();
        std::memcpy(to, from, rowBytes);
    }
}

void drawTransparent(QImage& target, const QImage& source, QPoint at) {
    if (source.isNull() || target.isNull()) return;
    Q_ASSERT(source.format() == QImage::Format_RGB32 && target.format() == QImage::Format_RGB32);
    const QRect part = visibleSourcePart(target, source.width(), source.height(), at);
    if (part.isEmpty()) return;
    const QRgb key = reinterpret_cast<const QRgb*>(source.constScanLine(source.height() - 1))[0];
    for (int y = part.top(); y <= part.bottom(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(source.constScanLine(y)) + part.left();
        auto* to = reinterpret_cast<QRgb*>(target.scanLine(y + at.y())) + part.left() + at.x();
        for (int x = 0, n = part.width(); x < n; ++x) {
            const QRgb pixel = from[x];
            if (pixel != key) to[x] = pixel;
        }
    }
}

void copyRect(QImage& target, const QImage& source, const QRect& from) {
    if (target.isNull()) return;
    Q_ASSERT(target.format() == QImage::Format_RGB32);
    const QRect inside = from.intersected(source.rect());
    if (inside.size() != from.size() || source.isNull()) target.fill(QColor(Qt::black));
    if (inside.isEmpty() || source.isNull()) return;
    Q_ASSERT(source.format() == QImage::Format_RGB32);
    // Where the readable part lands in the target, clipped to the target as well.
    const QPoint landing = inside.topLeft() - from.topLeft();
    const QRect onTarget = QRect(landing, inside.size()).intersected(target.rect());
    if (onTarget.isEmpty()) return;
    const std::size_t rowBytes = std::size_t(onTarget.width()) * 4;
    for (int y = onTarget.top(); y <= onTarget.bottom(); ++y) {
        const int sourceY = y - landing.y() + inside.top();
        const int sourceX = onTarget.left() - landing.x() + inside.left();
        std::memcpy(reinterpret_cast<QRgb*>(target.scanLine(y)) + onTarget.left(),
                    reinterpret_cast<const QRgb*>(source.constScanLine(sourceY)) + sourceX, rowBytes);
    }
}

} // namespace tw
