#pragma once

#include <QFont>
#include <QString>

namespace tw {

// Every text of the game and the editor's canvas is drawn in the family "tahoma".
inline constexpr char kGameFontFamily[] = "tahoma";
// Where Debian's fonts-wine package puts its Tahoma (tahoma.ttf, tahomabd.ttf); fontconfig does not
// look there, so the program registers the files itself.
inline constexpr char kDefaultGameFontDir[] = "/usr/share/wine/fonts";

// Registers tahoma.ttf and tahomabd.ttf from fontDir with the application, replacing the fonts and the
// substitution of any earlier call, so that the family "tahoma" resolves to them. When the regular face
// is missing or unreadable, "tahoma" is mapped to the system's sans face instead (a Tahoma installed on
// the system still wins). Needs a QGuiApplication. Returns true when the regular face was registered.
bool registerGameFont(const QString& fontDir);
// The same from kDefaultGameFontDir; called once at start-up.
void registerGameFont();

// The font of the game's texts: "tahoma", size 10 as on the original 96-dpi screen, i.e. 13 pixels.
QFont gameFont();

} // namespace tw
