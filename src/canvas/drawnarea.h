#pragma once

#include "canvas/changedarea.h"
#include "canvas/geometry.h"
#include "canvas/picture.h"

#include <vector>

namespace tw {

// Collects where the drawing primitives of this folder (drawOpaque, drawTransparent, copyRect,
// outlineRect, the text drawer) write on one picture while a DrawnArea watches it. A caller that redraws
// a picture from a known state learns from it which part it touched without comparing every pixel.
// Writes made any other way (Picture::fill, setPixel, a painter on a wrapper) are not seen. Watchers
// nest: only the innermost one collects.
class DrawnArea {
public:
    explicit DrawnArea(const Picture& watched);
    ~DrawnArea();
    DrawnArea(const DrawnArea&) = delete;
    DrawnArea& operator=(const DrawnArea&) = delete;

    // Everything written on the watched picture so far, clipped to it.
    ChangedArea region() const;

    // Called by the primitives with the rectangle of `target` they write to.
    static void note(const Picture& target, const Rect& rect);
    // The same for a primitive that reaches the picture only through its pixels (a toolkit image wrapped
    // around them): `pixels` is the address of its first pixel.
    static void note(const void* pixels, const Rect& rect);

private:
    static void noteOn(DrawnArea* area, const Rect& rect);

    const Picture* watched_;
    std::vector<Rect> rects_;
    DrawnArea* outer_;
};

} // namespace tw
