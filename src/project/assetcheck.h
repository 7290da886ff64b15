#pragma once

#include "project/bytes.h"

#include <string>

namespace tw {

// What a chosen file is meant to replace: a picture (BMP), a cursor (.ani, .cur or .ico), a sound effect
// (WAV) or the background music (MP3).
enum class AssetKind { Picture, Cursor, Wave, Mp3 };

// Checks that the bytes of a chosen file decode as the kind before they replace anything. Empty when
// they do; otherwise a short reason for the user in Russian, in lower case and without the file name
// (the caller names the file), e.g. "файл пуст", "файл обрезан", "это не картинка BMP". Reads only
// inside the bytes, whatever they hold.
std::string assetProblem(AssetKind kind, const Bytes& bytes);

// The bytes a chosen cursor is stored as under its slot's .ani name: an animated cursor as it is; a
// static cursor (.cur) or icon (.ico) wrapped unchanged as the one frame of an animated cursor (RIFF
// "ACON": an "anih" header of one frame and one step shown without end, the file as the frame's "icon"
// chunk), so that the slot's file is an animated cursor whatever was chosen. Call only with bytes that
// assetProblem(Cursor, ...) accepts.
Bytes storedCursor(const Bytes& bytes);

} // namespace tw
