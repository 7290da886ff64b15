#pragma once

#include "canvas/changedarea.h"
#include "canvas/geometry.h"
#include "canvas/screenstate.h"
#include "project/projectrecord.h"

#include <array>
#include <bitset>
#include <cstdint>

namespace tw {

// What an attached editor asks the overlay tick to draw of the grid's cells.
struct CellAids {
    bool outlines = false;   // outlines of the walkable cells over the background
    bool trails = false;     // two dots on each walkable cell of the scene shown
    Point pointerCell;       // the cell under the passability brush, outlined in red; (0, 0) none
};

// Everything the overlay tick draws from. Equal inputs on an untouched canvas give the same pixels, so
// the tick need not draw them again.
struct OverlayInputs {
    ScreenMode mode = ScreenMode::Menu;
    std::uint16_t scene = 0;
    bool menu = false;   // the menu picture with its zone outlines
    bool cells = false;  // the background with the outlines of the walkable cells
    bool trails = false; // two dots on each walkable cell
    std::array<std::uint16_t, 4 * kMenuZones> zones{}; // x1, y1, x2, y2 of each zone; only with `menu`
    std::bitset<kGridColumns * kGridRows> walkable;    // column-major; only with `cells` or `trails`
    Point pointerCell;                                 // outlined in red on the passability page; (0, 0) none
    std::uint64_t backgroundKey = 0;                   // cache key of backgroundPicture

    bool drawsAnything() const { return menu || cells || trails; }
    bool operator==(const OverlayInputs&) const = default;
};

// What the overlay tick last drew: its inputs and the canvas's cache key right after drawing. A canvas
// whose key has moved on was drawn over by someone else since.
struct OverlayMemo {
    OverlayInputs drawnFrom;
    std::uint64_t canvasKey = 0; // 0: never drew
};

// What the last play frame drew: with the same background and a canvas nobody drew on since, the next
// frame can differ from it only where either frame drew something over the background.
struct FrameMemo {
    std::uint64_t canvasKey = 0;     // the canvas's cache key after the frame; 0: no frame to build on
    std::uint64_t backgroundKey = 0; // cache key of backgroundPicture during the frame
    ChangedArea drawn;               // where the frame drew over its background
};

} // namespace tw
