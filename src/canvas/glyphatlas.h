#pragma once

#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tw {

// The game font as pictures: for every Windows-1251 character its advance and, for each of the quarter
// pixel positions a pen can stand at, the coverage of its glyph, made once from the font. Texts drawn
// from it come out as the font engine draws them, without the font engine.
struct GlyphPicture {
    int left = 0; // from the pen's pixel column
    int top = 0;  // from the baseline's row (negative above it)
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> coverage; // row by row, 0..255
    friend bool operator==(const GlyphPicture&, const GlyphPicture&) = default;
};

struct GlyphAtlas {
    static constexpr int kSubpixelSteps = 4;
    // What a run of characters drawn together in one font and one script is: the pen moves by the
    // kerning of a pair only within a run.
    enum Script : std::uint8_t { Common, Latin, Cyrillic };
    int stampHeight = 0; // the height of a drawn text
    int advance64[256] = {}; // in 1/64 pixel
    // The baseline of a text lies at the largest line ascent of its characters (a character the font
    // lacks comes from another font, whose ascent may be larger), in 1/64 pixel.
    int lineAscent64[256] = {};
    std::uint8_t face[256] = {}; // 0: the game font; others: the font a missing character comes from
    Script script[256] = {};
    GlyphPicture pictures[256][kSubpixelSteps];
    // Adjustments of the pen between two characters, in 1/64 pixel; key: first << 8 | second.
    std::unordered_map<std::uint16_t, int> kerning64;
    friend bool operator==(const GlyphAtlas&, const GlyphAtlas&) = default;
};

// The game font (Tahoma, 13 pixels high, as the original's 96-dpi screen showed size 10), compiled in.
const GlyphAtlas& gameFontAtlas();

// A text drawn in one colour on a clear background: premultiplied 0xAARRGGBB pixels, row by row.
struct TextStamp {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

// The width a text takes, in whole pixels.
int textAdvance(const GlyphAtlas& atlas, std::string_view win1251);
// The text (Windows-1251 bytes) drawn in `colour` (0xRRGGBB): as wide as its advance and two pixels more,
// as high as the atlas says, its pen starting at the left edge.
TextStamp stampText(const GlyphAtlas& atlas, std::string_view win1251, std::uint32_t colour);

} // namespace tw
