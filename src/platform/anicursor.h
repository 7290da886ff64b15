#pragma once

#include "canvas/geometry.h"
#include "canvas/picture.h"
#include "project/bytes.h"

#include <optional>
#include <string>
#include <vector>

namespace tw {

// One decoded Windows animated cursor (.ani, RIFF "ACON").
struct AniCursor {
    struct Frame {
        Picture image; // 0xAARRGGBB, alpha not premultiplied
        Point hotspot; // from the CUR directory entry; (0, 0) for ICO frames
    };
    std::vector<Frame> frames;    // the distinct images of the "fram" list, in file order
    std::vector<int> sequence;    // indices into frames, in the order they are shown
    std::vector<int> stepJiffies; // display time of each sequence step, in 1/60 s; same length as sequence
};

// The size Windows loads cursors at by default. Of the images stored for one frame, the one nearest to
// this size is taken (then the one with more colours); no image is scaled.
inline constexpr int kDefaultCursorSize = 32;

// Decodes an .ani file held in memory. Malformed input (truncated chunks, sizes pointing past the end,
// no frames, undecodable images) gives nullopt and a reason in *error; it never reads outside the bytes.
// The reason is UTF-8, in Russian; the caller adds the file name.
std::optional<AniCursor> decodeAniCursor(const Bytes& bytes, std::string* error = nullptr);

// Decodes a static cursor or icon file (.cur type 2, .ico type 1) into one frame; the hotspot comes from
// the cursor's directory entry and is (0, 0) for an icon. Same failure contract as decodeAniCursor.
std::optional<AniCursor::Frame> decodeCursorFile(const Bytes& bytes, std::string* error = nullptr);

// Decodes either kind, as Windows' cursor loader does whatever the file is called: an animated cursor,
// or a static one given as a single step of 0 jiffies.
std::optional<AniCursor> decodeCursor(const Bytes& bytes, std::string* error = nullptr);

} // namespace tw
