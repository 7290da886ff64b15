#include "canvas/drawing.h"

#include "canvas/drawnarea.h"
#include "canvas/glyphatlas.h"
#include "project/win1251.h"
#include "toolkit/toolkittypes.h"

#include <algorithm>

namespace tw {
namespace {

void horizontal(Picture& canvas, int x1, int x2, int y, Rgb colour) {
    if (y < 0 || y >= canvas.height()) return;
    x1 = std::max(x1, 0);
    x2 = std::min(x2, canvas.width() - 1);
    Rgb* row = canvas.row(y);
    for (int x = x1; x <= x2; ++x) row[x] = colour;
}

void vertical(Picture& canvas, int x, int y1, int y2, Rgb colour) {
    if (x < 0 || x >= canvas.width()) return;
    y1 = std::max(y1, 0);
    y2 = std::min(y2, canvas.height() - 1);
    Rgb* bits = canvas.bits();
    const std::size_t line = std::size_t(canvas.width());
    for (int y = y1; y <= y2; ++y) bits[line * std::size_t(y) + std::size_t(x)] = colour;
}

} // namespace

void outlineRect(Picture& canvas, int x1, int y1, int x2, int y2, Rgb colour) {
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
    if (x1 == x2 || y1 == y2) return; // an empty rectangle draws nothing
    const int right = x2 - 1;
    const int bottom = y2 - 1;
    DrawnArea::note(canvas, Rect::fromCorners(x1, y1, x2, y2));
    horizontal(canvas, x1, right, y1, colour);
    horizontal(canvas, x1, right, bottom, colour);
    vertical(canvas, x1, y1, bottom, colour);
    vertical(canvas, right, y1, bottom, colour);
}

void outlineCell(Picture& canvas, int c, int r, Rgb colour) {
    outlineRect(canvas, 20 * (c - 1), 20 * (r - 1), 20 * c, 20 * r, colour);
}

TextStamper::TextStamper(const QFont& font) : font_(font) {}

const QImage& TextStamper::stamp(const QString& text, QRgb colour) {
    const QString key = QString::number(colour, 16) + QLatin1Char('|') + text;
    auto it = stamps_.constFind(key);
    if (it != stamps_.constEnd()) return it.value();
    // Texts come from the record, so the cache is bounded: a flood of distinct texts starts it anew.
    if (stamps_.size() > 4096) stamps_.clear();
    const QByteArray bytes = toWin1251(text);
    TextStamp drawn = stampText(gameFontAtlas(), std::string_view(bytes.constData(), std::size_t(bytes.size())), colour & 0xFFFFFF);
    QImage picture(drawn.width, drawn.height, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < drawn.height; ++y)
        std::copy_n(drawn.pixels.data() + std::size_t(y) * std::size_t(drawn.width), drawn.width, reinterpret_cast<QRgb*>(picture.scanLine(y)));
    return stamps_.insert(key, picture).value();
}

void TextStamper::drawLabel(QImage& canvas, int x, int y, const QString& text, QRgb colour) {
    if (text.isEmpty() || canvas.isNull()) return;
    const QImage& picture = stamp(text, colour);
    const QRect onCanvas = QRect(x, y, picture.width(), picture.height()).intersected(canvas.rect());
    if (onCanvas.isEmpty()) return;
    DrawnArea::note(canvas.constBits(), fromQt(onCanvas));
    const uchar* fromBits = picture.constBits();
    uchar* toBits = canvas.bits();
    // x * keep / 255, rounded, without a division.
    auto scaled = [](int value, int keep) {
        const int t = value * keep + 128;
        return (t + (t >> 8)) >> 8;
    };
    for (int cy = onCanvas.top(); cy <= onCanvas.bottom(); ++cy) {
        const auto* from = reinterpret_cast<const QRgb*>(fromBits + picture.bytesPerLine() * (cy - y)) + (onCanvas.left() - x);
        auto* to = reinterpret_cast<QRgb*>(toBits + canvas.bytesPerLine() * cy) + onCanvas.left();
        for (int i = 0, n = onCanvas.width(); i < n; ++i) {
            const QRgb s = from[i];
            const int alpha = qAlpha(s);
            if (alpha == 0) continue;
            if (alpha == 255) {
                to[i] = s;
                continue;
            }
            const QRgb d = to[i];
            const int keep = 255 - alpha;
            to[i] = qRgb(qRed(s) + scaled(qRed(d), keep), qGreen(s) + scaled(qGreen(d), keep),
                         qBlue(s) + scaled(qBlue(d), keep));
        }
    }
}

void TextStamper::drawGameText(QImage& canvas, int x, int y, const QString& text) {
    drawLabel(canvas, x, y, text, kTextFirstPass);
    drawLabel(canvas, x + 1, y + 1, text, kTextSecondPass);
}

void TextStamper::drawGameLines(QImage& canvas, int x, int y, const QString* lines, int count) {
    for (int k = 0; k < count; ++k) drawGameText(canvas, x, y + 15 * k, lines[k]);
}

// Draws on a toolkit image wrapped around the picture's pixels. The picture counts as written (its cache
// key moves on) only when the drawing wrote to the image, as it would for the image itself.
namespace {

template <typename Draw>
void drawWrapped(Picture& canvas, Draw draw) {
    if (canvas.isNull()) return;
    QImage wrapped(reinterpret_cast<uchar*>(const_cast<Rgb*>(canvas.constBits())), canvas.width(), canvas.height(),
                   canvas.bytesPerLine(), QImage::Format_RGB32);
    const qint64 before = wrapped.cacheKey();
    draw(wrapped);
    if (wrapped.cacheKey() != before) canvas.bits();
}

} // namespace

void TextStamper::drawLabel(Picture& canvas, int x, int y, const QString& text, Rgb colour) {
    drawWrapped(canvas, [&](QImage& wrapped) { drawLabel(wrapped, x, y, text, colour); });
}

void TextStamper::drawGameText(Picture& canvas, int x, int y, const QString& text) {
    drawWrapped(canvas, [&](QImage& wrapped) { drawGameText(wrapped, x, y, text); });
}

void TextStamper::drawGameLines(Picture& canvas, int x, int y, const QString* lines, int count) {
    drawWrapped(canvas, [&](QImage& wrapped) { drawGameLines(wrapped, x, y, lines, count); });
}

} // namespace tw
