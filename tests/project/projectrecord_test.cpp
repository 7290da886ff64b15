#include "platform/filesystem.h"
#include "project/projectrecord.h"
#include "project/recordfile.h"
#include "project/win1251.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstring>
#include <random>

namespace tw {
namespace {

std::uint16_t u16At(const ProjectRecord& record, std::size_t offset) {
    std::uint16_t value;
    std::memcpy(&value, record.bytes() + offset, 2);
    return value;
}

std::unique_ptr<ProjectRecord> randomRecord(std::uint32_t seed) {
    auto record = ProjectRecord::createBlank();
    std::mt19937 random(seed);
    for (std::size_t i = 0; i < kProjectRecordSize; ++i) record->bytes()[i] = std::uint8_t(random());
    return record;
}

TEST(ProjectRecordLayout, TablesSitAtTheirFileOffsets) {
    auto record = ProjectRecord::createBlank();
    record->pass(1, 1, 1) = 0x1111;
    record->pass(1, 51, 35) = 0x2222;
    record->pass(2, 1, 1) = 0x3333;
    record->pass(100, 51, 35) = 0x4444;
    EXPECT_EQ(u16At(*record, 0x007300), 0x1111);
    EXPECT_EQ(u16At(*record, 0x0080F0), 0x2222);
    EXPECT_EQ(u16At(*record, 0x0080F2), 0x3333);
    EXPECT_EQ(u16At(*record, 0x05E588 - 2), 0x4444); // the grid's last cell ends where the scenes begin

    // Scene 100's last random dialog ends at 0x1AE937; the bag starts right after it.
    record->scene(100).randomDialog(50).lines[3].bytes[49] = 0x5A;
    EXPECT_EQ(record->bytes()[0x1AE937], 0x5A);
    record->bagSlot(1) = 7;
    record->bagSlot(18) = 9;
    EXPECT_EQ(record->bytes()[0x1AE938], 7);
    EXPECT_EQ(record->bytes()[0x1AE949], 9);

    // Scene s starts at 0x05E588 + (s - 1) x 13,772.
    record->scene(3).portal(1).col = 0x77;
    EXPECT_EQ(record->bytes()[0x05E588 + 2 * 13772], 0x77);
    record->scene(2).dialog(5).textY = 0xABCD;
    EXPECT_EQ(u16At(*record, 0x05E588 + 13772 + 1442 + 4 * 426 + 424), 0xABCD);

    record->item(100).isComposite = 1;
    EXPECT_EQ(record->bytes()[0x006E50 + 99 * 12 + 10], 1);
    record->animation(100).frameCount = 30;
    EXPECT_EQ(record->bytes()[0x000FC8 + 99 * 242 + 240], 30);
    record->crowdRemark(50).shownIndex = 42;
    EXPECT_EQ(record->bytes()[0x000730 + 49 * 44 + 40], 42);
    record->heroRemark(50).scene = 0x0102;
    EXPECT_EQ(u16At(*record, 0x000026 + 49 * 36 + 34), 0x0102);
    record->menuBottomRight(4).y = 0x0BEE;
    EXPECT_EQ(u16At(*record, 0x10 + 3 * 4 + 2), 0x0BEE);
    record->tickInterval = -2;
    EXPECT_EQ(record->bytes()[0x1AE9C4], 0xFE);
    EXPECT_EQ(record->bytes()[0x1AE9C7], 0xFF);
}

TEST(ProjectRecordTexts, TextIsCutToCapacityAndBytesBeyondAreKept) {
    auto record = ProjectRecord::createBlank();
    HeroRemark& remark = record->heroRemark(1);
    std::memset(remark.text.bytes, 'x', sizeof remark.text.bytes);
    remark.text.setText("Я иду");
    EXPECT_EQ(remark.text.length, 5);
    EXPECT_EQ(remark.text.text(), "Я иду");
    EXPECT_EQ(remark.text.bytes[5], 'x'); // carried unchanged

    remark.text.setText(std::string(40, 'a'));
    EXPECT_EQ(remark.text.length, 30);
    EXPECT_EQ(remark.text.text(), std::string(30, 'a'));

    // A damaged length byte never reads past the field.
    remark.text.length = 200;
    EXPECT_EQ(remark.text.text().size(), 30);
}

TEST(ProjectRecordTexts, Windows1251CoversCyrillicAndReplacesTheRest) {
    const std::string russian = "Съешь же ещё этих мягких французских булок, ЁЖ! №5 «—»";
    EXPECT_EQ(fromWin1251(toWin1251(russian)), russian);
    EXPECT_EQ(toWin1251("Ж"), Bytes("\xC6"));
    EXPECT_EQ(toWin1251("ё"), Bytes("\xB8"));
    EXPECT_EQ(toWin1251("漢€😀"), Bytes("?\x88?"));
    // Every byte decodes to a character that encodes back to itself.
    Bytes all;
    for (int b = 0; b < 256; ++b) all.push_back(char(b));
    EXPECT_EQ(toWin1251(fromWin1251(all)), all);
}

// What the text boxes keep of a text is exactly what the record can store: over random mixes of
// Cyrillic, Latin, "?" and characters of other scripts (astral ones included), the kept text survives
// storing unchanged, and every character left out is reported.
TEST(ProjectRecordTexts, KeepingOnlyWhatTheCodePageHoldsLosesNothingElse) {
    const QString pool = QStringLiteral("абвЁё?AZ09 №«»—€漢字ßĀ") + QString::fromUcs4(U"😀𝄞");
    std::mt19937 random(1251);
    for (int round = 0; round < 500; ++round) {
        QString text;
        const int n = std::uniform_int_distribution<int>(0, 20)(random);
        for (int i = 0; i < n; ++i) {
            const int k = std::uniform_int_distribution<int>(0, int(pool.size()) - 1)(random);
            // A surrogate pair is taken whole.
            if (pool.at(k).isLowSurrogate()) text += pool.mid(k - 1, 2);
            else if (pool.at(k).isHighSurrogate()) text += pool.mid(k, 2);
            else text += pool.at(k);
        }
        std::string droppedUtf8;
        const QString kept = QString::fromStdString(keepWin1251(text.toStdString(), &droppedUtf8));
        const QString dropped = QString::fromStdString(droppedUtf8);
        EXPECT_EQ(QString::fromStdString(fromWin1251(toWin1251(kept.toStdString()))), kept) << text.toStdString();
        const bool anyLost = QString::fromStdString(fromWin1251(toWin1251(text.toStdString()))) != text;
        EXPECT_EQ(anyLost, !dropped.isEmpty()) << text.toStdString();
        for (const QChar ch : dropped) EXPECT_FALSE(kept.contains(ch)) << text.toStdString();
    }
}

TEST(ProjectRecordFile, RoundTripIsByteForByteIncludingGaps) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.filePath(QStringLiteral("typ.dll")).toStdString();
    auto original = randomRecord(12345);
    DiskFileSystem disk;
    ASSERT_EQ(saveRecordFile(disk, path, *original), "");
    EXPECT_EQ(QFileInfo(QString::fromStdString(path)).size(), qint64(kProjectRecordSize));

    RecordLoad load = loadRecordFile(disk, path);
    ASSERT_EQ(load.status, RecordLoad::Status::Ok);
    EXPECT_EQ(std::memcmp(load.record->bytes(), original->bytes(), kProjectRecordSize), 0);
    // The safe write leaves no temporary file behind.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("typ.dll")});
}

TEST(ProjectRecordFile, MissingShortAndUnwritableFiles) {
    QTemporaryDir dir;
    DiskFileSystem disk;
    EXPECT_EQ(loadRecordFile(disk, dir.filePath(QStringLiteral("none")).toStdString()).status, RecordLoad::Status::OpenFailed);

    const QString shortPath = dir.filePath(QStringLiteral("short.dll"));
    QFile shortFile(shortPath);
    ASSERT_TRUE(shortFile.open(QIODevice::WriteOnly));
    shortFile.write(QByteArray(1000, '\0'));
    shortFile.close();
    RecordLoad load = loadRecordFile(disk, shortPath.toStdString());
    EXPECT_EQ(load.status, RecordLoad::Status::Damaged);
    EXPECT_FALSE(load.record);
    EXPECT_TRUE(QString::fromStdString(load.message).contains(shortPath));

    // A folder where the file should be cannot be replaced; the folder survives and the error is told.
    const QString blocked = dir.filePath(QStringLiteral("blocked"));
    ASSERT_TRUE(QDir().mkdir(blocked));
    const QString message = QString::fromStdString(saveRecordFile(disk, blocked.toStdString(), *ProjectRecord::createBlank()));
    EXPECT_FALSE(message.isEmpty());
    EXPECT_TRUE(message.contains(blocked));
    EXPECT_TRUE(QFileInfo(blocked).isDir());
}

TEST(ProjectRecordAccess, NumbersOutsideTheTablesNeverTouchTheRecord) {
#ifdef QT_NO_DEBUG
    auto record = randomRecord(99);
    auto copy = randomRecord(99);
    record->scene(0).portal(1).col = 5;
    record->scene(101).door(4).state = 1;
    record->item(0).state = 2;
    record->item(101).state = 2;
    record->bagSlot(19) = 3;
    record->pass(1, 52, 1) = 1;
    record->pass(1, 0, 0) = 1;
    EXPECT_EQ(std::memcmp(record->bytes(), copy->bytes(), kProjectRecordSize), 0);
    EXPECT_EQ(record->passOrBlocked(1, 0, 5), kBlockedCell);
    EXPECT_EQ(record->passOrBlocked(101, 1, 1), kBlockedCell);
    EXPECT_EQ(record->item(0).state, 0);
#else
    GTEST_SKIP() << "debug builds stop at the assertion instead";
#endif
}

} // namespace
} // namespace tw
