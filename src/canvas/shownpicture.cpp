#include "canvas/shownpicture.h"

#include <QList>

#include <algorithm>
#include <cstring>

namespace tw {
namespace {

constexpr int kChunk = 8; // pixels compared at once

// The first x in [begin, end) where the rows differ, or end.
int firstDifference(const QRgb* a, const QRgb* b, int begin, int end) {
    int x = begin;
    while (x + kChunk <= end && std::memcmp(a + x, b + x, kChunk * sizeof(QRgb)) == 0)
        x += kChunk;
    while (x < end && a[x] == b[x])
        ++x;
    return x;
}

// The last x in [begin, end) where the rows differ, or begin - 1.
int lastDifference(const QRgb* a, const QRgb* b, int begin, int end) {
    int x = end;
    while (x - kChunk >= begin && std::memcmp(a + x - kChunk, b + x - kChunk, kChunk * sizeof(QRgb)) == 0)
        x -= kChunk;
    while (x > begin && a[x - 1] == b[x - 1])
        --x;
    return x - 1;
}

} // namespace

QRegion ShownPicture::update(const QImage& picture, const QRegion& within) {
    if (picture.isNull()) return {};
    if (picture.depth() != 32) { // not compared: always all of it
        clear();
        return QRegion(picture.rect());
    }
    if (copy_.size() != picture.size() || copy_.format() != picture.format()) {
        copy_ = picture.copy();
        key_ = picture.cacheKey();
        return QRegion(picture.rect());
    }
    // Writing to a QImage changes its cache key; an unchanged key means an unchanged picture.
    if (picture.cacheKey() == key_) return {};
    key_ = picture.cacheKey();

    QRegion changed;
    QList<QRect> bands;
    for (const QRect& rect : within) {
        const QRect area = rect.intersected(picture.rect());
        if (area.isEmpty()) continue;
        bands.clear();
        compare(picture, area, bands);
        if (bands.isEmpty()) continue;
        // The bands of one rectangle are disjoint and in order, as QRegion keeps them.
        QRegion part;
        part.setRects(bands.constData(), int(bands.size()));
        changed += part;
    }
    return changed;
}

void ShownPicture::compare(const QImage& picture, const QRect& area, QList<QRect>& bands) {
    const uchar* fromBits = picture.constBits();
    uchar* toBits = copy_.bits();
    const qsizetype fromLine = picture.bytesPerLine();
    const qsizetype toLine = copy_.bytesPerLine();
    const int left = area.left();
    const int right = area.right();
    const size_t rowBytes = size_t(area.width()) * sizeof(QRgb);

    // The band being gathered: rows bandTop..y-1 with changed pixels between bandLeft and bandRight.
    int bandTop = -1;
    int bandLeft = 0;
    int bandRight = 0;
    for (int y = area.top(); y <= area.bottom() + 1; ++y) {
        int first = -1;
        int last = -1;
        if (y <= area.bottom()) {
            const auto* from = reinterpret_cast<const QRgb*>(fromBits + fromLine * y);
            auto* to = reinterpret_cast<QRgb*>(toBits + toLine * y);
            // Most rows are equal: one block compare settles them.
            if (std::memcmp(from + left, to + left, rowBytes) != 0) {
                first = firstDifference(from, to, left, right + 1);
                last = lastDifference(from, to, first, right + 1);
                std::memcpy(to + first, from + first, size_t(last - first + 1) * sizeof(QRgb));
            }
        }
        if (first >= 0) {
            if (bandTop < 0) {
                bandTop = y;
                bandLeft = first;
                bandRight = last;
            } else {
                bandLeft = std::min(bandLeft, first);
                bandRight = std::max(bandRight, last);
            }
        } else if (bandTop >= 0) {
            bands.append(QRect(QPoint(bandLeft, bandTop), QPoint(bandRight, y - 1)));
            bandTop = -1;
        }
    }
}

void ShownPicture::clear() {
    copy_ = QImage();
    key_ = 0;
}

} // namespace tw
