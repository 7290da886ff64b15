#pragma once

#include "canvas/glyphatlas.h"

#include <QFont>

namespace tw::glyphs {

// Draws every Windows-1251 character of `font` with the toolkit at each quarter pixel position and keeps
// what it drew, with the font's advances and kerning: the atlas the game's texts are drawn from.
GlyphAtlas captureGlyphAtlas(const QFont& font);

} // namespace tw::glyphs
