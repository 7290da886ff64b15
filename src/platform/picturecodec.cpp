#include "platform/picturecodec.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tw {

namespace {

const char* corruptText() {
    return "Повреждённый или неполный файл BMP";
}
const char* unsupportedText() {
    return "Неподдерживаемый формат картинки";
}
const char* tooLargeText() {
    return "Картинка слишком велика";
}

// The program's pictures are at most a few thousand pixels a side (item strips are 5000 x 50, the
// animation sheet is whatever the author drew). The limits sit far above that and far below what a
// forged header could make us allocate.
constexpr std::int64_t kMaxSide = 20000;
constexpr std::int64_t kMaxPixels = 50'000'000;

constexpr std::uint32_t kRgb = 0;
constexpr std::uint32_t kRle8 = 1;
constexpr std::uint32_t kRle4 = 2;
constexpr std::uint32_t kBitfields = 3;
constexpr std::uint32_t kJpeg = 4;
constexpr std::uint32_t kPng = 5;
constexpr std::uint32_t kAlphaBitfields = 6;

constexpr int kFileHeaderSize = 14;
constexpr int kCoreHeaderSize = 12; // OS/2 1.x: 16-bit sizes, 3-byte palette entries
constexpr int kInfoHeaderSize = 40;

// Little-endian fields; callers check the range before reading.
const unsigned char* raw(const Bytes& bytes) {
    return reinterpret_cast<const unsigned char*>(bytes.data());
}
std::uint16_t u16(const unsigned char* p) {
    return std::uint16_t(p[0] | p[1] << 8);
}
std::uint32_t u32(const unsigned char* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}
std::uint16_t u16(const Bytes& bytes, std::int64_t at) {
    return u16(raw(bytes) + at);
}
std::uint32_t u32(const Bytes& bytes, std::int64_t at) {
    return u32(raw(bytes) + at);
}
std::int32_t s32(const Bytes& bytes, std::int64_t at) {
    return std::int32_t(u32(bytes, at));
}

// What the headers of a file say, checked against the file's length.
struct BmpLayout {
    std::int64_t width = 0;
    std::int64_t height = 0; // always positive; topDown tells the row order
    bool topDown = false;
    int bitCount = 0;
    std::uint32_t compression = kRgb;
    std::int64_t paletteOffset = 0;
    int paletteEntrySize = 4;
    int paletteCount = 0; // entries actually present and used
    std::uint32_t masks[3] = {0, 0, 0};
    std::int64_t dataOffset = 0;
    std::int64_t stride = 0; // bytes per row of uncompressed data
};

bool isRle(const BmpLayout& layout) {
    return layout.compression == kRle8 || layout.compression == kRle4;
}

// Walks an RLE4/RLE8 stream without drawing it. The stream is accepted only when every run stays inside
// its row, every delta stays inside the picture and the stream ends with an end-of-picture code or after
// the last row; anything else is a damaged file. The drawing then never meets a stream that runs off.
bool rleStreamIsSound(const BmpLayout& layout, const Bytes& bytes) {
    const unsigned char* data = raw(bytes);
    const std::int64_t end = std::int64_t(bytes.size());
    const bool four = layout.compression == kRle4;
    std::int64_t at = layout.dataOffset;
    std::int64_t x = 0;
    std::int64_t y = 0;
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
            const std::int64_t length = four ? (code + 1) / 2 : code;
            if (y >= layout.height || x + code > layout.width || at + length > end) return false;
            x += code;
            at += length + (length & 1);
        }
    }
    // The data ran out without an end-of-picture code: fine only when every row has been given.
    return y >= layout.height;
}

std::optional<BmpLayout> readLayout(const Bytes& bytes, std::string& error) {
    const std::int64_t size = std::int64_t(bytes.size());
    if (size < 2 || bytes[0] != 'B' || bytes[1] != 'M') {
        error = unsupportedText();
        return std::nullopt;
    }
    if (size < kFileHeaderSize + kCoreHeaderSize) {
        error = corruptText();
        return std::nullopt;
    }
    BmpLayout layout;
    const std::uint32_t headerSize = u32(bytes, 14);
    const std::int64_t headerEnd = kFileHeaderSize + std::int64_t(headerSize);
    std::uint32_t colorsUsed = 0;
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
        const std::int32_t width = s32(bytes, 18);
        const std::int32_t height = s32(bytes, 22);
        if (width <= 0 || height == 0 || height == INT32_MIN) {
            error = corruptText();
            return std::nullopt;
        }
        layout.width = width;
        layout.topDown = height < 0;
        layout.height = height < 0 ? -std::int64_t(height) : std::int64_t(height);
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
    const std::uint32_t compression = layout.compression;
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
        const std::int64_t masksAt = kFileHeaderSize + kInfoHeaderSize;
        if (masksAt + 12 > size) {
            error = corruptText();
            return std::nullopt;
        }
        for (int i = 0; i < 3; ++i)
            layout.masks[i] = u32(bytes, masksAt + 4 * i);
        if (headerSize == kInfoHeaderSize) layout.paletteOffset += compression == kAlphaBitfields ? 16 : 12;
    }

    const std::int64_t offset = u32(bytes, 10);
    // Some writers leave the pixel offset zero; the pixels then follow the palette.
    const std::int64_t maxColors = bits <= 8 ? std::int64_t(1) << bits : 0;
    if (bits <= 8) {
        const std::int64_t wanted =
            colorsUsed == 0 || headerSize == kCoreHeaderSize ? maxColors : std::int64_t(colorsUsed);
        const std::int64_t paletteBytes =
            offset == 0 ? wanted * layout.paletteEntrySize : offset - layout.paletteOffset;
        const std::int64_t present =
            std::max<std::int64_t>(0, std::min(paletteBytes, size - layout.paletteOffset)) /
            layout.paletteEntrySize;
        // A palette longer than the bit depth allows is fine as long as the file really holds it
        // (the extra entries cannot be used); one that claims more than the file holds is damage.
        if (wanted > maxColors && wanted > present) {
            error = corruptText();
            return std::nullopt;
        }
        layout.paletteCount = int(std::min(std::min(wanted, maxColors), present));
        if (layout.paletteCount == 0) {
            error = corruptText();
            return std::nullopt;
        }
    }
    layout.dataOffset = offset == 0 ? layout.paletteOffset + std::int64_t(layout.paletteCount) *
                                                                 layout.paletteEntrySize
                                    : offset;
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
        const std::int64_t needed = layout.stride * (layout.height - 1) + (layout.width * bits + 7) / 8;
        if (layout.dataOffset + needed > size) {
            error = corruptText();
            return std::nullopt;
        }
    }
    return layout;
}

// Reads one colour channel selected by a mask and scales it to 0..255.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint64_t maximum = 0; // the largest value the channel can hold; 0 for an absent channel

    explicit Channel(std::uint32_t m) : mask(m) {
        if (mask == 0) return;
        shift = std::countr_zero(mask);
        maximum = mask >> shift;
    }
    bool contiguous() const { return (maximum & (maximum + 1)) == 0; }
    int operator()(std::uint32_t pixel) const {
        if (maximum == 0) return 0;
        const std::uint64_t value = (pixel & mask) >> shift;
        return int((value * 255 + maximum / 2) / maximum);
    }
};

// 16- and 32-bit pictures with colour masks, wider than eight bits or inside the V2/V3 headers too;
// alpha is dropped.
Picture decodeBitfields(const BmpLayout& layout, const Bytes& bytes, std::string& error) {
    const Channel red(layout.masks[0]);
    const Channel green(layout.masks[1]);
    const Channel blue(layout.masks[2]);
    const std::uint32_t limit = layout.bitCount == 16 ? 0xFFFFu : 0xFFFFFFFFu;
    for (const Channel* channel : {&red, &green, &blue}) {
        if (!channel->contiguous() || (channel->mask & ~limit) != 0) {
            error = unsupportedText();
            return {};
        }
    }
    Picture picture(int(layout.width), int(layout.height));
    const int bytesPerPixel = layout.bitCount / 8;
    for (std::int64_t row = 0; row < layout.height; ++row) {
        const std::int64_t sourceRow = layout.topDown ? row : layout.height - 1 - row;
        const unsigned char* source = raw(bytes) + layout.dataOffset + sourceRow * layout.stride;
        Rgb* target = picture.row(int(row));
        for (std::int64_t x = 0; x < layout.width; ++x, source += bytesPerPixel) {
            const std::uint32_t pixel = bytesPerPixel == 2 ? u16(source) : u32(source);
            target[x] = rgb(red(pixel), green(pixel), blue(pixel));
        }
    }
    return picture;
}

// The palette filled up to the full depth with black: a pixel index beyond the file's palette reads black.
std::vector<Rgb> readPalette(const BmpLayout& layout, const Bytes& bytes) {
    std::vector<Rgb> palette(std::size_t(1) << layout.bitCount, rgb(0, 0, 0));
    for (int i = 0; i < layout.paletteCount; ++i) {
        const unsigned char* entry = raw(bytes) + layout.paletteOffset + std::int64_t(i) * layout.paletteEntrySize;
        palette[std::size_t(i)] = rgb(entry[2], entry[1], entry[0]);
    }
    return palette;
}

// One row of uncompressed pixels. The last row may lack its padding (and so, for a row of 24-bit pixels
// ending short of a whole word, nothing is read past the pixels themselves).
void decodeRow(const BmpLayout& layout, const std::vector<Rgb>& palette, const unsigned char* source, Rgb* target) {
    const std::int64_t width = layout.width;
    switch (layout.bitCount) {
    case 1:
        for (std::int64_t x = 0; x < width; ++x)
            target[x] = palette[(source[x >> 3] >> (7 - (x & 7))) & 1];
        break;
    case 4:
        for (std::int64_t x = 0; x < width; ++x)
            target[x] = palette[(x & 1) ? source[x >> 1] & 0x0F : source[x >> 1] >> 4];
        break;
    case 8:
        for (std::int64_t x = 0; x < width; ++x)
            target[x] = palette[source[x]];
        break;
    case 16: // 5-5-5, each channel shifted up without filling the low bits
        for (std::int64_t x = 0; x < width; ++x, source += 2) {
            const unsigned pixel = u16(source);
            target[x] = rgb(int((pixel >> 7) & 0xF8), int((pixel >> 2) & 0xF8), int((pixel & 0x1F) << 3));
        }
        break;
    case 24:
        for (std::int64_t x = 0; x < width; ++x, source += 3)
            target[x] = rgb(source[2], source[1], source[0]);
        break;
    default: // 32: the fourth byte is not alpha without a mask saying so
        for (std::int64_t x = 0; x < width; ++x, source += 4)
            target[x] = rgb(source[2], source[1], source[0]);
        break;
    }
}

Picture decodeUncompressed(const BmpLayout& layout, const Bytes& bytes) {
    const std::vector<Rgb> palette = layout.bitCount <= 8 ? readPalette(layout, bytes) : std::vector<Rgb>();
    Picture picture(int(layout.width), int(layout.height));
    const std::int64_t available = std::int64_t(bytes.size()) - layout.dataOffset;
    std::vector<unsigned char> lastRow;
    for (std::int64_t row = 0; row < layout.height; ++row) {
        const std::int64_t sourceRow = layout.topDown ? row : layout.height - 1 - row;
        const std::int64_t at = sourceRow * layout.stride;
        const unsigned char* source = raw(bytes) + layout.dataOffset + at;
        if (at + layout.stride > available) { // the short last row, padded with zeros
            lastRow.assign(std::size_t(layout.stride), 0);
            std::copy_n(source, available - at, lastRow.begin());
            source = lastRow.data();
        }
        decodeRow(layout, palette, source, picture.row(int(row)));
    }
    return picture;
}

// RLE4/RLE8, on a stream rleStreamIsSound() has passed. Pixels the stream skips (deltas, rows left out
// before the end-of-picture code) keep palette index 0.
Picture decodeRle(const BmpLayout& layout, const Bytes& bytes) {
    const std::vector<Rgb> palette = readPalette(layout, bytes);
    Picture picture(int(layout.width), int(layout.height));
    picture.fill(palette[0]);
    const unsigned char* data = raw(bytes);
    const std::int64_t end = std::int64_t(bytes.size());
    const bool four = layout.compression == kRle4;
    std::int64_t at = layout.dataOffset;
    std::int64_t x = 0;
    std::int64_t y = 0; // counted from the bottom
    auto put = [&](int index) { picture.row(int(layout.height - 1 - y))[x++] = palette[std::size_t(index)]; };
    while (y < layout.height && at + 2 <= end) {
        const int count = data[at];
        const int code = data[at + 1];
        at += 2;
        if (count > 0) {
            for (int i = 0; i < count; ++i)
                put(four ? ((i & 1) ? code & 0x0F : code >> 4) : code);
        } else if (code == 0) {
            x = 0;
            ++y;
        } else if (code == 1) {
            break;
        } else if (code == 2) {
            x += data[at];
            y += data[at + 1];
            at += 2;
        } else {
            for (int i = 0; i < code; ++i)
                put(four ? ((i & 1) ? data[at + i / 2] & 0x0F : data[at + i / 2] >> 4) : data[at + i]);
            const std::int64_t length = four ? (code + 1) / 2 : code;
            at += length + (length & 1);
        }
    }
    return picture;
}

void put16(unsigned char* p, std::uint32_t value) {
    p[0] = static_cast<unsigned char>(value & 0xFF);
    p[1] = static_cast<unsigned char>((value >> 8) & 0xFF);
}
void put32(unsigned char* p, std::uint32_t value) {
    put16(p, value & 0xFFFF);
    put16(p + 2, value >> 16);
}

} // namespace

Picture decodePicture(const Bytes& bytes, std::string* error) {
    std::string reason;
    Picture picture;
    if (const std::optional<BmpLayout> layout = readLayout(bytes, reason)) {
        if (layout->compression == kBitfields || layout->compression == kAlphaBitfields)
            picture = decodeBitfields(*layout, bytes, reason);
        else if (isRle(*layout))
            picture = decodeRle(*layout, bytes);
        else
            picture = decodeUncompressed(*layout, bytes);
    }
    if (error) *error = picture.isNull() ? reason : std::string();
    return picture;
}

Bytes encodeBmp(const Picture& picture) {
    if (picture.isNull()) return {};
    const std::uint32_t width = std::uint32_t(picture.width());
    const std::uint32_t height = std::uint32_t(picture.height());
    const std::uint32_t stride = (width * 24 + 31) / 32 * 4;
    const std::uint32_t dataOffset = kFileHeaderSize + kInfoHeaderSize;
    Bytes out(dataOffset + std::size_t(stride) * height, '\0');
    auto* p = reinterpret_cast<unsigned char*>(out.data());
    p[0] = 'B';
    p[1] = 'M';
    put32(p + 2, dataOffset + stride * height);
    put32(p + 10, dataOffset);
    put32(p + 14, kInfoHeaderSize);
    put32(p + 18, width);
    put32(p + 22, height);
    put16(p + 26, 1);
    put16(p + 28, 24);
    put32(p + 34, stride * height);
    put32(p + 38, 3780); // 96 dpi, as pictures made on the screen are
    put32(p + 42, 3780);
    unsigned char* row = p + dataOffset;
    for (int y = int(height) - 1; y >= 0; --y, row += stride) { // bottom-up
        const Rgb* source = picture.row(y);
        unsigned char* target = row;
        for (std::uint32_t x = 0; x < width; ++x, target += 3) {
            const Rgb colour = source[x]; // read once: the byte stores below may alias it for all the compiler knows
            target[0] = static_cast<unsigned char>(colour);
            target[1] = static_cast<unsigned char>(colour >> 8);
            target[2] = static_cast<unsigned char>(colour >> 16);
        }
    }
    return out;
}

} // namespace tw
