#pragma once

#include "canvas/geometry.h"
#include "canvas/picture.h"

namespace tw {

// Fast pixel copies between pictures. Everything is clipped to both pictures: nothing is ever read or
// written outside them.

// Copies source with its top-left corner at `at`.
void drawOpaque(Picture& target, const Picture& source, Point at);

// Copies the pixels of `area` from source, drawn with its top-left corner at (0, 0), to the same place of
// target: the part of drawOpaque(target, source, {0, 0}) that lies in `area`.
void drawOpaqueArea(Picture& target, const Picture& source, const Rect& area);

// Copies source with its top-left corner at `at`, leaving out every pixel whose colour equals the colour
// of source's bottom-left pixel. An empty source draws nothing.
void drawTransparent(Picture& target, const Picture& source, Point at);

// Copies the rectangle `from` of source into target at (0, 0), without scaling. Target keeps its size;
// the parts of `from` that lie outside source are filled black.
void copyRect(Picture& target, const Picture& source, const Rect& from);

// Makes sure a picture has the given size, reallocating only when the size differs.
void ensureSize(Picture& picture, int width, int height);

} // namespace tw
