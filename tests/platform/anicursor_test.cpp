#include "platform/anicursor.h"
#include "support/qtdecoders.h"
#include "support/testdata.h"
#include "toolkit/toolkittypes.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QRandomGenerator>
#include <QtEndian>

namespace tw {
namespace {

// The decoders, seen through the toolkit's types the expectations are written in.
using QtCursor = qtdecoders::AniCursor;

std::optional<QtCursor> decodeAniCursor(const QByteArray& bytes, QString* error = nullptr) {
    std::string reason;
    const std::optional<tw::AniCursor> cursor = tw::decodeAniCursor(fromQtBytes(bytes), &reason);
    if (error) *error = toQt(reason);
    return qtdecoders::qtView(cursor);
}
std::optional<QtCursor::Frame> decodeCursorFile(const QByteArray& bytes, QString* error = nullptr) {
    std::string reason;
    const std::optional<tw::AniCursor::Frame> frame = tw::decodeCursorFile(fromQtBytes(bytes), &reason);
    if (error) *error = toQt(reason);
    return qtdecoders::qtView(frame);
}
std::optional<QtCursor> decodeCursor(const QByteArray& bytes, QString* error = nullptr) {
    std::string reason;
    const std::optional<tw::AniCursor> cursor = tw::decodeCursor(fromQtBytes(bytes), &reason);
    if (error) *error = toQt(reason);
    return qtdecoders::qtView(cursor);
}

const QString kCorrupt = QStringLiteral("Повреждённый или неполный файл курсора");

using test::readFileOrFail;

QByteArray testFile(const char* name) { return test::readTestData(QLatin1String(name)); }
QByteArray sample(const char* folder, const char* name) {
    return test::readTestData(QStringLiteral("%1/%2").arg(QLatin1String(folder), QLatin1String(name)));
}

QByteArray dwords(std::initializer_list<quint32> values) {
    QByteArray out;
    for (quint32 value : values) {
        char le[4];
        qToLittleEndian(value, le);
        out.append(le, 4);
    }
    return out;
}

QByteArray chunk(const char* id, const QByteArray& data) {
    QByteArray out = QByteArray(id, 4) + dwords({quint32(data.size())}) + data;
    if (data.size() & 1) out.append('\0');
    return out;
}

QByteArray anih(quint32 frames, quint32 steps, quint32 rate, quint32 flags = 1) {
    return chunk("anih", dwords({36, frames, steps, 0, 0, 0, 0, rate, flags}));
}

QByteArray framList(const QList<QByteArray>& icons) {
    QByteArray members("fram");
    for (const QByteArray& icon : icons)
        members += chunk("icon", icon);
    return chunk("LIST", members);
}

// countsHeader: the writer quirk of a RIFF size that includes the 8-byte RIFF header.
QByteArray riff(const QByteArray& body, bool countsHeader = false) {
    return "RIFF" + dwords({quint32(4 + body.size() + (countsHeader ? 8 : 0))}) + "ACON" + body;
}

// Every step names an existing frame and has a time: what the widget side relies on.
void expectConsistent(const QtCursor& cursor) {
    EXPECT_FALSE(cursor.frames.isEmpty());
    EXPECT_FALSE(cursor.sequence.isEmpty());
    EXPECT_EQ(cursor.sequence.size(), cursor.stepJiffies.size());
    for (int frame : cursor.sequence) {
        EXPECT_GE(frame, 0);
        EXPECT_LT(frame, cursor.frames.size());
    }
    for (const QtCursor::Frame& frame : cursor.frames) {
        EXPECT_EQ(frame.image.format(), QImage::Format_ARGB32);
        EXPECT_TRUE(QRect(QPoint(0, 0), frame.image.size()).contains(frame.hotspot));
    }
}

QList<int> identity(int count) {
    QList<int> steps;
    for (int i = 0; i < count; ++i)
        steps.append(i);
    return steps;
}

QList<int> repeated(int count, int value) {
    return QList<int>(count, value);
}

// Frame counts, steps, rates and hotspots read off the files with a hex viewer.
TEST(AniCursorTest, EverySampleCursorDecodesAsWritten) {
    struct Case {
        const char* file;
        int frames;
        QSize size;
        QPoint hotspot;
        QList<int> sequence;
        QList<int> jiffies;
    };
    const Case cases[] = {
        {"webamp_piano.ani", 5, QSize(32, 32), QPoint(13, 9), {0, 1, 2, 3, 4, 3, 2, 1}, repeated(8, 15)},
        {"webamp_Green_Dimension_v2_eqslid.ani", 2, QSize(32, 32), QPoint(0, 0), {0, 1}, {8, 8}},
        {"webamp_Super_Mario_Amp_2_close.ani",
         10,
         QSize(32, 32),
         QPoint(0, 0),
         {0, 1, 2, 3, 4, 5, 4, 5, 4, 5, 6, 7, 8, 9, 8, 9, 8},
         {10, 10, 10, 10, 7, 6, 5, 4, 3, 2, 1, 2, 2, 2, 2, 2, 60}},
        {"webamp_Super_Mario_Amp_2_eqslid.ani", 8, QSize(32, 32), QPoint(0, 0), identity(8), repeated(8, 10)},
        {"aniFileExtractor_test.ani",
         4,
         QSize(32, 32),
         QPoint(0, 0),
         {0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 2, 3, 2, 1},
         repeated(20, 12)},
        // Two pictures per frame, 48 and 32 pixels: the 32-pixel one and its own hotspot.
        {"gdk-pixbuf_test-animation.ani", 18, QSize(32, 32), QPoint(0, 8), identity(18), repeated(18, 2)},
        {"bibata_Oil_progress.ani", 45, QSize(32, 32), QPoint(8, 3), QList<int>{0} + identity(45),
         repeated(46, 2)},
        {"bibata_Amber_wait.ani", 45, QSize(32, 32), QPoint(15, 15), identity(45), repeated(45, 2)},
        {"breeze-plasma5_Working.ani", 24, QSize(32, 32), QPoint(14, 12), identity(24), repeated(24, 3)},
        // Five PNG pictures per frame (32 to 256 pixels); the rate chunk after the frames overrides anih's 1.
        {"breeze-plasma6_progress.ani", 24, QSize(32, 32), QPoint(4, 4), identity(24), repeated(24, 4)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        QString error = QStringLiteral("left over");
        const std::optional<QtCursor> cursor = decodeAniCursor(sample("ani", c.file), &error);
        ASSERT_TRUE(cursor) << error.toStdString();
        EXPECT_TRUE(error.isEmpty());
        expectConsistent(*cursor);
        EXPECT_EQ(cursor->frames.size(), c.frames);
        EXPECT_EQ(cursor->sequence, c.sequence);
        EXPECT_EQ(cursor->stepJiffies, c.jiffies);
        for (const QtCursor::Frame& frame : cursor->frames) {
            EXPECT_EQ(frame.image.size(), c.size);
            EXPECT_EQ(frame.hotspot, c.hotspot);
        }
        // An animation: not all frames alike, and each a shape on a see-through ground.
        EXPECT_NE(cursor->frames.first().image, cursor->frames.last().image);
        const QImage& first = cursor->frames.first().image;
        int opaque = 0;
        for (int y = 0; y < first.height(); ++y)
            for (int x = 0; x < first.width(); ++x)
                opaque += qAlpha(first.pixel(x, y)) == 255;
        EXPECT_GT(opaque, 0);
        EXPECT_LT(opaque, first.width() * first.height());
    }
}

TEST(AniCursorTest, FramesOfA32BitCursorMatchAReadingByHand) {
    // The first icon of bibata_Amber_wait.ani: a 32 x 32, 32-bit bitmap with its alpha, bottom-up.
    const QByteArray bytes = testFile("ani/bibata_Amber_wait.ani");
    const std::optional<QtCursor> cursor = decodeAniCursor(bytes);
    ASSERT_TRUE(cursor);
    const int icon = 68 + 8; // the first icon chunk's data, per the hex dump
    ASSERT_EQ(bytes.mid(68, 4), QByteArray("icon"));
    const int bitmap = icon + quint8(bytes.at(icon + 18)) + 256 * quint8(bytes.at(icon + 19));
    const int pixels = bitmap + 40;
    int mismatches = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const char* p = bytes.constData() + pixels + (31 - y) * 128 + 4 * x;
            const QRgb expected = qRgba(quint8(p[2]), quint8(p[1]), quint8(p[0]), quint8(p[3]));
            const QRgb got = cursor->frames[0].image.pixel(x, y);
            // Qt's reader premultiplies on the way: faint pixels come back with rounded colours.
            const int alpha = qAlpha(expected);
            const int tolerance = alpha == 0 ? 255 : 1 + 255 / alpha;
            mismatches += qAlpha(got) != alpha || std::abs(qRed(got) - qRed(expected)) > tolerance ||
                          std::abs(qGreen(got) - qGreen(expected)) > tolerance ||
                          std::abs(qBlue(got) - qBlue(expected)) > tolerance;
        }
    EXPECT_EQ(mismatches, 0);
}

TEST(AniCursorTest, TheMaskCutsOutPicturesWithoutAlpha) {
    // A 24-bit frame: its AND mask (read by hand) leaves the top-left corner and the right side clear.
    const std::optional<QtCursor> mario =
        decodeAniCursor(testFile("ani/webamp_Super_Mario_Amp_2_eqslid.ani"));
    ASSERT_TRUE(mario);
    const QImage& slider = mario->frames[0].image;
    EXPECT_EQ(qAlpha(slider.pixel(0, 0)), 0);
    EXPECT_EQ(slider.pixel(1, 0), qRgb(0, 0, 0));
    EXPECT_EQ(qAlpha(slider.pixel(1, 1)), 255);
    EXPECT_EQ(qAlpha(slider.pixel(20, 0)), 0);
    EXPECT_EQ(qAlpha(slider.pixel(31, 31)), 0);
    EXPECT_EQ(qAlpha(slider.pixel(20, 10)), 255);

    // A 32-bit picture whose alpha is zero everywhere also takes its shape from the mask, in the colours
    // it holds. Made from a real cursor by clearing its alpha bytes.
    QByteArray cursor = testFile("cur/bibata_Amber_default.cur");
    const std::optional<QtCursor::Frame> original = decodeCursorFile(cursor);
    ASSERT_TRUE(original);
    const int pixels = 22 + 40;
    for (int i = 0; i < 32 * 32; ++i)
        cursor[pixels + 4 * i + 3] = '\0';
    const std::optional<QtCursor::Frame> masked = decodeCursorFile(cursor);
    ASSERT_TRUE(masked);
    const int maskAt = pixels + 32 * 32 * 4;
    int mismatches = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const bool clear = (quint8(cursor[maskAt + (31 - y) * 4 + x / 8]) >> (7 - x % 8)) & 1;
            const char* p = cursor.constData() + pixels + (31 - y) * 128 + 4 * x;
            const QRgb expected = clear ? qRgba(0, 0, 0, 0) : qRgb(quint8(p[2]), quint8(p[1]), quint8(p[0]));
            mismatches += masked->image.pixel(x, y) != expected;
        }
    EXPECT_EQ(mismatches, 0);
    EXPECT_NE(masked->image, original->image);
}

TEST(AniCursorTest, StaticCursorsAndIconsGiveOneFrame) {
    struct Case {
        const char* file;
        QSize size;
        QPoint hotspot;
    };
    const Case cases[] = {
        {"webamp_base-2.91_NORMAL.cur", QSize(32, 32), QPoint(0, 0)},
        {"pillow_deerstalker.cur", QSize(32, 32), QPoint(0, 0)},
        {"pillow_mask_1.cur", QSize(1, 4), QPoint(0, 0)},
        {"sdl_image_sample.cur", QSize(23, 42), QPoint(1, 24)},
        {"bibata_Amber_default.cur", QSize(32, 32), QPoint(8, 5)},
        {"breeze-plasma6_default.cur", QSize(32, 32), QPoint(4, 4)},
        {"gdk-pixbuf_squares.ico", QSize(100, 100), QPoint(0, 0)},
        {"image-rs_png-32bpp-alpha.ico", QSize(32, 32), QPoint(0, 0)},
        {"image-rs_multiple_entries_with_different_bit_depth.ico", QSize(32, 32), QPoint(0, 0)},
        {"pillow_black_and_white.ico", QSize(16, 16), QPoint(0, 0)},
    };
    const QFileInfoList files = test::testDataFiles(QStringLiteral("cur"));
    ASSERT_EQ(files.size(), int(std::size(cases)));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const QByteArray bytes = sample("cur", c.file);
        QString error;
        const std::optional<QtCursor::Frame> frame = decodeCursorFile(bytes, &error);
        ASSERT_TRUE(frame) << error.toStdString();
        EXPECT_EQ(frame->image.size(), c.size);
        EXPECT_EQ(frame->hotspot, c.hotspot);

        // The loader that takes either kind gives the same picture as a still, single-step cursor.
        const std::optional<QtCursor> still = decodeCursor(bytes);
        ASSERT_TRUE(still);
        EXPECT_EQ(still->frames.size(), 1);
        EXPECT_EQ(still->frames[0].image, frame->image);
        EXPECT_EQ(still->sequence, QList<int>{0});
        EXPECT_EQ(still->stepJiffies, QList<int>{0});
    }
}

TEST(AniCursorTest, OfManyPicturesTheDefaultSizeWithMostColoursIsTaken) {
    // Nine entries; of the three 32-pixel ones (4, 8 and 32 bits) the seventh is the 32-bit one.
    const QByteArray bytes = testFile("cur/image-rs_multiple_entries_with_different_bit_depth.ico");
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "ico");
    ASSERT_TRUE(reader.jumpToImage(6));
    const QImage expected = reader.read().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(expected.size(), QSize(32, 32));
    const std::optional<QtCursor::Frame> frame = decodeCursorFile(bytes);
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->image, expected);
}

TEST(AniCursorTest, ChunkOrderQuirksAndDefaultsAreHonoured) {
    const QByteArray arrow = testFile("cur/webamp_base-2.91_NORMAL.cur");
    const QByteArray odd = testFile("cur/sdl_image_sample.cur") + '\x7f'; // an odd-sized icon chunk, padded
    const QByteArray info = chunk("LIST", "INFO" + chunk("INAM", "Name\0"));

    // Everything before the header, the sequence before the rates, the RIFF size counting its header.
    const QByteArray shuffled =
        riff(info + chunk("seq ", dwords({1, 0, 1})) + chunk("rate", dwords({5, 6, 7})) +
                 framList({arrow, odd}) + anih(2, 3, 9, 3),
             true);
    QString error;
    std::optional<QtCursor> cursor = decodeAniCursor(shuffled, &error);
    ASSERT_TRUE(cursor) << error.toStdString();
    EXPECT_EQ(cursor->frames.size(), 2);
    EXPECT_EQ(cursor->frames[1].image.size(), QSize(23, 42));
    EXPECT_EQ(cursor->frames[1].hotspot, QPoint(1, 24));
    EXPECT_EQ(cursor->sequence, QList<int>({1, 0, 1}));
    EXPECT_EQ(cursor->stepJiffies, QList<int>({5, 6, 7}));

    // No rate chunk: every step lasts the header's rate. No sequence: the frames in order.
    cursor = decodeAniCursor(riff(anih(2, 2, 9) + framList({odd, arrow})));
    ASSERT_TRUE(cursor);
    EXPECT_EQ(cursor->sequence, QList<int>({0, 1}));
    EXPECT_EQ(cursor->stepJiffies, QList<int>({9, 9}));

    // A short rate chunk: the remaining steps take the header's rate.
    cursor = decodeAniCursor(riff(anih(2, 2, 9) + chunk("rate", dwords({3})) + framList({odd, arrow})));
    ASSERT_TRUE(cursor);
    EXPECT_EQ(cursor->stepJiffies, QList<int>({3, 9}));

    // A step count of zero means one step per frame; more steps than frames without a sequence cannot be.
    cursor = decodeAniCursor(riff(anih(2, 0, 4) + framList({odd, arrow})));
    ASSERT_TRUE(cursor);
    EXPECT_EQ(cursor->sequence, QList<int>({0, 1}));
    cursor = decodeAniCursor(riff(anih(2, 7, 4) + framList({odd, arrow})));
    ASSERT_TRUE(cursor);
    EXPECT_EQ(cursor->sequence, QList<int>({0, 1}));

    // A sequence shorter than the step count ends the animation early.
    cursor = decodeAniCursor(riff(anih(2, 5, 4, 3) + chunk("seq ", dwords({1, 1})) + framList({odd, arrow})));
    ASSERT_TRUE(cursor);
    EXPECT_EQ(cursor->sequence, QList<int>({1, 1}));
    EXPECT_EQ(cursor->stepJiffies, QList<int>({4, 4}));

    // More icons than the header's frame count: the extra ones are not frames.
    cursor = decodeAniCursor(riff(anih(1, 1, 4) + framList({odd, arrow})));
    ASSERT_TRUE(cursor);
    EXPECT_EQ(cursor->frames.size(), 1);
}

TEST(AniCursorTest, MalformedCursorsAreRefusedWithAReason) {
    const QByteArray arrow = testFile("cur/webamp_base-2.91_NORMAL.cur");
    ASSERT_FALSE(arrow.isEmpty());
    struct Case {
        const char* what;
        QByteArray bytes;
        QString reason;
    };
    QByteArray overrun = riff(anih(1, 1, 4) + framList({arrow}));
    qToLittleEndian<quint32>(0x7FFFFFF0, overrun.data() + 16); // anih's size points far past the end
    QByteArray listOverrun = riff(anih(1, 1, 4) + framList({arrow}));
    qToLittleEndian<quint32>(quint32(arrow.size() + 100),
                             listOverrun.data() + 12 + 44 + 12 + 4); // the icon's
    QByteArray brokenIcon = arrow;
    qToLittleEndian<quint32>(0xFFFF, brokenIcon.data() + 6 + 12); // entry offset out of the icon
    const Case cases[] = {
        {"not RIFF", QByteArray("RIFX\0\0\0\0ACON", 12),
         QStringLiteral("Файл не является анимированным курсором")},
        {"a WAVE file", riff(QByteArray()).replace(8, 4, "WAVE"),
         QStringLiteral("Файл не является анимированным курсором")},
        {"empty", QByteArray(), QStringLiteral("Файл не является анимированным курсором")},
        {"no header", riff(framList({arrow})), kCorrupt},
        {"short header", riff(chunk("anih", dwords({36, 1, 1})) + framList({arrow})), kCorrupt},
        {"chunk past the end", overrun, kCorrupt},
        {"icon past its list", listOverrun, kCorrupt},
        {"no frames", riff(anih(0, 0, 4) + framList({})), QStringLiteral("В курсоре нет кадров")},
        {"no frame list", riff(anih(1, 1, 4)), QStringLiteral("В курсоре нет кадров")},
        {"sequence out of range", riff(anih(1, 2, 4, 3) + chunk("seq ", dwords({0, 1})) + framList({arrow})),
         QStringLiteral("Порядок кадров курсора ссылается на несуществующий кадр")},
        {"garbage icon", riff(anih(2, 2, 4) + framList({arrow, QByteArray(300, 'x')})),
         QStringLiteral("Не удалось прочитать кадр 2 курсора")},
        {"icon pointing outside itself", riff(anih(1, 1, 4) + framList({brokenIcon})),
         QStringLiteral("Не удалось прочитать кадр 1 курсора")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QString error;
        EXPECT_FALSE(decodeAniCursor(c.bytes, &error));
        EXPECT_EQ(error, c.reason);
    }
    QString error;
    EXPECT_FALSE(decodeCursorFile(QByteArray("\0\0\3\0\1\0", 6), &error));
    EXPECT_EQ(error, QStringLiteral("Файл не является курсором или значком"));
    EXPECT_FALSE(decodeCursorFile(QByteArray("\0\0\2\0\5\0", 6), &error)); // five entries, none there
    EXPECT_EQ(error, kCorrupt);
}

TEST(AniCursorTest, TheCorruptSampleIsRefused) {
    // Its frame list is shorter than its icons; a second header follows.
    QString error;
    EXPECT_FALSE(decodeAniCursor(testFile("ani/bad/gdk-pixbuf_CVE-2022-48622.ani"), &error));
    EXPECT_EQ(error, kCorrupt);
}

// Cuts every sample at many places and damages size fields and random bytes: nothing may read outside
// the bytes (the tests run under AddressSanitizer), and whatever decodes must be usable.
TEST(AniCursorTest, DamagedSamplesNeverBreakTheDecoder) {
    const QFileInfoList files =
        test::testDataFiles(QStringLiteral("ani"));
    ASSERT_EQ(files.size(), 10);
    QRandomGenerator random(1234);
    for (const QFileInfo& file : files) {
        SCOPED_TRACE(file.fileName().toStdString());
        const QByteArray whole = readFileOrFail(file.filePath());
        // Cut inside the frame list, which fills most of every sample: always refused.
        for (qsizetype cut = 0; cut < whole.size() * 9 / 10; cut += cut < 64 ? 1 : whole.size() / 40) {
            QString error;
            EXPECT_FALSE(decodeAniCursor(whole.left(cut), &error)) << cut;
            EXPECT_FALSE(error.isEmpty());
        }
        for (qsizetype cut = whole.size() * 9 / 10; cut < whole.size(); cut += 1 + whole.size() / 200) {
            if (const std::optional<QtCursor> cursor = decodeAniCursor(whole.left(cut)))
                expectConsistent(*cursor);
        }
        for (int round = 0; round < 40; ++round) {
            QByteArray damaged = whole;
            // Damage the first kilobyte (chunk headers, the first icon's directory) more than the rest.
            for (int i = 0; i < 4; ++i) {
                const int at = random.bounded(int(qMin<qsizetype>(1024, damaged.size())));
                damaged[at] = char(random.bounded(256));
            }
            if (const std::optional<QtCursor> cursor = decodeAniCursor(damaged)) expectConsistent(*cursor);
        }
        for (quint32 size : {0u, 1u, 3u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
            QByteArray damaged = whole;
            qToLittleEndian(size, damaged.data() + 4); // the RIFF size
            if (const std::optional<QtCursor> cursor = decodeAniCursor(damaged)) expectConsistent(*cursor);
            damaged = whole;
            qToLittleEndian(size, damaged.data() + 16); // the first chunk's size
            if (const std::optional<QtCursor> cursor = decodeAniCursor(damaged)) expectConsistent(*cursor);
        }
    }
}

TEST(AniCursorTest, DamagedCursorFilesNeverBreakTheDecoder) {
    QRandomGenerator random(99);
    for (const QFileInfo& file : test::testDataFiles(QStringLiteral("cur"))) {
        SCOPED_TRACE(file.fileName().toStdString());
        const QByteArray whole = readFileOrFail(file.filePath());
        for (qsizetype cut = 0; cut < whole.size(); cut += cut < 64 ? 1 : 1 + whole.size() / 50) {
            if (const auto frame = decodeCursorFile(whole.left(cut))) {
                EXPECT_FALSE(frame->image.isNull());
            }
        }
        for (int round = 0; round < 40; ++round) {
            QByteArray damaged = whole;
            for (int i = 0; i < 3; ++i)
                damaged[random.bounded(int(qMin<qsizetype>(64, damaged.size())))] = char(random.bounded(256));
            if (const auto frame = decodeCursorFile(damaged)) {
                EXPECT_LE(frame->image.width(), 256);
                EXPECT_LE(frame->image.height(), 256);
            }
        }
    }
}

} // namespace
} // namespace tw
