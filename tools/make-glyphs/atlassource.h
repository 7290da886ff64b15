#pragma once

#include "canvas/glyphatlas.h"

#include <string>

namespace tw::glyphs {

// The atlas as a C++ source file defining gameFontAtlas(), to be compiled into the core.
std::string atlasSource(const GlyphAtlas& atlas, const std::string& madeFrom);

} // namespace tw::glyphs
