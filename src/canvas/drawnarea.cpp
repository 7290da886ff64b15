#include "canvas/drawnarea.h"

#include <vector>

namespace tw {
namespace {

thread_local DrawnArea* innermost = nullptr;

} // namespace

DrawnArea::DrawnArea(const QImage& watched) : watched_(&watched), outer_(innermost) {
    innermost = this;
}

DrawnArea::~DrawnArea() {
    innermost = outer_;
}

QRegion DrawnArea::region() const {
    const QRect bounds = watched_->rect();
    // A few rectangles are joined exactly. Joining is quadratic in their number, so a busy frame (dozens
    // of labels, outlines and texts) is gathered by the 16 x 16 tiles its rectangles touch instead: a
    // little more than was drawn, found in one pass.
    constexpr int kFewRects = 16;
    if (rects_.size() <= kFewRects) {
        QRegion region;
        for (const QRect& rect : rects_)
            region += rect.intersected(bounds);
        return region;
    }
    constexpr int kTile = 16;
    const int columns = (bounds.width() + kTile - 1) / kTile;
    const int rows = (bounds.height() + kTile - 1) / kTile;
    std::vector<bool> touched(std::size_t(columns) * std::size_t(rows), false);
    for (const QRect& rect : rects_) {
        const QRect part = rect.intersected(bounds);
        if (part.isEmpty()) continue;
        for (int row = part.top() / kTile; row <= part.bottom() / kTile; ++row)
            for (int column = part.left() / kTile; column <= part.right() / kTile; ++column)
                touched[std::size_t(row) * std::size_t(columns) + std::size_t(column)] = true;
    }
    // Runs of touched tiles, row by row: sorted, disjoint and of one height per row, as setRects wants.
    QList<QRect> runs;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns;) {
            if (!touched[std::size_t(row) * std::size_t(columns) + std::size_t(column)]) {
                ++column;
                continue;
            }
            const int first = column;
            while (column < columns && touched[std::size_t(row) * std::size_t(columns) + std::size_t(column)])
                ++column;
            runs.append(QRect(first * kTile, row * kTile, (column - first) * kTile, kTile).intersected(bounds));
        }
    }
    QRegion region;
    if (!runs.isEmpty()) region.setRects(runs.constData(), int(runs.size()));
    return region;
}

void DrawnArea::note(const QImage& target, const QRect& rect) {
    DrawnArea* area = innermost;
    if (!area || area->watched_ != &target || rect.isEmpty()) return;
    // A label drawn on the same place every frame is noted once.
    if (!area->rects_.isEmpty() && area->rects_.constLast().contains(rect)) return;
    area->rects_.append(rect);
}

} // namespace tw
