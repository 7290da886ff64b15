#pragma once

#include "canvas/geometry.h"
#include "canvas/picture.h"

#include <cstdint>

namespace tw {

struct ProjectRecord;

inline constexpr int kPreviewWidth = 329;  // Image2
inline constexpr int kPreviewHeight = 297;
inline constexpr Point kPreviewFrameAt{20, 20};

// The animator's canvas: black, the sheet with its top-left corner at the view offset, and the current
// frame's rectangle outlined in white. It remembers what it drew, so a still screen costs a comparison:
// with the same sheet, offset and rectangle on a canvas nobody drew on since, nothing is drawn; when
// only the rectangle moved, only the old and the new outline's areas are drawn again.
class SheetView {
public:
    // Draws what differs from the last drawing and returns the part of the canvas it drew; an empty
    // rectangle when it left the canvas alone. `frame` is the rectangle in sheet coordinates.
    Rect draw(Picture& canvas, const Picture& sheet, Point offset, const Rect& frame);

private:
    // Black where the sheet does not cover `area` of the canvas, the sheet elsewhere.
    static void paintSheet(Picture& canvas, const Picture& sheet, Point offset, const Rect& area);

    std::uint64_t canvasKey_ = 0; // the canvas's cache key after the last drawing; 0: never drew
    std::uint64_t sheetKey_ = 0;
    Point offset_;
    Rect outline_; // the outline's area on the canvas
};

// One frame of the preview: `preview` (sized kPreviewWidth x kPreviewHeight) is filled silver and frame
// `previewFrame` of animation a is cut out of the sheet and drawn transparently at kPreviewFrameAt; then
// previewFrame moves on to the next frame, back to 1 past the frames in use. A counter left past them by
// another animation shows its stale frame once before it wraps.
void drawPreview(Picture& preview, const Picture& sheet, Picture& framePicture, const ProjectRecord& record, int a,
                 int& previewFrame);

} // namespace tw
