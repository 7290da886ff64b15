// The author chooses hostile files on every page that takes one: a sparse file of 3 GiB that starts like
// a real BMP or WAV, /dev/zero and a named pipe nobody writes into. Each is refused with one message
// naming it, before it is read: nothing in the project changes, the undo history keeps the two stamps
// added before, no read waits on the pipe, and the process never holds 500 MB.
#include "editor/editor.h"
#include "platform/picturecodec.h"
#include "support/pipewatch.h"
#include "support/windowscenario.h"
#include "toolkit/toolkittypes.h"

#include <QFile>
#include <QTabWidget>
#include <QTemporaryDir>

#include <sys/stat.h>

namespace tw::test {
namespace {

constexpr qint64 kGiB = qint64(1) << 30;

// The peak of the process's resident memory since the last reset, in kB (VmHWM).
qint64 peakMemoryKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').first().toLongLong();
    return -1;
}

// Starts the peak over from the memory held now (the kernel's clear_refs "5").
void resetPeakMemory() {
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    if (refs.open(QIODevice::WriteOnly)) refs.write("5");
}

// A sparse file of `size` bytes that starts with `head`.
QString sparseFile(const QTemporaryDir& dir, const char* name, const QByteArray& head, qint64 size) {
    const QString path = dir.filePath(QLatin1String(name));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(head) != head.size() || !file.resize(size)) return {};
    return path;
}

class ChosenFiles : public WindowScenario {
protected:
    QTemporaryDir dir;

    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        auto record = ProjectRecord::createBlank();
        record->sceneCount = 2;
        record->stampCount = 1;
        record->comicCount = 1;
        putMinimalTree(world.files, *record, true);
        world.files.files[kFakeRoot.stamp(1)] = readTestData(QStringLiteral("bmp/good/pal8.bmp"));
        world.files.files[kFakeRoot.comic(1)] = readTestData(QStringLiteral("bmp/good/rgb24.bmp"));
        world.files.files[kFakeRoot.sound("fon.mp3")] = readTestData(QStringLiteral("sound/pydub_test3.mp3"));
        openWindow();
    }
    void page(int index) { find<QTabWidget>("PageControl1")->setCurrentIndex(index); }
    int undoable() { return window->editor().journal().undoableCount(); }
};

TEST_F(ChosenFiles, HugeAndSpecialFilesAreRefusedUnreadOnEveryPage) {
    const QString hugePicture = sparseFile(dir, "huge.bmp", readTestData(QStringLiteral("bmp/good/rgb24.bmp")), 3 * kGiB);
    const QString hugeSound = sparseFile(dir, "huge.wav", readTestData(QStringLiteral("sound/sdl_mixer_sword.wav")), 3 * kGiB);
    const QString hugeMusic = sparseFile(dir, "huge.mp3", readTestData(QStringLiteral("sound/pydub_test3.mp3")), 3 * kGiB);
    const QString hugeCursor = sparseFile(dir, "huge.ani", readTestData(QStringLiteral("ani/bibata_Amber_wait.ani")), 3 * kGiB);
    ASSERT_FALSE(hugePicture.isEmpty() || hugeSound.isEmpty() || hugeMusic.isEmpty() || hugeCursor.isEmpty());
    const QString pipe = dir.filePath(QStringLiteral("pipe.bmp"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString zero = QStringLiteral("/dev/zero");
    for (const QString& path : {hugePicture, hugeSound, hugeMusic, hugeCursor, pipe, zero}) world.files.onDisk[path] = path;

    // Two stamps added first: the history the refusals must leave alone.
    page(1);
    for (const char* good : {"bmp/good/rgb24.bmp", "bmp/good/pal4.bmp"}) {
        world.dialogs.answers = {offer(good)};
        press("SpeedButton13");
    }
    ASSERT_EQ(record().stampCount, 3);
    ASSERT_EQ(undoable(), 2);
    ASSERT_TRUE(world.messages.errors.isEmpty()) << world.messages.errors.join('\n').toStdString();

    struct Chooser {
        int page;
        const char* button;
        QString huge; // the huge file of the kind the button takes
    };
    const Chooser choosers[] = {
        {1, "SpeedButton20", hugePicture}, // "Загрузить из файла (1009x700)"
        {1, "SpeedButton13", hugePicture}, // a new stamp
        {2, "SpeedButton22", hugePicture}, // "Загрузить набор"
        {0, "SpeedButton1", hugePicture},  // "фон меню (bmp 1009x700)"
        {8, "SpeedButton33", hugePicture}, // "Загрузить понель (1009x60)"
        {8, "SpeedButton54", hugePicture}, // an item's two pictures
        {10, "SpeedButton84", hugePicture}, // a door picture
        {11, "SpeedButton89", hugePicture}, // a new comic
        {9, "SpeedButton7", hugeCursor},   // a cursor
        {5, "SpeedButton62", hugeSound},   // a sound effect
        {5, "SpeedButton112", hugeMusic},  // the music
    };
    resetPeakMemory();
    const qint64 peakBefore = peakMemoryKb();
    bool readerWaited = false;
    {
        PipeWatch watch(pipe);
        for (const Chooser& chooser : choosers) {
            page(chooser.page);
            for (const QString& hostile : {chooser.huge, zero, pipe}) {
                const auto filesBefore = world.files.files;
                const qsizetype errorsBefore = world.messages.errors.size();
                world.dialogs.answers = {hostile, hostile};
                press(chooser.button);
                const std::string where = std::string(chooser.button) + " " + hostile.toStdString();
                ASSERT_EQ(world.messages.errors.size(), errorsBefore + 1) << where;
                const QString& error = world.messages.errors.last();
                EXPECT_TRUE(error.startsWith(QStringLiteral("Файл %1 не подходит: ").arg(hostile))) << where << error.toStdString();
                EXPECT_TRUE(error.contains(hostile == chooser.huge ? QStringLiteral("МБ") : QStringLiteral("не обычный файл")))
                    << where << error.toStdString();
                EXPECT_TRUE(world.files.files == filesBefore) << where;
                EXPECT_EQ(undoable(), 2) << where;
            }
        }
        readerWaited = watch.readerWaited();
    }
    EXPECT_FALSE(readerWaited) << "a read waited on the named pipe";
    // Nothing was read: the peak stays where the window had it (the test process itself is far below).
    const qint64 peak = peakMemoryKb();
    ASSERT_GT(peak, 0);
    EXPECT_LT(peak, 500 * 1024) << "peak " << peak << " kB, before " << peakBefore << " kB";
    EXPECT_EQ(record().stampCount, 3);
    EXPECT_EQ(record().comicCount, 1);

    // The two stamps can still be taken back.
    page(1);
    undo();
    undo();
    EXPECT_EQ(record().stampCount, 1);
    EXPECT_FALSE(world.files.files.contains(kFakeRoot.stamp(2)));
}

TEST_F(ChosenFiles, ALongReadShowsItsProgressAndReadsOnce) {
    // Within the limit (a 20 MiB stamp), the file is read in pieces, each shown; it is read once.
    const QString large = sparseFile(dir, "large.bmp", readTestData(QStringLiteral("bmp/good/rgb24.bmp")), 20 << 20);
    ASSERT_FALSE(large.isEmpty());
    world.files.onDisk[large] = large;
    page(1);
    world.dialogs.answers = {large};
    world.files.opened.clear();
    press("SpeedButton20");
    EXPECT_EQ(world.files.opened.count(large), 1);
    EXPECT_GE(world.dialogs.readingReports, 10);
}

} // namespace
} // namespace tw::test

namespace tw::test {
namespace {

TEST_F(ChosenFiles, APictureOfAnotherSizeIsAskedAboutAndEachChooserSaysWhatItWants) {
    const QString odd = offer("bmp/good/rgb24.bmp");
    const QSize oddSize = toQt(decodePicture(fromQtBytes(world.files.files[odd]))).size();
    const QString oddText = QStringLiteral("%1x%2").arg(oddSize.width()).arg(oddSize.height());

    // Declined: the question names both sizes, and nothing changes.
    world.messages.answerYes = false;
    struct Page {
        int page;
        const char* button;
        const char* title;
        QSize wanted;
        const char* first = nullptr; // pressed before the button: the comic pick starts on a comic yet to be added
    };
    const Page pages[] = {
        {1, "SpeedButton20", "Сцена 1009x700", {1009, 700}},   {0, "SpeedButton1", "Фон меню 1009x700", {1009, 700}},
        {0, "SpeedButton6", "Фон help 1009x700", {1009, 700}}, {8, "SpeedButton33", "Понель 1009x60", {1009, 60}},
        {10, "SpeedButton84", "Дверь 60x90", {60, 90}},        {11, "SpeedButton89", "Комикс 2 (1009x700)", {1009, 700}},
        {11, "SpeedButton90", "Комикс 1 (1009x700)", {1009, 700}, "SpeedButton87"},
    };
    for (const Page& p : pages) {
        page(p.page);
        const auto filesBefore = world.files.files;
        const qsizetype questionsBefore = world.messages.questions.size();
        world.dialogs.answers = {odd};
        if (p.first) press(p.first);
        press(p.button);
        EXPECT_EQ(world.dialogs.titles.last(), QString::fromUtf8(p.title));
        ASSERT_EQ(world.messages.questions.size(), questionsBefore + 1) << p.button;
        const QString& question = world.messages.questions.last();
        EXPECT_TRUE(question.contains(oddText)) << question.toStdString();
        EXPECT_TRUE(question.contains(QStringLiteral("%1x%2").arg(p.wanted.width()).arg(p.wanted.height()))) << question.toStdString();
        EXPECT_EQ(world.messages.defaults.last(), Messages::Answer::No);
        EXPECT_TRUE(world.files.files == filesBefore) << p.button;
    }
    EXPECT_EQ(record().comicCount, 1);

    // The item's two pictures: each chooser says which; the first opened in the project's graf/, every
    // later one in the folder the last picture came from.
    EXPECT_EQ(world.dialogs.folders.first(), QString::fromStdString(kFakeRoot.file("graf")));
    EXPECT_EQ(world.dialogs.folders.last(), QStringLiteral("/home/author"));
    page(8);
    const QByteArray stripBefore = world.files.files[kFakeRoot.data("nabpredmax")];
    const QString small = QStringLiteral("/pictures/small.bmp");
    world.files.files[small] = toQtBytes(encodeBmp(fromQt(solidPicture(20, 20, QColor(1, 2, 3)))));
    world.dialogs.answers = {odd, small};
    const qsizetype questionsBefore = world.messages.questions.size();
    press("SpeedButton54");
    EXPECT_EQ(world.dialogs.titles.mid(world.dialogs.titles.size() - 2),
              (QStringList{QStringLiteral("Предмет 50x50"), QStringLiteral("Предмет 20x20")}));
    EXPECT_EQ(world.messages.questions.size(), questionsBefore + 1); // the 20x20 one is as asked
    EXPECT_EQ(world.files.files[kFakeRoot.data("nabpredmax")], stripBefore);
    // Taken when the author says so, as before.
    world.messages.answerYes = true;
    world.dialogs.answers = {odd, small};
    press("SpeedButton54");
    EXPECT_NE(world.files.files[kFakeRoot.data("nabpredmax")], stripBefore);
    page(10);
    press("SpeedButton84"); // cancelled
    EXPECT_EQ(world.dialogs.folders.last(), QStringLiteral("/pictures"));
    // The sounds remember their own folder: the first sound chooser opens in graf/.
    page(5);
    press("SpeedButton62");
    EXPECT_EQ(world.dialogs.titles.last(), QStringLiteral("Переход на другую сцену (wav)"));
    EXPECT_EQ(world.dialogs.folders.last(), QString::fromStdString(kFakeRoot.file("graf")));
}

// An empty file and every damaged picture of the corpus get the same words on every page that takes a
// picture: the fault is named once, the same way.
TEST_F(ChosenFiles, ADamagedPictureGetsTheSameWordsOnEveryPage) {
    world.messages.answerYes = false; // a picture that does decode is not taken for its size
    QStringList damaged{QStringLiteral("/home/author/empty.bmp")};
    world.files.files[damaged[0]] = QByteArray();
    for (const QFileInfo& file : testDataFiles(QStringLiteral("bmp/bad"))) {
        const QString chosen = QStringLiteral("/home/author/") + file.fileName();
        world.files.files[chosen] = readTestData(QStringLiteral("bmp/bad/") + file.fileName());
        damaged << chosen;
    }
    const std::pair<int, const char*> choosers[] = {{1, "SpeedButton20"}, {1, "SpeedButton13"}, {2, "SpeedButton22"},
                                                    {0, "SpeedButton1"},  {8, "SpeedButton33"}, {8, "SpeedButton54"},
                                                    {10, "SpeedButton84"}, {11, "SpeedButton89"}};
    for (const QString& chosen : damaged) {
        QStringList words; // the message of each page, the file's name left out
        for (const auto& [index, button] : choosers) {
            page(index);
            world.messages.errors.clear();
            world.dialogs.answers = {chosen, chosen};
            press(button);
            words << world.messages.errors.join('|').replace(chosen, QStringLiteral("<file>"));
        }
        EXPECT_EQ(words.count(words.first()), words.size()) << words.join('\n').toStdString();
        EXPECT_TRUE(words.first().startsWith(QStringLiteral("Файл <file> не подходит: ")) ||
                    toQt(decodePicture(fromQtBytes(world.files.files[chosen]))).size() != QSize())
            << words.first().toStdString();
    }
}

} // namespace
} // namespace tw::test
