#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

// A recording of play: the seed the game's random source started from and the input as it reached the
// game, each event stamped with the number of frame ticks that had run when it came. Played back at the
// same ticks on the same game with the same seed, it gives the same game, frame by frame.
//
// The file is text in UTF-8, one line each, fields separated by one space, lines ending in "\n":
//
//   tarnwick-recording 1          what the file is, and the version of its format
//   seed S                        the random source's seed, 0..4294967295
//   move T X Y H                  the pointer moved to canvas pixel (X, Y); H is the canvas height then
//   press T B X Y                 a button went down at (X, Y); B is "left" or "right"
//   double T B X Y                the second press of a double-click
//   release T                     the button came up
//   key T K                       a key the game took (K its key code: 27 is Esc)
//   answer T yes|no               the answer given to a question the game asked; T is the tick when it
//                                 was given (frame ticks go on while a question waits)
//   end T                         the game was closed after T frame ticks; the last line, and optional
//
// T never decreases from one line to the next. An answer follows the event that made the game ask.
struct InputEvent {
    enum class Kind { Move, Press, DoubleClick, Release, Key, Answer };
    Kind kind = Kind::Move;
    std::uint32_t tick = 0;
    bool rightButton = false; // presses and double-clicks
    int x = 0;                // moves, presses and double-clicks
    int y = 0;
    int height = 0;   // moves
    int key = 0;      // keys
    bool yes = false; // answers
};

struct InputLog {
    std::uint32_t seed = 0;
    std::vector<InputEvent> events;
    // The frame ticks that had run when play ended; absent in a recording written without one.
    std::optional<std::uint32_t> end;
};

// The limits a recording is held to when read (and the recorder keeps to when writing).
inline constexpr std::size_t kMaxRecordingBytes = 64u * 1024u * 1024u;
inline constexpr std::size_t kMaxRecordingEvents = 2'000'000;
inline constexpr std::uint32_t kMaxRecordingTick = 2'000'000; // over 11 hours at the fastest frame rate
inline constexpr int kMaxRecordedX = 1008;                    // the canvas is 1009 x 700
inline constexpr int kMaxRecordedY = 699;
inline constexpr int kMaxRecordedHeight = 4096;
inline constexpr int kMaxRecordedKey = 255;
inline constexpr const char* kRecordingHeader = "tarnwick-recording 1";

// The text of a recording.
std::string writeInputLog(const InputLog& log);

struct InputLogRead {
    bool ok = false;
    InputLog log;
    // Why the text was refused, in Russian and naming the line ("строка 7: ..."); empty when ok.
    std::string reason;
};

// Reads a recording from untrusted bytes: the size, the header, every number and every word are checked,
// and the ticks must never decrease. Anything else refuses the whole text with the first fault found.
InputLogRead readInputLog(std::string_view text);

} // namespace tw
