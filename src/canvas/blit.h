#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>

namespace tw {

// Fast pixel copies between Format_RGB32 pictures. Everything is clipped to both pictures: nothing is
// ever read or written outside them.

// Copies source with its top-left corner at `at`.
void drawOpaque(QImage& target, const QImage& source, QPoint at);

// Copies the pixels of `area` from source, drawn with its top-left corner at (0, 0), to the same place of
// target: the part of drawOpaque(target, source, {0, 0}) that lies in `area`.
void drawOpaqueArea(QImage& target, const QImage& source, const QRect& area);

// Copies source with its top-left corner at `at`, leaving out every pixel whose colour equals the colour
// of source's bottom-left pixel. An empty source draws nothing.
void drawTransparent(QImage& target, const QImage& source, QPoint at);

// Copies the rectangle `from` of source into target at (0, 0), without scaling. Target keeps its size;
// the parts of `from` that lie outside source are filled black.
void copyRect(QImage& target, const QImage& source, const QRect& from);

// Makes sure a picture is Format_RGB32 with the given size, reallocating only when the size differs.
void ensureSize(QImage& picture, int width, int height);

} // namespace tw
