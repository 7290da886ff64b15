#pragma once

#include "canvas/picture.h"
#include "project/bytes.h"

#include <string>

namespace tw {

// Decodes a Windows bitmap (BMP) held in memory into an opaque picture. Every common variant loads: 1, 4,
// 8, 16, 24 and 32 bits, RLE4/RLE8, colour masks, top-down, OS/2 headers. A corrupt or truncated file
// gives a null picture and a reason in *error (UTF-8, in Russian, for the user); it never crashes and
// never allocates more than a sane picture needs.
Picture decodePicture(const Bytes& bytes, std::string* error = nullptr);

// Encodes a picture as a 24-bit Windows bitmap (alpha is dropped). A null picture gives no bytes.
Bytes encodeBmp(const Picture& picture);

} // namespace tw
