#include "editor/strippreview.h"

#include "canvas/blit.h"
#include "toolkit/toolkittypes.h"

#include <QPainter>

namespace tw {

QImage stripPreview(QSize size, std::initializer_list<PreviewCell> cells) {
    Picture preview(size.width(), size.height());
    preview.fill(rgb(0xC0, 0xC0, 0xC0));
    for (const PreviewCell& c : cells) {
        const Rect from{(c.n - 1) * c.cell.width(), 0, c.cell.width(), c.cell.height()};
        if (c.n < 1 || c.cell.isEmpty() || !c.strip.rect().contains(from)) continue;
        const Picture picture = c.strip.copy(from);
        const QSize room(size.width() - c.at.x(), size.height() - c.at.y());
        if (room.isEmpty()) continue;
        if (picture.width() <= room.width() && picture.height() <= room.height()) {
            drawTransparent(preview, picture, fromQt(c.at));
            continue;
        }
        // Scaled down: the key colour becomes see-through first, so that smoothing blends the edges with
        // the silver instead of with the key colour.
        QImage clear = toQt(picture).convertToFormat(QImage::Format_ARGB32);
        const QRgb key = picture.pixel(0, picture.height() - 1);
        for (int y = 0; y < clear.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(clear.scanLine(y));
            for (int x = 0; x < clear.width(); ++x)
                if ((line[x] | 0xFF000000u) == (key | 0xFF000000u)) line[x] = 0;
        }
        QImage shown = toQt(preview);
        QPainter painter(&shown);
        painter.drawImage(c.at, clear.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    }
    return toQt(std::as_const(preview)).copy();
}

} // namespace tw
