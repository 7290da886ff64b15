#include "canvas/changedarea.h"

#include <algorithm>
#include <utility>

namespace tw {
namespace {

// One band's covered columns as [left, rightExclusive) spans, sorted, with overlapping and touching ones
// merged.
using Spans = std::vector<std::pair<int, int>>;

void mergeSpans(Spans& spans) {
    std::sort(spans.begin(), spans.end());
    std::size_t kept = 0;
    for (std::size_t i = 0; i < spans.size(); ++i) {
        if (kept > 0 && spans[i].first <= spans[kept - 1].second)
            spans[kept - 1].second = std::max(spans[kept - 1].second, spans[i].second);
        else
            spans[kept++] = spans[i];
    }
    spans.resize(kept);
}

// The union of the rectangles as bands: the rows are cut wherever a rectangle starts or ends, each cut's
// columns are merged into spans, and a cut with the same spans as the one just above it extends that
// one's rectangles. A sweep over the rectangles sorted by top keeps only those crossing the current cut
// in view, so a frame's few hundred small rectangles cost little more than sorting them.
std::vector<Rect> normalised(std::vector<Rect> rects) {
    std::erase_if(rects, [](const Rect& r) { return r.isEmpty(); });
    if (rects.size() <= 1) return rects;
    std::vector<int> cuts;
    cuts.reserve(rects.size() * 2);
    for (const Rect& r : rects) {
        cuts.push_back(r.top());
        cuts.push_back(r.bottomExclusive());
    }
    std::sort(cuts.begin(), cuts.end());
    cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());
    std::sort(rects.begin(), rects.end(), [](const Rect& a, const Rect& b) { return a.y < b.y; });

    std::vector<Rect> out;
    std::vector<const Rect*> crossing;
    Spans spans;
    Spans above;             // spans of the band that ends where this one starts
    std::size_t aboveAt = 0; // index in `out` of the first rectangle of that band
    int aboveEnd = 0;
    std::size_t next = 0;
    for (std::size_t c = 0; c + 1 < cuts.size(); ++c) {
        const int top = cuts[c];
        const int bottom = cuts[c + 1];
        std::erase_if(crossing, [top](const Rect* r) { return r->bottomExclusive() <= top; });
        while (next < rects.size() && rects[next].y == top) crossing.push_back(&rects[next++]);
        spans.clear();
        for (const Rect* r : crossing) spans.emplace_back(r->x, r->rightExclusive());
        mergeSpans(spans);
        if (spans.empty()) {
            above.clear();
            continue;
        }
        if (!above.empty() && aboveEnd == top && spans == above) {
            for (std::size_t i = aboveAt; i < out.size(); ++i) out[i].height += bottom - top;
        } else {
            aboveAt = out.size();
            for (const auto& [left, right] : spans) out.push_back(Rect::fromCorners(left, top, right, bottom));
            std::swap(above, spans);
        }
        aboveEnd = bottom;
    }
    return out;
}

} // namespace

ChangedArea ChangedArea::ofRects(std::vector<Rect> rects) {
    ChangedArea area;
    area.rects_ = normalised(std::move(rects));
    return area;
}

Rect ChangedArea::boundingRect() const {
    Rect bounds;
    for (const Rect& r : rects_) bounds = bounds.united(r);
    return bounds;
}

bool ChangedArea::contains(Point p) const {
    return std::any_of(rects_.begin(), rects_.end(), [p](const Rect& r) { return r.contains(p); });
}

void ChangedArea::add(const Rect& rect) {
    if (rect.isEmpty()) return;
    if (rects_.empty()) {
        rects_.push_back(rect);
        return;
    }
    std::vector<Rect> all = rects_;
    all.push_back(rect);
    rects_ = normalised(std::move(all));
}

ChangedArea ChangedArea::united(const ChangedArea& other) const {
    if (other.isEmpty()) return *this;
    if (isEmpty()) return other;
    std::vector<Rect> all;
    all.reserve(rects_.size() + other.rects_.size());
    all.insert(all.end(), rects_.begin(), rects_.end());
    all.insert(all.end(), other.rects_.begin(), other.rects_.end());
    return ofRects(std::move(all));
}

ChangedArea ChangedArea::intersected(const Rect& rect) const {
    std::vector<Rect> parts;
    for (const Rect& r : rects_) {
        const Rect part = r.intersected(rect);
        if (!part.isEmpty()) parts.push_back(part);
    }
    return ofRects(std::move(parts));
}

ChangedArea ChangedArea::translated(Point by) const {
    ChangedArea moved = *this;
    for (Rect& r : moved.rects_) r = r.translated(by);
    return moved;
}

} // namespace tw
