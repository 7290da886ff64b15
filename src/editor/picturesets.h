#pragma once

#include "canvas/picture.h"

#include <QImage>
#include <QString>

namespace tw {

class Editor;
class Engine;

// The fixed pictures of a game and the pages that put pictures into them: the menu and help
// backgrounds, the item panel, the item strips (100 cells of 50 x 50 and of 20 x 20), the door strip
// (50 cells of 60 x 90) and the comics of mzh/Kom. Every change is one step of the editor, and a
// changed strip reaches its file at once (atomically), not only at close.

inline constexpr int kLargeItemSize = 50;
inline constexpr int kSmallItemSize = 20;
inline constexpr int kDoorPictureWidth = 60;
inline constexpr int kDoorPictureHeight = 90;
inline constexpr int kDoorPictureCount = 50;
// A door keeps its comic in one byte.
inline constexpr int kComicLimit = 255;
inline constexpr const char* kPictureFilter = "Bitmaps (*.bmp)";

// The cell a picture becomes: its top-left w x h pixels; where the picture is smaller than the cell the
// rest is filled with the picture's own bottom-left colour, so the cell's bottom-left pixel (the colour
// left out when it is drawn) is still the picture's transparent colour.
Picture fitToCell(const QImage& picture, int w, int h);
// The strip with cell n (1-based, cells of w x h side by side from x = 0) replaced by fitToCell(picture).
// A strip is never widened: the part of a cell beyond its right edge is lost.
Picture withCell(const Picture& strip, int w, int h, int n, const QImage& picture);
// A menu or help background covers the whole play area: a smaller picture is put at the top left of a
// black one, so the screen shows no remains of what was there before. A larger one stays as it is.
Picture fillScreen(const QImage& picture);

enum class Backdrop { Menu, Help };
// "фон меню" / "фон help": the chosen picture is written anew as BMP over mzh/data/menu or help; only
// when it has loaded and been written does the screen switch to the menu or the help and show it.
bool replaceBackdrop(Editor& editor, Backdrop which);
// "Загрузить понель": the chosen picture replaces mzh/data/pon after it has decoded.
bool replacePanel(Editor& editor);
// "Заменить" on "Предметы": asks for the 50 x 50 and then the 20 x 20 picture of currentItem; both are
// decoded before either strip changes, then both strips are written, as one step.
bool replaceItemPictures(Editor& editor);
// "Заменить" on "Дверь": door picture closedDoorPick.
bool replaceDoorPicture(Editor& editor);
// "Добавить" on "Комикс": the chosen picture becomes comic comicCount + 1; only once it is in place does
// comicCount rise and comicPick follow. Refused with a message at kComicLimit comics.
bool addComic(Editor& editor);
// "Заменить" on "Комикс": comic comicPick, which must be one of the comics 1..comicCount.
bool replaceComic(Editor& editor);

// The steppers: one down or up, clamped silently (items 1..100, door pictures 1..50, comics
// 1..comicCount).
void stepItem(Engine& engine, int delta);
void stepDoorPick(Engine& engine, int delta);
void stepComicPick(Engine& engine, int delta);

// Cuts the pictures of currentItem into largeItemPicture and smallItemPicture, and door picture
// closedDoorPick into doorPicture.
void cutItemPictures(Engine& engine);
void cutDoorPicture(Engine& engine);

// The previews: Image3 (97 x 57, silver, the large picture at (0, 0) and the small one at (51, 0)),
// Image10 (65 x 97, silver, the door picture at (0, 0)), both drawn transparently, and Image11 (the whole
// comic comicPick stretched to 137 x 137; null when comicPick is no comic or its file does not load, the
// failure reported once).
QImage itemPreview(Engine& engine);
QImage doorPreview(Engine& engine);
QImage comicPreview(Engine& engine);

} // namespace tw
