#include "editor/animatorview.h"

#include "canvas/blit.h"
#include "canvas/cutting.h"
#include "canvas/drawing.h"
#include "editor/animator.h"
#include "project/projectrecord.h"

#include <algorithm>
#include <cstring>

namespace tw {
namespace {

constexpr Rgb kBlack = 0xFF000000;
constexpr Rgb kWhite = 0xFFFFFFFF;
constexpr Rgb kSilver = 0xFFC0C0C0;

} // namespace

Rect SheetView::draw(Picture& canvas, const Picture& sheet, Point offset, const Rect& frame) {
    const Rect outline = frame.isEmpty() ? Rect{} : frame.translated(offset);
    const bool sameView = canvasKey_ != 0 && canvasKey_ == canvas.cacheKey() && sheetKey_ == sheet.cacheKey() &&
                          offset_ == offset;
    if (sameView && outline == outline_) return {};
    // Only the outlines differ: what lies under the old one is put back and the new one drawn.
    const Rect area = (sameView ? outline_.united(outline) : canvas.rect()).intersected(canvas.rect());
    paintSheet(canvas, sheet, offset, area);
    if (!outline.isEmpty())
        outlineRect(canvas, outline.left(), outline.top(), outline.left() + outline.width,
                    outline.top() + outline.height, kWhite);
    canvasKey_ = canvas.cacheKey();
    sheetKey_ = sheet.cacheKey();
    offset_ = offset;
    outline_ = outline;
    return area;
}

void SheetView::paintSheet(Picture& canvas, const Picture& sheet, Point offset, const Rect& area) {
    if (area.isEmpty()) return;
    // The columns of `area` that the sheet covers, in canvas coordinates.
    const int coveredLeft = std::max(area.left(), offset.x);
    const int coveredRight = std::min(area.right(), offset.x + sheet.width() - 1);
    for (int y = area.top(); y <= area.bottom(); ++y) {
        Rgb* line = canvas.row(y);
        const int sy = y - offset.y;
        if (sy < 0 || sy >= sheet.height() || coveredLeft > coveredRight) {
            std::fill(line + area.left(), line + area.right() + 1, kBlack);
            continue;
        }
        std::fill(line + area.left(), line + coveredLeft, kBlack);
        const Rgb* from = sheet.row(sy) + (coveredLeft - offset.x);
        std::memcpy(line + coveredLeft, from, sizeof(Rgb) * std::size_t(coveredRight - coveredLeft + 1));
        std::fill(line + coveredRight + 1, line + area.right() + 1, kBlack);
    }
}

void drawPreview(Picture& preview, const Picture& sheet, Picture& framePicture, const ProjectRecord& record, int a,
                 int& previewFrame) {
    ensureSize(preview, kPreviewWidth, kPreviewHeight);
    preview.fill(kSilver);
    if (!isAnimationNumber(a)) return;
    cutFrame(preview, sheet, framePicture, record, kPreviewFrameAt.x, kPreviewFrameAt.y, a, false, previewFrame);
    if (++previewFrame > framesInUse(record.animation(a))) previewFrame = 1;
}

} // namespace tw
