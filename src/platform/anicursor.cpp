#include "platform/anicursor.h"

#include "platform/pngimage.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace tw {

namespace {

const char* notAniText() {
    return "Файл не является анимированным курсором";
}
const char* notCursorText() {
    return "Файл не является курсором или значком";
}
const char* corruptText() {
    return "Повреждённый или неполный файл курсора";
}
const char* noFramesText() {
    return "В курсоре нет кадров";
}
const char* badSequenceText() {
    return "Порядок кадров курсора ссылается на несуществующий кадр";
}
const char* badImageText() {
    return "Не удалось прочитать картинку курсора";
}
std::string badFrameText(int frame) {
    return "Не удалось прочитать кадр " + std::to_string(frame) + " курсора";
}

// Icon images are at most 256 pixels a side. The frame and pixel caps bound what a small forged file
// can make us allocate.
constexpr int kMaxIconSide = 256;
constexpr std::size_t kMaxFrames = 1000;
constexpr std::int64_t kMaxTotalPixels = 16'000'000;
// Longer than any cursor would wait on one step (about half an hour); keeps millisecond sums in range.
constexpr std::uint32_t kMaxJiffies = 100'000;

// Little-endian fields; callers check the range before reading.
const unsigned char* raw(const Bytes& bytes) {
    return reinterpret_cast<const unsigned char*>(bytes.data());
}
std::uint16_t u16(const Bytes& bytes, std::int64_t at) {
    const unsigned char* p = raw(bytes) + at;
    return std::uint16_t(p[0] | p[1] << 8);
}
std::uint32_t u32(const Bytes& bytes, std::int64_t at) {
    const unsigned char* p = raw(bytes) + at;
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}
std::int32_t s32(const Bytes& bytes, std::int64_t at) {
    return std::int32_t(u32(bytes, at));
}
std::uint32_t bigEndian32(const Bytes& bytes, std::int64_t at) {
    const unsigned char* p = raw(bytes) + at;
    return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | std::uint32_t(p[3]);
}

constexpr std::uint32_t fourCc(const char (&id)[5]) {
    return std::uint32_t(std::uint8_t(id[0])) | std::uint32_t(std::uint8_t(id[1])) << 8 |
           std::uint32_t(std::uint8_t(id[2])) << 16 | std::uint32_t(std::uint8_t(id[3])) << 24;
}

// Colours with alpha go through premultiplied form on their way out of an icon's bitmap, as Windows
// composes them; faint pixels come back with their colours rounded to what the alpha can carry.
Rgb premultiplied(Rgb x) {
    const std::uint32_t a = x >> 24;
    std::uint32_t t = (x & 0xFF00FF) * a;
    t = (t + ((t >> 8) & 0xFF00FF) + 0x800080) >> 8;
    t &= 0xFF00FF;
    std::uint32_t g = ((x >> 8) & 0xFF) * a;
    g = (g + ((g >> 8) & 0xFF) + 0x80);
    g &= 0xFF00;
    return g | t | (a << 24);
}
// 255 / alpha as the toolkit's unpremultiplying computes it: the processor's approximate reciprocal of
// alpha refined by one Newton step, times 255. Its last bits differ from the exact quotient for some
// alphas, and so do some of the colours; a table keeps them the same on every machine.
constexpr float kUnpremultiplyFactor[256] = {
    0.0f, 0x1.fdfffep+7f, 0x1.fdfffep+6f, 0x1.54p+6f, 0x1.fdfffep+5f, 0x1.97fffep+5f,
    0x1.54p+5f, 0x1.236db6p+5f, 0x1.fdfffep+4f, 0x1.c55554p+4f, 0x1.97fffep+4f, 0x1.72e8b8p+4f,
    0x1.54p+4f, 0x1.39d89ep+4f, 0x1.236db6p+4f, 0x1.0ffffep+4f, 0x1.fdfffep+3f, 0x1.dffffep+3f,
    0x1.c55554p+3f, 0x1.ad7942p+3f, 0x1.97fffep+3f, 0x1.84924ap+3f, 0x1.72e8b8p+3f, 0x1.62c85ap+3f,
    0x1.54p+3f, 0x1.466666p+3f, 0x1.39d89ep+3f, 0x1.2e38e4p+3f, 0x1.236db6p+3f, 0x1.19611ap+3f,
    0x1.0ffffep+3f, 0x1.0739cep+3f, 0x1.fdfffep+2f, 0x1.ee8ba2p+2f, 0x1.dffffep+2f, 0x1.d24924p+2f,
    0x1.c55554p+2f, 0x1.b914cp+2f, 0x1.ad7942p+2f, 0x1.a27628p+2f, 0x1.97fffep+2f, 0x1.8e0c7cp+2f,
    0x1.84924ap+2f, 0x1.7b88eep+2f, 0x1.72e8b8p+2f, 0x1.6aaaacp+2f, 0x1.62c85ap+2f, 0x1.5b3beap+2f,
    0x1.54p+2f, 0x1.4d0facp+2f, 0x1.466666p+2f, 0x1.4p+2f, 0x1.39d89ep+2f, 0x1.33ecaep+2f,
    0x1.2e38e4p+2f, 0x1.28ba2ep+2f, 0x1.236db6p+2f, 0x1.1e50d6p+2f, 0x1.19611ap+2f, 0x1.149c34p+2f,
    0x1.0ffffep+2f, 0x1.0b8a7cp+2f, 0x1.0739cep+2f, 0x1.030c32p+2f, 0x1.fdfffep+1f, 0x1.f62762p+1f,
    0x1.ee8ba2p+1f, 0x1.e72a06p+1f, 0x1.dffffep+1f, 0x1.d90b2p+1f, 0x1.d24924p+1f, 0x1.cbb7e2p+1f,
    0x1.c55554p+1f, 0x1.bf1f9p+1f, 0x1.b914cp+1f, 0x1.b33334p+1f, 0x1.ad7942p+1f, 0x1.a7e568p+1f,
    0x1.a27628p+1f, 0x1.9d2a22p+1f, 0x1.97fffep+1f, 0x1.92f684p+1f, 0x1.8e0c7cp+1f, 0x1.8940c4p+1f,
    0x1.84924ap+1f, 0x1.8p+1f, 0x1.7b88eep+1f, 0x1.772c24p+1f, 0x1.72e8b8p+1f, 0x1.6ebdd8p+1f,
    0x1.6aaaacp+1f, 0x1.66ae6cp+1f, 0x1.62c85ap+1f, 0x1.5ef7bep+1f, 0x1.5b3beap+1f, 0x1.579436p+1f,
    0x1.54p+1f, 0x1.507eaep+1f, 0x1.4d0facp+1f, 0x1.49b26cp+1f, 0x1.466666p+1f, 0x1.432b16p+1f,
    0x1.4p+1f, 0x1.3ce4aap+1f, 0x1.39d89ep+1f, 0x1.36db6ep+1f, 0x1.33ecaep+1f, 0x1.310bf6p+1f,
    0x1.2e38e4p+1f, 0x1.2b7314p+1f, 0x1.28ba2ep+1f, 0x1.260dd6p+1f, 0x1.236db6p+1f, 0x1.20d97cp+1f,
    0x1.1e50d6p+1f, 0x1.1bd37ap+1f, 0x1.19611ap+1f, 0x1.16f97p+1f, 0x1.149c34p+1f, 0x1.124926p+1f,
    0x1.0ffffep+1f, 0x1.0dc086p+1f, 0x1.0b8a7cp+1f, 0x1.095da8p+1f, 0x1.0739cep+1f, 0x1.051ebap+1f,
    0x1.030c32p+1f, 0x1.010204p+1f, 0x1.fdfffep+0f, 0x1.fa0be6p+0f, 0x1.f62762p+0f, 0x1.f25212p+0f,
    0x1.ee8ba2p+0f, 0x1.ead3bap+0f, 0x1.e72a06p+0f, 0x1.e38e38p+0f, 0x1.dffffep+0f, 0x1.dc7f0ep+0f,
    0x1.d90b2p+0f, 0x1.d5a3eap+0f, 0x1.d24924p+0f, 0x1.cefa8cp+0f, 0x1.cbb7e2p+0f, 0x1.c880e4p+0f,
    0x1.c55554p+0f, 0x1.c234f6p+0f, 0x1.bf1f9p+0f, 0x1.bc14e6p+0f, 0x1.b914cp+0f, 0x1.b61eeep+0f,
    0x1.b33334p+0f, 0x1.b0516p+0f, 0x1.ad7942p+0f, 0x1.aaaaa8p+0f, 0x1.a7e568p+0f, 0x1.a5294ap+0f,
    0x1.a27628p+0f, 0x1.9fcbd2p+0f, 0x1.9d2a22p+0f, 0x1.9a90e6p+0f, 0x1.97fffep+0f, 0x1.957742p+0f,
    0x1.92f684p+0f, 0x1.907da4p+0f, 0x1.8e0c7cp+0f, 0x1.8ba2e8p+0f, 0x1.8940c4p+0f, 0x1.86e5fp+0f,
    0x1.84924ap+0f, 0x1.8245aep+0f, 0x1.8p+0f, 0x1.7dc12p+0f, 0x1.7b88eep+0f, 0x1.79574ep+0f,
    0x1.772c24p+0f, 0x1.75075p+0f, 0x1.72e8b8p+0f, 0x1.70d046p+0f, 0x1.6ebdd8p+0f, 0x1.6cb156p+0f,
    0x1.6aaaacp+0f, 0x1.68a9bap+0f, 0x1.66ae6cp+0f, 0x1.64b8a8p+0f, 0x1.62c85ap+0f, 0x1.60dd66p+0f,
    0x1.5ef7bep+0f, 0x1.5d1746p+0f, 0x1.5b3beap+0f, 0x1.596596p+0f, 0x1.579436p+0f, 0x1.55c7b6p+0f,
    0x1.54p+0f, 0x1.523d04p+0f, 0x1.507eaep+0f, 0x1.4ec4ecp+0f, 0x1.4d0facp+0f, 0x1.4b5edcp+0f,
    0x1.49b26cp+0f, 0x1.480a4ap+0f, 0x1.466666p+0f, 0x1.44c6bp+0f, 0x1.432b16p+0f, 0x1.41938cp+0f,
    0x1.4p+0f, 0x1.3e7064p+0f, 0x1.3ce4aap+0f, 0x1.3b5ccp+0f, 0x1.39d89ep+0f, 0x1.38583p+0f,
    0x1.36db6ep+0f, 0x1.356246p+0f, 0x1.33ecaep+0f, 0x1.327a98p+0f, 0x1.310bf6p+0f, 0x1.2fa0bep+0f,
    0x1.2e38e4p+0f, 0x1.2cd45ap+0f, 0x1.2b7314p+0f, 0x1.2a150ap+0f, 0x1.28ba2ep+0f, 0x1.276274p+0f,
    0x1.260dd6p+0f, 0x1.24bc46p+0f, 0x1.236db6p+0f, 0x1.222222p+0f, 0x1.20d97cp+0f, 0x1.1f93bcp+0f,
    0x1.1e50d6p+0f, 0x1.1d10c4p+0f, 0x1.1bd37ap+0f, 0x1.1a98fp+0f, 0x1.19611ap+0f, 0x1.182bf2p+0f,
    0x1.16f97p+0f, 0x1.15c988p+0f, 0x1.149c34p+0f, 0x1.13716ap+0f, 0x1.124926p+0f, 0x1.112358p+0f,
    0x1.0ffffep+0f, 0x1.0edf1p+0f, 0x1.0dc086p+0f, 0x1.0ca458p+0f, 0x1.0b8a7cp+0f, 0x1.0a72fp+0f,
    0x1.095da8p+0f, 0x1.084aap+0f, 0x1.0739cep+0f, 0x1.062b2ep+0f, 0x1.051ebap+0f, 0x1.041466p+0f,
    0x1.030c32p+0f, 0x1.020612p+0f, 0x1.010204p+0f, 1.0f,
};

Rgb unpremultiplied(Rgb p) {
    const std::uint32_t alpha = p >> 24;
    if (alpha == 255) return p;
    if (alpha == 0) return 0;
    const float factor = kUnpremultiplyFactor[alpha];
    const auto channel = [&](int shift) {
        const long value = std::lrint(float((p >> shift) & 0xFF) * factor); // to nearest, ties to even
        return std::uint32_t(std::min(value, 255L)) << shift;
    };
    return alpha << 24 | channel(16) | channel(8) | channel(0);
}

// ---- Icon and cursor resources (the frames of an .ani file, and .cur/.ico files) ----

// One directory entry, with the picture's real size and depth read from the picture's own header.
struct IconEntry {
    int width = 0;
    int height = 0;
    int depth = 0;
    Point hotspot;
    std::int64_t offset = 0;
    std::int64_t size = 0;
    bool png = false;
    std::int64_t colourOffset = -1; // the colour rows of a bitmap picture
    std::int64_t maskOffset = -1;   // its AND mask, when the bytes hold all of it
    std::int64_t maskStride = 0;
};

bool isPng(const Bytes& bytes, std::int64_t at, std::int64_t size) {
    return size >= 8 && std::string_view(bytes).substr(std::size_t(at), 8) == std::string_view("\x89PNG\r\n\x1a\n", 8);
}

// Reads the entry at `at` and checks that its picture lies inside the bytes and is of a sane size and a
// kind the decoder takes. An entry that fails is skipped, not fatal: another one may serve.
std::optional<IconEntry> readIconEntry(const Bytes& bytes, std::int64_t at, bool cursor) {
    IconEntry entry;
    const std::int64_t declared = u32(bytes, at + 8);
    entry.offset = u32(bytes, at + 12);
    const std::int64_t available = std::int64_t(bytes.size()) - entry.offset;
    if (available < 8) return std::nullopt;
    // Some writers put a wrong byte count in the directory; the picture's own header says what it needs,
    // so the count is only trusted when it covers that.
    entry.size = declared >= 8 && declared <= available ? declared : available;
    if (cursor) entry.hotspot = Point{u16(bytes, at + 4), u16(bytes, at + 6)};
    const std::int64_t p = entry.offset;
    if (isPng(bytes, p, available)) {
        if (available < 24) return std::nullopt;
        entry.png = true;
        entry.width = int(std::min<std::uint32_t>(bigEndian32(bytes, p + 16), 1u << 30));
        entry.height = int(std::min<std::uint32_t>(bigEndian32(bytes, p + 20), 1u << 30));
        entry.depth = 32;
    } else {
        // A Windows 3 bitmap header; its height covers the colour rows and the mask rows together.
        if (available < 40 || u32(bytes, p) < 40) return std::nullopt;
        const std::int64_t headerSize = u32(bytes, p);
        const std::int32_t width = s32(bytes, p + 4);
        const std::int32_t doubleHeight = s32(bytes, p + 8);
        const int bits = u16(bytes, p + 14);
        const std::uint32_t compression = u32(bytes, p + 16);
        const std::uint32_t colorsUsed = u32(bytes, p + 32);
        if (width <= 0 || width > kMaxIconSide || doubleHeight <= 0 || doubleHeight / 2 > kMaxIconSide)
            return std::nullopt;
        // Uncompressed pictures of these depths; 16-bit ones are not in use.
        if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return std::nullopt;
        if (compression != 0) return std::nullopt;
        entry.width = width;
        entry.height = doubleHeight / 2;
        entry.depth = bits;
        std::int64_t palette = 0;
        if (bits <= 8) {
            const std::int64_t maxColors = std::int64_t(1) << bits;
            if (colorsUsed > maxColors) return std::nullopt;
            palette = 4 * (colorsUsed != 0 ? std::int64_t(colorsUsed) : maxColors);
        }
        const std::int64_t colourEnd =
            headerSize + palette + (std::int64_t(width) * bits + 31) / 32 * 4 * entry.height;
        // The colour rows must be there; some writers leave out the mask of 32-bit pictures.
        if (colourEnd > available) return std::nullopt;
        entry.maskStride = (std::int64_t(width) + 31) / 32 * 4;
        const std::int64_t maskEnd = colourEnd + entry.maskStride * entry.height;
        entry.colourOffset = p + headerSize + palette;
        if (maskEnd <= available) entry.maskOffset = p + colourEnd;
        entry.size = std::max(entry.size, std::min(maskEnd, available));
    }
    if (entry.width <= 0 || entry.height <= 0 || entry.width > kMaxIconSide || entry.height > kMaxIconSide)
        return std::nullopt;
    return entry;
}

// Nearest to the default cursor size first, then more colours, then larger.
bool betterEntry(const IconEntry& a, const IconEntry& b) {
    const int distanceA = std::abs(std::max(a.width, a.height) - kDefaultCursorSize);
    const int distanceB = std::abs(std::max(b.width, b.height) - kDefaultCursorSize);
    if (distanceA != distanceB) return distanceA < distanceB;
    if (a.depth != b.depth) return a.depth > b.depth;
    return a.width * a.height > b.width * b.height;
}

// Reads the bytes of an entry's picture front to back, as a stream that may run short.
class EntryReader {
public:
    EntryReader(const Bytes& bytes, const IconEntry& entry)
        : data_(raw(bytes) + entry.offset), size_(entry.size) {}
    // The next `count` bytes, or nullptr when fewer are left.
    const unsigned char* take(std::int64_t count) {
        if (size_ - at_ < count) return nullptr;
        const unsigned char* p = data_ + at_;
        at_ += count;
        return p;
    }
    void seek(std::int64_t at) { at_ = at; }

private:
    const unsigned char* data_;
    std::int64_t size_;
    std::int64_t at_ = 0;
};

// A bitmap entry: the colour rows (after the 40 header bytes and the palette, bottom-up), then for
// paletted pictures the AND mask, whose set bits make a pixel transparent. A pixel index beyond the
// palette is transparent too. True-colour pictures leave the mask to applyMask().
Picture decodeBitmapEntry(const Bytes& bytes, const IconEntry& entry) {
    const std::int64_t p = entry.offset;
    const int bits = u16(bytes, p + 14);
    const std::uint32_t colorsUsed = u32(bytes, p + 32);
    const int width = entry.width;
    const int height = entry.height;
    EntryReader reader(bytes, entry);
    reader.seek(40);
    Picture picture(width, height);
    if (bits >= 24) {
        const std::int64_t stride = (std::int64_t(width) * bits + 31) / 32 * 4;
        for (int y = height - 1; y >= 0; --y) {
            const unsigned char* row = reader.take(stride);
            if (!row) return {};
            Rgb* target = picture.row(y);
            for (int x = 0; x < width; ++x) {
                const unsigned char* pixel = row + x * (bits / 8);
                const std::uint32_t alpha = bits == 32 ? pixel[3] : 255;
                target[x] = unpremultiplied(premultiplied(alpha << 24 | std::uint32_t(pixel[2]) << 16 |
                                                          std::uint32_t(pixel[1]) << 8 | pixel[0]));
            }
        }
        return picture;
    }

    const int colours = colorsUsed != 0 ? int(colorsUsed) : 1 << bits;
    std::vector<Rgb> palette(static_cast<std::size_t>(colours));
    for (Rgb& colour : palette) {
        const unsigned char* entryColour = reader.take(4);
        if (!entryColour) return {};
        colour = rgb(entryColour[2], entryColour[1], entryColour[0]);
    }
    // One bit per pixel with two colours is a bitmap of bits; every other paletted picture is read a byte
    // (8 bits) or a nibble (4 bits) per pixel, a one-colour 1-bit picture included.
    const bool bitmap = bits == 1 && colours == 2;
    const std::int64_t stride = bitmap ? (std::int64_t(width) + 31) / 32 * 4
                                : bits == 4 ? (std::int64_t(width) + 7) / 8 * 4
                                            : (std::int64_t(width) + 3) / 4 * 4;
    for (int y = height - 1; y >= 0; --y) {
        const unsigned char* row = reader.take(stride);
        if (!row) return {};
        Rgb* target = picture.row(y);
        for (int x = 0; x < width; ++x) {
            const int index = bitmap ? (row[x / 8] >> (7 - x % 8)) & 1
                              : bits == 4 ? ((x & 1) ? row[x / 2] & 0x0F : row[x / 2] >> 4)
                                          : row[x];
            target[x] = index < colours ? palette[std::size_t(index)] : 0;
        }
    }
    const std::int64_t maskStride = (std::int64_t(width) + 31) / 32 * 4;
    for (int y = height - 1; y >= 0; --y) {
        const unsigned char* row = reader.take(maskStride);
        if (!row) return {};
        Rgb* target = picture.row(y);
        for (int x = 0; x < width; ++x)
            if ((row[x / 8] >> (7 - x % 8)) & 1) target[x] = 0;
    }
    return picture;
}

// The AND mask of 24- and 32-bit pictures. Windows uses it for 24-bit ones, and for 32-bit ones whose
// alpha is zero throughout (cursors older than alpha blending); without it they would show as opaque
// squares or not at all. The colours of such a 32-bit picture are taken from the bytes again, as they
// were before premultiplying by a zero alpha.
void applyMask(Picture& image, const Bytes& bytes, const IconEntry& entry) {
    if (entry.depth < 24 || entry.maskOffset < 0 || image.size() != Size{entry.width, entry.height}) return;
    const bool recolour = entry.depth == 32;
    if (recolour) {
        for (int y = 0; y < image.height(); ++y) {
            const Rgb* line = image.row(y);
            for (int x = 0; x < image.width(); ++x)
                if (alphaOf(line[x]) != 0) return;
        }
    }
    const std::int64_t colourStride = std::int64_t(entry.width) * 4;
    for (int y = 0; y < entry.height; ++y) {
        const std::int64_t row = entry.height - 1 - y; // bitmaps are stored bottom-up
        const unsigned char* maskRow = raw(bytes) + entry.maskOffset + row * entry.maskStride;
        const unsigned char* colourRow = raw(bytes) + entry.colourOffset + row * colourStride;
        Rgb* line = image.row(y);
        for (int x = 0; x < entry.width; ++x) {
            const bool transparent = (maskRow[x / 8] >> (7 - x % 8)) & 1;
            Rgb colour = line[x];
            if (recolour) {
                const unsigned char* pixel = colourRow + 4 * x;
                colour = rgb(pixel[2], pixel[1], pixel[0]);
            }
            line[x] = transparent ? 0 : (colour | 0xFF000000u);
        }
    }
}

Picture decodeIconEntry(const Bytes& bytes, const IconEntry& entry) {
    Picture image = entry.png ? decodePng(std::string_view(bytes).substr(std::size_t(entry.offset), std::size_t(entry.size)),
                                          kMaxIconSide)
                              : decodeBitmapEntry(bytes, entry);
    if (image.isNull()) return {};
    applyMask(image, bytes, entry);
    return image;
}

// A whole .ico/.cur resource: the best of its pictures, with the hotspot of that picture.
std::optional<AniCursor::Frame> decodeIconResource(const Bytes& bytes, std::string& error) {
    if (bytes.size() < 6 || u16(bytes, 0) != 0 || (u16(bytes, 2) != 1 && u16(bytes, 2) != 2)) {
        error = notCursorText();
        return std::nullopt;
    }
    const bool cursor = u16(bytes, 2) == 2;
    const int count = u16(bytes, 4);
    if (count == 0 || 6 + 16 * std::int64_t(count) > std::int64_t(bytes.size())) {
        error = corruptText();
        return std::nullopt;
    }
    std::optional<IconEntry> best;
    for (int i = 0; i < count; ++i) {
        const std::optional<IconEntry> entry = readIconEntry(bytes, 6 + 16 * std::int64_t(i), cursor);
        if (entry && (!best || betterEntry(*entry, *best))) best = entry;
    }
    if (!best) {
        error = badImageText();
        return std::nullopt;
    }
    AniCursor::Frame frame;
    frame.image = decodeIconEntry(bytes, *best);
    if (frame.image.isNull()) {
        error = badImageText();
        return std::nullopt;
    }
    // A hotspot outside the picture would make the pointer act away from where it is drawn.
    frame.hotspot = Point{std::min(best->hotspot.x, frame.image.width() - 1),
                          std::min(best->hotspot.y, frame.image.height() - 1)};
    return frame;
}

// ---- RIFF "ACON" ----

struct Chunk {
    std::uint32_t id = 0;
    std::int64_t offset = 0; // of the chunk's data
    std::int64_t size = 0;
};

// Splits [begin, end) into chunks. A chunk whose data runs past `end` means the file is damaged. Fewer
// than eight bytes left over (a missing pad byte, slack at the end) are ignored.
bool splitChunks(const Bytes& bytes, std::int64_t begin, std::int64_t end, std::vector<Chunk>& chunks) {
    std::int64_t at = begin;
    while (end - at >= 8) {
        const Chunk chunk{u32(bytes, at), at + 8, u32(bytes, at + 4)};
        if (chunk.offset + chunk.size > end) return false;
        chunks.push_back(chunk);
        // Chunks start on even offsets: an odd-sized chunk is followed by a pad byte.
        at = chunk.offset + chunk.size + (chunk.size & 1);
    }
    return true;
}

const Chunk* firstChunk(const std::vector<Chunk>& chunks, std::uint32_t id) {
    for (const Chunk& chunk : chunks)
        if (chunk.id == id) return &chunk;
    return nullptr;
}

std::vector<std::uint32_t> readDwords(const Bytes& bytes, const Chunk* chunk) {
    std::vector<std::uint32_t> values;
    if (!chunk) return values;
    for (std::int64_t i = 0; i + 4 <= chunk->size; i += 4)
        values.push_back(u32(bytes, chunk->offset + i));
    return values;
}

} // namespace

std::optional<AniCursor> decodeAniCursor(const Bytes& bytes, std::string* error) {
    std::string ignored;
    std::string& reason = error ? *error : ignored;
    reason.clear();
    if (bytes.size() < 12 || u32(bytes, 0) != fourCc("RIFF") || u32(bytes, 8) != fourCc("ACON")) {
        reason = notAniText();
        return std::nullopt;
    }
    // Some writers count the 8-byte RIFF header in the RIFF size, so it can name bytes past the end of
    // the file; the file's end bounds it either way.
    const std::int64_t riffEnd = std::min<std::int64_t>(8 + std::int64_t(u32(bytes, 4)), std::int64_t(bytes.size()));
    std::vector<Chunk> chunks;
    if (!splitChunks(bytes, 12, riffEnd, chunks)) {
        reason = corruptText();
        return std::nullopt;
    }

    // Chunks come in any order: LIST INFO first, rate and seq before or after the frames.
    const Chunk* header = firstChunk(chunks, fourCc("anih"));
    if (!header || header->size < 36) {
        reason = corruptText();
        return std::nullopt;
    }
    const std::uint32_t frameCount = u32(bytes, header->offset + 4);
    const std::uint32_t stepCount = u32(bytes, header->offset + 8);
    const std::uint32_t displayRate = u32(bytes, header->offset + 28);

    std::vector<Chunk> icons;
    for (const Chunk& chunk : chunks) {
        if (chunk.id != fourCc("LIST") || chunk.size < 4 || u32(bytes, chunk.offset) != fourCc("fram"))
            continue;
        std::vector<Chunk> members;
        if (!splitChunks(bytes, chunk.offset + 4, chunk.offset + chunk.size, members)) {
            reason = corruptText();
            return std::nullopt;
        }
        for (const Chunk& member : members)
            if (member.id == fourCc("icon")) icons.push_back(member);
        break;
    }
    // The header's frame count wins when the list holds more icons than it names. Frames are taken as
    // icon resources whatever the header's flags say: raw-bitmap frames are not in use, and such a frame
    // simply fails to decode below.
    if (frameCount > 0 && icons.size() > std::size_t(frameCount)) icons.resize(std::size_t(frameCount));
    if (icons.empty()) {
        reason = noFramesText();
        return std::nullopt;
    }
    if (icons.size() > kMaxFrames) {
        reason = corruptText();
        return std::nullopt;
    }

    AniCursor cursor;
    std::int64_t totalPixels = 0;
    for (std::size_t i = 0; i < icons.size(); ++i) {
        std::string frameReason;
        std::optional<AniCursor::Frame> frame =
            decodeIconResource(bytes.substr(std::size_t(icons[i].offset), std::size_t(icons[i].size)), frameReason);
        if (frame) totalPixels += std::int64_t(frame->image.width()) * frame->image.height();
        if (!frame || totalPixels > kMaxTotalPixels) {
            reason = badFrameText(int(i) + 1);
            return std::nullopt;
        }
        cursor.frames.push_back(std::move(*frame));
    }
    const std::size_t frames = cursor.frames.size();

    const std::vector<std::uint32_t> sequence = readDwords(bytes, firstChunk(chunks, fourCc("seq ")));
    const std::vector<std::uint32_t> rates = readDwords(bytes, firstChunk(chunks, fourCc("rate")));
    std::size_t steps = stepCount > 0 ? std::size_t(std::min<std::uint32_t>(stepCount, 1u << 20)) : frames;
    if (!sequence.empty()) {
        steps = std::min(steps, sequence.size());
        for (std::size_t i = 0; i < steps; ++i) {
            if (sequence[i] >= std::uint32_t(frames)) {
                reason = badSequenceText();
                return std::nullopt;
            }
            cursor.sequence.push_back(int(sequence[i]));
        }
    } else {
        // Without a sequence the steps show the frames in order; there cannot be more steps than frames.
        steps = std::min(steps, frames);
        for (std::size_t i = 0; i < steps; ++i)
            cursor.sequence.push_back(int(i));
    }
    for (std::size_t i = 0; i < steps; ++i) {
        const std::uint32_t jiffies = i < rates.size() ? rates[i] : displayRate;
        cursor.stepJiffies.push_back(int(std::min(jiffies, kMaxJiffies)));
    }
    return cursor;
}

std::optional<AniCursor::Frame> decodeCursorFile(const Bytes& bytes, std::string* error) {
    std::string reason;
    std::optional<AniCursor::Frame> frame = decodeIconResource(bytes, reason);
    if (error) *error = frame ? std::string() : reason;
    return frame;
}

std::optional<AniCursor> decodeCursor(const Bytes& bytes, std::string* error) {
    if (bytes.starts_with("RIFF")) return decodeAniCursor(bytes, error);
    std::optional<AniCursor::Frame> frame = decodeCursorFile(bytes, error);
    if (!frame) return std::nullopt;
    AniCursor cursor;
    cursor.frames.push_back(std::move(*frame));
    cursor.sequence.push_back(0);
    cursor.stepJiffies.push_back(0);
    return cursor;
}

} // namespace tw
