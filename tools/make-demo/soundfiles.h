#pragma once

#include "make-demo/soundsynth.h"

#include <QByteArray>
#include <QString>

namespace tw::demo {

// A complete WAV file: RIFF "WAVE" with a 16-byte PCM "fmt " chunk (one channel, 16 bits) and the samples.
QByteArray encodeWav(const Samples& samples, int sampleRate);

// Encodes a WAV file to MP3 by running the `lame` command. `workFolder` receives the two scratch files.
// Returns the MP3 bytes, or an empty array and the reason in *error (for instance when `lame` is missing).
QByteArray encodeMp3WithLame(const QByteArray& wav, const QString& workFolder, QString* error);

} // namespace tw::demo
