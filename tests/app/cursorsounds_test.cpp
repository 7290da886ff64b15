// The author replaces the game's cursors and sounds at the window with files from disk: good ones take
// effect at once, broken ones and files that only carry the right name are refused and change nothing,
// and the background music can be replaced, looped and stopped.
#include "platform/anicursor.h"
#include "support/testdata.h"
#include "support/windowscenario.h"
#include "toolkit/toolkittypes.h"

#include <QTabWidget>

namespace tw::test {
namespace {

class CursorsAndSounds : public WindowScenario {
protected:
    void SetUp() override {
        auto record = ProjectRecord::createBlank();
        putMinimalTree(world.files, *record, true);
        for (const char* name : {"hod.wav", "clik.wav", "even.wav"})
            world.files.files[kFakeRoot.sound(name)] = readTestData(QStringLiteral("sound/sdl_mixer_sword.wav"));
        world.files.files[kFakeRoot.sound("fon.mp3")] = readTestData(QStringLiteral("sound/pydub_test3.mp3"));
        openWindow();
    }
    Picture firstFrame(int slot) {
        const auto& cursor = world.cursors.installed[slot];
        return cursor && !cursor->frames.empty() ? cursor->frames[0].image : Picture();
    }
    void page(int index) { find<QTabWidget>("PageControl1")->setCurrentIndex(index); }
};

TEST_F(CursorsAndSounds, ReplaceCheckAndUndo) {
    page(9);
    const QByteArray neutralBefore = world.files.files[kFakeRoot.cursor(1)];
    const Picture neutralShown = firstFrame(1);
    ASSERT_FALSE(neutralShown.isNull());

    // A broken animated cursor: refused by name, the file and the installed cursor stay.
    world.dialogs.answers = {offer("ani/bad/gdk-pixbuf_CVE-2022-48622.ani", "broken.ani")};
    press("SpeedButton7");
    ASSERT_EQ(world.messages.errors.size(), 1);
    EXPECT_TRUE(world.messages.errors[0].contains(QStringLiteral("/home/author/broken.ani")));
    EXPECT_EQ(world.files.files[kFakeRoot.cursor(1)], neutralBefore);
    EXPECT_EQ(firstFrame(1), neutralShown);
    EXPECT_EQ(world.dialogs.asked.last(), QStringLiteral("open:Cursur (*.ani)"));

    // A plain cursor under an .ani name is taken, and shows in slot 1 at once. It is stored as what the
    // slot's name says, an animated cursor of one frame, with the picture and hotspot unchanged.
    const QString plain = offer("cur/pillow_deerstalker.cur", "hat.ani");
    world.dialogs.answers = {plain};
    press("SpeedButton7");
    const auto expected = decodeCursorFile(fromQtBytes(world.files.files[plain]));
    ASSERT_TRUE(expected.has_value());
    const auto stored = decodeAniCursor(fromQtBytes(world.files.files[kFakeRoot.cursor(1)]));
    ASSERT_TRUE(stored.has_value());
    ASSERT_EQ(stored->frames.size(), 1u);
    EXPECT_EQ(stored->frames[0].image, expected->image);
    EXPECT_EQ(stored->frames[0].hotspot, expected->hotspot);
    EXPECT_EQ(firstFrame(1), expected->image);
    // So is an icon, on every cursor and icon of the corpus.
    for (const QFileInfo& file : testDataFiles(QStringLiteral("cur"))) {
        const QString icon = offer(("cur/" + file.fileName().toStdString()).c_str(), "icon.ani");
        world.dialogs.answers = {icon};
        press("SpeedButton7");
        const auto frame = decodeCursorFile(fromQtBytes(world.files.files[icon]));
        const auto ani = decodeAniCursor(fromQtBytes(world.files.files[kFakeRoot.cursor(1)]));
        ASSERT_TRUE(frame && ani) << file.fileName().toStdString();
        EXPECT_EQ(ani->frames[0].image, frame->image) << file.fileName().toStdString();
        EXPECT_EQ(ani->frames[0].hotspot, frame->hotspot) << file.fileName().toStdString();
    }
    for (const QFileInfo& file : testDataFiles(QStringLiteral("cur"))) {
        Q_UNUSED(file);
        undo();
    }
    // An animated one for the clock.
    const QString clock = offer("ani/bibata_Amber_wait.ani", "wait.ani");
    world.dialogs.answers = {clock};
    press("SpeedButton120");
    EXPECT_EQ(world.files.files[kFakeRoot.cursor(8)], world.files.files[clock]);
    EXPECT_EQ(world.cursors.installed[8]->frames.size(), decodeAniCursor(fromQtBytes(world.files.files[clock]))->frames.size());
    // Ctrl+Z twice: both files and both cursors as they were.
    undo();
    undo();
    EXPECT_EQ(world.files.files[kFakeRoot.cursor(1)], neutralBefore);
    EXPECT_EQ(firstFrame(1), neutralShown);

    // Sounds: the effects stop first, then the file is checked and replaced.
    page(5);
    world.audio.log.clear();
    const QString splash = offer("sound/sdl_mixer_splash.wav", "splash.wav");
    world.dialogs.answers = {splash};
    press("SpeedButton63");
    EXPECT_EQ(world.audio.log.value(0), QStringLiteral("closeEffects"));
    EXPECT_EQ(world.files.files[kFakeRoot.sound("clik.wav")], world.files.files[splash]);
    // A picture named .wav is refused.
    const QByteArray eventBefore = world.files.files[kFakeRoot.sound("even.wav")];
    world.messages.errors.clear();
    world.dialogs.answers = {offer("bmp/good/pal8.bmp", "fake.wav")};
    press("SpeedButton114");
    EXPECT_EQ(world.messages.errors.size(), 1);
    EXPECT_EQ(world.files.files[kFakeRoot.sound("even.wav")], eventBefore);
    // The file chosen is the target itself: nothing is lost.
    const QString transition = QString::fromStdString(kFakeRoot.sound("hod.wav"));
    const QByteArray transitionBefore = world.files.files[transition];
    world.dialogs.answers = {transition};
    press("SpeedButton62");
    EXPECT_EQ(world.files.files[transition], transitionBefore);

    // Music: cancelled, it still starts again from the beginning and loops.
    world.audio.log.clear();
    press("SpeedButton112");
    const QString music = QString::fromStdString(kFakeRoot.sound("fon.mp3"));
    EXPECT_EQ(world.audio.log, QStringList({QStringLiteral("close"), QStringLiteral("open:") + music, QStringLiteral("play")}));
    EXPECT_TRUE(window->engine().play().musicLoop);
    EXPECT_TRUE(find<QToolButton>("SpeedButton113")->isChecked());
    // At its end it starts again.
    world.audio.log.clear();
    world.audio.length = world.audio.position = 5000;
    ticks(1);
    EXPECT_TRUE(world.audio.log.contains(QStringLiteral("play")));
    // The switch stops it, and starts it again.
    world.audio.log.clear();
    press("SpeedButton113");
    EXPECT_FALSE(window->engine().play().musicLoop);
    EXPECT_EQ(world.audio.log, QStringList({QStringLiteral("close")}));
    EXPECT_FALSE(find<QToolButton>("SpeedButton113")->isChecked());
    press("SpeedButton113");
    EXPECT_TRUE(window->engine().play().musicLoop);
    // A new track from disk.
    const QString llama = offer("sound/webamp_llama.mp3", "llama.mp3");
    world.dialogs.answers = {llama};
    press("SpeedButton112");
    EXPECT_EQ(world.files.files[music], world.files.files[llama]);
    EXPECT_EQ(world.dialogs.asked.last(), QStringLiteral("open:Sound (*.mp3)"));
    window->hide();
}

} // namespace
} // namespace tw::test
