#pragma once

#include "project/bytes.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace tw {

// Windows-1251 (Cyrillic) conversion used by every text of the project record; texts are UTF-8.
// Decoding is lossless: each of the 256 byte values maps to one character.
std::string fromWin1251(const char* bytes, std::size_t length);
inline std::string fromWin1251(std::string_view bytes) { return fromWin1251(bytes.data(), bytes.size()); }

// Encodes text; every character that Windows-1251 cannot hold becomes '?', one byte per character
// (characters outside the Basic Multilingual Plane too; a malformed UTF-8 byte counts as one character).
Bytes toWin1251(std::string_view text);

// The text without the characters Windows-1251 cannot hold (each one that is left out goes to `dropped`,
// once per kind), so that what the author sees is what the game stores.
std::string keepWin1251(std::string_view text, std::string* dropped = nullptr);

} // namespace tw
