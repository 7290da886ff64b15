#include "canvas/glyphatlas.h"

#include <algorithm>

namespace tw {
namespace {

// x * a / 255 on each byte of x, rounded, as the drawing of texts has always done it.
std::uint32_t byteMul(std::uint32_t x, std::uint32_t a) {
    std::uint32_t t = (x & 0xff00ff) * a;
    t = (t + ((t >> 8) & 0xff00ff) + 0x800080) >> 8;
    t &= 0xff00ff;
    x = ((x >> 8) & 0xff00ff) * a;
    x = (x + ((x >> 8) & 0xff00ff) + 0x800080);
    x &= 0xff00ff00;
    return x | t;
}

constexpr int kSoftHyphen = 0xAD;

int floorDiv(int value, int by) { return value >= 0 ? value / by : -((by - 1 - value) / by); }

// The characters' runs: a run holds characters of one font and one script; characters of no script
// (digits, punctuation, spaces) belong to the script before them, or at the start to the first one after.
std::vector<int> runsOf(const GlyphAtlas& atlas, std::string_view text) {
    std::vector<int> scripts(text.size(), GlyphAtlas::Common);
    int current = GlyphAtlas::Common;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int script = atlas.script[static_cast<unsigned char>(text[i])];
        if (script != GlyphAtlas::Common) current = script;
        scripts[i] = current;
    }
    int first = GlyphAtlas::Common;
    for (std::size_t i = 0; i < text.size() && first == GlyphAtlas::Common; ++i) first = scripts[i];
    std::vector<int> runs(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int script = scripts[i] == GlyphAtlas::Common ? first : scripts[i];
        runs[i] = script * 256 + atlas.face[static_cast<unsigned char>(text[i])];
    }
    return runs;
}

// The pen's position before each character, and after the last, in 1/64 pixel.
std::vector<int> penPositions(const GlyphAtlas& atlas, std::string_view text) {
    const std::vector<int> runs = runsOf(atlas, text);
    std::vector<int> pens(text.size() + 1, 0);
    int pen = 0;
    // A soft hyphen takes no room and does not part the pair around it: the pair is kerned as if it were
    // not there.
    std::size_t previous = text.size(); // the last character that was not a soft hyphen; none yet
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int b = static_cast<unsigned char>(text[i]);
        pens[i] = pen;
        if (b == kSoftHyphen) continue;
        if (previous < text.size() && runs[i] == runs[previous]) {
            const auto kern = atlas.kerning64.find(std::uint16_t(static_cast<unsigned char>(text[previous]) << 8 | b));
            if (kern != atlas.kerning64.end()) pen += kern->second;
        }
        pens[i] = pen;
        pen += atlas.advance64[b];
        previous = i;
    }
    pens[text.size()] = pen;
    return pens;
}

} // namespace

int textAdvance(const GlyphAtlas& atlas, std::string_view win1251) {
    return floorDiv(penPositions(atlas, win1251).back() + 32, 64);
}

TextStamp stampText(const GlyphAtlas& atlas, std::string_view win1251, std::uint32_t colour) {
    TextStamp stamp;
    stamp.width = std::max(1, textAdvance(atlas, win1251) + 2);
    stamp.height = std::max(1, atlas.stampHeight);
    stamp.pixels.assign(std::size_t(stamp.width) * std::size_t(stamp.height), 0);
    const std::uint32_t solid = colour | 0xFF000000u;
    int ascent64 = 0;
    for (const char c : win1251) ascent64 = std::max(ascent64, atlas.lineAscent64[static_cast<unsigned char>(c)]);
    const int baseline = floorDiv(ascent64 + 32, 64);
    const std::vector<int> pens = penPositions(atlas, win1251);
    for (std::size_t i = 0; i < win1251.size(); ++i) {
        const int b = static_cast<unsigned char>(win1251[i]);
        // A soft hyphen shows only as the text's last character, where a line would break.
        if (b == kSoftHyphen && i + 1 < win1251.size()) continue;
        // The pen stands at quarter pixels: the position is taken to the nearest quarter below.
        const int quarter = floorDiv(pens[i] + 1, 16);
        const int column = floorDiv(quarter, GlyphAtlas::kSubpixelSteps);
        const GlyphPicture& glyph = atlas.pictures[b][quarter - column * GlyphAtlas::kSubpixelSteps];
        for (int y = 0; y < glyph.height; ++y) {
            const int row = baseline + glyph.top + y;
            if (row < 0 || row >= stamp.height) continue;
            for (int x = 0; x < glyph.width; ++x) {
                const int at = column + glyph.left + x;
                const std::uint32_t cover = glyph.coverage[std::size_t(y * glyph.width + x)];
                if (cover == 0 || at < 0 || at >= stamp.width) continue;
                std::uint32_t& pixel = stamp.pixels[std::size_t(row * stamp.width + at)];
                const std::uint32_t source = byteMul(solid, cover);
                pixel = source + byteMul(pixel, 255 - (source >> 24));
            }
        }
    }
    return stamp;
}

} // namespace tw
