#include "canvas/blit.h"

#include "canvas/drawnarea.h"

#include <algorithm>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace tw {
namespace {

// Copies n pixels, leaving out those equal to key.
void copyKeyed(Rgb* to, const Rgb* from, int n, Rgb key) {
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
Rect visibleSourcePart(const Picture& target, int w, int h, Point at) {
    const Rect onTarget = Rect{at.x, at.y, w, h}.intersected(target.rect());
    return onTarget.translated(-at.x, -at.y);
}

} // namespace

void ensureSize(Picture& picture, int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (picture.width() == width && picture.height() == height) return;
    picture.reset(width, height); // black: never whatever the memory held
}

void drawOpaque(Picture& target, const Picture& source, Point at) {
    if (source.isNull() || target.isNull()) return;
    const Rect part = visibleSourcePart(target, source.width(), source.height(), at);
    if (part.isEmpty()) return;
    DrawnArea::note(target, part.translated(at));
    const std::size_t rowBytes = std::size_t(part.width) * 4;
    const Rgb* sourceBits = source.bits();
    Rgb* targetBits = target.bits();
    const std::size_t sourceLine = std::size_t(source.width());
    const std::size_t targetLine = std::size_t(target.width());
    for (int y = part.top(); y <= part.bottom(); ++y) {
        const Rgb* from = sourceBits + sourceLine * std::size_t(y) + part.left();
        Rgb* to = targetBits + targetLine * std::size_t(y + at.y) + part.left() + at.x;
        std::memcpy(to, from, rowBytes);
    }
}

void drawOpaqueArea(Picture& target, const Picture& source, const Rect& area) {
    if (source.isNull() || target.isNull()) return;
    const Rect part = area.intersected(source.rect()).intersected(target.rect());
    if (part.isEmpty()) return;
    DrawnArea::note(target, part);
    const std::size_t rowBytes = std::size_t(part.width) * 4;
    const Rgb* sourceBits = source.bits();
    Rgb* targetBits = target.bits();
    const std::size_t sourceLine = std::size_t(source.width());
    const std::size_t targetLine = std::size_t(target.width());
    for (int y = part.top(); y <= part.bottom(); ++y) {
        std::memcpy(targetBits + targetLine * std::size_t(y) + part.left(),
                    sourceBits + sourceLine * std::size_t(y) + part.left(), rowBytes);
    }
}

void drawTransparent(Picture& target, const Picture& source, Point at) {
    if (source.isNull() || target.isNull()) return;
    const Rect part = visibleSourcePart(target, source.width(), source.height(), at);
    if (part.isEmpty()) return;
    DrawnArea::note(target, part.translated(at));
    const Rgb* sourceBits = source.bits();
    Rgb* targetBits = target.bits();
    const std::size_t sourceLine = std::size_t(source.width());
    const std::size_t targetLine = std::size_t(target.width());
    const Rgb key = source.pixel(0, source.height() - 1);
    for (int y = part.top(); y <= part.bottom(); ++y) {
        copyKeyed(targetBits + targetLine * std::size_t(y + at.y) + part.left() + at.x,
                  sourceBits + sourceLine * std::size_t(y) + part.left(), part.width, key);
    }
}

void copyRect(Picture& target, const Picture& source, const Rect& from) {
    if (target.isNull()) return;
    const Rect inside = from.intersected(source.rect());
    if (inside.size() != from.size() || source.isNull()) {
        DrawnArea::note(target, target.rect());
        target.fill(rgb(0, 0, 0));
    }
    if (inside.isEmpty() || source.isNull()) return;
    // Where the readable part lands in the target, clipped to the target as well.
    const Point landing = inside.topLeft() - from.topLeft();
    const Rect onTarget = Rect::at(landing, inside.size()).intersected(target.rect());
    if (onTarget.isEmpty()) return;
    DrawnArea::note(target, onTarget);
    const std::size_t rowBytes = std::size_t(onTarget.width) * 4;
    const Rgb* sourceBits = source.bits();
    Rgb* targetBits = target.bits();
    const std::size_t sourceLine = std::size_t(source.width());
    const std::size_t targetLine = std::size_t(target.width());
    const int sourceX = onTarget.left() - landing.x + inside.left();
    for (int y = onTarget.top(); y <= onTarget.bottom(); ++y) {
        const int sourceY = y - landing.y + inside.top();
        std::memcpy(targetBits + targetLine * std::size_t(y) + onTarget.left(),
                    sourceBits + sourceLine * std::size_t(sourceY) + sourceX, rowBytes);
    }
}

} // namespace tw
