#pragma once

#include "runtime/engine.h"

#include "project/bytes.h"

#include <string>

namespace tw {

inline constexpr const char* kNewGameQuestion = "Начать новую игру? Несохранённая игра будет потеряна.";
inline constexpr const char* kOpenGameQuestion =
    "Открыть сохранённую игру? Несохранённая игра будет потеряна.";
inline constexpr const char* kSaveBeforeExitQuestion = "Сохранить игру перед выходом?";
inline constexpr const char* kNoSavedGame = "Сохранённой игры нет.";
inline constexpr const char* kGameSaved = "Игра сохранена.";
inline constexpr const char* kGameNotStarted = "Игра ещё не начата.";

// The game as a player plays it, on an engine: the menu's "Новая игра", "Открыть" and "Сохранить", Esc
// between the game and the menu, and the question at the window's close. It owns no widget and no timer;
// the player's window hands its key presses and mouse presses here instead of to the engine.
//
// The record as loaded at start-up is the game as built; a new game starts from it. The player's own game
// lives in the save point file (mzh/data/baztyp.dll); the project file mzh/data/typ.dll is never written.
class GameSession {
public:
    // Installs itself as the engine's menu choice handler and makes the music loop. The engine must
    // outlive the session.
    explicit GameSession(Engine& engine);
    ~GameSession();
    GameSession(const GameSession&) = delete;
    GameSession& operator=(const GameSession&) = delete;

    // Starts the engine on its tree and keeps the record as built. False when the engine could not start
    // (already reported to the user).
    bool startUp();

    // Menu zone 1. With a game in progress asks kNewGameQuestion first (No by default); then the game as
    // built is played from its start scene.
    void newGame();
    // Menu zone 2. Reads the save point whole; a missing file says kNoSavedGame, a damaged or unreadable
    // one a message naming it, and the game stays as it was. Otherwise, after kOpenGameQuestion when a
    // game is in progress, the saved game is played from the scene it was saved in.
    void openGame();
    // Menu zone 3. Writes the record, with the scene being played as its start scene, to the save point
    // atomically and says kGameSaved (only when `announce`); a failure is reported naming the file and
    // why. The record in memory stays as it was. Before any game was started nothing is written and
    // kGameNotStarted is said. Returns true when the game was saved.
    bool saveGame(bool announce = true);

    // A key the window did not use itself. Esc in play goes to the menu; in the menu back to the game
    // started (if any); on the help screen back to the menu.
    void keyDown(int key);
    // A press on the canvas, in canvas pixels. On the help screen it returns to the menu; elsewhere it
    // goes to the engine.
    void mouseDown(MouseButton button, int x, int y);

    // The window is about to close. With a game in progress asks kSaveBeforeExitQuestion (Yes by
    // default): Yes saves; No closes. After a failed save (reported) kCloseQuestion is asked, No by
    // default: Yes closes without saving, No keeps the window open (false).
    bool closeRequested();

    // A game was started with New or Open.
    bool gameStarted() const { return started_; }
    // A game was started and its record differs from the bytes at the last start, open or save.
    bool gameInProgress() const;
    // The window's caption: the game's name.
    std::string caption() const { return engine_.gameName(); }
    // The record as built, as loaded at start-up.
    const Bytes& builtRecord() const { return built_; }

private:
    void menuChoice(int zone);
    // Replaces the whole record with `bytes` and plays it from its start scene.
    void play(const Bytes& bytes);
    void showScene();
    Bytes recordBytes() const;
    bool confirmLosingProgress(const char* question);

    Engine& engine_;
    Bytes built_;
    Bytes baseline_; // the record at the last start, open or save
    bool started_ = false;
};

} // namespace tw
