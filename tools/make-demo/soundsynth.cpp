#include "make-demo/soundsynth.h"

#include <QRandomGenerator>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace tw::demo {

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
using Mix = std::vector<double>;

double midiToHz(int note) { return 440.0 * std::pow(2.0, (note - 69) / 12.0); }

// Scales the mix so its loudest sample sits at 80 % of full scale, and converts it to 16 bits.
Samples toSamples(const Mix& mix) {
    double peak = 1e-9;
    for (double v : mix) peak = std::max(peak, std::abs(v));
    Samples out;
    out.reserve(static_cast<qsizetype>(mix.size()));
    for (double v : mix) out.append(static_cast<qint16>(std::lround(v / peak * 0.8 * 32767.0)));
    return out;
}

// A plucked string: harmonics of exact pitch, the higher ones dying away faster, and a breath of noise at
// the attack for the pluck itself.
void pluck(Mix& mix, std::size_t start, double hz, double seconds, double gain, QRandomGenerator& rng) {
    const auto length = static_cast<std::size_t>(seconds * kSoundRate);
    for (std::size_t i = 0; i < length && start + i < mix.size(); ++i) {
        const double t = double(i) / kSoundRate;
        double v = 0;
        for (int k = 1; k <= 8 && hz * k < kSoundRate / 2.0; ++k)
            v += std::sin(kTwoPi * hz * k * t) * std::exp(-t * (1.8 + 1.1 * k)) / std::pow(k, 1.3);
        v += (rng.generateDouble() - 0.5) * 0.3 * std::exp(-t * 300.0);
        mix[start + i] += v * std::min(1.0, t * 400.0) * gain;
    }
}

// A soft tone of a few harmonics with a quick attack and an exponential fall.
void tone(Mix& mix, std::size_t start, double hz, double seconds, double gain, double decay,
          std::initializer_list<double> partials = {1.0}) {
    const auto length = static_cast<std::size_t>(seconds * kSoundRate);
    for (std::size_t i = 0; i < length && start + i < mix.size(); ++i) {
        const double t = double(i) / kSoundRate;
        const double envelope = std::min(1.0, t * 200.0) * std::exp(-t * decay);
        double v = 0;
        int k = 0;
        for (double ratio : partials) v += std::sin(kTwoPi * hz * ratio * t) / (1.0 + k++ * 1.6);
        mix[start + i] += v * envelope * gain;
    }
}

} // namespace

Samples synthClick() {
    Mix mix(static_cast<std::size_t>(0.04 * kSoundRate));
    QRandomGenerator rng(11);
    for (std::size_t i = 0; i < mix.size(); ++i) {
        const double t = double(i) / kSoundRate;
        mix[i] = (std::sin(kTwoPi * 1800 * t) * 0.6 + (rng.generateDouble() - 0.5) * 0.8) * std::exp(-t * 160.0);
    }
    return toSamples(mix);
}

Samples synthWhoosh() {
    // White noise through a resonant band-pass (a state-variable filter) whose centre sweeps up and down.
    Mix mix(static_cast<std::size_t>(0.6 * kSoundRate));
    QRandomGenerator rng(12);
    double low = 0, band = 0;
    for (std::size_t i = 0; i < mix.size(); ++i) {
        const double x = double(i) / double(mix.size());
        const double centre = 250.0 + 2600.0 * std::sin(std::numbers::pi * x);
        const double f = 2.0 * std::sin(std::numbers::pi * centre / kSoundRate);
        const double noise = rng.generateDouble() * 2.0 - 1.0;
        const double high = noise - low - 0.35 * band;
        band += f * high;
        low += f * band;
        mix[i] = band * std::pow(std::sin(std::numbers::pi * x), 1.5);
    }
    return toSamples(mix);
}

Samples synthChime() {
    // C major arpeggio on a bell: partials at the ratios of a struck bar, each note ringing on.
    Mix mix(static_cast<std::size_t>(1.4 * kSoundRate));
    const int notes[] = {84, 88, 91, 96};
    for (int n = 0; n < 4; ++n)
        tone(mix, static_cast<std::size_t>(n * 0.11 * kSoundRate), midiToHz(notes[n]), 1.4 - n * 0.11, 1.0, 3.2,
             {1.0, 2.76, 5.4});
    return toSamples(mix);
}

Samples synthMelody() {
    constexpr double kBeat = 0.5; // a waltz at 120 beats a minute
    constexpr int kBars = 8;
    struct Note {
        int midi;
        int beats;
    };
    // A minor: Am F C G | Am F G Am.
    const std::vector<std::vector<Note>> tune = {
        {{69, 1}, {72, 1}, {76, 1}}, {{77, 2}, {76, 1}}, {{76, 1}, {74, 1}, {72, 1}}, {{74, 2}, {71, 1}},
        {{72, 1}, {71, 1}, {69, 1}}, {{69, 1}, {72, 1}, {77, 1}}, {{76, 1}, {74, 1}, {71, 1}}, {{69, 3}}};
    const int roots[kBars] = {45, 41, 48, 43, 45, 41, 43, 45};
    const auto loopLength = static_cast<std::size_t>(kBars * 3 * kBeat * kSoundRate);
    Mix mix(loopLength + static_cast<std::size_t>(3.0 * kSoundRate)); // room for the last notes to ring
    QRandomGenerator rng(13);
    auto at = [](double beats) { return static_cast<std::size_t>(beats * kBeat * kSoundRate); };
    for (int bar = 0; bar < kBars; ++bar) {
        double beat = bar * 3;
        for (const Note& n : tune[static_cast<std::size_t>(bar)]) {
            pluck(mix, at(beat), midiToHz(n.midi), n.beats * kBeat + 1.2, 0.9, rng);
            beat += n.beats;
        }
        // Oom-pah-pah: the root low, then the fifth and the tenth softly on the off beats.
        tone(mix, at(bar * 3), midiToHz(roots[bar] - 12), 1.4, 0.7, 2.5, {1.0, 2.0});
        for (int b = 1; b < 3; ++b) {
            tone(mix, at(bar * 3 + b), midiToHz(roots[bar] + 7), 0.45, 0.18, 6.0, {1.0, 2.0, 3.0});
            tone(mix, at(bar * 3 + b), midiToHz(roots[bar] + 16), 0.45, 0.12, 6.0, {1.0, 2.0});
        }
    }
    // Fold the tail back onto the start, so the loop plays through its seam.
    for (std::size_t i = loopLength; i < mix.size(); ++i) mix[i - loopLength] += mix[i];
    mix.resize(loopLength);
    return toSamples(mix);
}

} // namespace tw::demo
