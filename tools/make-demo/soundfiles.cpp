#include "make-demo/soundfiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QtEndian>

namespace tw::demo {

namespace {

void putU16(QByteArray& out, quint32 v) {
    char b[2];
    qToLittleEndian(static_cast<quint16>(v), b);
    out.append(b, 2);
}

void putU32(QByteArray& out, quint32 v) {
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

void setError(QString* error, const QString& text) {
    if (error) *error = text;
}

} // namespace

QByteArray encodeWav(const Samples& samples, int sampleRate) {
    const auto dataBytes = static_cast<quint32>(samples.size() * 2);
    QByteArray out("RIFF");
    putU32(out, 4 + (8 + 16) + (8 + dataBytes));
    out.append("WAVE");
    out.append("fmt ");
    putU32(out, 16);
    putU16(out, 1); // PCM
    putU16(out, 1); // mono
    putU32(out, static_cast<quint32>(sampleRate));
    putU32(out, static_cast<quint32>(sampleRate * 2)); // bytes a second
    putU16(out, 2);                                     // bytes a frame
    putU16(out, 16);                                    // bits a sample
    out.append("data");
    putU32(out, dataBytes);
    for (qint16 s : samples) putU16(out, static_cast<quint16>(s));
    return out;
}

QByteArray encodeMp3WithLame(const QByteArray& wav, const QString& workFolder, QString* error) {
    const QDir dir(workFolder);
    const QString in = dir.filePath(QStringLiteral("melody.wav"));
    const QString out = dir.filePath(QStringLiteral("melody.mp3"));
    QFile wavFile(in);
    if (!wavFile.open(QIODevice::WriteOnly) || wavFile.write(wav) != wav.size()) {
        setError(error, QStringLiteral("cannot write %1: %2").arg(in, wavFile.errorString()));
        return {};
    }
    wavFile.close();

    QProcess lame;
    lame.setProcessChannelMode(QProcess::MergedChannels);
    lame.start(QStringLiteral("lame"), {QStringLiteral("--quiet"), QStringLiteral("-b"), QStringLiteral("96"), in, out});
    if (!lame.waitForStarted(10000)) {
        setError(error, QStringLiteral("the MP3 encoder `lame` could not be started (%1); install it, for "
                                       "example with `apt-get install lame`")
                            .arg(lame.errorString()));
        return {};
    }
    if (!lame.waitForFinished(60000) || lame.exitStatus() != QProcess::NormalExit || lame.exitCode() != 0) {
        setError(error, QStringLiteral("`lame` failed to encode the background music: %1")
                            .arg(QString::fromLocal8Bit(lame.readAll()).trimmed()));
        return {};
    }
    QFile mp3(out);
    if (!mp3.open(QIODevice::ReadOnly)) {
        setError(error, QStringLiteral("`lame` left no MP3 file: %1").arg(mp3.errorString()));
        return {};
    }
    const QByteArray bytes = mp3.readAll();
    mp3.close();
    QFile::remove(in);
    QFile::remove(out);
    if (bytes.isEmpty()) setError(error, QStringLiteral("`lame` wrote an empty MP3 file"));
    return bytes;
}

} // namespace tw::demo
