#include "platform/sdl/sdlaudio.h"
#include "toolkit/toolkittypes.h"
#include "support/testdata.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <chrono>
#include <functional>
#include <thread>

namespace tw {
namespace {

// The tests run on SDL's dummy audio driver: a device that consumes sound in real time and is heard by
// nobody, so playing, positions and channels behave as on a real card.

QString soundFile(const char* name) {
    return test::testDataPath(QStringLiteral("sound/") + QLatin1String(name));
}

const QString kLongWav = soundFile("pydub_test1-8bit.wav"); // 10 s
const QString kSwordWav = soundFile("sdl_mixer_sword.wav"); // 1.04 s
const QString kSplashWav = soundFile("sdl_mixer_splash.wav");
const QString kSpringWav = soundFile("sdl_mixer_spring.wav");
const QString kTestMp3 = soundFile("pydub_test3.mp3");
const QString kLlamaMp3 = soundFile("webamp_llama.mp3");

// Waits (a generous deadline, not a timing check) until the condition holds; returns whether it did.
bool waitFor(const std::function<bool()>& condition, int timeoutMs = 6000) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

class SdlAudioTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(audio.deviceOpen()) << "the dummy audio driver should always open";
        for (const QString& path : {kLongWav, kSwordWav, kSplashWav, kSpringWav, kTestMp3, kLlamaMp3})
            ASSERT_TRUE(QFile::exists(path)) << "test file missing: " << path.toStdString();
    }
    QString writeFile(const QString& name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    SdlAudio audio;
    QTemporaryDir dir;
};

TEST_F(SdlAudioTest, DecodesTheMp3MusicWithItsLength) {
    for (const QString& path : {kTestMp3, kLlamaMp3}) {
        SCOPED_TRACE(path.toStdString());
        audio.openMusic(fromQt(path));
        const long long length = audio.musicLength();
        EXPECT_GT(length, 500);
        EXPECT_EQ(audio.musicPosition(), 0) << "an opened track stands at its start";
        EXPECT_FALSE(audio.musicPlaying()) << "opening does not start the track";

        audio.playMusic();
        EXPECT_TRUE(audio.musicPlaying());
        EXPECT_TRUE(waitFor([&] { return audio.musicPosition() > 0; })) << "the position advances";
        const long long position = audio.musicPosition();
        EXPECT_GE(position, 0);
        EXPECT_LT(position, length) << "a playing track is never reported at its end";
    }
}

TEST_F(SdlAudioTest, MusicThatPlayedOutStandsAtItsEndUntilOpenedAgain) {
    audio.openMusic(fromQt(kSwordWav));
    const long long length = audio.musicLength();
    ASSERT_GT(length, 900);
    ASSERT_LT(length, 1200);
    audio.playMusic();
    ASSERT_TRUE(waitFor([&] { return !audio.musicPlaying(); }));
    EXPECT_EQ(audio.musicPosition(), length) << "the loop check sees position == length";
    EXPECT_EQ(audio.musicLength(), length);

    audio.playMusic();
    EXPECT_FALSE(audio.musicPlaying()) << "a finished track is not replayed without reopening";
    EXPECT_EQ(audio.musicPosition(), length);

    // What the music loop does: open again and play from the start.
    audio.openMusic(fromQt(kSwordWav));
    EXPECT_EQ(audio.musicPosition(), 0);
    audio.playMusic();
    EXPECT_TRUE(audio.musicPlaying());
    EXPECT_LT(audio.musicPosition(), length);
}

TEST_F(SdlAudioTest, OpeningOrClosingReplacesTheTrack) {
    audio.openMusic(fromQt(kTestMp3));
    const long long firstLength = audio.musicLength();
    audio.openMusic(fromQt(kLlamaMp3));
    const long long secondLength = audio.musicLength();
    ASSERT_GT(firstLength, 0);
    ASSERT_GT(secondLength, 0);
    EXPECT_NE(firstLength, secondLength);

    audio.playMusic();
    ASSERT_TRUE(audio.musicPlaying());
    audio.playMusic(); // a second play lets the track go on
    EXPECT_TRUE(audio.musicPlaying());

    audio.openMusic(fromQt(kTestMp3));
    EXPECT_FALSE(audio.musicPlaying()) << "opening closes the track that was playing";
    EXPECT_EQ(audio.musicLength(), firstLength);

    audio.playMusic();
    audio.closeMusic();
    EXPECT_FALSE(audio.musicPlaying());
    EXPECT_EQ(audio.musicLength(), 0);
    EXPECT_EQ(audio.musicPosition(), 0);
    audio.playMusic(); // nothing open: nothing happens
    EXPECT_FALSE(audio.musicPlaying());
    audio.closeMusic();
}

TEST_F(SdlAudioTest, MissingAndCorruptFilesAreSilent) {
    const QString missing = dir.filePath(QStringLiteral("fon.mp3"));
    const QString corrupt = writeFile(QStringLiteral("even.wav"), QByteArray(4000, 'x'));
    const QString corruptMp3 = writeFile(QStringLiteral("hod.mp3"), QByteArray("RIFF\x10\0\0\0WAVEfmt ", 16));
    const QString empty = writeFile(QStringLiteral("clik.wav"), QByteArray());

    audio.openMusic(fromQt(kTestMp3));
    audio.playMusic();
    for (const QString& path : {missing, corrupt, corruptMp3, empty}) {
        SCOPED_TRACE(path.toStdString());
        audio.openMusic(fromQt(path));
        EXPECT_EQ(audio.musicLength(), 0);
        audio.playMusic();
        EXPECT_FALSE(audio.musicPlaying()) << "a failed open still closes the old track";
        EXPECT_EQ(audio.musicPosition(), 0);

        audio.playClick(fromQt(path));
        EXPECT_FALSE(audio.clickPlaying());
        EXPECT_TRUE(audio.currentClick().isEmpty());
    }

    // The effects player is reopened for every sound, so a file that fails still stops the old one.
    audio.playEffect(fromQt(kLongWav));
    ASSERT_TRUE(audio.effectPlaying());
    audio.playEffect(fromQt(corrupt));
    EXPECT_FALSE(audio.effectPlaying());
    EXPECT_TRUE(audio.currentEffect().isEmpty());
    audio.playEffect(fromQt(missing));
    EXPECT_FALSE(audio.effectPlaying());

    audio.playEffect(fromQt(kSplashWav)); // the player still works afterwards
    EXPECT_TRUE(audio.effectPlaying());
}

TEST_F(SdlAudioTest, EveryWavEffectPlaysAndANewOneCutsTheOld) {
    for (const QString& path : {kLongWav, kSplashWav, kSpringWav, kSwordWav}) {
        audio.playEffect(fromQt(path));
        EXPECT_TRUE(audio.effectPlaying()) << path.toStdString();
        EXPECT_EQ(audio.currentEffect(), path);
    }
    // The 10-second sound was cut: after the last (1 s) sound ends, the channel is silent.
    audio.playEffect(fromQt(kLongWav));
    audio.playEffect(fromQt(kSwordWav));
    EXPECT_EQ(audio.currentEffect(), kSwordWav);
    EXPECT_TRUE(waitFor([&] { return !audio.effectPlaying(); })) << "the long sound went on playing";
    EXPECT_EQ(audio.currentEffect(), kSwordWav) << "the last effect is remembered after it ends";
}

TEST_F(SdlAudioTest, TheClickNeverCutsAnEventSound) {
    audio.playEffect(fromQt(kLongWav));
    audio.playClick(fromQt(kSwordWav));
    EXPECT_TRUE(audio.effectPlaying());
    EXPECT_TRUE(audio.clickPlaying());

    audio.playClick(fromQt(kSplashWav)); // a click cuts only the previous click
    EXPECT_EQ(audio.currentClick(), kSplashWav);
    EXPECT_EQ(audio.currentEffect(), kLongWav);
    EXPECT_TRUE(audio.effectPlaying());

    audio.playEffect(fromQt(kSpringWav)); // and an event sound does not cut the click
    EXPECT_TRUE(audio.clickPlaying());

    audio.openMusic(fromQt(kTestMp3));
    audio.playMusic();
    EXPECT_TRUE(audio.musicPlaying() && audio.effectPlaying() && audio.clickPlaying())
        << "music, effect and click sound together";
}

TEST(SdlAudioWithoutDevice, EveryCallIsHarmless) {
    const QByteArray oldDriver = qgetenv("SDL_AUDIODRIVER");
    qputenv("SDL_AUDIODRIVER", "no-such-driver");
    {
        SdlAudio audio;
        qputenv("SDL_AUDIODRIVER", oldDriver);
        EXPECT_FALSE(audio.deviceOpen());

        audio.openMusic(fromQt(kTestMp3));
        audio.playMusic();
        EXPECT_FALSE(audio.musicPlaying());
        EXPECT_EQ(audio.musicLength(), 0);
        EXPECT_EQ(audio.musicPosition(), 0);
        audio.closeMusic();

        audio.playEffect(fromQt(kSwordWav));
        audio.playClick(fromQt(kSplashWav));
        EXPECT_FALSE(audio.effectPlaying());
        EXPECT_FALSE(audio.clickPlaying());
        EXPECT_TRUE(audio.currentEffect().isEmpty());
    }
    qputenv("SDL_AUDIODRIVER", oldDriver);

    // The failed player left nothing behind that stops a later one from working.
    SdlAudio audio;
    ASSERT_TRUE(audio.deviceOpen());
    audio.playEffect(fromQt(kSwordWav));
    EXPECT_TRUE(audio.effectPlaying());
}

} // namespace
} // namespace tw
