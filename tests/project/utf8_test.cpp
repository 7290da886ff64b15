#include "project/utf8.h"
#include "project/win1251.h"

#include <gtest/gtest.h>

#include <QList>
#include <QString>

#include <random>

namespace tw {
namespace {

// Random texts from a pool of Cyrillic, Latin, signs, astral characters and every kind of white space
// the toolkit knows (and some it does not: U+001F, U+200B; not U+FEFF, which the toolkit drops from the start of UTF-8).
QString randomText(std::mt19937& random) {
    static const QString pool = QStringLiteral("аЯёЁ aZ09?«»—€漢\t\n\v\f\r\u0085\u00A0\u1680\u2003\u2028\u2029\u202F\u205F"
                                               "\u3000\u001F\u200B") +
                                QString::fromUcs4(U"😀𝄞");
    QString text;
    const int n = std::uniform_int_distribution<int>(0, 24)(random);
    for (int i = 0; i < n; ++i) {
        const int k = std::uniform_int_distribution<int>(0, int(pool.size()) - 1)(random);
        if (pool.at(k).isLowSurrogate()) text += pool.mid(k - 1, 2);
        else if (pool.at(k).isHighSurrogate()) text += pool.mid(k, 2);
        else text += pool.at(k);
    }
    return text;
}

// Counting, cutting and trimming UTF-8 give what the toolkit's own string gives for the same text.
TEST(Utf8Texts, CountCutAndTrimAgreeWithTheToolkit) {
    std::mt19937 random(8);
    for (int round = 0; round < 2000; ++round) {
        const QString text = randomText(random);
        const std::string utf8 = text.toStdString();
        EXPECT_EQ(characterCount(utf8), std::size_t(text.toUcs4().size())) << utf8;
        EXPECT_EQ(QString::fromStdString(std::string(trimmed(utf8))), text.trimmed()) << utf8;
        const std::size_t n = std::uniform_int_distribution<std::size_t>(0, 30)(random);
        const QList<uint> ucs4 = text.toUcs4();
        const QString expected = QString::fromUcs4(reinterpret_cast<const char32_t*>(ucs4.constData()),
                                                   qsizetype(std::min<std::size_t>(n, std::size_t(ucs4.size()))));
        EXPECT_EQ(QString::fromStdString(std::string(leftCharacters(utf8, n))), expected) << utf8;
        // Decoding one character at a time and encoding it again gives the text back.
        std::string again;
        for (std::size_t at = 0; at < utf8.size();) appendCharacter(again, nextCharacter(utf8, at));
        EXPECT_EQ(again, utf8);
    }
}

// A malformed byte is one character that the code page cannot hold; it never swallows the next one.
TEST(Utf8Texts, MalformedBytesCountOneEachAndBecomeQuestionMarks) {
    const std::string broken = "a\xD0" "b\xFF\xE2\x82" "c\xC0\xAF";
    EXPECT_EQ(toWin1251(broken), Bytes("a?b???c??"));
    EXPECT_EQ(characterCount(broken), 9u);
    std::string dropped;
    EXPECT_EQ(keepWin1251(broken, &dropped), "abc");
    EXPECT_EQ(dropped, "\uFFFD");
}

} // namespace
} // namespace tw
