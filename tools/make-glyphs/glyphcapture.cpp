#include "glyphcapture.h"

#include "project/win1251.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QGlyphRun>
#include <QRawFont>
#include <QTextLayout>

#include <cmath>

namespace tw::glyphs {
namespace {

QString character(int b) {
    const char c = char(b);
    return QString::fromStdString(fromWin1251(&c, 1));
}

int in64(qreal value) { return int(std::lround(value * 64)); }

GlyphAtlas::Script scriptOf(const QString& text) {
    if (text.isEmpty()) return GlyphAtlas::Common;
    switch (text.front().script()) {
    case QChar::Script_Latin: return GlyphAtlas::Latin;
    case QChar::Script_Cyrillic: return GlyphAtlas::Cyrillic;
    default: return GlyphAtlas::Common;
    }
}

} // namespace

GlyphAtlas captureGlyphAtlas(const QFont& font) {
    GlyphAtlas atlas;
    const QFontMetrics metrics(font);
    const QFontMetricsF exact(font);
    atlas.stampHeight = metrics.height() + 1;
    constexpr int kOrigin = 16;
    QStringList faces{font.family()};
    for (int b = 0; b < 256; ++b) {
        const QString text = character(b);
        atlas.advance64[b] = in64(exact.horizontalAdvance(text));
        atlas.script[b] = scriptOf(text);
        // The line the character would stand in alone: its ascent and the font it is drawn in.
        QTextLayout layout(text, font);
        layout.beginLayout();
        const QTextLine line = layout.createLine();
        layout.endLayout();
        atlas.lineAscent64[b] = in64(line.ascent());
        const QList<QGlyphRun> runs = line.glyphRuns();
        const QString family = runs.isEmpty() ? font.family() : runs.front().rawFont().familyName();
        if (!faces.contains(family)) faces << family;
        atlas.face[b] = std::uint8_t(faces.indexOf(family));
        for (int step = 0; step < GlyphAtlas::kSubpixelSteps; ++step) {
            QImage picture(4 * kOrigin, 4 * kOrigin, QImage::Format_ARGB32_Premultiplied);
            picture.fill(Qt::transparent);
            QPainter painter(&picture);
            painter.setFont(font);
            painter.setPen(Qt::white);
            // A soft hyphen alone draws nothing; where it shows, at the end of a text, it is the hyphen.
            painter.drawText(QPointF(kOrigin + step * 16 / 64.0, 2 * kOrigin), b == 0xAD ? QStringLiteral("-") : text);
            painter.end();
            int x1 = picture.width(), y1 = picture.height(), x2 = -1, y2 = -1;
            for (int y = 0; y < picture.height(); ++y) {
                for (int x = 0; x < picture.width(); ++x) {
                    if (qAlpha(picture.pixel(x, y)) == 0) continue;
                    x1 = std::min(x1, x);
                    y1 = std::min(y1, y);
                    x2 = std::max(x2, x);
                    y2 = std::max(y2, y);
                }
            }
            GlyphPicture& glyph = atlas.pictures[b][step];
            if (x2 < 0) continue;
            glyph.left = x1 - kOrigin;
            glyph.top = y1 - 2 * kOrigin;
            glyph.width = x2 - x1 + 1;
            glyph.height = y2 - y1 + 1;
            for (int y = y1; y <= y2; ++y) {
                for (int x = x1; x <= x2; ++x) glyph.coverage.push_back(std::uint8_t(qAlpha(picture.pixel(x, y))));
            }
        }
    }
    for (int a = 0; a < 256; ++a) {
        for (int b = 0; b < 256; ++b) {
            const int kern = in64(exact.horizontalAdvance(character(a) + character(b))) - atlas.advance64[a] - atlas.advance64[b];
            if (kern != 0) atlas.kerning64[std::uint16_t(a << 8 | b)] = kern;
        }
    }
    return atlas;
}

} // namespace tw::glyphs
