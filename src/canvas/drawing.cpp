#include "canvas/drawing.h"

#include "canvas/drawnarea.h"

#include <algorithm>

namespace tw {
namespace {

void horizontal(Picture& canvas, int x1, int x2, int y, Rgb colour) {
    if (y < 0 || y >= canvas.height()) return;
    x1 = std::max(x1, 0);
    x2 = std::min(x2, canvas.width() - 1);
    Rgb* row = canvas.row(y);
    for (int x = x1; x <= x2; ++x) row[x] = colour;
}

void vertical(Picture& canvas, int x, int y1, int y2, Rgb colour) {
    if (x < 0 || x >= canvas.width()) return;
    y1 = std::max(y1, 0);
    y2 = std::min(y2, canvas.height() - 1);
    Rgb* bits = canvas.bits();
    const std::size_t line = std::size_t(canvas.width());
    for (int y = y1; y <= y2; ++y) bits[line * std::size_t(y) + std::size_t(x)] = colour;
}

} // namespace

void outlineRect(Picture& canvas, int x1, int y1, int x2, int y2, Rgb colour) {
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
    if (x1 == x2 || y1 == y2) return; // an empty rectangle draws nothing
    const int right = x2 - 1;
    const int bottom = y2 - 1;
    DrawnArea::note(canvas, Rect::fromCorners(x1, y1, x2, y2));
    horizontal(canvas, x1, right, y1, colour);
    horizontal(canvas, x1, right, bottom, colour);
    vertical(canvas, x1, y1, bottom, colour);
    vertical(canvas, right, y1, bottom, colour);
}

void outlineCell(Picture& canvas, int c, int r, Rgb colour) {
    outlineRect(canvas, 20 * (c - 1), 20 * (r - 1), 20 * c, 20 * r, colour);
}

} // namespace tw
