#pragma once

// The decoders as they were when the toolkit's image reader did the decoding: kept for the tests as the
// oracle the program's own decoders are compared with, pixel for pixel and reason for reason.

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QString>

#include "platform/anicursor.h"

#include <optional>

namespace tw::qtdecoders {

QImage decodePicture(const QByteArray& bytes, QString* error = nullptr);
QByteArray encodeBmp(const QImage& picture);

struct AniCursor {
    struct Frame {
        QImage image;   // ARGB32
        QPoint hotspot;
    };
    QList<Frame> frames;
    QList<int> sequence;
    QList<int> stepJiffies;
};

std::optional<AniCursor> decodeAniCursor(const QByteArray& bytes, QString* error = nullptr);
std::optional<AniCursor::Frame> decodeCursorFile(const QByteArray& bytes, QString* error = nullptr);
std::optional<AniCursor> decodeCursor(const QByteArray& bytes, QString* error = nullptr);

// The program's decoded cursor in the toolkit's types: frames as ARGB32 images, points, lists.
AniCursor::Frame qtView(const tw::AniCursor::Frame& frame);
AniCursor qtView(const tw::AniCursor& cursor);
std::optional<AniCursor::Frame> qtView(const std::optional<tw::AniCursor::Frame>& frame);
std::optional<AniCursor> qtView(const std::optional<tw::AniCursor>& cursor);

} // namespace tw::qtdecoders
