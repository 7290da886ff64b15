#pragma once

#include "platform/filedialogs.h"
#include "platform/memoryfiles.h"
#include "platform/random.h"
#include "runtime/engine.h"
#include "runtime/gamesession.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tw {

class Audio;
class CursorDisplay;
class Messages;

// The game as a web page plays it: the game's files in memory, taken from its pack, played by the same
// engine and session as the desktop player. The page hands in its input and timer ticks and shows the
// frame; messages, sound and cursors go to the page through the seams given. Nothing here knows the
// browser, so the whole player is tested like any other code.
class WebPlayer {
public:
    WebPlayer(Messages& messages, Audio& audio, CursorDisplay& cursors, std::uint32_t seed);
    ~WebPlayer();
    WebPlayer(const WebPlayer&) = delete;
    WebPlayer& operator=(const WebPlayer&) = delete;

    // Reads the pack and starts the game up to its menu. `savedGame`, when not empty, is the game saved
    // in an earlier visit, put where "Открыть" looks for it. False when the pack or the game cannot be
    // read; the reason has been shown.
    bool start(const Bytes& pack, const Bytes& savedGame);
    bool started() const { return started_; }

    // A write of the saved game: the page keeps it in the browser's storage.
    std::function<void(const Bytes& savedGame)> gameSaved;

    // The frame timer's period and tick; the overlay tick every 10 ms. Each returns whether the frame
    // may have changed.
    int frameInterval() const;
    bool frameTick();
    bool overlayTick();

    // Input, in canvas pixels (the page scales its own coordinates).
    void mouseMove(int x, int y);
    void mouseDown(bool right, int x, int y);
    void mouseUp();
    void escape();
    // The page is being left: asks about saving a game in progress as the desktop player does on
    // closing. True when the page may go.
    bool closing();
    // A game was started and has changed since it was last started, opened or saved: leaving the page
    // would lose it.
    bool gameInProgress() const { return started_ && session_->gameInProgress(); }

    // The game's name, for the page's title.
    std::string caption() const;
    // The frame was drawn on since frameRgba() last gave it: a page that stands still redraws nothing.
    bool frameChanged() const;
    // The part of the frame that may differ from the one last given (the whole frame when the game drew
    // without saying where); empty when nothing changed.
    Rect changedRect() const;
    // The frame as RGBA bytes, four per pixel, rows from the top, ready for the page's canvas; only the
    // changed part is made again.
    const std::vector<std::uint8_t>& frameRgba();
    int frameWidth() const;
    int frameHeight() const;
    // The game being played, for a look at its state; null before a start.
    const Engine* engine() const { return engine_.get(); }
    // The action zones (Space held): x, y, width, height of each, in canvas pixels.
    std::vector<int> actionZoneRects() const;

private:
    Messages& messages_;
    Audio& audio_;
    CursorDisplay& cursors_;
    SeededRandom random_;
    NoFileDialogs dialogs_;
    std::unique_ptr<MemoryFileSystem> files_;
    std::unique_ptr<Engine> engine_;
    std::unique_ptr<GameSession> session_;
    std::vector<std::uint8_t> rgba_;
    std::uint64_t shownKey_ = 0; // the canvas's key when rgba_ was made
    Rect changed_;               // what the ticks said they drew since then
    bool whole_ = true;          // something drew without saying where: the whole frame is made again
    bool started_ = false;
};

} // namespace tw
