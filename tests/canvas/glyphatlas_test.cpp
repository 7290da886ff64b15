// Texts drawn from the glyph atlas against the same texts drawn by the toolkit, as the game has drawn
// them so far: the characters of Windows-1251 in random strings, in the game's colours, with the
// kerning of pairs and the characters the game font lacks (drawn from another font, which lowers the
// baseline of the whole text).
#include "canvas/drawing.h"
#include "canvas/glyphatlas.h"
#include "make-glyphs/glyphcapture.h"
#include "make-glyphs/gamefont.h"
#include "project/win1251.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QPainter>

#include <random>

namespace tw::test {
namespace {

// The text as the toolkit draws it for the game: in a rectangle from the top left, one line.
QImage drawnByTheToolkit(const QFont& font, const QString& text, QRgb colour) {
    const QFontMetrics metrics(font);
    QImage picture(std::max(1, metrics.horizontalAdvance(text) + 2), std::max(1, metrics.height() + 1),
                   QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setFont(font);
    painter.setPen(QColor::fromRgb(colour));
    painter.drawText(QRect(0, 0, picture.width(), picture.height()), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    return picture;
}

TEST(GlyphAtlas, TextsComeOutAsTheToolkitDrawsThem) {
    registerGameFont();
    const QFont font = gameFont();
    const GlyphAtlas& atlas = gameFontAtlas();
    std::vector<QByteArray> texts = {"Здравствуй, путник! Садись к огню.", "Костёр. Угли ещё горячие.", "двр-1", "P-2",
                                     "AV To Wa Ty. Г-н «Ёж»", "1>", "Ох, и жарко же сегодня!", "A\xC2\xADV", "AV\xC2\xAD",
                                     "\xC2\xAD\xC2\xAD", "пере\xC2\xADнос\xC2\xAD"};
    for (QByteArray& text : texts) text = QByteArray::fromStdString(toWin1251(text.toStdString()));
    std::mt19937 random(11);
    for (int i = 0; i < 400; ++i) {
        QByteArray text;
        // Every printable character; soft hyphens often, and now and then last, where they show.
        for (int n = 1 + int(random() % 40); n > 0; --n) text += random() % 8 == 0 ? '\xAD' : char(32 + random() % 224);
        texts.push_back(text);
    }
    long long textPixels = 0, differing = 0, sizes = 0;
    int worst = 0;
    for (const QByteArray& bytes : texts) {
        for (const QRgb colour : {kTextFirstPass, kTextSecondPass, kMarkerColour}) {
            const QImage expected = drawnByTheToolkit(font, QString::fromStdString(fromWin1251(bytes.constData(), std::size_t(bytes.size()))), colour);
            const TextStamp stamp = stampText(atlas, std::string_view(bytes.constData(), std::size_t(bytes.size())), colour & 0xFFFFFF);
            if (stamp.width != expected.width() || stamp.height != expected.height()) {
                ++sizes;
                continue;
            }
            for (int y = 0; y < stamp.height; ++y) {
                for (int x = 0; x < stamp.width; ++x) {
                    const QRgb a = expected.pixel(x, y);
                    const QRgb b = stamp.pixels[std::size_t(y * stamp.width + x)];
                    if (qAlpha(a) != 0 || qAlpha(b) != 0) ++textPixels;
                    if (a == b) continue;
                    ++differing;
                    worst = std::max({worst, std::abs(qAlpha(a) - qAlpha(b)), std::abs(qRed(a) - qRed(b)),
                                      std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
                }
            }
        }
    }
    EXPECT_EQ(sizes, 0);
    EXPECT_EQ(differing, 0) << differing << " of " << textPixels << " text pixels differ, by up to " << worst;
}

// The atlas compiled into the core is the font as the toolkit draws it on this machine: made again, it
// comes out the same, so the core's texts cannot drift from the font (or the font package from them).
TEST(GlyphAtlas, TheCompiledAtlasIsTheFontCapturedAfresh) {
    registerGameFont();
    const GlyphAtlas fresh = glyphs::captureGlyphAtlas(gameFont());
    const GlyphAtlas& compiled = gameFontAtlas();
    EXPECT_EQ(fresh.stampHeight, compiled.stampHeight);
    int differentCharacters = 0;
    for (int b = 0; b < 256; ++b) {
        const bool same = fresh.advance64[b] == compiled.advance64[b] && fresh.lineAscent64[b] == compiled.lineAscent64[b] &&
                          fresh.face[b] == compiled.face[b] && fresh.script[b] == compiled.script[b] &&
                          std::equal(std::begin(fresh.pictures[b]), std::end(fresh.pictures[b]), std::begin(compiled.pictures[b]));
        if (!same) ADD_FAILURE() << "character 0x" << std::hex << b << " differs", ++differentCharacters;
    }
    EXPECT_EQ(fresh.kerning64, compiled.kerning64);
    EXPECT_TRUE(fresh == compiled) << differentCharacters << " characters differ";
}

} // namespace
} // namespace tw::test
