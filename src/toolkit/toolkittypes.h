#pragma once

// The core's plain value types as the toolkit's, for the desktop programs and the editor: they keep the
// toolkit for windows, widgets and dialogs and meet the core at its edges.

#include "canvas/changedarea.h"
#include "canvas/geometry.h"
#include "canvas/picture.h"
#include "project/bytes.h"

#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QSize>
#include <QString>
#include <QStringList>

#include <string>
#include <vector>

namespace tw {

inline QPoint toQt(Point p) { return {p.x, p.y}; }
inline QSize toQt(Size s) { return {s.width, s.height}; }
inline QRect toQt(const Rect& r) { return {r.x, r.y, r.width, r.height}; }
inline Point fromQt(QPoint p) { return {p.x(), p.y()}; }
inline Size fromQt(QSize s) { return {s.width(), s.height()}; }
inline Rect fromQt(const QRect& r) { return {r.x(), r.y(), r.width(), r.height()}; }

// A changed area as a region: its rectangles are banded and sorted, as the region keeps them.
inline QRegion toQt(const ChangedArea& area) {
    QRegion region;
    if (area.isEmpty()) return region;
    std::vector<QRect> rects;
    rects.reserve(area.rects().size());
    for (const Rect& r : area) rects.push_back(toQt(r));
    region.setRects(rects.data(), int(rects.size()));
    return region;
}
inline ChangedArea fromQt(const QRegion& region) {
    std::vector<Rect> rects;
    for (const QRect& r : region) rects.push_back(fromQt(r));
    return ChangedArea::ofRects(std::move(rects));
}

// Texts and paths are UTF-8 in the core.
inline QString toQt(const std::string& utf8) { return QString::fromStdString(utf8); }
inline std::string fromQt(const QString& text) { return text.toStdString(); }
inline QStringList toQt(const std::vector<std::string>& texts) {
    QStringList list;
    list.reserve(qsizetype(texts.size()));
    for (const std::string& text : texts) list.append(QString::fromStdString(text));
    return list;
}

// The picture's own pixels as a toolkit image, without copying: drawing on the image draws on the
// picture. The image must not outlive the picture or a change of its size.
inline QImage toQt(Picture& picture) {
    if (picture.isNull()) return {};
    return QImage(reinterpret_cast<uchar*>(picture.bits()), picture.width(), picture.height(),
                  picture.bytesPerLine(), QImage::Format_RGB32);
}
// A read-only view of the picture (writing to it copies the pixels first).
inline QImage toQt(const Picture& picture) {
    if (picture.isNull()) return {};
    return QImage(reinterpret_cast<const uchar*>(picture.bits()), picture.width(), picture.height(),
                  picture.bytesPerLine(), QImage::Format_RGB32);
}
// A picture that is about to go away (a decoder's result) as a toolkit image of its own: a copy.
inline QImage toQt(Picture&& picture) {
    return toQt(static_cast<const Picture&>(picture)).copy();
}
// A copy of the picture's pixels with their alpha, for the toolkit's cursors and icons.
inline QImage toQtWithAlpha(const Picture& picture) {
    if (picture.isNull()) return {};
    return QImage(reinterpret_cast<const uchar*>(picture.bits()), picture.width(), picture.height(),
                  picture.bytesPerLine(), QImage::Format_ARGB32)
        .copy();
}

// The bytes of a file. (Not toQt/fromQt: Bytes is a std::string, which those take as UTF-8 text.)
inline QByteArray toQtBytes(const Bytes& bytes) { return QByteArray(bytes.data(), qsizetype(bytes.size())); }
inline Bytes fromQtBytes(const QByteArray& bytes) { return Bytes(bytes.constData(), std::size_t(bytes.size())); }

// A copy of the image's pixels as 0xAARRGGBB (alpha kept as the image has it).
inline Picture fromQt(const QImage& image) {
    if (image.isNull()) return {};
    const QImage rgb = image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32
                           ? image
                           : image.convertToFormat(QImage::Format_ARGB32);
    Picture picture(rgb.width(), rgb.height());
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const Rgb*>(rgb.constScanLine(y));
        std::copy_n(line, rgb.width(), picture.row(y));
    }
    return picture;
}

} // namespace tw
