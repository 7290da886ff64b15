#pragma once

namespace tw {

class FileSystem;
class Messages;
class Audio;
class CursorDisplay;
class RandomSource;
class FileDialogs;

// The outside world as the engine sees it. Real implementations live in the application; tests hand in
// fakes.
struct Services {
    FileSystem& files;
    Messages& messages;
    Audio& audio;
    CursorDisplay& cursors;
    RandomSource& random;
    FileDialogs& dialogs;
};

} // namespace tw
