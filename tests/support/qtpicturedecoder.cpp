#include "support/qtdecoders.h"


#include <QBuffer>
#include <QImageReader>
#include <QtEndian>

#include <bit>
#include <cstdint>
#include <optional>

namespace tw::qtdecoders {

namespace {

QString corruptText() {
    return QStringLiteral("Повреждённый или неполный файл BMP");
}
QString unsupportedText() {
    return QStringLiteral("Неподдерживаемый формат картинки");
}
QString tooLargeText() {
    return QStringLiteral("Картинка слишком велика");
}

// The program's pictures are at most a few thousand pixels a side (item strips are 5000 x 50, the
// animation sheet is whatever the author drew). The limits sit far above that and far below what a
// forged header could make us allocate.
constexpr qint64 kMaxSide = 20000;
constexpr qint64 kMaxPixels = 50'000'000;

constexpr quint32 kRgb = 0;
constexpr quint32 kRle8 = 1;
constexpr quint32 kRle4 = 2;
constexpr quint32 kBitfields = 3;
constexpr quint32 kJpeg = 4;
constexpr quint32 kPng = 5;
constexpr quint32 kAlphaBitfields = 6;

constexpr int kFileHeaderSize = 14;
constexpr int kCoreHeaderSize = 12; // OS/2 1.x: 16-bit sizes, 3-byte palette entries
constexpr int kInfoHeaderSize = 40;

// Little-endian fields; callers check the range before reading. The data pointer is fetched out of
// line: inlined, GCC's bounds analysis (with sanitizers on) follows the branch to Qt's one-byte shared
// empty array, which is never read here, and warns about every field.
[[gnu::noinline]] const char* raw(const QByteArray& bytes) {
    return bytes.constData();
}
quint16 u16(const QByteArray& bytes, qint64 at) {
    return qFromLittleEndian<quint16>(raw(bytes) + at);
}
quint32 u32(const QByteArray& bytes, qint64 at) {
    return qFromLittleEndian<quint32>(raw(bytes) + at);
}
qint32 s32(const QByteArray& bytes, qint64 at) {
    return qFromLittleEndian<qint32>(raw(bytes) + at);
}

// What the headers of a file say, checked against the file's length.
struct BmpLayout {
    qint64 width = 0;
    qint64 height = 0; // always positive; topDown tells the row order
    bool topDown = false;
    int bitCount = 0;
    quint32 compression = kRgb;
    qint64 paletteOffset = 0;
    int paletteEntrySize = 4;
    int paletteCount = 0; // entries actually present and used
    quint32 masks[3] = {0, 0, 0};
    qint64 dataOffset = 0;
    qint64 stride = 0; // bytes per row of uncompressed data
};

bool isRle(const BmpLayout& layout) {
    return layout.compression == kRle8 || layout.compression == kRle4;
}

// Walks an RLE4/RLE8 stream without drawing it. The stream is accepted only when every run stays inside
// its row, every delta stays inside the picture and the stream ends with an end-of-picture code or after
// the last row; anything else is a damaged file. Qt's reader then never meets a stream that runs off.
bool rleStreamIsSound(const BmpLayout& layout, const QByteArray& bytes) {
    const auto* data = reinterpret_cast<const unsigned char*>(raw(bytes));
    const qint64 end = bytes.size();
    const bool four = layout.compression == kRle4;
    qint64 at = layout.dataOffset;
    qint64 x = 0;
    qint64 y = 0;
    while (at + 2 <= end) {
        const int count = data[at];
        const int code = data[at + 1];
        at += 2;
        if (count > 0) { // a run of one value (or two alternating nibbles)
            if (y >= layout.height || x + count > layout.width) return false;
            x += count;
            continue;
        }
        if (code == 0) { // end of line
            x = 0;
            if (++y > layout.height) return false;
        } else if (code == 1) { // end of picture
            return true;
        } else if (code == 2) { // delta: skip right and up, leaving pixels undefined
            if (at + 2 > end) return false;
            x += data[at];
            y += data[at + 1];
            at += 2;
            if (x > layout.width || y > layout.height || (y == layout.height && x > 0)) return false;
        } else { // literal pixels, padded to a 16-bit boundary
            const qint64 length = four ? (code + 1) / 2 : code;
            if (y >= layout.height || x + code > layout.width || at + length > end) return false;
            x += code;
            at += length + (length & 1);
        }
    }
    // The data ran out without an end-of-picture code: fine only when every row has been given.
    return y >= layout.height;
}

std::optional<BmpLayout> readLayout(const QByteArray& bytes, QString& error) {
    const qint64 size = bytes.size();
    if (size < 2 || bytes[0] != 'B' || bytes[1] != 'M') {
        error = unsupportedText();
        return std::nullopt;
    }
    if (size < kFileHeaderSize + kCoreHeaderSize) {
        error = corruptText();
        return std::nullopt;
    }
    BmpLayout layout;
    const quint32 headerSize = u32(bytes, 14);
    const qint64 headerEnd = kFileHeaderSize + qint64(headerSize);
    quint32 colorsUsed = 0;
    int planes = 0;
    if (headerSize == kCoreHeaderSize) {
        layout.width = u16(bytes, 18);
        layout.height = u16(bytes, 20);
        planes = u16(bytes, 22);
        layout.bitCount = u16(bytes, 24);
        layout.paletteEntrySize = 3;
    } else {
        // 40: Windows 3; 52 and 56: with the colour masks inside; 64: OS/2 2.x; 108 and 124: V4 and V5.
        const bool known = headerSize == 40 || headerSize == 52 || headerSize == 56 || headerSize == 64 ||
                           headerSize == 108 || headerSize == 124;
        if (!known || headerEnd > size) {
            error = corruptText();
            return std::nullopt;
        }
        const qint32 width = s32(bytes, 18);
        const qint32 height = s32(bytes, 22);
        if (width <= 0 || height == 0 || height == INT32_MIN) {
            error = corruptText();
            return std::nullopt;
        }
        layout.width = width;
        layout.topDown = height < 0;
        layout.height = height < 0 ? -qint64(height) : qint64(height);
        planes = u16(bytes, 26);
        layout.bitCount = u16(bytes, 28);
        layout.compression = u32(bytes, 30);
        colorsUsed = u32(bytes, 46);
    }
    if (layout.width <= 0 || layout.height <= 0 || planes != 1) {
        error = corruptText();
        return std::nullopt;
    }
    if (layout.width > kMaxSide || layout.height > kMaxSide || layout.width * layout.height > kMaxPixels) {
        error = tooLargeText();
        return std::nullopt;
    }

    // Embedded JPEG and PNG streams are a printer feature; no picture of a game holds them.
    if (layout.compression == kJpeg || layout.compression == kPng) {
        error = unsupportedText();
        return std::nullopt;
    }
    const int bits = layout.bitCount;
    if (bits != 1 && bits != 2 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
        error = corruptText();
        return std::nullopt;
    }
    const quint32 compression = layout.compression;
    const bool bitfields = compression == kBitfields || compression == kAlphaBitfields;
    const bool supported =
        bits != 2 && (compression == kRgb || (compression == kRle8 && bits == 8) ||
                      (compression == kRle4 && bits == 4) || (bitfields && (bits == 16 || bits == 32)));
    if (!supported) {
        error = unsupportedText();
        return std::nullopt;
    }
    if (isRle(layout) && layout.topDown) { // RLE pictures are always stored bottom-up
        error = corruptText();
        return std::nullopt;
    }

    layout.paletteOffset = headerEnd;
    if (bitfields) {
        // Windows 3 headers are followed by the masks; the longer headers hold them at the same place.
        const qint64 masksAt = kFileHeaderSize + kInfoHeaderSize;
        if (masksAt + 12 > size) {
            error = corruptText();
            return std::nullopt;
        }
        for (int i = 0; i < 3; ++i)
            layout.masks[i] = u32(bytes, masksAt + 4 * i);
        if (headerSize == kInfoHeaderSize) layout.paletteOffset += compression == kAlphaBitfields ? 16 : 12;
    }

    const qint64 offset = u32(bytes, 10);
    // Some writers leave the pixel offset zero; the pixels then follow the palette.
    const qint64 maxColors = bits <= 8 ? qint64(1) << bits : 0;
    qint64 paletteBytes = 0;
    if (bits <= 8) {
        const qint64 wanted =
            colorsUsed == 0 || headerSize == kCoreHeaderSize ? maxColors : qint64(colorsUsed);
        paletteBytes = (offset == 0 ? wanted * layout.paletteEntrySize : offset - layout.paletteOffset);
        const qint64 present =
            qMax<qint64>(0, qMin(paletteBytes, size - layout.paletteOffset)) / layout.paletteEntrySize;
        // A palette longer than the bit depth allows is fine as long as the file really holds it
        // (the extra entries cannot be used); one that claims more than the file holds is damage.
        if (wanted > maxColors && wanted > present) {
            error = corruptText();
            return std::nullopt;
        }
        layout.paletteCount = int(qMin(qMin(wanted, maxColors), present));
        if (layout.paletteCount == 0) {
            error = corruptText();
            return std::nullopt;
        }
    }
    layout.dataOffset =
        offset == 0 ? layout.paletteOffset + qint64(layout.paletteCount) * layout.paletteEntrySize : offset;
    if (layout.dataOffset < layout.paletteOffset || layout.dataOffset >= size) {
        error = corruptText();
        return std::nullopt;
    }

    layout.stride = (layout.width * bits + 31) / 32 * 4;
    if (isRle(layout)) {
        if (!rleStreamIsSound(layout, bytes)) {
            error = corruptText();
            return std::nullopt;
        }
    } else {
        // The last row's padding is sometimes left off by writers; the pixels themselves must be there.
        const qint64 needed = layout.stride * (layout.height - 1) + (layout.width * bits + 7) / 8;
        if (layout.dataOffset + needed > size) {
            error = corruptText();
            return std::nullopt;
        }
    }
    return layout;
}

// Reads one colour channel selected by a mask and scales it to 0..255.
struct Channel {
    quint32 mask = 0;
    int shift = 0;
    quint64 maximum = 0; // the largest value the channel can hold; 0 for an absent channel

    explicit Channel(quint32 m) : mask(m) {
        if (mask == 0) return;
        shift = std::countr_zero(mask);
        maximum = mask >> shift;
    }
    bool contiguous() const { return (maximum & (maximum + 1)) == 0; }
    int operator()(quint32 pixel) const {
        if (maximum == 0) return 0;
        const quint64 value = (pixel & mask) >> shift;
        return int((value * 255 + maximum / 2) / maximum);
    }
};

// 16- and 32-bit pictures with colour masks. Qt's reader gets masks wider than eight bits and the
// masks inside the V2/V3 headers wrong, so these are unpacked here; alpha is dropped.
QImage decodeBitfields(const BmpLayout& layout, const QByteArray& bytes, QString& error) {
    const Channel red(layout.masks[0]);
    const Channel green(layout.masks[1]);
    const Channel blue(layout.masks[2]);
    const quint32 limit = layout.bitCount == 16 ? 0xFFFFu : 0xFFFFFFFFu;
    for (const Channel* channel : {&red, &green, &blue}) {
        if (!channel->contiguous() || (channel->mask & ~limit) != 0) {
            error = unsupportedText();
            return {};
        }
    }
    QImage picture(int(layout.width), int(layout.height), QImage::Format_RGB32);
    if (picture.isNull()) {
        error = tooLargeText();
        return {};
    }
    const int bytesPerPixel = layout.bitCount / 8;
    const char* data = raw(bytes);
    for (qint64 row = 0; row < layout.height; ++row) {
        const qint64 sourceRow = layout.topDown ? row : layout.height - 1 - row;
        const qint64 rowStart = layout.dataOffset + sourceRow * layout.stride;
        auto* target = reinterpret_cast<QRgb*>(picture.scanLine(int(row)));
        for (qint64 x = 0; x < layout.width; ++x) {
            const qint64 at = rowStart + x * bytesPerPixel;
            const quint32 pixel = bytesPerPixel == 2 ? qFromLittleEndian<quint16>(data + at)
                                                     : qFromLittleEndian<quint32>(data + at);
            target[x] = qRgb(red(pixel), green(pixel), blue(pixel));
        }
    }
    return picture;
}

// Rewrites the file with a plain Windows 3 header, a palette of 4-byte entries filled up to the full
// depth with black, the true size of the pixel data and nothing between palette and pixels. Qt's reader
// then only ever sees the one header form it handles best, and a pixel index beyond the file's palette
// reads black instead of whatever follows the palette.
QByteArray normalisedCopy(const BmpLayout& layout, const QByteArray& bytes) {
    const int colours = layout.bitCount <= 8 ? 1 << layout.bitCount : 0;
    QByteArray pixels;
    if (isRle(layout)) {
        pixels = bytes.mid(layout.dataOffset);
    } else {
        pixels = bytes.mid(layout.dataOffset, layout.stride * layout.height);
        pixels.append(QByteArray(layout.stride * layout.height - pixels.size(), '\0'));
    }
    const qint64 dataOffset = kFileHeaderSize + kInfoHeaderSize + 4 * qint64(colours);

    QByteArray out(dataOffset, '\0');
    char* p = out.data();
    auto put16 = [&](qint64 at, quint16 value) { qToLittleEndian(value, p + at); };
    auto put32 = [&](qint64 at, quint32 value) { qToLittleEndian(value, p + at); };
    p[0] = 'B';
    p[1] = 'M';
    put32(2, quint32(dataOffset + pixels.size()));
    put32(10, quint32(dataOffset));
    put32(14, kInfoHeaderSize);
    put32(18, quint32(layout.width));
    put32(22, quint32(layout.topDown ? -qint32(layout.height) : qint32(layout.height)));
    put16(26, 1);
    put16(28, quint16(layout.bitCount));
    put32(30, layout.compression);
    put32(34, quint32(pixels.size()));
    put32(38, 2835); // 72 dpi
    put32(42, 2835);
    put32(46, quint32(colours));
    for (int i = 0; i < layout.paletteCount; ++i) {
        const qint64 from = layout.paletteOffset + qint64(i) * layout.paletteEntrySize;
        const qint64 to = kFileHeaderSize + kInfoHeaderSize + 4 * qint64(i);
        p[to] = bytes[from];         // blue
        p[to + 1] = bytes[from + 1]; // green
        p[to + 2] = bytes[from + 2]; // red
    }
    out.append(pixels);
    return out;
}

QImage decodeWithQt(const BmpLayout& layout, const QByteArray& bytes, QString& error) {
    QByteArray normalised = normalisedCopy(layout, bytes);
    QBuffer buffer(&normalised);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "bmp");
    // Our own limits have been checked already; this only keeps Qt's default from refusing a large sheet.
    reader.setAllocationLimit(int(kMaxPixels * 4 / (1024 * 1024)) + 64);
    QImage picture = reader.read();
    if (picture.isNull() || picture.width() != layout.width || picture.height() != layout.height) {
        error = corruptText();
        return {};
    }
    return picture.convertToFormat(QImage::Format_RGB32);
}

} // namespace

QImage decodePicture(const QByteArray& bytes, QString* error) {
    QString reason;
    QImage picture;
    if (const std::optional<BmpLayout> layout = readLayout(bytes, reason)) {
        const bool bitfields = layout->compression == kBitfields || layout->compression == kAlphaBitfields;
        picture = bitfields ? decodeBitfields(*layout, bytes, reason) : decodeWithQt(*layout, bytes, reason);
    }
    if (error) *error = picture.isNull() ? reason : QString();
    return picture;
}

QByteArray encodeBmp(const QImage& picture) {
    // An opaque 32-bit picture makes Qt write 24 bits per pixel, the form every reader takes.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.convertToFormat(QImage::Format_RGB32).save(&buffer, "BMP");
    return bytes;
}

} // namespace tw::qtdecoders
