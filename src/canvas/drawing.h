#pragma once

#include "canvas/picture.h"


namespace tw {

inline constexpr Rgb kOutlineColour = 0xFFFF00FF; // magenta: zone and cell outlines
inline constexpr Rgb kMarkerColour = 0xFFFFFFFF;  // white: marker labels
inline constexpr Rgb kTextFirstPass = 0xFF0000FF; // blue
inline constexpr Rgb kTextSecondPass = 0xFF00FFFF; // aqua

// The one-pixel outline of the rectangle (x1, y1)-(x2, y2), right and bottom edges exclusive, as a
// rectangle drawn with a clear brush; corners given in either order. Clipped to the picture.
void outlineRect(Picture& canvas, int x1, int y1, int x2, int y2, Rgb colour = kOutlineColour);
// The outline of passability cell (c, r): (20(c-1), 20(r-1))-(20c, 20r).
void outlineCell(Picture& canvas, int c, int r, Rgb colour = kOutlineColour);
// True for a zone whose corners are well formed (x1 < x2 and y1 < y2).
inline bool isWellFormed(int x1, int y1, int x2, int y2) { return x1 < x2 && y1 < y2; }
// Strictly inside: x1 < x < x2 and y1 < y < y2.
inline bool isInside(int x, int y, int x1, int y1, int x2, int y2) { return x1 < x && x < x2 && y1 < y && y < y2; }

} // namespace tw
