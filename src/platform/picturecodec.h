#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace tw {

// Decodes a Windows bitmap (BMP) held in memory into a QImage of Format_RGB32. Every common variant
// loads: 1, 4, 8, 16, 24 and 32 bits, RLE4/RLE8, top-down, OS/2 headers. A corrupt or truncated file
// gives a null image and a reason in *error (in Russian, for the user); it never crashes and never
// allocates more than a sane picture needs.
QImage decodePicture(const QByteArray& bytes, QString* error = nullptr);

// Encodes a picture as a 24-bit Windows bitmap.
QByteArray encodeBmp(const QImage& picture);

} // namespace tw
