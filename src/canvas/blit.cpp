#include "canvas/blit.h"

#include "canvas/drawnarea.h"

#include <algorithm>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace tw {
namespace {

// Row addresses taken once per picture: QImage::scanLine checks for sharing on every call, which costs
// more than copying a short row.
QRgb* rowOf(uchar* bits, qsizetype bytesPerLine, int y) {
    return reinterpret_cast<QRgb*>(bits + bytesPerLine * y);
}
const QRgb* rowOf(const uchar* bits, qsizetype bytesPerLine, int y) {
    return reinterpret_cast<const QRgb*>(bits + bytesPerLine * y);
}

// Copies n pixels, leaving out those equal to key.
void copyKeyed(QRgb* to, const QRgb* from, int n, QRgb key) {
    int x = 0;
#ifdef __SSE2__
    const __m128i keys = _mm_set1_epi32(int(key));
    for (; x + 4 <= n; x += 4) {
        const __m128i source = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + x));
        const __m128i target = _mm_loadu_si128(reinterpret_cast<const __m128i*>(to + x));
        const __m128i isKey = _mm_cmpeq_epi32(source, keys);
        const __m128i merged = _mm_or_si128(_mm_and_si128(isKey, target), _mm_andnot_si128(isKey, source));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + x), merged);
    }
#endif
    for (; x < n; ++x) {
        if (from[x] != key) to[x] = from[x];
    }
}

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
    DrawnArea::note(target, part.translated(at));
    const std::size_t rowBytes = std::size_t(part.width()) * 4;
    const uchar* sourceBits = source.constBits();
    uchar* targetBits = target.bits();
    for (int y = part.top(); y <= part.bottom(); ++y) {
        const QRgb* from = rowOf(sourceBits, source.bytesPerLine(), y) + part.left();
        QRgb* to = rowOf(targetBits, target.bytesPerLine(), y + at.y()) + part.left() + at.x();
        std::memcpy(to, from, rowBytes);
    }
}

void drawOpaqueArea(QImage& target, const QImage& source, const QRect& area) {
    if (source.isNull() || target.isNull()) return;
    Q_ASSERT(source.format() == QImage::Format_RGB32 && target.format() == QImage::Format_RGB32);
    const QRect part = area.intersected(source.rect()).intersected(target.rect());
    if (part.isEmpty()) return;
    DrawnArea::note(target, part);
    const std::size_t rowBytes = std::size_t(part.width()) * 4;
    const uchar* sourceBits = source.constBits();
    uchar* targetBits = target.bits();
    for (int y = part.top(); y <= part.bottom(); ++y) {
        std::memcpy(rowOf(targetBits, target.bytesPerLine(), y) + part.left(),
                    rowOf(sourceBits, source.bytesPerLine(), y) + part.left(), rowBytes);
    }
}

void drawTransparent(QImage& target, const QImage& source, QPoint at) {
    if (source.isNull() || target.isNull()) return;
    Q_ASSERT(source.format() == QImage::Format_RGB32 && target.format() == QImage::Format_RGB32);
    const QRect part = visibleSourcePart(target, source.width(), source.height(), at);
    if (part.isEmpty()) return;
    DrawnArea::note(target, part.translated(at));
    const uchar* sourceBits = source.constBits();
    uchar* targetBits = target.bits();
    const QRgb key = rowOf(sourceBits, source.bytesPerLine(), source.height() - 1)[0];
    for (int y = part.top(); y <= part.bottom(); ++y) {
        copyKeyed(rowOf(targetBits, target.bytesPerLine(), y + at.y()) + part.left() + at.x(),
                  rowOf(sourceBits, source.bytesPerLine(), y) + part.left(), part.width(), key);
    }
}

void copyRect(QImage& target, const QImage& source, const QRect& from) {
    if (target.isNull()) return;
    Q_ASSERT(target.format() == QImage::Format_RGB32);
    const QRect inside = from.intersected(source.rect());
    if (inside.size() != from.size() || source.isNull()) {
        DrawnArea::note(target, target.rect());
        target.fill(QColor(Qt::black));
    }
    if (inside.isEmpty() || source.isNull()) return;
    Q_ASSERT(source.format() == QImage::Format_RGB32);
    // Where the readable part lands in the target, clipped to the target as well.
    const QPoint landing = inside.topLeft() - from.topLeft();
    const QRect onTarget = QRect(landing, inside.size()).intersected(target.rect());
    if (onTarget.isEmpty()) return;
    DrawnArea::note(target, onTarget);
    const std::size_t rowBytes = std::size_t(onTarget.width()) * 4;
    const uchar* sourceBits = source.constBits();
    uchar* targetBits = target.bits();
    const int sourceX = onTarget.left() - landing.x() + inside.left();
    for (int y = onTarget.top(); y <= onTarget.bottom(); ++y) {
        const int sourceY = y - landing.y() + inside.top();
        std::memcpy(rowOf(targetBits, target.bytesPerLine(), y) + onTarget.left(),
                    rowOf(sourceBits, source.bytesPerLine(), sourceY) + sourceX, rowBytes);
    }
}

} // namespace tw
