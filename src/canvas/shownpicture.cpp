#include "canvas/shownpicture.h"

#include <algorithm>
#include <cstring>

namespace tw {
namespace {

constexpr int kChunk = 8; // pixels compared at once

// The first x in [begin, end) where the rows differ, or end.
int firstDifference(const Rgb* a, const Rgb* b, int begin, int end) {
    int x = begin;
    while (x + kChunk <= end && std::memcmp(a + x, b + x, kChunk * sizeof(Rgb)) == 0)
        x += kChunk;
    while (x < end && a[x] == b[x])
        ++x;
    return x;
}

// The last x in [begin, end) where the rows differ, or begin - 1.
int lastDifference(const Rgb* a, const Rgb* b, int begin, int end) {
    int x = end;
    while (x - kChunk >= begin && std::memcmp(a + x - kChunk, b + x - kChunk, kChunk * sizeof(Rgb)) == 0)
        x -= kChunk;
    while (x > begin && a[x - 1] == b[x - 1])
        --x;
    return x - 1;
}

} // namespace

ChangedArea ShownPicture::update(const Picture& picture, const ChangedArea& within) {
    if (picture.isNull()) return {};
    if (copy_.size() != picture.size()) {
        copy_ = picture;
        key_ = picture.cacheKey();
        return ChangedArea(picture.rect());
    }
    // Writing to a picture changes its cache key; an unchanged key means an unchanged picture.
    if (picture.cacheKey() == key_) return {};
    key_ = picture.cacheKey();

    // The rectangles of `within` never overlap, so neither do the bands found in them.
    std::vector<Rect> bands;
    for (const Rect& rect : within) {
        const Rect area = rect.intersected(picture.rect());
        if (area.isEmpty()) continue;
        compare(picture, area, bands);
    }
    return ChangedArea::ofRects(std::move(bands));
}

void ShownPicture::compare(const Picture& picture, const Rect& area, std::vector<Rect>& bands) {
    const Rgb* fromBits = picture.bits();
    Rgb* toBits = copy_.bits();
    const std::size_t line = std::size_t(picture.width());
    const int left = area.left();
    const int right = area.right();
    const size_t rowBytes = size_t(area.width) * sizeof(Rgb);

    // The band being gathered: rows bandTop..y-1 with changed pixels between bandLeft and bandRight.
    int bandTop = -1;
    int bandLeft = 0;
    int bandRight = 0;
    for (int y = area.top(); y <= area.bottom() + 1; ++y) {
        int first = -1;
        int last = -1;
        if (y <= area.bottom()) {
            const Rgb* from = fromBits + line * std::size_t(y);
            Rgb* to = toBits + line * std::size_t(y);
            // Most rows are equal: one block compare settles them.
            if (std::memcmp(from + left, to + left, rowBytes) != 0) {
                first = firstDifference(from, to, left, right + 1);
                last = lastDifference(from, to, first, right + 1);
                std::memcpy(to + first, from + first, size_t(last - first + 1) * sizeof(Rgb));
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
            bands.push_back(Rect::fromCorners(bandLeft, bandTop, bandRight + 1, y));
            bandTop = -1;
        }
    }
}

void ShownPicture::clear() {
    copy_ = Picture();
    key_ = 0;
}

} // namespace tw
