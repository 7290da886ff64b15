#pragma once

#include "canvas/picture.h"

#include <QFont>
#include <QHash>
#include <QImage>
#include <QString>

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

// Writes texts on the canvas in one font. Each text is rendered once per colour into a small picture
// with alpha and then blended, so redrawing the same labels every tick costs a copy, not a layout.
class TextStamper {
public:
    explicit TextStamper(const QFont& font);

    // Text with its top-left corner at (x, y), in one colour, with a clear background.
    void drawLabel(QImage& canvas, int x, int y, const QString& text, QRgb colour = kMarkerColour);
    // A game text: blue at (x, y), then aqua at (x + 1, y + 1).
    void drawGameText(QImage& canvas, int x, int y, const QString& text);
    // Lines of a game text, line k at y + 15k.
    void drawGameLines(QImage& canvas, int x, int y, const QString* lines, int count);
    // The same on a picture, through a toolkit image wrapped around its pixels.
    void drawLabel(Picture& canvas, int x, int y, const QString& text, Rgb colour = kMarkerColour);
    void drawGameText(Picture& canvas, int x, int y, const QString& text);
    void drawGameLines(Picture& canvas, int x, int y, const QString* lines, int count);
    // The size a text takes when drawn with drawLabel.
    QSize sizeOf(const QString& text) { return text.isEmpty() ? QSize() : stamp(text, kMarkerColour).size(); }

private:
    const QImage& stamp(const QString& text, QRgb colour);

    QFont font_;
    QHash<QString, QImage> stamps_; // key: colour and text
};

} // namespace tw
