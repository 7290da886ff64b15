#pragma once

#include "project/bytes.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <optional>

namespace tw {

class Engine;
enum class AssetKind;

// Files the author chooses: the chooser each page opens, the one read of the chosen file with its
// limits, and the question about a picture of the wrong size.

// The largest chosen file taken for each kind, in bytes, checked before the file is read. A picture:
// 32 MiB (a 4096 x 2048 sheet in 32 bits; the play area is 1009 x 700); a cursor: 4 MiB (hundreds of
// frames of 64 x 64); a sound effect (WAV) and the music (MP3): 64 MiB (six minutes of CD sound, an hour
// of MP3). A replacement's step, the old file and the new, takes at most half the undo history's budget,
// so no single replacement crowds the history out.
qint64 largestChosenFile(AssetKind kind);

// Shows the chooser for a file of `kind` with `title` in its title bar, opening in the folder a file of
// that kind was last chosen from (the project's graf/ the first time). Empty when cancelled.
QString chooseAssetFile(Engine& engine, AssetKind kind, const QString& title);

// A chosen file as read, and for a picture as decoded.
struct ChosenFile {
    Bytes bytes;
    QImage picture;
};

// Reads a chosen file once, after checking on disk that it is a regular file within the kind's limit,
// with progress shown for a long read, and checks that it decodes as `kind`. On any fault a message
// names the file and the fault, always in the same words for the same fault:
//   "Файл <path> не удалось прочитать: <reason>"          it could not be opened or read;
//   "Файл <path> не подходит: <reason>. Прежний файл оставлен."  not a regular file, too large,
//                                                           or not a file of the kind (assetProblem);
// and nullopt is returned.
std::optional<ChosenFile> readChosenFile(Engine& engine, AssetKind kind, const QString& chosen);

// True when `actual` is the size the page asks for, or when the author, asked with both sizes named,
// takes the picture anyway (No is the default answer).
bool takePictureOfSize(Engine& engine, const QString& chosen, QSize actual, QSize wanted);

} // namespace tw
