#include "canvas/textstamper.h"

#include "canvas/drawnarea.h"
#include "project/win1251.h"

namespace tw {

const TextStamp& TextStamper::stamp(std::string_view text, Rgb colour) {
    std::string key(reinterpret_cast<const char*>(&colour), sizeof colour);
    key += text;
    if (const auto it = stamps_.find(key); it != stamps_.end()) return it->second;
    // Texts come from the record, so the cache is bounded: a flood of distinct texts starts it anew.
    if (stamps_.size() > 4096) stamps_.clear();
    return stamps_.emplace(std::move(key), stampText(atlas_, toWin1251(text), colour & 0xFFFFFFu)).first->second;
}

Size TextStamper::sizeOf(std::string_view text) {
    if (text.empty()) return {};
    const TextStamp& picture = stamp(text, kMarkerColour);
    return {picture.width, picture.height};
}

void TextStamper::drawLabel(Picture& canvas, int x, int y, std::string_view text, Rgb colour) {
    if (text.empty() || canvas.isNull()) return;
    const TextStamp& picture = stamp(text, colour);
    const Rect onCanvas = Rect{x, y, picture.width, picture.height}.intersected(canvas.rect());
    if (onCanvas.isEmpty()) return;
    DrawnArea::note(canvas, onCanvas);
    // value * keep / 255, rounded, without a division.
    auto scaled = [](int value, int keep) {
        const int t = value * keep + 128;
        return (t + (t >> 8)) >> 8;
    };
    for (int cy = onCanvas.top(); cy <= onCanvas.bottom(); ++cy) {
        const Rgb* from = picture.pixels.data() + std::size_t(cy - y) * std::size_t(picture.width) + (onCanvas.left() - x);
        Rgb* to = canvas.row(cy) + onCanvas.left();
        for (int i = 0, n = onCanvas.width; i < n; ++i) {
            const Rgb s = from[i];
            const int alpha = alphaOf(s);
            if (alpha == 0) continue;
            if (alpha == 255) {
                to[i] = s;
                continue;
            }
            const Rgb d = to[i];
            const int keep = 255 - alpha;
            to[i] = rgb(redOf(s) + scaled(redOf(d), keep), greenOf(s) + scaled(greenOf(d), keep),
                        blueOf(s) + scaled(blueOf(d), keep));
        }
    }
}

void TextStamper::drawGameText(Picture& canvas, int x, int y, std::string_view text) {
    drawLabel(canvas, x, y, text, kTextFirstPass);
    drawLabel(canvas, x + 1, y + 1, text, kTextSecondPass);
}

void TextStamper::drawGameLines(Picture& canvas, int x, int y, const std::string* lines, int count) {
    for (int k = 0; k < count; ++k) drawGameText(canvas, x, y + 15 * k, lines[k]);
}

} // namespace tw
