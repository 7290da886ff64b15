#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QPoint>

namespace tw::demo {

// One picture of a cursor and the point of it that the pointer's position means.
struct CursorFrame {
    QImage image; // up to 256 x 256, with alpha
    QPoint hotspot;
};

// A Windows animated cursor: the distinct pictures, the order they are shown in and for how long.
struct AnimatedCursor {
    QList<CursorFrame> frames;
    QList<int> sequence;    // indices into frames; empty = every frame once, in order
    QList<int> jiffies;     // display time of each step in 1/60 s; empty = defaultJiffies for every step
    int defaultJiffies = 10;
};

// A complete .cur file (type 2) holding one picture: a 32-bit image with its alpha, followed by the 1-bit
// mask that older readers use (set where the picture is fully transparent). The hotspot goes into the
// directory entry.
QByteArray encodeCursorFile(const CursorFrame& frame);

// A complete .ani file: RIFF "ACON" with the "anih" header, "rate" and "seq " when given, and a
// "LIST" "fram" of "icon" chunks each holding one .cur file.
QByteArray encodeAniCursor(const AnimatedCursor& cursor);

} // namespace tw::demo
