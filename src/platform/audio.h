#pragma once

#include <string>

namespace tw {

// The sound players. With no sound device, or a missing or corrupt file, every call is silently
// harmless: nothing is reported and nothing else changes.
class Audio {
public:
    virtual ~Audio() = default;

    // Music player (one track at a time).
    // Opens the file, closing whatever was open.
    virtual void openMusic(const std::string& path) = 0;
    // Plays the open track from its current position.
    virtual void playMusic() = 0;
    virtual void closeMusic() = 0;
    // Position and length of the open track in milliseconds; both 0 when nothing is open.
    virtual long long musicPosition() = 0;
    virtual long long musicLength() = 0;

    // Effects player: one WAV at a time; a new one cuts the one playing.
    virtual void playEffect(const std::string& path) = 0;
    // The click has a channel of its own, so it never cuts an event sound short.
    virtual void playClick(const std::string& path) = 0;
    // Stops the effect and the click that are playing (before their files are replaced).
    virtual void closeEffects() = 0;
};

// Silence: for tests and for machines without a sound device.
class SilentAudio final : public Audio {
public:
    void openMusic(const std::string&) override {}
    void playMusic() override {}
    void closeMusic() override {}
    long long musicPosition() override { return 0; }
    long long musicLength() override { return 0; }
    void playEffect(const std::string&) override {}
    void playClick(const std::string&) override {}
    void closeEffects() override {}
};

} // namespace tw
