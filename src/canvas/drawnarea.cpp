#include "canvas/drawnarea.h"

namespace tw {
namespace {

thread_local DrawnArea* innermost = nullptr;

} // namespace

DrawnArea::DrawnArea(const Picture& watched) : watched_(&watched), outer_(innermost) {
    innermost = this;
}

DrawnArea::~DrawnArea() {
    innermost = outer_;
}

ChangedArea DrawnArea::region() const {
    const Rect bounds = watched_->rect();
    // A few rectangles are joined exactly. A busy frame (dozens of labels, outlines and texts) is
    // gathered by the 16 x 16 tiles its rectangles touch instead: a little more than was drawn, found in
    // one pass.
    constexpr std::size_t kFewRects = 16;
    if (rects_.size() <= kFewRects) {
        std::vector<Rect> parts;
        parts.reserve(rects_.size());
        for (const Rect& rect : rects_) parts.push_back(rect.intersected(bounds));
        return ChangedArea::ofRects(std::move(parts));
    }
    constexpr int kTile = 16;
    const int columns = (bounds.width + kTile - 1) / kTile;
    const int rows = (bounds.height + kTile - 1) / kTile;
    std::vector<bool> touched(std::size_t(columns) * std::size_t(rows), false);
    for (const Rect& rect : rects_) {
        const Rect part = rect.intersected(bounds);
        if (part.isEmpty()) continue;
        for (int row = part.top() / kTile; row <= part.bottom() / kTile; ++row)
            for (int column = part.left() / kTile; column <= part.right() / kTile; ++column)
                touched[std::size_t(row) * std::size_t(columns) + std::size_t(column)] = true;
    }
    // Runs of touched tiles, row by row.
    std::vector<Rect> runs;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns;) {
            if (!touched[std::size_t(row) * std::size_t(columns) + std::size_t(column)]) {
                ++column;
                continue;
            }
            const int first = column;
            while (column < columns && touched[std::size_t(row) * std::size_t(columns) + std::size_t(column)])
                ++column;
            runs.push_back(Rect{first * kTile, row * kTile, (column - first) * kTile, kTile}.intersected(bounds));
        }
    }
    return ChangedArea::ofRects(std::move(runs));
}

void DrawnArea::note(const Picture& target, const Rect& rect) {
    DrawnArea* area = innermost;
    if (!area || area->watched_ != &target) return;
    noteOn(area, rect);
}

void DrawnArea::note(const void* pixels, const Rect& rect) {
    DrawnArea* area = innermost;
    if (!area || area->watched_->isNull() || area->watched_->constBits() != pixels) return;
    noteOn(area, rect);
}

void DrawnArea::noteOn(DrawnArea* area, const Rect& rect) {
    if (rect.isEmpty()) return;
    // A label drawn on the same place every frame is noted once.
    if (!area->rects_.empty() && area->rects_.back().contains(rect)) return;
    area->rects_.push_back(rect);
}

} // namespace tw
