#include "platform/picturecodec.h"
#include "support/testdata.h"
#include "toolkit/toolkittypes.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QtEndian>

#include <cstdlib>

namespace tw {
namespace {

// The codec, seen through the toolkit's types the expectations are written in.
QImage decodePicture(const QByteArray& bytes, QString* error = nullptr) {
    std::string reason;
    QImage picture = toQt(tw::decodePicture(fromQtBytes(bytes), &reason));
    if (error) *error = toQt(reason);
    return picture;
}
QByteArray encodeBmp(const QImage& picture) {
    return toQtBytes(tw::encodeBmp(fromQt(picture)));
}

const QString kCorrupt = QStringLiteral("Повреждённый или неполный файл BMP");
const QString kUnsupported = QStringLiteral("Неподдерживаемый формат картинки");
const QString kTooLarge = QStringLiteral("Картинка слишком велика");

QString bmpDir(const char* sub) {
    return test::testDataPath(QStringLiteral("bmp/") + QLatin1String(sub));
}

QByteArray readFile(const QString& path) { return test::readFileOrFail(path); }

QByteArray testFile(const char* name) {
    return readFile(bmpDir("") + QLatin1String(name));
}

QImage decodeFile(const char* name, QString* error = nullptr) {
    return decodePicture(testFile(name), error);
}

// Little-endian header fields, assembled byte by byte.
quint32 field(const QByteArray& bytes, int at, int size = 4) {
    quint32 value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | quint8(bytes.at(at + i));
    return value;
}

// Largest difference of one colour channel between two pictures of the same size.
int maxChannelDifference(const QImage& a, const QImage& b) {
    int worst = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            worst = std::max({worst, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                              std::abs(qBlue(p) - qBlue(q))});
        }
    return worst;
}

// Reads an uncompressed bottom-up 8-bit file by hand, as a check on the decoder: the colour of the
// pixel's palette entry, or black for an index the palette does not have.
QRgb handReadPal8(const QByteArray& bytes, int x, int y) {
    const auto u32 = [&](int at) { return field(bytes, at); };
    const int width = int(u32(18));
    const int height = int(u32(22));
    const int colours = int(u32(46));
    const int stride = (width + 3) / 4 * 4;
    const int index = quint8(bytes[int(u32(10)) + (height - 1 - y) * stride + x]);
    if (index >= colours) return qRgb(0, 0, 0);
    const int entry = 14 + int(u32(14)) + 4 * index;
    return qRgb(quint8(bytes[entry + 2]), quint8(bytes[entry + 1]), quint8(bytes[entry]));
}

// The same for an uncompressed bottom-up 24-bit file.
QRgb handReadRgb24(const QByteArray& bytes, int x, int y) {
    const int width = int(field(bytes, 18));
    const int height = int(field(bytes, 22));
    const int stride = (width * 3 + 3) / 4 * 4;
    const int at = int(field(bytes, 10)) + (height - 1 - y) * stride + 3 * x;
    return qRgb(quint8(bytes[at + 2]), quint8(bytes[at + 1]), quint8(bytes[at]));
}

void expectSameAsHandRead(const QImage& picture, const QByteArray& bytes,
                          QRgb (*handRead)(const QByteArray&, int, int)) {
    int mismatches = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            mismatches += picture.pixel(x, y) != handRead(bytes, x, y);
    EXPECT_EQ(mismatches, 0);
}

// A small BMP put together field by field, for the cases no sample file covers.
struct BmpBuilder {
    int width = 4;
    int height = 2;
    int bitCount = 8;
    quint32 compression = 0;
    QList<QRgb> palette;
    QList<quint32> masks; // written right after a 40-byte header
    QByteArray pixels;

    QByteArray build() const {
        const int paletteBytes = 4 * int(palette.size());
        const int offset = 14 + 40 + 4 * int(masks.size()) + paletteBytes;
        QByteArray out(offset, '\0');
        char* p = out.data();
        p[0] = 'B';
        p[1] = 'M';
        qToLittleEndian<quint32>(quint32(offset + pixels.size()), p + 2);
        qToLittleEndian<quint32>(quint32(offset), p + 10);
        qToLittleEndian<quint32>(40, p + 14);
        qToLittleEndian<qint32>(width, p + 18);
        qToLittleEndian<qint32>(height, p + 22);
        qToLittleEndian<quint16>(1, p + 26);
        qToLittleEndian<quint16>(quint16(bitCount), p + 28);
        qToLittleEndian<quint32>(compression, p + 30);
        qToLittleEndian<quint32>(quint32(palette.size()), p + 46);
        int at = 54;
        for (quint32 mask : masks) {
            qToLittleEndian<quint32>(mask, p + at);
            at += 4;
        }
        for (QRgb colour : palette) {
            p[at] = char(qBlue(colour));
            p[at + 1] = char(qGreen(colour));
            p[at + 2] = char(qRed(colour));
            at += 4;
        }
        return out + pixels;
    }
};

BmpBuilder rle8(const QByteArray& stream, int width = 4, int height = 2) {
    BmpBuilder bmp;
    bmp.width = width;
    bmp.height = height;
    bmp.compression = 1;
    bmp.palette = {qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)};
    bmp.pixels = stream;
    return bmp;
}

TEST(PictureCodecTest, PalettedFilesMatchAReadingByHand) {
    const QByteArray pal8 = testFile("good/pal8.bmp");
    QString error = QStringLiteral("left over");
    const QImage picture = decodePicture(pal8, &error);
    ASSERT_FALSE(picture.isNull()) << error.toStdString();
    EXPECT_TRUE(error.isEmpty());
    EXPECT_EQ(picture.format(), QImage::Format_RGB32);
    EXPECT_EQ(picture.size(), QSize(127, 64));
    expectSameAsHandRead(picture, pal8, handReadPal8);

    const QByteArray rgb24 = testFile("good/rgb24.bmp");
    const QImage truecolour = decodePicture(rgb24);
    ASSERT_EQ(truecolour.size(), QSize(127, 64));
    expectSameAsHandRead(truecolour, rgb24, handReadRgb24);
    expectSameAsHandRead(decodeFile("good/sdl_image_sample.bmp"), testFile("good/sdl_image_sample.bmp"),
                         handReadRgb24);
}

// bmpsuite draws one picture in every variant; each variant must come out as its plain counterpart.
TEST(PictureCodecTest, EveryGoodVariantShowsThePictureOfItsPlainCounterpart) {
    struct Case {
        const char* file;
        const char* reference;
        int tolerance; // fewer bits per channel round differently
    };
    const Case cases[] = {
        {"pal1wb.bmp", "pal1.bmp", 0},      {"pal4rle.bmp", "pal4.bmp", 0},
        {"pal8-0.bmp", "pal8.bmp", 0},      {"pal8os2.bmp", "pal8.bmp", 0},
        {"pal8rle.bmp", "pal8.bmp", 0},     {"pal8topdown.bmp", "pal8.bmp", 0},
        {"pal8v4.bmp", "pal8.bmp", 0},      {"pal8v5.bmp", "pal8.bmp", 0},
        {"rgb24pal.bmp", "rgb24.bmp", 0},   {"rgb32.bmp", "rgb24.bmp", 0},
        {"rgb32bf.bmp", "rgb24.bmp", 0},    {"rgb16.bmp", "rgb24.bmp", 10},
        {"rgb16-565.bmp", "rgb24.bmp", 10}, {"rgb16-565pal.bmp", "rgb24.bmp", 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        QString error;
        const QImage picture = decodePicture(readFile(bmpDir("good/") + QLatin1String(c.file)), &error);
        ASSERT_FALSE(picture.isNull()) << error.toStdString();
        const QImage reference = decodePicture(readFile(bmpDir("good/") + QLatin1String(c.reference)));
        ASSERT_EQ(picture.size(), reference.size());
        EXPECT_LE(maxChannelDifference(picture, reference), c.tolerance);
    }
}

TEST(PictureCodecTest, EveryGoodFileLoadsAtItsSize) {
    const QMap<QString, QSize> odd = {
        {QStringLiteral("pal8nonsquare.bmp"), QSize(127, 32)},
        {QStringLiteral("pal8w124.bmp"), QSize(124, 61)},
        {QStringLiteral("pal8w125.bmp"), QSize(125, 62)},
        {QStringLiteral("pal8w126.bmp"), QSize(126, 63)},
        {QStringLiteral("pillow_hopper_rle8.bmp"), QSize(128, 128)},
        {QStringLiteral("sdl_image_sample.bmp"), QSize(23, 42)},
        {QStringLiteral("webamp_base-2.91_MAIN.BMP"), QSize(275, 116)},
    };
    const QFileInfoList files = test::testDataFiles(QStringLiteral("bmp/good"));
    ASSERT_EQ(files.size(), 26);
    for (const QFileInfo& file : files) {
        SCOPED_TRACE(file.fileName().toStdString());
        QString error;
        const QImage picture = decodePicture(readFile(file.filePath()), &error);
        ASSERT_FALSE(picture.isNull()) << error.toStdString();
        EXPECT_EQ(picture.format(), QImage::Format_RGB32);
        EXPECT_EQ(picture.size(), odd.value(file.fileName(), QSize(127, 64)));
    }
}

// Colours read off the files by walking their RLE8 streams by hand.
TEST(PictureCodecTest, RealRle8FilesShowTheirColours) {
    const QImage skin = decodeFile("good/webamp_base-2.91_MAIN.BMP");
    ASSERT_EQ(skin.size(), QSize(275, 116));
    EXPECT_EQ(skin.pixel(0, 0), qRgb(0x0d, 0x0d, 0x14));
    EXPECT_EQ(skin.pixel(274, 115), qRgb(0x14, 0x13, 0x1e));
    EXPECT_EQ(skin.pixel(137, 58), qRgb(0x38, 0x37, 0x58));
    EXPECT_EQ(skin.pixel(100, 20), qRgb(0x2e, 0x2d, 0x48));

    const QImage photo = decodeFile("good/pillow_hopper_rle8.bmp");
    ASSERT_EQ(photo.size(), QSize(128, 128));
    EXPECT_EQ(photo.pixel(0, 0), qRgb(0x14, 0x14, 0x43));
    EXPECT_EQ(photo.pixel(127, 127), qRgb(0x83, 0x99, 0xc8));
    EXPECT_EQ(photo.pixel(64, 64), qRgb(0xa8, 0x4e, 0x30));
}

TEST(PictureCodecTest, QuestionableFilesDecodeRightOrAreRefused) {
    // Files that carry the plain picture in an unusual wrapping must show it exactly.
    struct Case {
        const char* file;
        const char* reference;
        int tolerance;
    };
    const Case faithful[] = {
        {"pal8offs.bmp", "good/pal8.bmp", 0},   {"pal8os2v2.bmp", "good/pal8.bmp", 0},
        {"pal8os2sp.bmp", "good/pal8.bmp", 0},  {"pal8oversizepal.bmp", "good/pal8.bmp", 0},
        {"rgb24prof.bmp", "good/rgb24.bmp", 0}, {"rgb32fakealpha.bmp", "good/rgb24.bmp", 0},
        {"rgb32h52.bmp", "good/rgb24.bmp", 0},  {"rgb32-111110.bmp", "good/rgb24.bmp", 1},
    };
    for (const Case& c : faithful) {
        SCOPED_TRACE(c.file);
        QString error;
        const QImage picture =
            decodePicture(readFile(bmpDir("questionable/") + QLatin1String(c.file)), &error);
        ASSERT_FALSE(picture.isNull()) << error.toStdString();
        EXPECT_LE(maxChannelDifference(picture, decodeFile(c.reference)), c.tolerance);
    }
    // The rest: a picture of the right size, or a clean refusal with a reason.
    for (const QFileInfo& file : test::testDataFiles(QStringLiteral("bmp/questionable"))) {
        SCOPED_TRACE(file.fileName().toStdString());
        QString error;
        const QImage picture = decodePicture(readFile(file.filePath()), &error);
        if (picture.isNull())
            EXPECT_FALSE(error.isEmpty());
        else
            EXPECT_EQ(picture.size(), QSize(127, 64));
    }
    // Embedded JPEG and PNG streams are a printer feature; no picture file of a game holds them.
    QString error;
    EXPECT_TRUE(decodeFile("questionable/rgb24png.bmp", &error).isNull());
    EXPECT_EQ(error, kUnsupported);
}

TEST(PictureCodecTest, BadFilesAreRefusedWithAReason) {
    struct Case {
        const char* file;
        const QString& reason;
    };
    const Case refused[] = {
        {"badbitcount.bmp", kCorrupt},
        {"badheadersize.bmp", kCorrupt},
        {"badpalettesize.bmp", kCorrupt},
        {"badplanes.bmp", kCorrupt},
        {"badrle.bmp", kCorrupt},
        {"badwidth.bmp", kCorrupt},
        {"rletopdown.bmp", kCorrupt},
        {"shortfile.bmp", kCorrupt},
        {"reallybig.bmp", kTooLarge},
        {"gdk-pixbuf_cve-2015-4491.bmp", kTooLarge},
        {"image-rs_Bad_height.bmp", kTooLarge},
    };
    for (const Case& c : refused) {
        SCOPED_TRACE(c.file);
        QString error;
        EXPECT_TRUE(decodePicture(readFile(bmpDir("bad/") + QLatin1String(c.file)), &error).isNull());
        EXPECT_EQ(error, c.reason);
    }
    // Damage in fields no reader needs (file size, image size, density) does not stop the picture.
    const QImage pal1 = decodeFile("good/pal1.bmp");
    for (const char* file : {"bad/badbitssize.bmp", "bad/baddens1.bmp", "bad/badfilesize.bmp"}) {
        SCOPED_TRACE(file);
        EXPECT_EQ(decodeFile(file), pal1);
    }
}

TEST(PictureCodecTest, IndicesBeyondThePaletteShowBlack) {
    const QByteArray bytes = testFile("bad/pal8badindex.bmp");
    const QImage picture = decodePicture(bytes);
    ASSERT_EQ(picture.size(), QSize(127, 64));
    expectSameAsHandRead(picture, bytes, handReadPal8);
}

TEST(PictureCodecTest, TruncatedFilesFailCleanly) {
    for (const char* name : {"good/pal8.bmp", "good/rgb24.bmp", "good/pal4rle.bmp", "good/pal8rle.bmp",
                             "good/rgb16-565.bmp", "good/pal8os2.bmp", "good/webamp_base-2.91_MAIN.BMP"}) {
        SCOPED_TRACE(name);
        const QByteArray whole = testFile(name);
        // Losing the last row's padding is tolerated; anything more is not.
        const int lastSafe = int(whole.size()) - 4;
        for (int size = 0; size < lastSafe; size += size < 100 ? 1 : 97) {
            QString error;
            const QImage picture = decodePicture(whole.left(size), &error);
            EXPECT_TRUE(picture.isNull()) << size;
            EXPECT_FALSE(error.isEmpty()) << size;
        }
    }
}

// Random damage to headers, palettes and RLE streams of every sample: the decoder must answer with a
// picture of a size the header allows or a reason (AddressSanitizer watches the reads).
TEST(PictureCodecTest, RandomlyDamagedFilesNeverBreakTheDecoder) {
    QRandomGenerator random(2024);
    for (const char* folder : {"good", "questionable"}) {
        for (const QFileInfo& file : test::testDataFiles(QStringLiteral("bmp/") + QLatin1String(folder))) {
            SCOPED_TRACE(file.fileName().toStdString());
            const QByteArray whole = readFile(file.filePath());
            for (int round = 0; round < 30; ++round) {
                QByteArray damaged = whole;
                for (int i = 0; i < 3; ++i)
                    damaged[random.bounded(int(qMin<qsizetype>(round < 15 ? 70 : 1100, damaged.size())))] =
                        char(random.bounded(256));
                QString error;
                const QImage picture = decodePicture(damaged, &error);
                if (picture.isNull())
                    EXPECT_FALSE(error.isEmpty());
                else
                    EXPECT_LE(qint64(picture.width()) * picture.height(), 50'000'000);
            }
        }
    }
}

TEST(PictureCodecTest, NonBitmapsAndEmptyInputAreUnsupported) {
    QString error;
    EXPECT_TRUE(decodePicture(QByteArray(), &error).isNull());
    EXPECT_EQ(error, kUnsupported);
    EXPECT_TRUE(decodePicture(QByteArray("\x89PNG\r\n\x1a\n0000000000000000"), &error).isNull());
    EXPECT_EQ(error, kUnsupported);
    EXPECT_TRUE(decodePicture(QByteArray("BM"), &error).isNull());
    EXPECT_EQ(error, kCorrupt);
}

TEST(PictureCodecTest, RleStreamsAreCheckedBeforeDecoding) {
    // Row 0 (bottom): red red blue blue; row 1: green, then a literal of three.
    const QByteArray good = QByteArray::fromHex("0201 0203 0000 0102 0003 030201 00 0000 0001");
    const QImage picture = decodePicture(rle8(good).build());
    ASSERT_EQ(picture.size(), QSize(4, 2));
    EXPECT_EQ(picture.pixel(0, 1), qRgb(255, 0, 0));
    EXPECT_EQ(picture.pixel(3, 1), qRgb(0, 0, 255));
    EXPECT_EQ(picture.pixel(0, 0), qRgb(0, 255, 0));
    EXPECT_EQ(picture.pixel(1, 0), qRgb(0, 0, 255));
    EXPECT_EQ(picture.pixel(3, 0), qRgb(255, 0, 0));

    // Without the end-of-picture code the stream is whole once every row is given.
    EXPECT_FALSE(decodePicture(rle8(QByteArray::fromHex("0401 0000 0402 0000")).build()).isNull());

    const QByteArray damaged[] = {
        QByteArray::fromHex("0501 0000 0402 0001"),      // a run longer than the row
        QByteArray::fromHex("0401 0000 0402 0000 0101"), // a run above the top row
        QByteArray::fromHex("0002 0105 0001"),           // a delta out of the picture
        QByteArray::fromHex("0003 0102"),                // a literal cut short
        QByteArray::fromHex("0401 0000"),                // rows missing
        QByteArray::fromHex("0002 01"),                  // a delta cut short
    };
    for (const QByteArray& stream : damaged) {
        SCOPED_TRACE(stream.toHex().toStdString());
        QString error;
        EXPECT_TRUE(decodePicture(rle8(stream).build(), &error).isNull());
        EXPECT_EQ(error, kCorrupt);
    }
}

TEST(PictureCodecTest, BitfieldChannelsAreScaledToFullRange) {
    BmpBuilder bmp;
    bmp.width = 3;
    bmp.height = -2; // top-down
    bmp.bitCount = 16;
    bmp.compression = 3;
    bmp.masks = {0xF800, 0x07E0, 0x001F};
    bmp.pixels = QByteArray::fromHex("00F8 E007 1F00 0000"   // red, green, blue, padding
                                     "1084 FFFF 0000 0000"); // grey, white, black, padding
    QString error;
    const QImage picture = decodePicture(bmp.build(), &error);
    ASSERT_EQ(picture.size(), QSize(3, 2)) << error.toStdString();
    EXPECT_EQ(picture.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(picture.pixel(1, 0), qRgb(0, 255, 0));
    EXPECT_EQ(picture.pixel(2, 0), qRgb(0, 0, 255));
    EXPECT_EQ(picture.pixel(0, 1), qRgb(132, 130, 132));
    EXPECT_EQ(picture.pixel(1, 1), qRgb(255, 255, 255));
    EXPECT_EQ(picture.pixel(2, 1), qRgb(0, 0, 0));

    bmp.masks = {0xF0F0, 0x0F00, 0x000F}; // a broken mask
    EXPECT_TRUE(decodePicture(bmp.build(), &error).isNull());
    EXPECT_EQ(error, kUnsupported);
}

TEST(PictureCodecTest, HeadersClaimingHugePicturesAllocateNothing) {
    BmpBuilder bmp;
    bmp.bitCount = 24;
    bmp.width = 20001;
    bmp.height = 1;
    QString error;
    EXPECT_TRUE(decodePicture(bmp.build(), &error).isNull());
    EXPECT_EQ(error, kTooLarge);
    bmp.width = 10000;
    bmp.height = 10000; // each side fine, the area not
    EXPECT_TRUE(decodePicture(bmp.build(), &error).isNull());
    EXPECT_EQ(error, kTooLarge);
}

TEST(PictureCodecTest, EncodedPicturesAre24BitAndReadBackTheSame) {
    // An item strip's shape, with an odd width so rows need padding.
    QImage picture(4999, 50, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(x % 256, y * 5, (x / 256) * 13));
    const QByteArray bytes = encodeBmp(picture);
    ASSERT_GE(bytes.size(), 54);
    EXPECT_EQ(bytes.left(2), QByteArray("BM"));
    EXPECT_EQ(field(bytes, 28, 2), 24u);
    EXPECT_EQ(field(bytes, 30), 0u);
    EXPECT_EQ(bytes.size(), 54 + (4999 * 3 + 3) / 4 * 4 * 50);
    EXPECT_EQ(decodePicture(bytes), picture);

    // A picture with an alpha channel is written in 24 bits all the same.
    QImage withAlpha(2, 1, QImage::Format_ARGB32);
    withAlpha.setPixel(0, 0, qRgba(10, 20, 30, 255));
    withAlpha.setPixel(1, 0, qRgba(200, 100, 50, 255));
    const QByteArray alphaBytes = encodeBmp(withAlpha);
    EXPECT_EQ(field(alphaBytes, 28, 2), 24u);
    const QImage back = decodePicture(alphaBytes);
    ASSERT_EQ(back.size(), QSize(2, 1));
    EXPECT_EQ(back.pixel(0, 0), qRgb(10, 20, 30));
    EXPECT_EQ(back.pixel(1, 0), qRgb(200, 100, 50));
}

} // namespace
} // namespace tw
