// The program's own BMP and cursor decoders against the toolkit's readers they replaced: on every file of
// the corpus, on damaged and cut copies of them, and on generated files of every kind, both must give the
// same picture to the pixel, or both refuse with the same reason.

#include "platform/anicursor.h"
#include "platform/picturecodec.h"
#include "support/qtdecoders.h"
#include "support/testdata.h"
#include "toolkit/toolkittypes.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFileInfo>
#include <QtEndian>

#include <random>
#include <vector>

namespace tw {
namespace {

// Every pixel, alpha included, against an image of the toolkit's: empty when they agree, else the first
// pixel that does not.
// `compared` (if given) names the pixels to look at, row by row.
std::string pixelDifference(const Picture& picture, const QImage& image, const std::vector<bool>* compared = nullptr) {
    if (picture.width() != image.width() || picture.height() != image.height()) return "different sizes";
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((!compared || (*compared)[std::size_t(y) * std::size_t(image.width()) + std::size_t(x)]) &&
                picture.pixel(x, y) != image.pixel(x, y))
                return "pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") of " +
                       std::to_string(image.width()) + " x " + std::to_string(image.height()) + ": " +
                       QString::number(picture.pixel(x, y), 16).toStdString() + " instead of " +
                       QString::number(image.pixel(x, y), 16).toStdString();
    return {};
}

// The pixels an RLE4/RLE8 stream gives a value, for a file both decoders took. The toolkit leaves the
// others as whatever its fresh memory held (our decoder gives them palette colour 0), so only these can
// be compared. Empty for a file that is not RLE; all false where the pixel data cannot be found.
std::vector<bool> pixelsAnRleStreamSets(const QByteArray& bytes, int width, int height) {
    const auto at32 = [&](qsizetype at) { return qFromLittleEndian<quint32>(bytes.constData() + at); };
    if (bytes.size() < 54 || at32(14) < 40) return {};
    const quint32 compression = at32(30);
    if (compression != 1 && compression != 2) return {};
    std::vector<bool> set(std::size_t(width) * std::size_t(height), false);
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
    qsizetype at = at32(10);
    if (at == 0) return set; // the pixels follow the palette: not worked out here
    int x = 0;
    int y = 0; // from the bottom
    const auto mark = [&](int count) {
        for (int i = 0; i < count && x < width && y < height; ++i) set[std::size_t(height - 1 - y) * std::size_t(width) + std::size_t(x++)] = true;
    };
    while (y < height && at + 2 <= bytes.size()) {
        const int count = data[at];
        const int code = data[at + 1];
        at += 2;
        if (count > 0) {
            mark(count);
        } else if (code == 0) {
            x = 0;
            ++y;
        } else if (code == 1) {
            break;
        } else if (code == 2) {
            if (at + 2 > bytes.size()) break;
            x += data[at];
            y += data[at + 1];
            at += 2;
        } else {
            mark(code);
            const int length = compression == 2 ? (code + 1) / 2 : code;
            at += length + (length & 1);
        }
    }
    return set;
}

// Compares one decoding of `bytes` both ways; returns a description of the difference, empty if none.
std::string comparePicture(const QByteArray& bytes) {
    QString oracleError;
    const QImage expected = qtdecoders::decodePicture(bytes, &oracleError);
    std::string error;
    const Picture picture = decodePicture(fromQtBytes(bytes), &error);
    if (expected.isNull() != picture.isNull())
        return expected.isNull() ? "decoded what the toolkit refuses (" + oracleError.toStdString() + ")"
                                 : "refused what the toolkit decodes (" + error + ")";
    if (error != oracleError.toStdString()) return "reason " + error + " instead of " + oracleError.toStdString();
    if (picture.isNull()) return {};
    const std::vector<bool> set = pixelsAnRleStreamSets(bytes, picture.width(), picture.height());
    return pixelDifference(picture, expected, set.empty() ? nullptr : &set);
    return {};
}

std::string compareCursor(const QByteArray& bytes) {
    QString oracleError;
    const std::optional<qtdecoders::AniCursor> expected = qtdecoders::decodeCursor(bytes, &oracleError);
    std::string error;
    const std::optional<AniCursor> cursor = decodeCursor(fromQtBytes(bytes), &error);
    if (bool(expected) != bool(cursor))
        return expected ? "refused what the toolkit decodes (" + error + ")"
                        : "decoded what the toolkit refuses (" + oracleError.toStdString() + ")";
    if (error != oracleError.toStdString()) return "reason " + error + " instead of " + oracleError.toStdString();
    if (!cursor) return {};
    if (cursor->frames.size() != std::size_t(expected->frames.size())) return "frame count";
    for (std::size_t i = 0; i < cursor->frames.size(); ++i) {
        const qtdecoders::AniCursor::Frame& want = expected->frames[qsizetype(i)];
        if (toQt(cursor->frames[i].hotspot) != want.hotspot) return "hotspot of frame " + std::to_string(i);
        const std::string difference = pixelDifference(cursor->frames[i].image, want.image);
        if (!difference.empty()) return "frame " + std::to_string(i) + ": " + difference;
    }
    if (QList<int>(cursor->sequence.begin(), cursor->sequence.end()) != expected->sequence) return "sequence";
    if (QList<int>(cursor->stepJiffies.begin(), cursor->stepJiffies.end()) != expected->stepJiffies)
        return "step times";
    return {};
}

// Damaged copies of a file: bytes changed (the headers more often than the rest), and the file cut short.
QList<QByteArray> damagedCopies(const QByteArray& whole, std::mt19937& random, int rounds, int headerBytes) {
    QList<QByteArray> copies;
    const auto below = [&](qsizetype n) { return qsizetype(random() % std::uint32_t(std::max<qsizetype>(n, 1))); };
    for (int round = 0; round < rounds; ++round) {
        QByteArray damaged = whole;
        const int changes = 1 + round % 4;
        for (int i = 0; i < changes; ++i) {
            const qsizetype at = round % 2 ? below(std::min<qsizetype>(headerBytes, whole.size())) : below(whole.size());
            damaged[at] = round % 3 == 0 ? char(damaged[at] ^ (1 << (random() % 8))) : char(random() % 256);
        }
        copies.append(damaged);
        copies.append(whole.left(below(whole.size() + 1)));
    }
    return copies;
}

int compareAll(const QList<QByteArray>& inputs, std::string (*compare)(const QByteArray&), const QString& name) {
    int differences = 0;
    for (qsizetype i = 0; i < inputs.size(); ++i) {
        const std::string difference = compare(inputs[i]);
        if (difference.empty()) continue;
        if (++differences <= 3) ADD_FAILURE() << name.toStdString() << " #" << i << ": " << difference;
    }
    return differences;
}

QFileInfoList filesOf(std::initializer_list<const char*> folders) {
    QFileInfoList files;
    for (const char* folder : folders) files += test::testDataFiles(QLatin1String(folder));
    return files;
}

TEST(DecoderOracle, CorpusBitmapsAndTheirDamagedCopiesDecodeAsTheToolkitReadThem) {
    std::mt19937 random(21);
    int inputs = 0;
    for (const QFileInfo& file : filesOf({"bmp/good", "bmp/questionable", "bmp/bad"})) {
        const QByteArray whole = test::readFileOrFail(file.filePath());
        QList<QByteArray> all{whole};
        all += damagedCopies(whole, random, 30, 70);
        inputs += int(all.size());
        EXPECT_EQ(compareAll(all, comparePicture, file.fileName()), 0);
    }
    EXPECT_GT(inputs, 3000);
}

// ---- Generated bitmaps: every depth, header form, palette size and RLE stream ----

void put16(QByteArray& bytes, qsizetype at, quint16 value) { qToLittleEndian(value, bytes.data() + at); }
void put32(QByteArray& bytes, qsizetype at, quint32 value) { qToLittleEndian(value, bytes.data() + at); }

QByteArray randomBytes(std::mt19937& random, qsizetype count) {
    QByteArray bytes(count, '\0');
    for (char& b : bytes) b = char(random() % 256);
    return bytes;
}

// An RLE stream of runs, literals, deltas and line ends, mostly sound, sometimes not.
QByteArray randomRle(std::mt19937& random, int width, int height, bool four) {
    QByteArray stream;
    int x = 0;
    int y = 0;
    while (y < height && stream.size() < 4000) {
        const int kind = int(random() % 10);
        const int room = width - x;
        if (kind < 4 && room > 0) {
            stream += char(1 + random() % room);
            stream += char(random() % 256);
            x += quint8(stream.at(stream.size() - 2));
        } else if (kind < 7 && room >= 3) {
            const int count = 3 + int(random() % (room - 2));
            stream += '\0';
            stream += char(count);
            const int length = four ? (count + 1) / 2 : count;
            stream += randomBytes(random, length + (length & 1));
            x += count;
        } else if (kind == 7) {
            const int dx = int(random() % 4);
            const int dy = int(random() % 2);
            stream += QByteArray("\0\2", 2) + char(dx) + char(dy);
            x += dx;
            y += dy;
        } else if (kind == 8 && random() % 8 == 0) {
            break; // an early end of the picture
        } else {
            stream += QByteArray("\0\0", 2);
            x = 0;
            ++y;
        }
    }
    if (random() % 3) stream += QByteArray("\0\1", 2);
    return stream;
}

QByteArray randomBitmap(std::mt19937& random) {
    static const int depths[] = {1, 4, 8, 16, 24, 32};
    static const int headers[] = {12, 40, 52, 56, 64, 108, 124};
    const int bits = depths[random() % 6];
    const int headerSize = headers[random() % 7];
    const int width = 1 + int(random() % 19);
    const int height = 1 + int(random() % 9);
    const bool topDown = headerSize != 12 && random() % 4 == 0;
    quint32 compression = 0;
    if (headerSize != 12 && !topDown && random() % 2) {
        if (bits == 8) compression = 1;
        if (bits == 4) compression = 2;
    }
    const int maxColours = bits <= 8 ? 1 << bits : 0;
    const int entrySize = headerSize == 12 ? 3 : 4;
    // Palettes shorter than the depth allows, full ones, and (without a count) what the offset leaves room for.
    const int colours = bits > 8 ? 0 : headerSize == 12 ? maxColours : int(random() % (maxColours + 1));
    const int paletteEntries = bits > 8 ? 0 : colours == 0 ? maxColours : colours;
    const qsizetype paletteAt = 14 + headerSize;
    const qsizetype dataAt = paletteAt + qsizetype(paletteEntries) * entrySize;
    QByteArray pixels;
    if (compression != 0) {
        pixels = randomRle(random, width, height, compression == 2);
    } else {
        const qsizetype stride = (qsizetype(width) * bits + 31) / 32 * 4;
        pixels = randomBytes(random, stride * height - (random() % 4 == 0 ? (stride - (width * bits + 7) / 8) : 0));
    }
    QByteArray bytes(dataAt, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(bytes, 2, quint32(dataAt + pixels.size()));
    put32(bytes, 10, random() % 8 == 0 ? 0 : quint32(dataAt));
    put32(bytes, 14, quint32(headerSize));
    if (headerSize == 12) {
        put16(bytes, 18, quint16(width));
        put16(bytes, 20, quint16(height));
        put16(bytes, 22, 1);
        put16(bytes, 24, quint16(bits));
    } else {
        put32(bytes, 18, quint32(width));
        put32(bytes, 22, quint32(topDown ? -height : height));
        put16(bytes, 26, 1);
        put16(bytes, 28, quint16(bits));
        put32(bytes, 30, compression);
        put32(bytes, 46, quint32(colours));
    }
    for (qsizetype i = paletteAt; i < dataAt; ++i) bytes[i] = char(random() % 256);
    return bytes + pixels;
}

TEST(DecoderOracle, GeneratedBitmapsOfEveryKindDecodeAsTheToolkitReadThem) {
    std::mt19937 random(1251);
    QList<QByteArray> all;
    for (int i = 0; i < 3000; ++i) all.append(randomBitmap(random));
    int decoded = 0;
    for (const QByteArray& bytes : all) decoded += !qtdecoders::decodePicture(bytes).isNull();
    EXPECT_GT(decoded, 1500); // most of them are pictures, not refusals
    EXPECT_EQ(compareAll(all, comparePicture, QStringLiteral("generated")), 0);
}

TEST(DecoderOracle, EncodedBitmapsAreTheBytesTheToolkitWrote) {
    std::mt19937 random(7);
    for (int round = 0; round < 60; ++round) {
        const int width = round == 0 ? 1009 : 1 + int(random() % 40);
        const int height = round == 0 ? 700 : 1 + int(random() % 12);
        QImage image(width, height, round % 3 == 0 ? QImage::Format_RGB32
                                    : round % 3 == 1 ? QImage::Format_ARGB32
                                                     : QImage::Format_ARGB32_Premultiplied);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const QRgb colour = QRgb(random());
                image.setPixel(x, y, image.format() == QImage::Format_ARGB32_Premultiplied ? qPremultiply(colour) : colour);
            }
        SCOPED_TRACE(round);
        const QByteArray expected = qtdecoders::encodeBmp(image);
        EXPECT_EQ(toQtBytes(encodeBmp(fromQt(image))), expected);
    }
    EXPECT_TRUE(encodeBmp(Picture()).empty());
}

// ---- Cursors ----

TEST(DecoderOracle, CorpusCursorsAndTheirDamagedCopiesDecodeAsTheToolkitReadThem) {
    std::mt19937 random(1604);
    int inputs = 0;
    for (const QFileInfo& file : filesOf({"cur", "ani", "ani/bad"})) {
        const QByteArray whole = test::readFileOrFail(file.filePath());
        QList<QByteArray> all{whole};
        all += damagedCopies(whole, random, file.size() > 100'000 ? 40 : 100, 1200);
        inputs += int(all.size());
        EXPECT_EQ(compareAll(all, compareCursor, file.fileName()), 0);
    }
    EXPECT_GT(inputs, 3000);
}

// A cursor file of one bitmap picture: header, palette, colour rows, mask rows.
QByteArray iconFile(int width, int height, int bits, quint32 colours, const QByteArray& palette, const QByteArray& rows,
                    const QByteArray& mask, int type = 2) {
    QByteArray header(40, '\0');
    put32(header, 0, 40);
    put32(header, 4, quint32(width));
    put32(header, 8, quint32(2 * height));
    put16(header, 12, 1);
    put16(header, 14, quint16(bits));
    put32(header, 32, colours);
    const QByteArray picture = header + palette + rows + mask;
    QByteArray directory(22, '\0');
    put16(directory, 2, quint16(type));
    put16(directory, 4, 1);
    directory[6] = char(width & 0xFF);
    directory[7] = char(height & 0xFF);
    put16(directory, 10, 3); // the hotspot
    put16(directory, 12, 5);
    put32(directory, 14, quint32(picture.size()));
    put32(directory, 18, 22);
    return directory + picture;
}

TEST(DecoderOracle, GeneratedIconsOfEveryDepthDecodeAsTheToolkitReadThem) {
    std::mt19937 random(32);
    QList<QByteArray> all;
    for (int i = 0; i < 1500; ++i) {
        static const int depths[] = {1, 4, 8, 24, 32};
        const int bits = depths[random() % 5];
        const int width = 1 + int(random() % 40);
        const int height = 1 + int(random() % 40);
        const int maxColours = bits <= 8 ? 1 << bits : 0;
        const quint32 colours = bits <= 8 && random() % 2 ? quint32(random() % (maxColours + 1)) : 0;
        const int entries = bits > 8 ? 0 : colours ? int(colours) : maxColours;
        const qsizetype stride = (qsizetype(width) * bits + 31) / 32 * 4;
        QByteArray rows = randomBytes(random, stride * height);
        if (bits == 32 && random() % 3 == 0)
            for (qsizetype at = 3; at < rows.size(); at += 4) rows[at] = '\0'; // an old cursor without alpha
        const qsizetype maskStride = (qsizetype(width) + 31) / 32 * 4;
        QByteArray mask = randomBytes(random, maskStride * height);
        if (random() % 6 == 0) mask.chop(1 + random() % mask.size()); // cut short or left out
        all.append(iconFile(width, height, bits, colours, randomBytes(random, 4 * entries), rows, mask,
                            1 + int(random() % 2)));
    }
    // Every alpha with every colour value: 256 x 256 pixels of 32 bits, red the value, green its inverse.
    QByteArray rows;
    for (int y = 255; y >= 0; --y)
        for (int x = 0; x < 256; ++x) rows += char(x / 2) + char(255 - x) + char(x) + char(y);
    all.append(iconFile(256, 256, 32, 0, {}, rows, QByteArray(32 * 256, '\0')));
    EXPECT_EQ(compareAll(all, compareCursor, QStringLiteral("generated")), 0);
}

// Icons holding PNG pictures as the toolkit writes them: grey, RGB and RGB with alpha, noise and
// gradients (every row filter and both kinds of compressed block), whole, damaged and cut.
TEST(DecoderOracle, GeneratedPngIconsDecodeAsTheToolkitReadThem) {
    std::mt19937 random(89);
    QList<QByteArray> all;
    for (int i = 0; i < 60; ++i) {
        static const QImage::Format formats[] = {QImage::Format_Grayscale8, QImage::Format_RGB32, QImage::Format_ARGB32};
        const int width = 1 + int(random() % 64);
        const int height = 1 + int(random() % 64);
        QImage image(width, height, formats[i % 3]);
        const bool noise = i % 2 == 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                image.setPixel(x, y, image.format() == QImage::Format_Grayscale8
                                         ? (noise ? random() % 256 : uint((x * 4 + y) % 256))
                                         : noise ? QRgb(random()) : qRgba(x * 4, y * 4, (x + y) % 256, (x * y) % 256));
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        ASSERT_TRUE(image.save(&buffer, "PNG", int(random() % 101)));
        QByteArray directory(22, '\0');
        put16(directory, 2, 1);
        put16(directory, 4, 1);
        directory[6] = char(width);
        directory[7] = char(height);
        put16(directory, 12, 32);
        put32(directory, 14, quint32(png.size()));
        put32(directory, 18, 22);
        const QByteArray icon = directory + png;
        all.append(icon);
        all += damagedCopies(icon, random, 10, int(icon.size()));
    }
    int decoded = 0;
    for (const QByteArray& bytes : all) decoded += bool(qtdecoders::decodeCursor(bytes));
    EXPECT_GT(decoded, 60);
    EXPECT_EQ(compareAll(all, compareCursor, QStringLiteral("generated")), 0);
}

} // namespace
} // namespace tw
