#include "make-glyphs/gamefont.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

namespace tw {
namespace {

// Counts the pixels a text darkens on a white picture, so a test can tell that glyphs were drawn.
int inkedPixels(const QFont& font, const QString& text) {
    QImage image(200, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(2, 28, text);
    }
    int inked = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) inked += qGray(image.pixel(x, y)) < 128;
    return inked;
}

class GameFontTest : public ::testing::Test {
protected:
    // Leave the application with the real font registered, as the program runs.
    void TearDown() override { registerGameFont(); }
};

TEST_F(GameFontTest, TahomaFromTheWineFontsServesRussianTexts) {
    if (!QFile::exists(QStringLiteral("/usr/share/wine/fonts/tahoma.ttf")))
        GTEST_SKIP() << "fonts-wine is not installed";
    ASSERT_TRUE(registerGameFont(QString::fromLatin1(kDefaultGameFontDir)));

    const QFont font = gameFont();
    EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("Tahoma"));
    EXPECT_EQ(font.pixelSize(), 13) << "size 10 at 96 dpi, whatever this screen's dpi";
    EXPECT_EQ(QFontInfo(font).pixelSize(), 13);

    const QFontMetrics metrics(font);
    for (const QChar c : QStringLiteral("ЖжЁёЩщЯяЪъ")) EXPECT_TRUE(metrics.inFont(c)) << int(c.unicode());
    EXPECT_GT(inkedPixels(font, QStringLiteral("Предмет")), 20);

    // The bold face comes from tahomabd.ttf.
    QFont bold = font;
    bold.setBold(true);
    EXPECT_EQ(QFontInfo(bold).family(), QStringLiteral("Tahoma"));
    EXPECT_TRUE(QFontInfo(bold).bold());
}

TEST_F(GameFontTest, WithoutTheFontFilesTextsFallBackToTheSansFace) {
    QTemporaryDir emptyDir;
    ASSERT_TRUE(emptyDir.isValid());
    // A registration from the real folder comes first, so this also checks that it is taken back.
    registerGameFont();
    EXPECT_FALSE(registerGameFont(emptyDir.path()));

    const QFont font = gameFont();
    // A Tahoma installed on the system would rightly still be found; only without one must it be gone.
    if (!QFontDatabase::hasFamily(QStringLiteral("Tahoma"))) {
        EXPECT_NE(QFontInfo(font).family(), QStringLiteral("Tahoma"));
    }
    EXPECT_GT(QFontMetrics(font).horizontalAdvance(QStringLiteral("Сцена 1")), 0);
    EXPECT_GT(inkedPixels(font, QStringLiteral("Сцена 1")), 20);

    // A file that is not a font counts as absent.
    QFile junk(emptyDir.filePath(QStringLiteral("tahoma.ttf")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(2000, 'x'));
    junk.close();
    EXPECT_FALSE(registerGameFont(emptyDir.path()));
    EXPECT_GT(inkedPixels(gameFont(), QStringLiteral("Сцена 1")), 20);
}

} // namespace
} // namespace tw
