#pragma once

namespace tw {

class Editor;
class Engine;

// The game's own cursors and sounds: files of fixed names that the author replaces by chosen ones. A
// chosen file is checked before it replaces anything (a cursor our reader takes, a WAV or MP3 that
// parses), each replacement is one undoable step, and what replaced it is used at once.

inline constexpr const char* kCursorFilter = "Cursur (*.ani)";
inline constexpr const char* kWaveFilter = "Sound (*.wav)";
inline constexpr const char* kMp3Filter = "Sound (*.mp3)";

// Replaces the file of cursor slot 1..8 and installs the new cursor in the slot, so it shows at once
// wherever the slot is in use.
bool replaceCursor(Editor& editor, int slot);

enum class GameSound { Transition, Click, Event }; // hod.wav, clik.wav, even.wav
// Stops the effects playing, then replaces the sound's file; the next time it is played it is the new one.
bool replaceSound(Editor& editor, GameSound sound);

// "Фоновый музон (mp3)": the music stops, a chosen MP3 replaces fon.mp3, and then, chosen or not, the
// music plays from the start and loops.
bool replaceMusic(Editor& editor);
// "Фон в редакторе гнать?": looping music starts when off, stops when on.
void toggleMusic(Engine& engine);

} // namespace tw
