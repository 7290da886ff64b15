#include "make-demo/aniwriter.h"

#include <QtEndian>

namespace tw::demo {

namespace {

void putU16(QByteArray& out, quint32 v) {
    char b[2];
    qToLittleEndian(static_cast<quint16>(v), b);
    out.append(b, 2);
}

void putU32(QByteArray& out, quint32 v) {
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

// A RIFF chunk: four-character id, little-endian size, data, and a pad byte when the size is odd.
QByteArray chunk(const char* id, const QByteArray& data) {
    QByteArray out(id, 4);
    putU32(out, static_cast<quint32>(data.size()));
    out.append(data);
    if (data.size() % 2) out.append('\0');
    return out;
}

} // namespace

QByteArray encodeCursorFile(const CursorFrame& frame) {
    const QImage image = frame.image.convertToFormat(QImage::Format_ARGB32);
    const int w = image.width(), h = image.height();
    const int maskStride = ((w + 31) / 32) * 4;
    const quint32 pixelBytes = static_cast<quint32>(w * h * 4);
    const quint32 maskBytes = static_cast<quint32>(maskStride * h);

    QByteArray out;
    putU16(out, 0); // reserved
    putU16(out, 2); // type: cursor
    putU16(out, 1); // one image
    out.append(static_cast<char>(w >= 256 ? 0 : w));
    out.append(static_cast<char>(h >= 256 ? 0 : h));
    out.append('\0'); // no palette
    out.append('\0');
    putU16(out, static_cast<quint32>(frame.hotspot.x()));
    putU16(out, static_cast<quint32>(frame.hotspot.y()));
    putU32(out, 40 + pixelBytes + maskBytes);
    putU32(out, 6 + 16); // the image follows the directory at once

    // BITMAPINFOHEADER; the height counts the colour rows and the mask rows together.
    putU32(out, 40);
    putU32(out, static_cast<quint32>(w));
    putU32(out, static_cast<quint32>(h * 2));
    putU16(out, 1);
    putU16(out, 32);
    putU32(out, 0);
    putU32(out, pixelBytes + maskBytes);
    for (int i = 0; i < 4; ++i) putU32(out, 0);

    for (int y = h - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            out.append(static_cast<char>(qBlue(line[x])));
            out.append(static_cast<char>(qGreen(line[x])));
            out.append(static_cast<char>(qRed(line[x])));
            out.append(static_cast<char>(qAlpha(line[x])));
        }
    }
    for (int y = h - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        QByteArray row(maskStride, '\0');
        for (int x = 0; x < w; ++x)
            if (qAlpha(line[x]) == 0) row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
        out.append(row);
    }
    return out;
}

QByteArray encodeAniCursor(const AnimatedCursor& cursor) {
    const int steps = static_cast<int>(cursor.sequence.isEmpty() ? cursor.frames.size() : cursor.sequence.size());
    const QImage& first = cursor.frames.isEmpty() ? QImage() : cursor.frames.first().image;

    QByteArray header;
    putU32(header, 36);
    putU32(header, static_cast<quint32>(cursor.frames.size()));
    putU32(header, static_cast<quint32>(steps));
    putU32(header, static_cast<quint32>(first.width()));
    putU32(header, static_cast<quint32>(first.height()));
    putU32(header, 32);
    putU32(header, 1);
    putU32(header, static_cast<quint32>(cursor.defaultJiffies));
    putU32(header, 1u | (cursor.sequence.isEmpty() ? 0u : 2u)); // frames are icons; a sequence follows

    QByteArray body = chunk("anih", header);
    if (!cursor.jiffies.isEmpty()) {
        QByteArray rate;
        for (int j : cursor.jiffies) putU32(rate, static_cast<quint32>(j));
        body.append(chunk("rate", rate));
    }
    if (!cursor.sequence.isEmpty()) {
        QByteArray seq;
        for (int s : cursor.sequence) putU32(seq, static_cast<quint32>(s));
        body.append(chunk("seq ", seq));
    }
    QByteArray frames("fram");
    for (const CursorFrame& f : cursor.frames) frames.append(chunk("icon", encodeCursorFile(f)));
    body.append(chunk("LIST", frames));

    QByteArray out("RIFF");
    putU32(out, static_cast<quint32>(4 + body.size()));
    out.append("ACON");
    out.append(body);
    return out;
}

} // namespace tw::demo
