#include "canvas/cutting.h"

#include "canvas/blit.h"
#include "project/projectrecord.h"

#include <algorithm>

namespace tw {

void cutFrame(Picture& canvas, const Picture& sheet, Picture& framePicture, const ProjectRecord& record, int x,
              int y, int a, bool anchored, int f) {
    if (!isAnimationNumber(a) || f < 1 || f > kFrameCapacity) return;
    const Animation& animation = record.animation(a);
    const AnimFrame& frame = animation.frame(f);
    // A rectangle can be no larger than the sheet it is cut from; a damaged record asking for more must
    // not make us allocate a huge picture.
    const int width = std::min<int>(frame.width, sheet.width());
    const int height = std::min<int>(frame.height, sheet.height());
    if (width <= 0 || height <= 0) return;
    ensureSize(framePicture, width, height);
    copyRect(framePicture, sheet, Rect{frame.srcX, frame.srcY, width, height});

    Point at{x, y};
    if (anchored) {
        const AnimFrame& first = animation.frame(1);
        at = Point{x - first.width / 2, y - first.height};
    }
    drawTransparent(canvas, framePicture, at);
}

void cutCell(const Picture& strip, int w, int h, int n, Picture& target) {
    ensureSize(target, w, h);
    copyRect(target, strip, Rect{w * (n - 1), 0, w, h});
}

} // namespace tw
