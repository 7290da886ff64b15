#include "editor/textpreview.h"

#include "canvas/blit.h"
#include "canvas/drawing.h"
#include "canvas/textstamper.h"
#include "toolkit/toolkittypes.h"

namespace tw {
namespace {

constexpr Rgb kTooFarColour = 0xFFFF0000;
constexpr int kLineStep = 15; // as play draws the lines of a speech
constexpr int kEdgeMark = 3;  // thickness of the red bar along a crossed edge

} // namespace

Rect textPreviewArea(TextStamper& text, const Picture& shadowPicture, const TextPreview& preview) {
    Rect area;
    for (int k = 0; k < preview.lines.size(); ++k) {
        const Size size = text.sizeOf(fromQt(preview.lines[k]));
        if (size.isEmpty()) continue;
        // The second, aqua pass lies one pixel right and down.
        area = area.united(Rect{preview.at.x, preview.at.y + kLineStep * k, size.width + 1, size.height + 1});
    }
    if (preview.style == TextPreview::Style::Boxed && !shadowPicture.isNull())
        area = area.united(Rect::at(preview.at - Point{10, 10}, shadowPicture.size()));
    return area;
}

Rect drawTextPreview(Picture& canvas, TextStamper& text, const Picture& shadowPicture, const TextPreview& preview) {
    if (preview.isEmpty() || canvas.isNull()) return {};
    if (preview.style == TextPreview::Style::Boxed)
        drawTransparent(canvas, shadowPicture, preview.at - Point{10, 10});
    for (int k = 0; k < preview.lines.size(); ++k)
        text.drawGameText(canvas, preview.at.x, preview.at.y + kLineStep * k, fromQt(preview.lines[k]));

    const Rect area = textPreviewArea(text, shadowPicture, preview);
    const Rect play = canvas.rect();
    if (area.isEmpty() || play.contains(area)) return area.intersected(play);
    const Rect shown = area.intersected(play);
    if (shown.isEmpty()) return {};
    outlineRect(canvas, shown.left(), shown.top(), shown.right() + 1, shown.bottom() + 1, kTooFarColour);
    // A bar along each edge of the play area the text runs over, as long as the text's side there.
    const auto mark = [&canvas](Rect r) {
        r = r.intersected(canvas.rect());
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) canvas.setPixel(x, y, kTooFarColour);
    };
    if (area.left() < play.left()) mark(Rect{play.left(), shown.top(), kEdgeMark, shown.height});
    if (area.right() > play.right()) mark(Rect{play.right() - kEdgeMark + 1, shown.top(), kEdgeMark, shown.height});
    if (area.top() < play.top()) mark(Rect{shown.left(), play.top(), shown.width, kEdgeMark});
    if (area.bottom() > play.bottom()) mark(Rect{shown.left(), play.bottom() - kEdgeMark + 1, shown.width, kEdgeMark});
    return shown;
}

} // namespace tw
