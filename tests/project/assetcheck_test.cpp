#include "project/assetcheck.h"
#include "support/testdata.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QtEndian>

#include <random>

namespace tw {
namespace {

// The check on bytes as the tests build them.
QString assetProblem(AssetKind kind, const QByteArray& bytes) {
    return QString::fromStdString(tw::assetProblem(kind, bytes.toStdString()));
}

using test::readFileOrFail;
using test::readTestData;
using test::testDataFiles;

struct CorpusFile {
    QString name;
    QByteArray bytes;
    AssetKind kind;
};

// Every file of the corpus that the program must take, with the kind it would replace.
QList<CorpusFile> goodCorpus() {
    QList<CorpusFile> files;
    auto add = [&files](const QString& folder, AssetKind kind, const QString& suffix = QString()) {
        for (const QFileInfo& info : testDataFiles(folder)) {
            if (suffix.isEmpty() || info.suffix() == suffix)
                files.append(
                    {folder + QLatin1Char('/') + info.fileName(), readFileOrFail(info.filePath()), kind});
        }
    };
    add(QStringLiteral("bmp/good"), AssetKind::Picture);
    add(QStringLiteral("cur"), AssetKind::Cursor);
    add(QStringLiteral("ani"), AssetKind::Cursor);
    add(QStringLiteral("sound"), AssetKind::Wave, QStringLiteral("wav"));
    add(QStringLiteral("sound"), AssetKind::Mp3, QStringLiteral("mp3"));
    return files;
}

constexpr AssetKind kAllKinds[] = {AssetKind::Picture, AssetKind::Cursor, AssetKind::Wave, AssetKind::Mp3};

// A reason is meant to follow the file's name in a message: Russian, starting in lower case, short.
void expectReason(const QString& reason) {
    ASSERT_FALSE(reason.isEmpty());
    EXPECT_TRUE(reason[0].isLower() && reason[0].script() == QChar::Script_Cyrillic) << reason.toStdString();
    EXPECT_LE(reason.size(), 60) << reason.toStdString();
}

TEST(AssetCheck, RealFilesPassAsTheirKindAndFailAsEveryOther) {
    const QList<CorpusFile> corpus = goodCorpus();
    int perKind[4] = {0, 0, 0, 0};
    for (const CorpusFile& file : corpus) {
        SCOPED_TRACE(file.name.toStdString());
        ++perKind[int(file.kind)];
        EXPECT_EQ(assetProblem(file.kind, file.bytes), QString());
        for (AssetKind other : kAllKinds) {
            if (other != file.kind) expectReason(assetProblem(other, file.bytes));
        }
    }
    for (int count : perKind)
        EXPECT_GE(count, 2);
}

TEST(AssetCheck, DamagedPicturesCursorsAndEmptyFilesFail) {
    // Damage in fields the picture reader does not need (file size, image size, density) or pixel indices
    // past the palette (shown black) still give a picture, so these files may replace one.
    const QStringList readable = {QStringLiteral("badbitssize.bmp"), QStringLiteral("baddens1.bmp"),
                                  QStringLiteral("badfilesize.bmp"), QStringLiteral("pal8badindex.bmp")};
    int refused = 0;
    for (const QFileInfo& info : testDataFiles(QStringLiteral("bmp/bad"))) {
        SCOPED_TRACE(info.fileName().toStdString());
        const QString problem = assetProblem(AssetKind::Picture, readFileOrFail(info.filePath()));
        if (readable.contains(info.fileName())) {
            EXPECT_EQ(problem, QString());
        } else {
            expectReason(problem);
            ++refused;
        }
    }
    EXPECT_GE(refused, 10);
    for (const QFileInfo& info : testDataFiles(QStringLiteral("ani/bad"))) {
        SCOPED_TRACE(info.fileName().toStdString());
        expectReason(assetProblem(AssetKind::Cursor, readFileOrFail(info.filePath())));
    }
    for (AssetKind kind : kAllKinds)
        EXPECT_EQ(assetProblem(kind, QByteArray()), QStringLiteral("файл пуст"));
}

QByteArray with16(QByteArray bytes, int at, quint16 value) {
    qToLittleEndian(value, bytes.data() + at);
    return bytes;
}
QByteArray with32(QByteArray bytes, int at, quint32 value) {
    qToLittleEndian(value, bytes.data() + at);
    return bytes;
}
QByteArray withBytes(QByteArray bytes, int at, const QByteArray& replacement) {
    bytes.replace(at, replacement.size(), replacement);
    return bytes;
}

TEST(AssetCheck, WavesCutShortOrWithBrokenHeadersFail) {
    for (const QFileInfo& info : testDataFiles(QStringLiteral("sound"))) {
        if (info.suffix() != QLatin1String("wav")) continue;
        SCOPED_TRACE(info.fileName().toStdString());
        const QByteArray wave = readFileOrFail(info.filePath());
        ASSERT_EQ(wave.mid(12, 4), QByteArray("fmt ")); // every corpus WAV starts with its format
        const int data = int(wave.indexOf("data"));
        ASSERT_GT(data, 35);

        // Cut inside the RIFF header, inside the format, before and inside the data chunk's header, and
        // right after it, with not one sample left.
        for (int length : {3, 11, 12, 20, 35, 36, data, data + 4, data + 8}) {
            SCOPED_TRACE(length);
            expectReason(assetProblem(AssetKind::Wave, wave.left(length)));
        }
        // A data chunk cut short still plays as far as it goes.
        EXPECT_EQ(assetProblem(AssetKind::Wave, wave.left(data + 9)), QString());
        EXPECT_EQ(assetProblem(AssetKind::Wave, wave.left(wave.size() / 2)), QString());

        const QList<QByteArray> broken = {
            withBytes(wave, 0, "RIFX"),    withBytes(wave, 8, "AVI "), withBytes(wave, 12, "fmt_"),
            withBytes(wave, data, "dat4"), with32(wave, 16, 14), // a format too short to hold the numbers
            with32(wave, 16, 0x7FFFFFF0),                        // a format chunk running past the end
            with16(wave, 20, 0x55), // MPEG audio inside a WAV, which the player does not decode
            with16(wave, 20, 0),           with16(wave, 22, 0),        with16(wave, 22, 9),
            with32(wave, 24, 0),           with32(wave, 24, 384001),   with16(wave, 32, 0),
            with16(wave, 34, 12),          with16(wave, 34, 0),
        };
        for (int k = 0; k < broken.size(); ++k) {
            SCOPED_TRACE(k);
            expectReason(assetProblem(AssetKind::Wave, broken[k]));
        }
    }
}

// splash.wav: PCM 8-bit mono 11025 Hz, "fmt " of 16 bytes at 12, "data" at 36.
QByteArray splash() {
    return readTestData(QStringLiteral("sound/sdl_mixer_splash.wav"));
}

QByteArray riffChunk(const char* id, const QByteArray& body, bool pad = true) {
    QByteArray out = QByteArray(id, 4) + with32(QByteArray(4, '\0'), 0, quint32(body.size())) + body;
    if (pad && (body.size() & 1)) out.append('\0');
    return out;
}

TEST(AssetCheck, WaveChunksAreWalkedWithPaddingAndFormatsCheckedByEncoding) {
    const QByteArray wave = splash();
    ASSERT_EQ(wave.mid(36, 4), QByteArray("data"));
    const QByteArray head = wave.left(12);
    const QByteArray format = wave.mid(12, 24);
    const QByteArray data = wave.mid(36);

    // An odd chunk before the data is followed by a pad byte; a writer that forgets it hides the data.
    EXPECT_EQ(assetProblem(AssetKind::Wave, head + format + riffChunk("junk", "abc") + data), QString());
    expectReason(assetProblem(AssetKind::Wave, head + format + riffChunk("junk", "abc", false) + data));
    // The format must come before the samples.
    expectReason(assetProblem(AssetKind::Wave, head + data + format));

    struct Variant {
        quint16 tag, channels;
        quint32 rate;
        quint16 blockAlign, bits;
        quint16 subFormat; // for the extensible tag only
        bool plays;
    };
    const Variant variants[] = {
        {1, 2, 44100, 4, 16, 0, true},
        {1, 8, 384000, 24, 24, 0, true},
        {1, 1, 8000, 4, 32, 0, true},
        {3, 2, 48000, 8, 32, 0, true},
        {3, 1, 48000, 8, 64, 0, true},
        {6, 1, 8000, 1, 8, 0, true},
        {0x11, 1, 22050, 512, 4, 0, true},
        {0xFFFE, 2, 44100, 4, 16, 1, true},
        {0xFFFE, 2, 44100, 8, 32, 3, true},
        {1, 2, 44100, 2, 16, 0, false}, // a block too small for one sample of each channel
        {1, 1, 44100, 2, 12, 0, false},
        {3, 1, 44100, 2, 16, 0, false},
        {6, 1, 8000, 2, 16, 0, false},
        {0xFFFE, 2, 44100, 4, 16, 0x55, false},
        {2, 1, 22050, 0, 4, 0, false},
        {1, 9, 44100, 18, 16, 0, false},
        {0xFFFE, 1, 22050, 512, 4, 0x11, false}, // extensible covers PCM and float only
    };
    for (const Variant& v : variants) {
        SCOPED_TRACE(v.tag);
        SCOPED_TRACE(v.bits);
        QByteArray body(v.tag == 0xFFFE ? 40 : 16, '\0');
        body =
            with16(with16(with32(with16(with16(body, 0, v.tag), 2, v.channels), 4, v.rate), 12, v.blockAlign),
                   14, v.bits);
        if (v.tag == 0xFFFE) body = with16(with16(body, 16, 22), 24, v.subFormat);
        const QString problem = assetProblem(AssetKind::Wave, head + riffChunk("fmt ", body) + data);
        if (v.plays)
            EXPECT_EQ(problem, QString());
        else
            expectReason(problem);
    }
    // An extensible format too short for its extension: its sub-format is not taken from whatever follows
    // (here the size of a one-byte chunk, which would read as PCM).
    const QByteArray shortExtensible =
        riffChunk("fmt ", with16(format.mid(8), 0, 0xFFFE) + QByteArray(4, '\0'));
    expectReason(assetProblem(AssetKind::Wave, head + shortExtensible + riffChunk("junk", "x") + data));
}

// The corpus MP3s: where the ID3v2 tag ends (the tag sizes listed for the corpus), that is where the
// first frame header starts.
struct Mp3Sample {
    const char* name;
    int firstFrame;
    int firstFrameLength;
};
constexpr Mp3Sample kMp3s[] = {{"sound/pydub_test3.mp3", 90, 104}, {"sound/webamp_llama.mp3", 1533, 182}};

TEST(AssetCheck, Mp3sCutShortOrWithBrokenFrameHeadersFail) {
    for (const Mp3Sample& sample : kMp3s) {
        SCOPED_TRACE(sample.name);
        const QByteArray mp3 = readTestData(QLatin1String(sample.name));
        const int at = sample.firstFrame;
        const int second = at + sample.firstFrameLength;
        ASSERT_EQ(quint8(mp3[at]), 0xFF);
        ASSERT_EQ(quint8(mp3[second]), 0xFF);

        // Cut inside the tag's header, inside the tag, right after it, inside the first frame's header and
        // inside the first frame.
        for (int length : {2, 9, at - 1, at, at + 3, at + 20}) {
            SCOPED_TRACE(length);
            expectReason(assetProblem(AssetKind::Mp3, mp3.left(length)));
        }
        EXPECT_EQ(assetProblem(AssetKind::Mp3, mp3.left(mp3.size() / 2)), QString());
        EXPECT_EQ(assetProblem(AssetKind::Mp3, mp3.mid(at)), QString()); // frames without a tag

        const auto patched = [&mp3, at](int offset, quint8 andMask, quint8 orMask) {
            QByteArray bytes = mp3;
            bytes[at + offset] = char((quint8(bytes[at + offset]) & andMask) | orMask);
            return bytes;
        };
        const quint8 rate = quint8(mp3[at + 2]) >> 4;
        const quint8 sampleRate = (quint8(mp3[second + 2]) >> 2) & 3;
        const QList<QByteArray> broken = {
            withBytes(mp3, 0, "ID4"),
            withBytes(mp3, 6, "\x80"), // a tag size that is not made of 7-bit bytes
            patched(0, 0xFE, 0),       // sync bits
            patched(1, 0x1F, 0),       // sync bits
            patched(1, 0xE7, 0x08),    // reserved MPEG version
            patched(1, 0xF9, 0),       // reserved layer
            patched(2, 0x0F, 0xF0),    // bit rate index 15
            patched(2, 0x0F, 0),       // free format
            patched(2, 0xF3, 0x0C),    // reserved sample rate
            // Another valid bit rate or the padding bit: the first frame's length no longer leads to the
            // second frame's header.
            patched(2, 0x0F, quint8((rate == 9 ? 10 : 9) << 4)),
            patched(2, 0xFD, ~quint8(mp3[at + 2]) & 0x02),
            // A second header in its place, but of another sample rate: not the same stream.
            patched(sample.firstFrameLength + 2, 0xF3, quint8((sampleRate + 1) % 3 << 2)),
        };
        for (int k = 0; k < broken.size(); ++k) {
            SCOPED_TRACE(k);
            expectReason(assetProblem(AssetKind::Mp3, broken[k]));
        }
    }
}

TEST(AssetCheck, AnMp3OfOneFrameMayEndWithATagButNotWithJunk) {
    const QByteArray mp3 = readTestData(QStringLiteral("sound/pydub_test3.mp3"));
    const int firstFrameEnd = 90 + 104; // the first frame is a 104-byte Xing frame (32 kbit/s, 44.1 kHz)
    ASSERT_EQ(quint8(mp3[firstFrameEnd]), 0xFF);
    const QByteArray oneFrame = mp3.left(firstFrameEnd);

    EXPECT_EQ(assetProblem(AssetKind::Mp3, oneFrame), QString());
    EXPECT_EQ(assetProblem(AssetKind::Mp3, oneFrame + "TAG" + QByteArray(125, ' ')), QString());
    EXPECT_EQ(assetProblem(AssetKind::Mp3, mp3.left(firstFrameEnd + 4)), QString());
    expectReason(assetProblem(AssetKind::Mp3, oneFrame + "abcd"));
    expectReason(assetProblem(AssetKind::Mp3, oneFrame + "a"));
    expectReason(assetProblem(AssetKind::Mp3, mp3.left(firstFrameEnd + 3))); // a second header cut short
    // Zero padding after a tag that its size leaves out is skipped.
    QByteArray padded = mp3;
    padded.insert(90, QByteArray(300, '\0'));
    EXPECT_EQ(assetProblem(AssetKind::Mp3, padded), QString());
}

// Random bytes, bare or behind the start of a real header, are never taken for anything, and nothing a
// file holds makes the check read outside it (the sanitizer build runs this too).
TEST(AssetCheck, RandomBytesFailEveryKindWithoutCrashing) {
    const QList<QByteArray> prefixes = {
        QByteArray(),
        QByteArray("RIFF\x10\x00\x00\x00WAVE", 12),
        QByteArray("RIFF\xF0\xFF\xFF\xFFWAVEfmt \x10\x00\x00\x00\x01\x00", 22),
        QByteArray("\xFF\xFB", 2),
        QByteArray("\xFF\xF3\x70", 3),
        QByteArray("ID3\x04\x00\x00\x00\x00\x00\x05", 10),
        QByteArray("BM", 2),
        QByteArray("RIFF\x00\x01\x00\x00"
                   "ACON",
                   12),
        QByteArray("\x00\x00\x02\x00\x01\x00", 6),
    };
    std::mt19937 random(2024);
    for (int round = 0; round < 3000; ++round) {
        QByteArray bytes = prefixes[round % prefixes.size()];
        const int length = int(random() % (round % 10 == 0 ? 20000 : 600));
        for (int i = 0; i < length; ++i)
            bytes.append(char(random()));
        for (AssetKind kind : kAllKinds) {
            if (!assetProblem(kind, bytes).isEmpty()) continue;
            // Bytes that fill exactly one MPEG frame after a valid header are a stream of one frame: only a
            // decoder could tell noise from sound there. Anything after it gives the random bytes away.
            if (kind == AssetKind::Mp3 && !assetProblem(kind, bytes + "junk").isEmpty()) continue;
            ADD_FAILURE() << "round " << round << ": " << bytes.size() << " random bytes taken as kind "
                          << int(kind);
        }
    }
}

} // namespace
} // namespace tw
