// Makes the source file of the game font's glyph atlas: draws every Windows-1251 character of the game
// font with the toolkit and writes what it drew as C++ data the core compiles in.
//   make-glyphs src/canvas/gamefontatlas.cpp
#include "atlassource.h"
#include "glyphcapture.h"
#include "make-glyphs/gamefont.h"

#include <QFontInfo>
#include <QGuiApplication>

#include <fstream>
#include <iostream>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::cerr << "usage: make-glyphs <file.cpp>\n";
        return 2;
    }
    if (!tw::registerGameFont(QString::fromLatin1(tw::kDefaultGameFontDir))) {
        std::cerr << "make-glyphs: the game font is not in " << tw::kDefaultGameFontDir << " (package fonts-wine)\n";
        return 1;
    }
    const QFont font = tw::gameFont();
    const std::string madeFrom = QFontInfo(font).family().toStdString() + " at " + std::to_string(QFontInfo(font).pixelSize()) + " pixels";
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out << tw::glyphs::atlasSource(tw::glyphs::captureGlyphAtlas(font), madeFrom);
    out.close();
    if (!out) {
        std::cerr << "make-glyphs: cannot write " << argv[1] << '\n';
        return 1;
    }
    return 0;
}
