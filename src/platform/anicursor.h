#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QString>

#include <optional>

namespace tw {

// One decoded Windows animated cursor (.ani, RIFF "ACON").
struct AniCursor {
    struct Frame {
        QImage image;   // ARGB32
        QPoint hotspot; // from the CUR directory entry; (0, 0) for ICO frames
    };
    QList<Frame> frames;    // the distinct images of the "fram" list, in file order
    QList<int> sequence;    // indices into frames, in the order they are shown
    QList<int> stepJiffies; // display time of each sequence step, in 1/60 s; same length as sequence
};

// Decodes an .ani file held in memory. Malformed input (truncated chunks, sizes pointing past the end,
// no frames, undecodable images) gives nullopt and a reason in *error; it never reads outside the bytes.
std::optional<AniCursor> decodeAniCursor(const QByteArray& bytes, QString* error = nullptr);

} // namespace tw
