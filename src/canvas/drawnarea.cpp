#include "canvas/drawnarea.h"

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
    QRegion region;
    for (const QRect& rect : rects_)
        region += rect.intersected(watched_->rect());
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
