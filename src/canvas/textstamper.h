#pragma once

#include "canvas/drawing.h"
#include "canvas/geometry.h"
#include "canvas/glyphatlas.h"
#include "canvas/picture.h"

#include <string>
#include <string_view>
#include <unordered_map>

namespace tw {

// Writes texts on a picture in the game font. Each text is drawn once per colour into a small picture
// with coverage and then blended, so redrawing the same labels every tick costs a copy, not a layout.
// Texts are UTF-8; the font holds the characters of Windows-1251, any other shows as '?'.
class TextStamper {
public:
    explicit TextStamper(const GlyphAtlas& atlas = gameFontAtlas()) : atlas_(atlas) {}

    // Text with its top-left corner at (x, y), in one colour, with a clear background.
    void drawLabel(Picture& canvas, int x, int y, std::string_view text, Rgb colour = kMarkerColour);
    // A game text: blue at (x, y), then aqua at (x + 1, y + 1).
    void drawGameText(Picture& canvas, int x, int y, std::string_view text);
    // Lines of a game text, line k at y + 15k.
    void drawGameLines(Picture& canvas, int x, int y, const std::string* lines, int count);
    // The size a text takes when drawn with drawLabel; an empty text takes none.
    Size sizeOf(std::string_view text);

private:
    const TextStamp& stamp(std::string_view text, Rgb colour);

    const GlyphAtlas& atlas_;
    std::unordered_map<std::string, TextStamp> stamps_; // key: colour and text
};

} // namespace tw
