#pragma once

#include "project/bytes.h"

#include <map>
#include <string>

namespace tw {

// A game's files in one file, as a web page fetches them in one request: each file under its path
// relative to the game's folder ("mzh/data/typ.dll"), its bytes stored as they are.
//
// Layout, little-endian: the 8 bytes "TWPACK1\n", the number of files (32 bits), then for each file
// the length of its path (16 bits), the path in UTF-8, the length of its bytes (32 bits) and the bytes.
using GameFilesByPath = std::map<std::string, Bytes>;

inline constexpr char kGamePackMagic[] = "TWPACK1\n";
// More files than any game has (scenes, comics and data together stay under 1,000).
inline constexpr std::size_t kGamePackMaxFiles = 20000;

// A path a pack may hold: relative, '/' between its parts, no empty, "." or ".." part, no backslash and
// no control character, at most 1,000 bytes.
bool isPackablePath(const std::string& path);

// The pack of `files`; every path must be packable and every file under 4 GiB.
Bytes packGameFiles(const GameFilesByPath& files);

struct GamePackRead {
    bool ok = false;
    GameFilesByPath files;
    std::string reason; // why the pack was refused, when not ok
};
// Reads a pack, checking every length against what is left: a pack cut short, one with a path that is
// not packable or given twice, or with bytes after its last file, is refused whole.
GamePackRead readGamePack(const Bytes& pack);

} // namespace tw
