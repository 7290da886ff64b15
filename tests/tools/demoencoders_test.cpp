// The demo generator's own file writers (cursors, waves) and its keyed-picture rule, on small inputs
// whose bytes can be checked one by one.
#include "make-demo/aniwriter.h"
#include "make-demo/demolayout.h"
#include "make-demo/demorecord.h"
#include "make-demo/keyedpicture.h"
#include "make-demo/soundfiles.h"
#include "make-demo/soundsynth.h"

#include "platform/anicursor.h"
#include "support/qtdecoders.h"
#include "toolkit/toolkittypes.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <QtEndian>

namespace tw::demo {
namespace {

quint32 u32(const QByteArray& b, qsizetype at) { return qFromLittleEndian<quint32>(b.constData() + at); }
quint16 u16(const QByteArray& b, qsizetype at) { return qFromLittleEndian<quint16>(b.constData() + at); }

TEST(DemoCursorWriter, CursorFileHoldsHotspotColoursBottomUpAndTheMask) {
    // 2 x 2: opaque red top left, clear top right, half-transparent green and opaque blue below.
    QImage image(2, 2, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(255, 0, 0, 255));
    image.setPixel(1, 0, qRgba(0, 0, 0, 0));
    image.setPixel(0, 1, qRgba(0, 255, 0, 128));
    image.setPixel(1, 1, qRgba(0, 0, 255, 255));
    const QByteArray cur = encodeCursorFile({image, QPoint(1, 0)});

    ASSERT_EQ(cur.size(), 6 + 16 + 40 + 2 * 2 * 4 + 2 * 4);
    EXPECT_EQ(u16(cur, 2), 2) << "type: cursor";
    EXPECT_EQ(u16(cur, 4), 1);
    EXPECT_EQ(quint8(cur[6]), 2);
    EXPECT_EQ(quint8(cur[7]), 2);
    EXPECT_EQ(u16(cur, 10), 1) << "hotspot x";
    EXPECT_EQ(u16(cur, 12), 0) << "hotspot y";
    EXPECT_EQ(u32(cur, 14), quint32(cur.size() - 22));
    EXPECT_EQ(u32(cur, 18), 22u);
    EXPECT_EQ(u32(cur, 22), 40u);
    EXPECT_EQ(u32(cur, 30), 4u) << "height counts colour and mask rows";
    EXPECT_EQ(u16(cur, 36), 32);
    // The bottom row comes first, each pixel blue, green, red, alpha.
    EXPECT_EQ(cur.mid(62, 16), QByteArray::fromHex("00ff0080" "ff0000ff" "0000ffff" "00000000"));
    // Mask rows of four bytes, bottom row first: only the clear pixel (top right) is set.
    EXPECT_EQ(cur.mid(78, 8), QByteArray::fromHex("00000000" "40000000"));

    std::string why;
    const auto decoded =
        qtdecoders::qtView(decodeAniCursor(fromQtBytes(encodeAniCursor({{{image, QPoint(1, 0)}}, {}, {}, 10})), &why));
    ASSERT_TRUE(decoded.has_value()) << why;
    EXPECT_EQ(decoded->frames.first().hotspot, QPoint(1, 0));
    EXPECT_EQ(decoded->frames.first().image.pixel(1, 1), qRgba(0, 0, 255, 255));
}

TEST(DemoCursorWriter, AniCarriesRatesAndSequenceWhenGiven) {
    QImage a(32, 32, QImage::Format_ARGB32), b(32, 32, QImage::Format_ARGB32);
    a.fill(qRgba(10, 20, 30, 255));
    b.fill(qRgba(200, 100, 50, 255));
    AnimatedCursor cursor{{{a, QPoint(3, 4)}, {b, QPoint(16, 16)}}, {0, 1, 0}, {5, 7, 9}, 12};
    const QByteArray ani = encodeAniCursor(cursor);
    EXPECT_EQ(u32(ani, 4), quint32(ani.size() - 8));
    EXPECT_EQ(u32(ani, 24), 2u) << "frames";
    EXPECT_EQ(u32(ani, 28), 3u) << "steps";
    EXPECT_EQ(u32(ani, 48), 12u) << "default rate";
    EXPECT_EQ(u32(ani, 52), 3u) << "icon frames with a sequence";
    EXPECT_EQ(ani.mid(56, 4), QByteArray("rate"));
    EXPECT_EQ(ani.mid(76, 4), QByteArray("seq "));
    const auto decoded = qtdecoders::qtView(decodeAniCursor(fromQtBytes(ani)));
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->sequence, QList<int>({0, 1, 0}));
    EXPECT_EQ(decoded->stepJiffies, QList<int>({5, 7, 9}));
    EXPECT_EQ(decoded->frames[1].hotspot, QPoint(16, 16));
    EXPECT_EQ(decoded->frames[1].image.pixel(5, 5), qRgba(200, 100, 50, 255));

    // Without a sequence the flag says so and every frame is one step.
    const QByteArray plain = encodeAniCursor({{{a, QPoint(0, 0)}}, {}, {}, 10});
    EXPECT_EQ(u32(plain, 52), 1u);
    EXPECT_EQ(plain.mid(56, 4), QByteArray("LIST"));
}

TEST(DemoWaveWriter, WritesAMonoSixteenBitPcmFile) {
    const QByteArray wav = encodeWav({0, 32767, -32768}, 22050);
    EXPECT_EQ(wav, QByteArray::fromHex("52494646" "2a000000" "57415645" "666d7420" "10000000" "0100" "0100"
                                       "22560000" "44ac0000" "0200" "1000" "64617461" "06000000"
                                       "0000" "ff7f" "0080"));
}

TEST(DemoWaveWriter, LameTurnsAWaveIntoAnMp3) {
    QTemporaryDir scratch;
    Samples tone;
    for (int i = 0; i < kSoundRate / 2; ++i) tone.append(qint16(i % 50 < 25 ? 8000 : -8000));
    QString why;
    const QByteArray mp3 = encodeMp3WithLame(encodeWav(tone, kSoundRate), scratch.path(), &why);
    ASSERT_FALSE(mp3.isEmpty()) << why.toStdString();
    EXPECT_TRUE(QDir(scratch.path()).isEmpty()) << "the scratch files are removed";
}

TEST(DemoSounds, TheMelodyLoopsWithoutASeam) {
    const Samples melody = synthMelody();
    const double seconds = double(melody.size()) / kSoundRate;
    EXPECT_GE(seconds, 10.0);
    EXPECT_LE(seconds, 20.0);
    int peak = 0, biggestStep = 0;
    for (qsizetype i = 0; i < melody.size(); ++i) {
        peak = std::max(peak, std::abs(int(melody[i])));
        if (i > 0) biggestStep = std::max(biggestStep, std::abs(melody[i] - melody[i - 1]));
    }
    EXPECT_GT(peak, 20000);
    // Played in a loop, the step from the last sample back to the first is no bigger than the steps
    // the music makes anyway: no click at the seam.
    EXPECT_LE(std::abs(melody.first() - melody.last()), biggestStep);
}

TEST(DemoKeyedPicture, EdgesAreCutAtHalfCoverageAndTheKeyNeverAppearsInADrawing) {
    QImage drawing(3, 2, QImage::Format_ARGB32);
    drawing.fill(Qt::transparent); // the bottom row stays clear, so its left pixel is the key
    drawing.setPixel(0, 0, qRgba(10, 200, 30, 200));  // mostly covered: keeps its colour, made opaque
    drawing.setPixel(1, 0, qRgba(10, 200, 30, 100));  // mostly clear: becomes the key
    drawing.setPixel(2, 0, qRgba(255, 0, 255, 255));  // drawn in the key colour: nudged off it
    const QImage flat = flattenOnKey(drawing, drawing.size());
    EXPECT_EQ(flat.pixel(0, 0), qRgb(10, 200, 30));
    EXPECT_EQ(flat.pixel(1, 0), keyRgb());
    EXPECT_NE(flat.pixel(2, 0), keyRgb());

    const QImage shown = keyedToTransparent(flat);
    EXPECT_EQ(qAlpha(shown.pixel(1, 0)), 0);
    EXPECT_EQ(qAlpha(shown.pixel(0, 0)), 255);
}

TEST(DemoLayout, PassabilityFollowsTheLayoutAndObstaclesStandOnTheGround) {
    auto record = ProjectRecord::createBlank();
    for (int s = 1; s <= kDemoSceneCount; ++s) {
        fillPassability(*record, s);
        const SceneLayout& layout = sceneLayout(s);
        for (const QRect& cells : layout.walkable)
            EXPECT_EQ(record->pass(s, cells.left(), cells.top()) == 0, isWalkableCell(layout, cells.left(), cells.top()) &&
                                                                           !isDoorCell(layout, cells.left(), cells.top()));
        // A door stands on a cell of the ground, and its cell is blocked until it opens.
        for (const DoorPlacement& door : layout.doors) {
            EXPECT_TRUE(isWalkableCell(layout, door.cell.x(), door.cell.y())) << "scene " << s;
            EXPECT_EQ(record->pass(s, door.cell.x(), door.cell.y()), kBlockedCell) << "scene " << s;
        }
        for (const QRect& obstacle : layout.obstacles) {
            EXPECT_EQ(record->pass(s, obstacle.left(), obstacle.top()), kBlockedCell);
            // An obstacle off the ground would be a mistake in the layout: the cell is blocked anyway.
            bool onGround = false;
            for (const QRect& cells : layout.walkable) onGround |= cells.contains(obstacle);
            EXPECT_TRUE(onGround) << "scene " << s;
        }
        EXPECT_EQ(record->pass(s, 1, 1), kBlockedCell) << "scene " << s << ": the sky or the wall";
    }
    const QPoint foot = heroStartPoint();
    EXPECT_TRUE(isWalkableCell(sceneLayout(1), foot.x() / 20 + 1, foot.y() / 20 + 1));
}

} // namespace
} // namespace tw::demo
