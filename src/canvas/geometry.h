#pragma once

#include <algorithm>

namespace tw {

// Points, sizes and rectangles in whole pixels. Rect keeps its top-left corner and its size; right() and
// bottom() name the last column and row inside it (left + width - 1), so an empty rectangle has
// right() < left().

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
    Point operator+(const Point& o) const { return {x + o.x, y + o.y}; }
    Point operator-(const Point& o) const { return {x - o.x, y - o.y}; }
};

struct Size {
    int width = 0;
    int height = 0;
    bool isEmpty() const { return width <= 0 || height <= 0; }
    friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    static Rect fromCorners(int left, int top, int rightExclusive, int bottomExclusive) {
        return {left, top, rightExclusive - left, bottomExclusive - top};
    }
    static Rect at(Point topLeft, Size size) { return {topLeft.x, topLeft.y, size.width, size.height}; }

    int left() const { return x; }
    int top() const { return y; }
    int right() const { return x + width - 1; }
    int bottom() const { return y + height - 1; }
    int rightExclusive() const { return x + width; }
    int bottomExclusive() const { return y + height; }
    Point topLeft() const { return {x, y}; }
    Size size() const { return {width, height}; }
    bool isEmpty() const { return width <= 0 || height <= 0; }

    bool contains(Point p) const { return p.x >= x && p.x < x + width && p.y >= y && p.y < y + height; }
    bool contains(const Rect& r) const {
        return !r.isEmpty() && r.x >= x && r.y >= y && r.x + r.width <= x + width && r.y + r.height <= y + height;
    }
    bool intersects(const Rect& r) const { return !intersected(r).isEmpty(); }
    Rect translated(int dx, int dy) const { return {x + dx, y + dy, width, height}; }
    Rect translated(Point d) const { return translated(d.x, d.y); }
    // Moves the left, top, right and bottom edges by the given amounts.
    Rect adjusted(int dl, int dt, int dr, int db) const { return {x + dl, y + dt, width - dl + dr, height - dt + db}; }
    // The common part; an empty rectangle when they do not overlap.
    Rect intersected(const Rect& r) const {
        const int l = std::max(x, r.x), t = std::max(y, r.y);
        const int rr = std::min(x + width, r.x + r.width), b = std::min(y + height, r.y + r.height);
        if (rr <= l || b <= t) return {};
        return {l, t, rr - l, b - t};
    }
    // The smallest rectangle holding both; an empty one adds nothing.
    Rect united(const Rect& r) const {
        if (r.isEmpty()) return *this;
        if (isEmpty()) return r;
        const int l = std::min(x, r.x), t = std::min(y, r.y);
        const int rr = std::max(x + width, r.x + r.width), b = std::max(y + height, r.y + r.height);
        return {l, t, rr - l, b - t};
    }
    friend bool operator==(const Rect&, const Rect&) = default;
};

} // namespace tw
