#pragma once

#include "canvas/picture.h"

#include <string_view>

namespace tw {

// Decodes a PNG image as cursor and icon files embed them: 8 bits per channel, grey or RGB, with or
// without alpha, not interlaced. Gives 0xAARRGGBB pixels (alpha not premultiplied), or a null picture for
// a damaged stream, another kind of PNG, or one larger than maxSide on either side. Damage is judged
// as the common PNG library judges it: a bad checksum of a critical chunk, a missing chunk, a stream that
// runs short of the rows, or the file ending before IEND refuses the image; a bad checksum of an
// ancillary chunk, and damage to the compressed stream after the last row, do not.
Picture decodePng(std::string_view bytes, int maxSide);

} // namespace tw
