#pragma once

#include <QByteArray>
#include <QString>

namespace tw {

// What a chosen file is meant to replace: a picture (BMP), a cursor (.ani, .cur or .ico), a sound effect
// (WAV) or the background music (MP3).
enum class AssetKind { Picture, Cursor, Wave, Mp3 };

// Checks that the bytes of a chosen file decode as the kind before they replace anything. Empty when
// they do; otherwise a short reason for the user in Russian, in lower case and without the file name
// (the caller names the file), e.g. "файл пуст", "файл обрезан", "это не картинка BMP". Reads only
// inside the bytes, whatever they hold.
QString assetProblem(AssetKind kind, const QByteArray& bytes);

} // namespace tw
