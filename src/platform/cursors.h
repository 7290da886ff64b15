#pragma once

#include "platform/anicursor.h"

#include <optional>

namespace tw {

// Cursor slots 1..8 and the canvas pointer.
inline constexpr int kCursorSlots = 8;
enum CursorSlot : int {
    cursorNeutral = 1,
    cursorMenu = 2,
    cursorTransition = 3,
    cursorItem = 4,
    cursorDialog = 5,
    cursorLook = 6,
    cursorUnavailable = 7,
    cursorClock = 8,
};
// Pointer shapes that are not slots.
inline constexpr int kCursorHidden = 0;   // no pointer over the canvas
inline constexpr int kCursorDefault = -1; // the toolkit's arrow

class CursorDisplay {
public:
    virtual ~CursorDisplay() = default;
    // Puts a decoded cursor into slot 1..8; nullopt empties the slot, which then shows the default arrow.
    virtual void install(int slot, std::optional<AniCursor> cursor) = 0;
    // Shows slot 1..8, kCursorHidden or kCursorDefault over the canvas.
    virtual void show(int shape) = 0;
};

// No pointer at all: for play without a window (a replay, the game check).
class NoCursors final : public CursorDisplay {
public:
    void install(int, std::optional<AniCursor>) override {}
    void show(int) override {}
};

} // namespace tw
