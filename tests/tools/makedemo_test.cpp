// The demo generator writes a whole game tree; these tests generate it once into a temporary folder and
// check it the way the game will use it: every file present, pictures of the right size, a record whose
// numbers point at real things, cursors and sounds the readers accept, and a second run that keeps it all.
#include "make-demo/demotree.h"

#include "platform/anicursor.h"
#include "platform/picturecodec.h"
#include "project/projectrecord.h"
#include "support/qtdecoders.h"
#include "toolkit/toolkittypes.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <QtEndian>

#include <cstring>
#include <map>
#include <queue>

namespace tw::demo {
namespace {

const QRgb kKey = qRgb(255, 0, 255);

QByteArray readAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) ADD_FAILURE() << "cannot open " << path.toStdString();
    return f.readAll();
}

quint32 u32(const QByteArray& b, qsizetype at) { return qFromLittleEndian<quint32>(b.constData() + at); }
quint16 u16(const QByteArray& b, qsizetype at) { return qFromLittleEndian<quint16>(b.constData() + at); }

bool isKey(const QImage& image, int x, int y) { return (image.pixel(x, y) | 0xff000000u) == kKey; }

// True when the rectangle of the picture holds at least one pixel other than the key colour.
bool hasDrawing(const QImage& image, const QRect& r) {
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (!isKey(image, x, y)) return true;
    return false;
}

// Hash and modification time of every file under a folder, to see whether anything changed.
std::map<QString, std::pair<QByteArray, qint64>> snapshot(const QString& folder) {
    std::map<QString, std::pair<QByteArray, qint64>> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files[path] = {QCryptographicHash::hash(readAll(path), QCryptographicHash::Sha1),
                       QFileInfo(path).lastModified().toMSecsSinceEpoch()};
    }
    return files;
}

class MakeDemoTree : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        programFolder = new QTemporaryDir;
        target = new QTemporaryDir;
        program = programFolder->filePath(QStringLiteral("tarnwick"));
        QFile f(program);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("\x7f" "ELF a stand-in for the player program\0\x01\x02", 42));
        f.close();
        result = writeDemoTree({target->path(), program}, &error);
    }
    static void TearDownTestSuite() {
        delete target;
        delete programFolder;
    }

    static QString path(const QString& relative) { return QDir(target->path()).filePath(relative); }
    static QByteArray file(const QString& relative) { return readAll(path(relative)); }
    static QImage picture(const QString& relative) {
        const QByteArray bytes = file(relative);
        return QImage::fromData(bytes, "BMP").convertToFormat(QImage::Format_RGB32);
    }
    static std::unique_ptr<ProjectRecord> record() {
        auto r = ProjectRecord::createBlank();
        const QByteArray bytes = file(QStringLiteral("mzh/data/typ.dll"));
        if (bytes.size() == qsizetype(sizeof(ProjectRecord))) std::memcpy(r->bytes(), bytes.constData(), sizeof(ProjectRecord));
        return r;
    }

    static inline QTemporaryDir* programFolder = nullptr;
    static inline QTemporaryDir* target = nullptr;
    static inline QString program;
    static inline DemoResult result = DemoResult::Failed;
    static inline QString error;
};

TEST_F(MakeDemoTree, WritesEveryFileOfTheTreeAndNoScratch) {
    ASSERT_EQ(result, DemoResult::Written) << error.toStdString();
    const char* files[] = {"mzh/data/typ.dll", "mzh/data/baztyp.dll", "mzh/data/Comp", "mzh/data/anim",
                           "mzh/data/menu", "mzh/data/help", "mzh/data/pon", "mzh/data/nabpredmax",
                           "mzh/data/nabpredmin", "mzh/data/dver", "mzh/data/ten", "mzh/data/men.ani",
                           "mzh/data/clik.ani", "mzh/data/hod.ani", "mzh/data/pred.ani", "mzh/data/dial.ani",
                           "mzh/data/smotr.ani", "mzh/data/net.ani", "mzh/data/temp.ani", "mzh/Kom/1", "mzh/Kom/2",
                           "mzh/Kom/3", "mzh/scena/1", "mzh/scena/2", "mzh/scena/3", "mzh/sound/fon.mp3",
                           "mzh/sound/clik.wav", "mzh/sound/hod.wav", "mzh/sound/even.wav", "graf/1.bmp",
                           "graf/2.bmp", "graf/3.bmp"};
    for (const char* f : files) EXPECT_TRUE(QFileInfo(path(QLatin1String(f))).isFile()) << f;
    EXPECT_EQ(QDir(target->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({QStringLiteral("graf"), QStringLiteral("mzh")}));
    EXPECT_EQ(file(QStringLiteral("mzh/data/Comp")), readAll(program));
}

TEST_F(MakeDemoTree, PicturesAreBitmapsOfTheSizesTheGameExpects) {
    const std::pair<const char*, QSize> sized[] = {
        {"mzh/data/menu", {1009, 700}},      {"mzh/data/help", {1009, 700}},     {"mzh/data/pon", {1009, 60}},
        {"mzh/data/nabpredmax", {5000, 50}}, {"mzh/data/nabpredmin", {2000, 20}}, {"mzh/data/dver", {3000, 90}},
        {"mzh/scena/1", {1009, 700}},        {"mzh/scena/2", {1009, 700}},       {"mzh/scena/3", {1009, 700}},
        {"mzh/Kom/1", {600, 400}},           {"mzh/Kom/2", {600, 400}},          {"mzh/Kom/3", {600, 400}}};
    for (const auto& [name, size] : sized) {
        const QByteArray bytes = file(QLatin1String(name));
        EXPECT_TRUE(bytes.startsWith("BM")) << name;
        EXPECT_EQ(QImage::fromData(bytes, "BMP").size(), size) << name;
        EXPECT_EQ(toQt(decodePicture(fromQtBytes(bytes))).size(), size) << name;
    }
    // Transparent pictures: a drawing on a key-coloured background.
    for (const char* name : {"mzh/data/ten", "graf/1.bmp", "graf/2.bmp", "graf/3.bmp"}) {
        const QImage image = picture(QLatin1String(name));
        ASSERT_FALSE(image.isNull()) << name;
        EXPECT_TRUE(isKey(image, 0, image.height() - 1)) << name;
        EXPECT_TRUE(hasDrawing(image, image.rect())) << name;
    }
}

TEST_F(MakeDemoTree, ScenesAreTexturedPicturesNotFlatFills) {
    for (int s = 1; s <= 3; ++s) {
        const QImage scene = picture(QStringLiteral("mzh/scena/%1").arg(s));
        QSet<QRgb> colours;
        for (int y = 0; y < scene.height(); y += 7)
            for (int x = 0; x < scene.width(); x += 7) colours.insert(scene.pixel(x, y));
        EXPECT_GT(colours.size(), 2000) << "scene " << s;
    }
}

TEST_F(MakeDemoTree, RecordHoldsTheDemoGame) {
    ASSERT_EQ(file(QStringLiteral("mzh/data/typ.dll")).size(), 1765108);
    EXPECT_EQ(file(QStringLiteral("mzh/data/baztyp.dll")), file(QStringLiteral("mzh/data/typ.dll")));
    const auto r = record();
    EXPECT_EQ(r->sceneCount, 3);
    EXPECT_EQ(r->stampCount, 3);
    EXPECT_EQ(r->comicCount, 3);
    EXPECT_EQ(r->gameName.text(), "DemoQuest");
    EXPECT_EQ(r->startScene, 1);
    EXPECT_EQ(r->tickInterval, 50);
    EXPECT_EQ(r->heroStep, 5);
    EXPECT_EQ(r->heroCol, r->heroX / 20 + 1);
    EXPECT_EQ(r->heroRow, r->heroY / 20 + 1);
    EXPECT_LT(r->passOrBlocked(1, r->heroCol, r->heroRow), kBlockedCell);
    EXPECT_EQ(r->heldItem, 0);
    EXPECT_EQ(r->bagSlot(1), 0);
    // The four menu zones: well formed, on the menu picture, one below the other in menu order.
    for (int k = 1; k <= 4; ++k) {
        const Point16 a = r->menuTopLeft(k), b = r->menuBottomRight(k);
        EXPECT_LT(a.x, b.x) << k;
        EXPECT_LT(a.y, b.y) << k;
        EXPECT_LE(b.x, 1009) << k;
        EXPECT_LE(b.y, 700) << k;
        if (k > 1) {
            EXPECT_LE(r->menuBottomRight(k - 1).y, a.y) << k;
        }
    }
}

TEST_F(MakeDemoTree, EveryFrameLiesInTheSheetOnAKeyColouredCorner) {
    const auto r = record();
    const QImage sheet = picture(QStringLiteral("mzh/data/anim"));
    ASSERT_FALSE(sheet.isNull());
    int animations = 0;
    for (int a = 1; a <= kAnimationCapacity; ++a) {
        const Animation& anim = r->animation(a);
        if (anim.frameCount == 0) continue;
        ++animations;
        for (int f = 1; f <= anim.frameCount; ++f) {
            const AnimFrame& fr = anim.frame(f);
            const QRect rect(fr.srcX, fr.srcY, fr.width, fr.height);
            ASSERT_TRUE(sheet.rect().contains(rect)) << "animation " << a << " frame " << f;
            EXPECT_TRUE(isKey(sheet, rect.left(), rect.bottom())) << "animation " << a << " frame " << f;
            EXPECT_TRUE(hasDrawing(sheet, rect)) << "animation " << a << " frame " << f;
            // A free border all round: nothing of the drawing is cut off, nothing of a neighbour shows.
            const QRect inside = rect.adjusted(1, 1, -1, -1);
            EXPECT_FALSE(hasDrawing(sheet, QRect(rect.topLeft(), QSize(rect.width(), 1))) ||
                         hasDrawing(sheet, QRect(rect.bottomLeft(), QSize(rect.width(), 1))) ||
                         hasDrawing(sheet, QRect(rect.topLeft(), QSize(1, rect.height()))) ||
                         hasDrawing(sheet, QRect(rect.topRight(), QSize(1, rect.height()))))
                << "animation " << a << " frame " << f;
            EXPECT_TRUE(hasDrawing(sheet, inside));
        }
    }
    EXPECT_GE(animations, 8);
}

TEST_F(MakeDemoTree, HeroWalksInEveryDirectionWithHisFeetOnOneLine) {
    const auto r = record();
    const QImage sheet = picture(QStringLiteral("mzh/data/anim"));
    const int hero[] = {r->heroAnimStand, r->heroAnimLeft, r->heroAnimRight, r->heroAnimForward, r->heroAnimBack};
    QSet<int> distinct(std::begin(hero), std::end(hero));
    EXPECT_EQ(distinct.size(), 5);
    for (int a : hero) {
        const Animation& anim = r->animation(a);
        EXPECT_GE(anim.frameCount, a == r->heroAnimStand ? 2 : 4) << "animation " << a;
        const AnimFrame first = anim.frame(1);
        for (int f = 1; f <= anim.frameCount; ++f) {
            const AnimFrame& fr = anim.frame(f);
            // Same size as frame 1, so every frame is drawn at the same anchor; soles on the row above
            // the bottom margin, so his feet do not jump between frames.
            EXPECT_EQ(fr.width, first.width);
            EXPECT_EQ(fr.height, first.height);
            int lowest = -1;
            for (int y = fr.srcY + fr.height - 1; y >= fr.srcY && lowest < 0; --y)
                if (hasDrawing(sheet, QRect(fr.srcX, y, fr.width, 1))) lowest = y - fr.srcY;
            EXPECT_EQ(lowest, fr.height - 2) << "animation " << a << " frame " << f;
        }
        // A walking animation whose frames were all alike would be a statue sliding along.
        if (a != r->heroAnimStand) {
            const QImage f1 = sheet.copy(anim.frame(1).srcX, anim.frame(1).srcY, first.width, first.height);
            const QImage f2 = sheet.copy(anim.frame(2).srcX, anim.frame(2).srcY, first.width, first.height);
            EXPECT_NE(f1, f2) << "animation " << a;
        }
    }
}

// The cell of a door of the scene: blocked while the door is closed, ground once it is open.
bool isDoorCell(const ProjectRecord& r, int scene, int c, int row) {
    for (int d = 1; d <= kDoorsPerScene; ++d) {
        const Door& door = r.scene(scene).door(d);
        if (door.state != 0 && door.approachCol == c && door.approachRow == row) return true;
    }
    return false;
}

// Cells reachable from one walkable cell, moving only horizontally and vertically over walkable cells and
// through doors (as they are once opened).
int reachable(const ProjectRecord& r, int scene, int c0, int r0) {
    std::vector<bool> seen(kGridColumns * kGridRows, false);
    std::queue<std::pair<int, int>> open;
    open.push({c0, r0});
    seen[(c0 - 1) * kGridRows + r0 - 1] = true;
    int count = 0;
    while (!open.empty()) {
        const auto [c, row] = open.front();
        open.pop();
        ++count;
        for (auto [dc, dr] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
            const int nc = c + dc, nr = row + dr;
            if (!isCellInGrid(nc, nr)) continue;
            if (r.passOrBlocked(scene, nc, nr) >= kBlockedCell && !isDoorCell(r, scene, nc, nr)) continue;
            if (seen[(nc - 1) * kGridRows + nr - 1]) continue;
            seen[(nc - 1) * kGridRows + nr - 1] = true;
            open.push({nc, nr});
        }
    }
    return count;
}

TEST_F(MakeDemoTree, EachSceneHasOneConnectedWalkableGroundAndLiveSpots) {
    const auto r = record();
    for (int s = 1; s <= 3; ++s) {
        int walkable = 0, first = 0;
        for (int c = 1; c <= kGridColumns; ++c)
            for (int row = 1; row <= kGridRows; ++row) {
                const std::uint16_t v = r->passOrBlocked(s, c, row);
                EXPECT_TRUE(v == 0 || v == kBlockedCell) << "scene " << s;
                if (v == 0 && walkable++ == 0) first = (c << 8) | row;
                if (isDoorCell(*r, s, c, row)) ++walkable;
            }
        EXPECT_GT(walkable, 100) << "scene " << s;
        EXPECT_LT(walkable, kGridColumns * kGridRows / 2) << "scene " << s;
        EXPECT_EQ(reachable(*r, s, first >> 8, first & 0xff), walkable) << "scene " << s;

        int visible = 0;
        for (int k = 1; k <= kSpotsPerScene; ++k) {
            const AnimSpot& spot = r->scene(s).animSpot(k);
            if (!spot.visible) continue;
            ++visible;
            const Animation& anim = r->animation(spot.animation);
            EXPECT_GE(anim.frameCount, 3) << "scene " << s << " spot " << k;
            EXPECT_LE(spot.x + anim.frame(1).width, 1009) << "scene " << s << " spot " << k;
            EXPECT_LE(spot.y + anim.frame(1).height, 700) << "scene " << s << " spot " << k;
        }
        EXPECT_GE(visible, 3) << "scene " << s;
        EXPECT_LE(visible, 6) << "scene " << s;
    }
    for (int s = 4; s <= kSceneCapacity; ++s) EXPECT_EQ(r->scene(s).animSpot(1).visible, 0);
}

TEST_F(MakeDemoTree, ItemAndDoorStripsHoldDistinctKeyedPictures) {
    struct Strip {
        const char* name;
        int cell, height, minimum;
    };
    for (const Strip& s : {Strip{"mzh/data/nabpredmax", 50, 50, 11}, Strip{"mzh/data/nabpredmin", 20, 20, 11},
                           Strip{"mzh/data/dver", 60, 90, 4}}) {
        const QImage strip = picture(QLatin1String(s.name));
        QList<QImage> used;
        for (int n = 1; n * s.cell <= strip.width(); ++n) {
            const QRect cell((n - 1) * s.cell, 0, s.cell, s.height);
            EXPECT_TRUE(isKey(strip, cell.left(), cell.bottom())) << s.name << " cell " << n;
            if (!hasDrawing(strip, cell)) continue;
            EXPECT_EQ(n, used.size() + 1) << s.name << ": pictures are packed from cell 1";
            const QImage picture = strip.copy(cell);
            for (const QImage& other : used) EXPECT_NE(picture, other) << s.name << " cell " << n;
            used.append(picture);
        }
        EXPECT_GE(used.size(), s.minimum) << s.name;
    }
}

TEST_F(MakeDemoTree, CursorsAreAnimatedCursorsTheProgramReads) {
    const char* names[] = {"men", "clik", "hod", "pred", "dial", "smotr", "net", "temp"};
    QList<QImage> firstFrames;
    for (const char* name : names) {
        const QByteArray bytes = file(QStringLiteral("mzh/data/%1.ani").arg(QLatin1String(name)));
        ASSERT_GT(bytes.size(), 12) << name;
        EXPECT_EQ(bytes.left(4), QByteArray("RIFF")) << name;
        EXPECT_EQ(u32(bytes, 4), quint32(bytes.size() - 8)) << name;
        EXPECT_EQ(bytes.mid(8, 4), QByteArray("ACON")) << name;
        EXPECT_EQ(bytes.mid(12, 4), QByteArray("anih")) << name;
        EXPECT_EQ(u32(bytes, 16), 36u) << name;
        EXPECT_EQ(u32(bytes, 20), 36u) << name;
        EXPECT_TRUE(u32(bytes, 52) & 1u) << name << ": frames are icons";

        std::string why;
        const auto cursor = qtdecoders::qtView(decodeAniCursor(fromQtBytes(bytes), &why));
        ASSERT_TRUE(cursor.has_value()) << name << ": " << why;
        EXPECT_EQ(cursor->frames.size(), qsizetype(u32(bytes, 24))) << name;
        EXPECT_EQ(cursor->sequence.size(), qsizetype(u32(bytes, 28))) << name;
        for (const auto& f : cursor->frames) {
            EXPECT_EQ(f.image.size(), QSize(32, 32)) << name;
            EXPECT_TRUE(QRect(0, 0, 32, 32).contains(f.hotspot)) << name;
            // The hotspot sits on the shape (or right beside it), never out in the empty corner.
            bool near = false;
            for (int dy = -3; dy <= 3; ++dy)
                for (int dx = -3; dx <= 3; ++dx) {
                    const QPoint p = f.hotspot + QPoint(dx, dy);
                    if (QRect(0, 0, 32, 32).contains(p) && qAlpha(f.image.pixel(p)) > 128) near = true;
                }
            EXPECT_TRUE(near) << name;
        }
        for (const QImage& other : firstFrames) EXPECT_NE(cursor->frames.first().image, other) << name;
        firstFrames.append(cursor->frames.first().image);
        // The clock, the passage and the eye move.
        if (QStringList({"hod", "smotr", "temp"}).contains(QLatin1String(name))) {
            EXPECT_GE(cursor->frames.size(), 3) << name;
        }
    }
    // The arrow points with its tip.
    const auto arrow = qtdecoders::qtView(decodeAniCursor(fromQtBytes(file(QStringLiteral("mzh/data/men.ani")))));
    ASSERT_TRUE(arrow.has_value());
    EXPECT_LE(arrow->frames.first().hotspot.x(), 3);
    EXPECT_LE(arrow->frames.first().hotspot.y(), 3);
}

TEST_F(MakeDemoTree, SoundsAreWavesAndMusicIsAnMp3) {
    for (const char* name : {"clik", "hod", "even"}) {
        const QByteArray wav = file(QStringLiteral("mzh/sound/%1.wav").arg(QLatin1String(name)));
        ASSERT_GT(wav.size(), 44) << name;
        EXPECT_EQ(wav.left(4), QByteArray("RIFF")) << name;
        EXPECT_EQ(u32(wav, 4), quint32(wav.size() - 8)) << name;
        EXPECT_EQ(wav.mid(8, 8), QByteArray("WAVEfmt ")) << name;
        EXPECT_EQ(u32(wav, 16), 16u) << name;
        EXPECT_EQ(u16(wav, 20), 1) << name << ": PCM";
        EXPECT_EQ(u16(wav, 22), 1) << name << ": mono";
        EXPECT_EQ(u16(wav, 34), 16) << name << ": 16 bits";
        EXPECT_EQ(wav.mid(36, 4), QByteArray("data")) << name;
        EXPECT_EQ(u32(wav, 40), quint32(wav.size() - 44)) << name;
        const double seconds = (wav.size() - 44) / 2.0 / u32(wav, 24);
        EXPECT_GT(seconds, 0.02) << name;
        EXPECT_LT(seconds, 2.0) << name;
        int peak = 0;
        for (qsizetype i = 44; i + 1 < wav.size(); i += 2) peak = std::max(peak, std::abs(qint16(u16(wav, i))));
        EXPECT_GT(peak, 16000) << name << ": audible";
    }
    const QByteArray mp3 = file(QStringLiteral("mzh/sound/fon.mp3"));
    ASSERT_GT(mp3.size(), 10000);
    const bool frameSync = quint8(mp3[0]) == 0xff && (quint8(mp3[1]) & 0xe0) == 0xe0;
    EXPECT_TRUE(mp3.startsWith("ID3") || frameSync);
}

TEST_F(MakeDemoTree, ASecondRunKeepsTheTreeByteForByte) {
    ASSERT_EQ(result, DemoResult::Written);
    const auto before = snapshot(target->path());
    QString why;
    EXPECT_EQ(writeDemoTree({target->path(), program}, &why), DemoResult::KeptExisting);
    EXPECT_EQ(snapshot(target->path()), before);
}

TEST(MakeDemoTreeSafety, AFolderWithOnlyGrafIsKeptAndNothingIsAdded) {
    QTemporaryDir target;
    ASSERT_TRUE(QDir(target.path()).mkdir(QStringLiteral("graf")));
    EXPECT_EQ(writeDemoTree({target.path(), QStringLiteral(TW_SOURCE_DIR "/CMakeLists.txt")}), DemoResult::KeptExisting);
    EXPECT_EQ(QDir(target.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList(QStringLiteral("graf")));
}

TEST(MakeDemoTreeSafety, AMissingProgramFailsAndLeavesTheFolderEmpty) {
    QTemporaryDir target;
    QString why;
    EXPECT_EQ(writeDemoTree({target.path(), target.filePath(QStringLiteral("no-such-program"))}, &why),
              DemoResult::Failed);
    EXPECT_TRUE(why.contains(QStringLiteral("no-such-program"))) << why.toStdString();
    EXPECT_TRUE(QDir(target.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());
}

} // namespace
} // namespace tw::demo
