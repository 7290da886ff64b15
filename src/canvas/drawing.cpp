#include "canvas/drawing.h"

#include <QPainter>

#include <algorithm>

namespace tw {
namespace {

void horizontal(QImage& canvas, int x1, int x2, int y, QRgb colour) {
    if (y < 0 || y >= canvas.height()) return;
    x1 = std::max(x1, 0);
    x2 = std::min(x2, canvas.width() - 1);
    auto* row = reinterpret_cast<QRgb*>(canvas.scanLine(y));
    for (int x = x1; x <= x2; ++x) row[x] = colour;
}

void vertical(QImage& canvas, int x, int y1, int y2, QRgb colour) {
    if (x < 0 || x >= canvas.width()) return;
    y1 = std::max(y1, 0);
    y2 = std::min(y2, canvas.height() - 1);
    for (int y = y1; y <= y2; ++y) reinterpret_cast<QRgb*>(canvas.scanLine(y))[x] = colour;
}

} // namespace

void outlineRect(QImage& canvas, int x1, int y1, int x2, int y2, QRgb colour) {
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
    if (x1 == x2 || y1 == y2) return; // an empty rectangle draws nothing
    const int right = x2 - 1;
    const int bottom = y2 - 1;
    horizontal(canvas, x1, right, y1, colour);
    horizontal(canvas, x1, right, bottom, colour);
    vertical(canvas, x1, y1, bottom, colour);
    vertical(canvas, right, y1, bottom, colour);
}

void outlineCell(QImage& canvas, int c, int r, QRgb colour) {
    outlineRect(canvas, 20 * (c - 1), 20 * (r - 1), 20 * c, 20 * r, colour);
}

void drawLabel(QPainter& painter, int x, int y, const QString& text, QRgb colour) {
    if (text.isEmpty()) return;
    painter.setPen(QColor::fromRgb(colour));
    painter.drawText(QRect(x, y, 2000, 200), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
}

void drawGameText(QPainter& painter, int x, int y, const QString& text) {
    drawLabel(painter, x, y, text, kTextFirstPass);
    drawLabel(painter, x + 1, y + 1, text, kTextSecondPass);
}

void drawGameLines(QPainter& painter, int x, int y, const QString* lines, int count) {
    for (int k = 0; k < count; ++k) drawGameText(painter, x, y + 15 * k, lines[k]);
}

} // namespace tw
