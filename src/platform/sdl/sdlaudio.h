#pragma once

#include "platform/audio.h"

#include <QByteArray>
#include <QString>

struct Mix_Chunk;
struct _Mix_Music;

namespace tw {

// The sound players on SDL2_mixer: one music track (MP3, or any format the mixer decodes) and two
// effect channels, one for the event sounds and one for the click. The audio device is opened in the
// constructor; when that fails (no sound device, no driver), every call stays a silent no-op for the
// object's whole life. Missing or undecodable files are silent too. Files are read whole into memory,
// so none is held open while it plays and the author may replace it at any time.
// Keep one instance per program: the mixer's channels and its music slot are global.
class SdlAudio final : public Audio {
public:
    SdlAudio();
    ~SdlAudio() override;
    SdlAudio(const SdlAudio&) = delete;
    SdlAudio& operator=(const SdlAudio&) = delete;

    void openMusic(const std::string& path) override;
    // Starts the open track if it has not been started; a playing track goes on, and a track that has
    // played to its end stays there (open it again to hear it anew).
    void playMusic() override;
    void closeMusic() override;
    // While the track plays, the position lies in 0..length-1; once it has finished, position == length,
    // which is how the music loop notices the end.
    long long musicPosition() override;
    long long musicLength() override;

    void playEffect(const std::string& path) override;
    void playClick(const std::string& path) override;
    void closeEffects() override;

    // State queries, for diagnostics and tests.
    // True when the audio device opened, so sounds can be heard.
    bool deviceOpen() const { return m_deviceOpen; }
    bool musicPlaying() const;
    bool effectPlaying() const;
    bool clickPlaying() const;
    // Path of the last effect or click that started, empty when none did (or the last one failed).
    QString currentEffect() const { return m_effect.path; }
    QString currentClick() const { return m_click.path; }

private:
    // One mixer channel with the sample it plays; the sample is freed only after its channel is halted.
    struct Channel {
        int number = 0;
        Mix_Chunk* chunk = nullptr;
        QString path;
    };
    void play(Channel& channel, const QString& path);
    void release(Channel& channel);
    bool playing(const Channel& channel) const;

    bool m_deviceOpen = false;
    Channel m_effect;
    Channel m_click;

    _Mix_Music* m_music = nullptr;
    QByteArray m_musicBytes; // the mixer streams the track from these bytes while it plays
    long long m_musicLengthMs = 0;
    bool m_musicStarted = false;
    unsigned long long m_musicStartTicks = 0;
};

} // namespace tw
