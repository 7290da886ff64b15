#include "editor/strippreview.h"

#include "canvas/blit.h"

#include <QPainter>

namespace tw {

QImage stripPreview(QSize size, std::initializer_list<PreviewCell> cells) {
    QImage preview(size, QImage::Format_RGB32);
    preview.fill(QColor(0xC0, 0xC0, 0xC0));
    for (const PreviewCell& c : cells) {
        const QRect from((c.n - 1) * c.cell.width(), 0, c.cell.width(), c.cell.height());
        if (c.n < 1 || c.cell.isEmpty() || !c.strip.rect().contains(from)) continue;
        const QImage picture = c.strip.copy(from).convertToFormat(QImage::Format_RGB32);
        const QSize room(size.width() - c.at.x(), size.height() - c.at.y());
        if (room.isEmpty()) continue;
        if (picture.width() <= room.width() && picture.height() <= room.height()) {
            drawTransparent(preview, picture, c.at);
            continue;
        }
        // Scaled down: the key colour becomes see-through first, so that smoothing blends the edges with
        // the silver instead of with the key colour.
        QImage clear = picture.convertToFormat(QImage::Format_ARGB32);
        const QRgb key = picture.pixel(0, picture.height() - 1);
        for (int y = 0; y < clear.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(clear.scanLine(y));
            for (int x = 0; x < clear.width(); ++x)
                if ((line[x] | 0xFF000000u) == (key | 0xFF000000u)) line[x] = 0;
        }
        QPainter painter(&preview);
        painter.drawImage(c.at, clear.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    }
    return preview;
}

} // namespace tw
