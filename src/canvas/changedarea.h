#pragma once

#include "canvas/geometry.h"

#include <initializer_list>
#include <vector>

namespace tw {

// A set of pixels kept as rectangles: where a picture changed or was drawn on. The rectangles never
// overlap and come in bands, top to bottom and left to right within a band; touching ones are merged,
// so two areas holding the same pixels hold the same rectangles.
class ChangedArea {
public:
    ChangedArea() = default;
    ChangedArea(const Rect& rect) { add(rect); } // NOLINT: an area of one rectangle
    // The union of any rectangles (empty ones add nothing).
    static ChangedArea ofRects(std::vector<Rect> rects);

    bool isEmpty() const { return rects_.empty(); }
    // The smallest rectangle holding every pixel; empty for an empty area.
    Rect boundingRect() const;
    const std::vector<Rect>& rects() const { return rects_; }
    std::vector<Rect>::const_iterator begin() const { return rects_.begin(); }
    std::vector<Rect>::const_iterator end() const { return rects_.end(); }
    bool contains(Point p) const;

    void add(const Rect& rect);
    ChangedArea united(const ChangedArea& other) const;
    ChangedArea operator|(const ChangedArea& other) const { return united(other); }
    ChangedArea& operator|=(const ChangedArea& other) { return *this = united(other); }
    // The part inside `rect`.
    ChangedArea intersected(const Rect& rect) const;
    ChangedArea translated(Point by) const;

    friend bool operator==(const ChangedArea&, const ChangedArea&) = default;

private:
    std::vector<Rect> rects_;
};

} // namespace tw
