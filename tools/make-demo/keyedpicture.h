#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QSize>

#include <memory>

namespace tw::demo {

// The colour every transparent demo picture uses as its background. The game leaves out every pixel of the
// colour of a picture's bottom-left pixel, so drawings must never contain it.
inline QColor keyColour() { return QColor(255, 0, 255); }
inline QRgb keyRgb() { return qRgb(255, 0, 255); }

// Turns a drawing on a transparent ARGB picture into an opaque picture on the key colour, scaled down to
// `size`. Pixels that are at least half covered keep their colour at full opacity; the rest become the key.
// A drawn pixel that happens to equal the key is nudged by one step so it stays visible.
QImage flattenOnKey(const QImage& drawing, QSize size);

// A drawing surface for sprites with clean edges: the painter works in the sprite's own pixel units on a
// transparent picture `supersample` times larger, and finish() flattens it onto the key colour at the
// sprite's size.
class SpriteCanvas {
public:
    explicit SpriteCanvas(QSize size, int supersample = 4);
    ~SpriteCanvas();
    SpriteCanvas(const SpriteCanvas&) = delete;
    SpriteCanvas& operator=(const SpriteCanvas&) = delete;

    QPainter& painter() { return *painter_; }
    QSize size() const { return size_; }
    // Ends drawing and returns the flattened sprite; the canvas may not be drawn on afterwards.
    QImage finish();

private:
    QSize size_;
    QImage drawing_;
    std::unique_ptr<QPainter> painter_;
};

// The picture as the game shows a transparent picture: every pixel of the colour of its bottom-left pixel
// becomes fully transparent. Used to draw the demo's own keyed pictures onto others.
QImage keyedToTransparent(const QImage& keyed);

// Copies `sprite` into `sheet` with its top-left corner at `at`.
void placeSprite(QImage& sheet, const QImage& sprite, QPoint at);

} // namespace tw::demo
