#include "canvas/shownpicture.h"

#include <QList>

#include <algorithm>
#include <cstring>

namespace tw {

QRegion ShownPicture::update(const QImage& picture, const QRect& within) {
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

    const QRect area = within.intersected(picture.rect());
    if (area.isEmpty()) return {};
    const uchar* fromBits = picture.constBits();
    uchar* toBits = copy_.bits();
    const qsizetype fromLine = picture.bytesPerLine();
    const qsizetype toLine = copy_.bytesPerLine();
    const int left = area.left();
    const int right = area.right();
    const size_t rowBytes = size_t(area.width()) * sizeof(QRgb);

    QList<QRect> bands; // top to bottom, disjoint: already in the order QRegion keeps
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
                first = left;
                while (from[first] == to[first]) ++first;
                last = right;
                while (from[last] == to[last]) --last;
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
    QRegion changed;
    if (!bands.isEmpty()) changed.setRects(bands.constData(), int(bands.size()));
    return changed;
}

void ShownPicture::clear() {
    copy_ = QImage();
    key_ = 0;
}

} // namespace tw
