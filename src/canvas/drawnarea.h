#pragma once

#include <QImage>
#include <QList>
#include <QRect>
#include <QRegion>

namespace tw {

// Collects where the drawing primitives of this folder (drawOpaque, drawTransparent, copyRect,
// outlineRect, TextStamper) write on one picture while a DrawnArea watches it. A caller that redraws a
// picture from a known state learns from it which part it touched without comparing every pixel.
// Writes made any other way (QImage::fill, setPixel, a QPainter) are not seen. Watchers nest: only the
// innermost one collects.
class DrawnArea {
public:
    explicit DrawnArea(const QImage& watched);
    ~DrawnArea();
    DrawnArea(const DrawnArea&) = delete;
    DrawnArea& operator=(const DrawnArea&) = delete;

    // Everything written on the watched picture so far, clipped to it.
    QRegion region() const;

    // Called by the primitives with the rectangle of `target` they write to.
    static void note(const QImage& target, const QRect& rect);

private:
    const QImage* watched_;
    QList<QRect> rects_;
    DrawnArea* outer_;
};

} // namespace tw
