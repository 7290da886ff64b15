#include "make-glyphs/gamefont.h"

#include <QDir>
#include <QFontDatabase>
#include <QStringList>

#include <vector>

namespace tw {

namespace {

// The texts were laid out for size 10 on a 96-dpi screen: 10 points * 96 / 72 = 13.3, which that system
// rounded to a 13-pixel em. Sizing in pixels keeps the same layout on a screen of any resolution; a
// point size would grow with the screen's dpi and push texts out of their boxes and shadows.
constexpr int kGameFontPixelSize = 13;

// Fonts added by the last registration, so a new one can take them back first.
std::vector<int>& registeredFonts() {
    static std::vector<int> ids;
    return ids;
}

// Adds one font file; returns the families it brings, empty when the file is missing or not a font.
QStringList addFont(const QString& path) {
    const int id = QFontDatabase::addApplicationFont(path);
    if (id < 0) return {};
    registeredFonts().push_back(id);
    return QFontDatabase::applicationFontFamilies(id);
}

QString systemSansFamily() {
    QString family = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    if (family.isEmpty()) {
        QFont sans;
        sans.setStyleHint(QFont::SansSerif);
        family = sans.defaultFamily();
    }
    return family;
}

} // namespace

bool registerGameFont(const QString& fontDir) {
    const QString family = QString::fromLatin1(kGameFontFamily);
    for (const int id : registeredFonts()) QFontDatabase::removeApplicationFont(id);
    registeredFonts().clear();
    QFont::removeSubstitutions(family);

    const QDir dir(fontDir);
    const QStringList families = addFont(dir.filePath(QStringLiteral("tahoma.ttf")));
    addFont(dir.filePath(QStringLiteral("tahomabd.ttf")));

    if (families.isEmpty()) {
        // No Tahoma file: the texts fall back on the system's sans face rather than on whatever the font
        // matcher would pick for an unknown name.
        QFont::insertSubstitution(family, systemSansFamily());
        return false;
    }
    // Family names match regardless of case; a file that names itself otherwise gets an alias.
    if (!families.contains(family, Qt::CaseInsensitive)) QFont::insertSubstitution(family, families.first());
    return true;
}

void registerGameFont() {
    registerGameFont(QString::fromLatin1(kDefaultGameFontDir));
}

QFont gameFont() {
    QFont font(QString::fromLatin1(kGameFontFamily));
    font.setPixelSize(kGameFontPixelSize);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

} // namespace tw
