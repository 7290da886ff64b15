#include "platform/sdl/sdlaudio.h"

#include "toolkit/toolkittypes.h"

#include <QFile>

#include <SDL.h>
#include <SDL_mixer.h>

#ifdef __linux__
#include <dlfcn.h>
#endif

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

namespace tw {

namespace {

constexpr int kEffectChannel = 0;
constexpr int kClickChannel = 1;
constexpr int kChannelCount = 2;
// 1024 frames at 44.1 kHz is about 23 ms: short enough that the click follows the mouse press.
constexpr int kBufferFrames = 1024;

// Mix_Quit unloads the decoders for everyone, so only the last open player calls it.
int g_openPlayers = 0;

QByteArray readWhole(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

// The track keeps reading from the bytes while it plays: they must outlive it.
Mix_Music* loadMusic(const QByteArray& bytes, Mix_MusicType type) {
    SDL_RWops* source = SDL_RWFromConstMem(bytes.constData(), static_cast<int>(bytes.size()));
    return source ? Mix_LoadMUSType_RW(source, type, 1) : nullptr;
}

#ifdef __linux__
void ignoreAlsaMessage(const char*, int, const char*, int, const char*, ...) {}
#endif

// ALSA writes its own complaints to stderr, for instance "cannot find card '0'" on a machine without a
// sound card. A missing device is no error for this program, so the library is told to keep quiet.
// SDL has already loaded the library when it chose the ALSA driver; it is not loaded a second time.
void silenceAlsa() {
#ifdef __linux__
    const char* driver = SDL_GetCurrentAudioDriver();
    if (!driver || std::strcmp(driver, "alsa") != 0) return;
    void* library = dlopen("libasound.so.2", RTLD_LAZY | RTLD_NOLOAD);
    if (!library) return;
    using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
    using SetHandler = int (*)(Handler);
    if (void* symbol = dlsym(library, "snd_lib_error_set_handler"))
        reinterpret_cast<SetHandler>(symbol)(ignoreAlsaMessage);
    dlclose(library);
#endif
}

long long secondsToMs(double seconds) {
    return seconds < 0 ? -1 : std::llround(seconds * 1000.0);
}

} // namespace

SdlAudio::SdlAudio() {
    m_effect.number = kEffectChannel;
    m_click.number = kClickChannel;

    // The audio subsystem brings up SDL's event subsystem, which by default turns SIGINT and SIGTERM
    // into quit events nobody reads here; the program must keep the system's own handling of them.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return;
    silenceAlsa();
    // MP3 support is wanted for the background music; a build without it still plays WAV effects.
    Mix_Init(MIX_INIT_MP3);
    if (Mix_OpenAudio(MIX_DEFAULT_FREQUENCY, MIX_DEFAULT_FORMAT, MIX_DEFAULT_CHANNELS, kBufferFrames) != 0) {
        if (g_openPlayers == 0) Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return;
    }
    Mix_AllocateChannels(kChannelCount);
    m_deviceOpen = true;
    ++g_openPlayers;
}

SdlAudio::~SdlAudio() {
    if (!m_deviceOpen) return;
    // Halt before freeing: the mixer thread must not touch a sample or a track after it is freed.
    release(m_effect);
    release(m_click);
    closeMusic();
    Mix_CloseAudio();
    if (--g_openPlayers == 0) Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SdlAudio::openMusic(const std::string& utf8Path) {
    const QString path = toQt(utf8Path);
    if (!m_deviceOpen) return;
    closeMusic();
    QByteArray bytes = readWhole(path);
    if (bytes.isEmpty()) return;
    Mix_Music* music = loadMusic(bytes, MUS_NONE);
    // The mixer tells the format from the content. An MP3 that starts with neither a tag nor a frame
    // header is not recognised that way, so a file named .mp3 gets a second try as MP3.
    if (!music && path.endsWith(QLatin1String(".mp3"), Qt::CaseInsensitive)) music = loadMusic(bytes, MUS_MP3);
    if (!music) return;
    m_music = music;
    m_musicBytes = std::move(bytes); // the mixer reads from here for as long as the track is open
    m_musicLengthMs = std::max(0LL, secondsToMs(Mix_MusicDuration(music)));
    m_musicStarted = false;
}

void SdlAudio::playMusic() {
    if (!m_deviceOpen || !m_music || m_musicStarted) return;
    if (Mix_PlayMusic(m_music, 0) != 0) return;
    m_musicStarted = true;
    m_musicStartTicks = SDL_GetTicks64();
}

void SdlAudio::closeMusic() {
    if (!m_music) return;
    Mix_HaltMusic();
    Mix_FreeMusic(m_music);
    m_music = nullptr;
    m_musicBytes.clear();
    m_musicLengthMs = 0;
    m_musicStarted = false;
}

long long SdlAudio::musicPosition() {
    if (!m_music || !m_musicStarted) return 0;
    // The mixer forgets a track once it has played out; such a track stands at its end.
    if (!Mix_PlayingMusic()) return m_musicLengthMs;
    long long position = secondsToMs(Mix_GetMusicPosition(m_music));
    // A decoder that cannot tell its position: the time since the start is near enough.
    if (position < 0) position = static_cast<long long>(SDL_GetTicks64() - m_musicStartTicks);
    // The decoder runs a buffer ahead of what is heard and may already stand at the end; keep "position
    // equals length" for a track that has really finished, so a loop does not cut its last moments.
    if (m_musicLengthMs > 0) position = std::min(position, m_musicLengthMs - 1);
    return std::max(0LL, position);
}

long long SdlAudio::musicLength() {
    return m_music ? m_musicLengthMs : 0;
}

bool SdlAudio::musicPlaying() const {
    return m_deviceOpen && m_music && Mix_PlayingMusic() != 0;
}

void SdlAudio::playEffect(const std::string& path) {
    play(m_effect, toQt(path));
}

void SdlAudio::playClick(const std::string& path) {
    play(m_click, toQt(path));
}

void SdlAudio::closeEffects() {
    release(m_effect);
    release(m_click);
}

bool SdlAudio::effectPlaying() const {
    return playing(m_effect);
}

bool SdlAudio::clickPlaying() const {
    return playing(m_click);
}

void SdlAudio::play(Channel& channel, const QString& path) {
    if (!m_deviceOpen) return;
    // Like a player reopened for every sound: the old sound stops even when the new file fails to load.
    release(channel);
    const QByteArray bytes = readWhole(path);
    if (bytes.isEmpty()) return;
    SDL_RWops* source = SDL_RWFromConstMem(bytes.constData(), static_cast<int>(bytes.size()));
    if (!source) return;
    // The sample is decoded into the mixer's own buffer, so the bytes may go when this returns.
    Mix_Chunk* chunk = Mix_LoadWAV_RW(source, 1);
    if (!chunk) return;
    if (Mix_PlayChannel(channel.number, chunk, 0) < 0) {
        Mix_FreeChunk(chunk);
        return;
    }
    channel.chunk = chunk;
    channel.path = path;
}

void SdlAudio::release(Channel& channel) {
    channel.path.clear();
    if (!channel.chunk) return;
    Mix_HaltChannel(channel.number);
    Mix_FreeChunk(channel.chunk);
    channel.chunk = nullptr;
}

bool SdlAudio::playing(const Channel& channel) const {
    return m_deviceOpen && channel.chunk && Mix_Playing(channel.number) != 0;
}

} // namespace tw
