#pragma once

#include <QList>

namespace tw::demo {

// The demo's sounds are made here from sine waves, plucked strings and filtered noise, so no recording has
// to be shipped. All are mono at kSoundRate samples a second, with peaks at about 80 % of full scale.
inline constexpr int kSoundRate = 22050;
using Samples = QList<qint16>;

// A short dry click for every mouse press (about 40 ms).
Samples synthClick();
// A whoosh of wind for passing to another scene (about 0.6 s).
Samples synthWhoosh();
// A bright rising chime for plot events (about 1.4 s).
Samples synthChime();
// A little waltz on a plucked lute over a soft bass, eight bars, made to loop without a seam: the sound
// that rings past the end is folded back onto the beginning. About 12 s.
Samples synthMelody();

} // namespace tw::demo
