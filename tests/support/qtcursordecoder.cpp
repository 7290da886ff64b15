#include "support/qtdecoders.h"
#include "toolkit/toolkittypes.h"

#include <QBuffer>
#include <QImageReader>
#include <QtEndian>

#include <cstdlib>

namespace tw::qtdecoders {

namespace {

constexpr int kDefaultCursorSize = 32;

QString notAniText() {
    return QStringLiteral("Файл не является анимированным курсором");
}
QString notCursorText() {
    return QStringLiteral("Файл не является курсором или значком");
}
QString corruptText() {
    return QStringLiteral("Повреждённый или неполный файл курсора");
}
QString noFramesText() {
    return QStringLiteral("В курсоре нет кадров");
}
QString badSequenceText() {
    return QStringLiteral("Порядок кадров курсора ссылается на несуществующий кадр");
}
QString badImageText() {
    return QStringLiteral("Не удалось прочитать картинку курсора");
}
QString badFrameText(int frame) {
    return QStringLiteral("Не удалось прочитать кадр %1 курсора").arg(frame);
}

// Icon images are at most 256 pixels a side. The frame and pixel caps bound what a small forged file
// can make us allocate (a tiny PNG can claim a large picture).
constexpr int kMaxIconSide = 256;
constexpr qsizetype kMaxFrames = 1000;
constexpr qint64 kMaxTotalPixels = 16'000'000;
// Longer than any cursor would wait on one step (about half an hour); keeps millisecond sums in range.
constexpr quint32 kMaxJiffies = 100'000;

// Little-endian fields; callers check the range before reading. The data pointer is fetched out of
// line: inlined, GCC's bounds analysis (with sanitizers on) follows the branch to Qt's one-byte shared
// empty array, which is never read here, and warns about every field.
[[gnu::noinline]] const char* raw(const QByteArray& bytes) {
    return bytes.constData();
}
quint16 u16(const QByteArray& bytes, qint64 at) {
    return qFromLittleEndian<quint16>(raw(bytes) + at);
}
quint32 u32(const QByteArray& bytes, qint64 at) {
    return qFromLittleEndian<quint32>(raw(bytes) + at);
}
qint32 s32(const QByteArray& bytes, qint64 at) {
    return qFromLittleEndian<qint32>(raw(bytes) + at);
}

constexpr quint32 fourCc(const char (&id)[5]) {
    return quint32(quint8(id[0])) | quint32(quint8(id[1])) << 8 | quint32(quint8(id[2])) << 16 |
           quint32(quint8(id[3])) << 24;
}

// ---- Icon and cursor resources (the frames of an .ani file, and .cur/.ico files) ----

// One directory entry, with the picture's real size and depth read from the picture's own header.
struct IconEntry {
    int width = 0;
    int height = 0;
    int depth = 0;
    QPoint hotspot;
    qint64 offset = 0;
    qint64 size = 0;
    qint64 colourOffset = -1; // the colour rows of a bitmap picture
    qint64 maskOffset = -1;   // its AND mask, when the bytes hold all of it
    qint64 maskStride = 0;
};

bool isPng(const QByteArray& bytes, qint64 at, qint64 size) {
    static const char signature[] = "\x89PNG\r\n\x1a\n";
    return size >= 8 && bytes.mid(at, 8) == QByteArray::fromRawData(signature, 8);
}

// Reads the entry at `at` and checks that its picture lies inside the bytes and is of a sane size and a
// kind Qt's icon reader takes. An entry that fails is skipped, not fatal: another one may serve.
std::optional<IconEntry> readIconEntry(const QByteArray& bytes, qint64 at, bool cursor) {
    IconEntry entry;
    const qint64 declared = u32(bytes, at + 8);
    entry.offset = u32(bytes, at + 12);
    const qint64 available = bytes.size() - entry.offset;
    if (available < 8) return std::nullopt;
    // Some writers put a wrong byte count in the directory; the picture's own header says what it needs,
    // so the count is only trusted when it covers that.
    entry.size = declared >= 8 && declared <= available ? declared : available;
    if (cursor) entry.hotspot = QPoint(u16(bytes, at + 4), u16(bytes, at + 6));
    const qint64 p = entry.offset;
    if (isPng(bytes, p, available)) {
        if (available < 24) return std::nullopt;
        entry.width = int(qMin<quint32>(qFromBigEndian<quint32>(raw(bytes) + p + 16), 1u << 30));
        entry.height = int(qMin<quint32>(qFromBigEndian<quint32>(raw(bytes) + p + 20), 1u << 30));
        entry.depth = 32;
    } else {
        // A Windows 3 bitmap header; its height covers the colour rows and the mask rows together.
        if (available < 40 || u32(bytes, p) < 40) return std::nullopt;
        const qint64 headerSize = u32(bytes, p);
        const qint32 width = s32(bytes, p + 4);
        const qint32 doubleHeight = s32(bytes, p + 8);
        const int bits = u16(bytes, p + 14);
        const quint32 compression = u32(bytes, p + 16);
        const quint32 colorsUsed = u32(bytes, p + 32);
        if (width <= 0 || width > kMaxIconSide || doubleHeight <= 0 || doubleHeight / 2 > kMaxIconSide)
            return std::nullopt;
        // Qt's icon reader takes these depths (it would loop forever on a 16-bit picture), uncompressed.
        if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return std::nullopt;
        if (compression != 0) return std::nullopt;
        entry.width = width;
        entry.height = doubleHeight / 2;
        entry.depth = bits;
        qint64 palette = 0;
        if (bits <= 8) {
            const qint64 maxColors = qint64(1) << bits;
            if (colorsUsed > maxColors) return std::nullopt;
            palette = 4 * (colorsUsed != 0 ? qint64(colorsUsed) : maxColors);
        }
        const qint64 colourEnd = headerSize + palette + (qint64(width) * bits + 31) / 32 * 4 * entry.height;
        // The colour rows must be there; some writers leave out the mask of 32-bit pictures.
        if (colourEnd > available) return std::nullopt;
        entry.maskStride = (qint64(width) + 31) / 32 * 4;
        const qint64 maskEnd = colourEnd + entry.maskStride * entry.height;
        entry.colourOffset = p + headerSize + palette;
        if (maskEnd <= available) entry.maskOffset = p + colourEnd;
        entry.size = qMax(entry.size, qMin(maskEnd, available));
    }
    if (entry.width <= 0 || entry.height <= 0 || entry.width > kMaxIconSide || entry.height > kMaxIconSide)
        return std::nullopt;
    return entry;
}

// Nearest to the default cursor size first, then more colours, then larger.
bool betterEntry(const IconEntry& a, const IconEntry& b) {
    const int distanceA = std::abs(qMax(a.width, a.height) - kDefaultCursorSize);
    const int distanceB = std::abs(qMax(b.width, b.height) - kDefaultCursorSize);
    if (distanceA != distanceB) return distanceA < distanceB;
    if (a.depth != b.depth) return a.depth > b.depth;
    return a.width * a.height > b.width * b.height;
}

// Qt's icon reader ignores the AND mask of 24- and 32-bit pictures. Windows uses it for 24-bit ones,
// and for 32-bit ones whose alpha is zero throughout (cursors older than alpha blending); without it
// they would show as opaque squares or not at all. Qt has already thrown away the colours of such a
// 32-bit picture (premultiplied by zero), so they are taken from the bytes again.
void applyMask(QImage& image, const QByteArray& bytes, const IconEntry& entry) {
    if (entry.depth < 24 || entry.maskOffset < 0 || image.size() != QSize(entry.width, entry.height)) return;
    const bool recolour = entry.depth == 32;
    if (recolour) {
        for (int y = 0; y < image.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x)
                if (qAlpha(line[x]) != 0) return;
        }
    }
    const qint64 colourStride = qint64(entry.width) * 4;
    for (int y = 0; y < entry.height; ++y) {
        const qint64 row = entry.height - 1 - y; // bitmaps are stored bottom-up
        const char* maskRow = raw(bytes) + entry.maskOffset + row * entry.maskStride;
        const char* colourRow = raw(bytes) + entry.colourOffset + row * colourStride;
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < entry.width; ++x) {
            const bool transparent = (quint8(maskRow[x / 8]) >> (7 - x % 8)) & 1;
            QRgb colour = line[x];
            if (recolour) {
                const char* pixel = colourRow + 4 * x;
                colour = qRgb(quint8(pixel[2]), quint8(pixel[1]), quint8(pixel[0]));
            }
            line[x] = transparent ? qRgba(0, 0, 0, 0) : (colour | 0xFF000000u);
        }
    }
}

// Decodes one picture of an icon or cursor resource with Qt's icon reader. The chosen entry is copied
// into an icon file of its own, so Qt never sees the other entries, the cursor's hotspot fields (which
// sit where an icon keeps planes and depth) or a directory that points outside the bytes.
QImage decodeIconEntry(const QByteArray& bytes, const IconEntry& entry) {
    constexpr int kDirectorySize = 6 + 16;
    QByteArray single(kDirectorySize, '\0');
    char* p = single.data();
    qToLittleEndian<quint16>(1, p + 2); // type: icon
    qToLittleEndian<quint16>(1, p + 4); // one entry
    p[6] = char(entry.width >= 256 ? 0 : entry.width);
    p[7] = char(entry.height >= 256 ? 0 : entry.height);
    qToLittleEndian<quint16>(1, p + 10);
    qToLittleEndian<quint16>(quint16(entry.depth), p + 12);
    qToLittleEndian<quint32>(quint32(entry.size), p + 14);
    qToLittleEndian<quint32>(kDirectorySize, p + 18);
    single.append(bytes.mid(entry.offset, entry.size));

    QBuffer buffer(&single);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "ico");
    reader.setAllocationLimit(16);
    QImage image = reader.read();
    if (image.isNull() || image.width() > kMaxIconSide || image.height() > kMaxIconSide) return {};
    image.convertTo(QImage::Format_ARGB32);
    applyMask(image, bytes, entry);
    return image;
}

// A whole .ico/.cur resource: the best of its pictures, with the hotspot of that picture.
std::optional<AniCursor::Frame> decodeIconResource(const QByteArray& bytes, QString& error) {
    if (bytes.size() < 6 || u16(bytes, 0) != 0 || (u16(bytes, 2) != 1 && u16(bytes, 2) != 2)) {
        error = notCursorText();
        return std::nullopt;
    }
    const bool cursor = u16(bytes, 2) == 2;
    const int count = u16(bytes, 4);
    if (count == 0 || 6 + 16 * qint64(count) > bytes.size()) {
        error = corruptText();
        return std::nullopt;
    }
    std::optional<IconEntry> best;
    for (int i = 0; i < count; ++i) {
        const std::optional<IconEntry> entry = readIconEntry(bytes, 6 + 16 * qint64(i), cursor);
        if (entry && (!best || betterEntry(*entry, *best))) best = entry;
    }
    if (!best) {
        error = badImageText();
        return std::nullopt;
    }
    AniCursor::Frame frame;
    frame.image = decodeIconEntry(bytes, *best);
    if (frame.image.isNull()) {
        error = badImageText();
        return std::nullopt;
    }
    // A hotspot outside the picture would make the pointer act away from where it is drawn.
    frame.hotspot = QPoint(qMin(best->hotspot.x(), frame.image.width() - 1),
                           qMin(best->hotspot.y(), frame.image.height() - 1));
    return frame;
}

// ---- RIFF "ACON" ----

struct Chunk {
    quint32 id = 0;
    qint64 offset = 0; // of the chunk's data
    qint64 size = 0;
};

// Splits [begin, end) into chunks. A chunk whose data runs past `end` means the file is damaged. Fewer
// than eight bytes left over (a missing pad byte, slack at the end) are ignored.
bool splitChunks(const QByteArray& bytes, qint64 begin, qint64 end, QList<Chunk>& chunks) {
    qint64 at = begin;
    while (end - at >= 8) {
        const Chunk chunk{u32(bytes, at), at + 8, u32(bytes, at + 4)};
        if (chunk.offset + chunk.size > end) return false;
        chunks.append(chunk);
        // Chunks start on even offsets: an odd-sized chunk is followed by a pad byte.
        at = chunk.offset + chunk.size + (chunk.size & 1);
    }
    return true;
}

const Chunk* firstChunk(const QList<Chunk>& chunks, quint32 id) {
    for (const Chunk& chunk : chunks)
        if (chunk.id == id) return &chunk;
    return nullptr;
}

QList<quint32> readDwords(const QByteArray& bytes, const Chunk* chunk) {
    QList<quint32> values;
    if (!chunk) return values;
    for (qint64 i = 0; i + 4 <= chunk->size; i += 4)
        values.append(u32(bytes, chunk->offset + i));
    return values;
}

} // namespace

std::optional<AniCursor> decodeAniCursor(const QByteArray& bytes, QString* error) {
    QString ignored;
    QString& reason = error ? *error : ignored;
    reason.clear();
    if (bytes.size() < 12 || u32(bytes, 0) != fourCc("RIFF") || u32(bytes, 8) != fourCc("ACON")) {
        reason = notAniText();
        return std::nullopt;
    }
    // Some writers count the 8-byte RIFF header in the RIFF size, so it can name bytes past the end of
    // the file; the file's end bounds it either way.
    const qint64 riffEnd = qMin<qint64>(8 + qint64(u32(bytes, 4)), bytes.size());
    QList<Chunk> chunks;
    if (!splitChunks(bytes, 12, riffEnd, chunks)) {
        reason = corruptText();
        return std::nullopt;
    }

    // Chunks come in any order: LIST INFO first, rate and seq before or after the frames.
    const Chunk* header = firstChunk(chunks, fourCc("anih"));
    if (!header || header->size < 36) {
        reason = corruptText();
        return std::nullopt;
    }
    const quint32 frameCount = u32(bytes, header->offset + 4);
    const quint32 stepCount = u32(bytes, header->offset + 8);
    const quint32 displayRate = u32(bytes, header->offset + 28);

    QList<Chunk> icons;
    for (const Chunk& chunk : chunks) {
        if (chunk.id != fourCc("LIST") || chunk.size < 4 || u32(bytes, chunk.offset) != fourCc("fram"))
            continue;
        QList<Chunk> members;
        if (!splitChunks(bytes, chunk.offset + 4, chunk.offset + chunk.size, members)) {
            reason = corruptText();
            return std::nullopt;
        }
        for (const Chunk& member : members)
            if (member.id == fourCc("icon")) icons.append(member);
        break;
    }
    // The header's frame count wins when the list holds more icons than it names. Frames are taken as
    // icon resources whatever the header's flags say: raw-bitmap frames are not in use, and such a frame
    // simply fails to decode below.
    if (frameCount > 0 && icons.size() > qsizetype(frameCount)) icons.resize(qsizetype(frameCount));
    if (icons.isEmpty()) {
        reason = noFramesText();
        return std::nullopt;
    }
    if (icons.size() > kMaxFrames) {
        reason = corruptText();
        return std::nullopt;
    }

    AniCursor cursor;
    qint64 totalPixels = 0;
    for (qsizetype i = 0; i < icons.size(); ++i) {
        QString frameReason;
        std::optional<AniCursor::Frame> frame =
            decodeIconResource(bytes.mid(icons[i].offset, icons[i].size), frameReason);
        if (frame) totalPixels += qint64(frame->image.width()) * frame->image.height();
        if (!frame || totalPixels > kMaxTotalPixels) {
            reason = badFrameText(int(i) + 1);
            return std::nullopt;
        }
        cursor.frames.append(std::move(*frame));
    }
    const qsizetype frames = cursor.frames.size();

    const QList<quint32> sequence = readDwords(bytes, firstChunk(chunks, fourCc("seq ")));
    const QList<quint32> rates = readDwords(bytes, firstChunk(chunks, fourCc("rate")));
    qsizetype steps = stepCount > 0 ? qsizetype(qMin<quint32>(stepCount, 1u << 20)) : frames;
    if (!sequence.isEmpty()) {
        steps = qMin(steps, sequence.size());
        for (qsizetype i = 0; i < steps; ++i) {
            if (sequence[i] >= quint32(frames)) {
                reason = badSequenceText();
                return std::nullopt;
            }
            cursor.sequence.append(int(sequence[i]));
        }
    } else {
        // Without a sequence the steps show the frames in order; there cannot be more steps than frames.
        steps = qMin(steps, frames);
        for (qsizetype i = 0; i < steps; ++i)
            cursor.sequence.append(int(i));
    }
    for (qsizetype i = 0; i < steps; ++i) {
        const quint32 jiffies = i < rates.size() ? rates[i] : displayRate;
        cursor.stepJiffies.append(int(qMin(jiffies, kMaxJiffies)));
    }
    return cursor;
}

std::optional<AniCursor::Frame> decodeCursorFile(const QByteArray& bytes, QString* error) {
    QString reason;
    std::optional<AniCursor::Frame> frame = decodeIconResource(bytes, reason);
    if (error) *error = frame ? QString() : reason;
    return frame;
}

std::optional<AniCursor> decodeCursor(const QByteArray& bytes, QString* error) {
    if (bytes.startsWith("RIFF")) return decodeAniCursor(bytes, error);
    std::optional<AniCursor::Frame> frame = decodeCursorFile(bytes, error);
    if (!frame) return std::nullopt;
    AniCursor cursor;
    cursor.frames.append(std::move(*frame));
    cursor.sequence.append(0);
    cursor.stepJiffies.append(0);
    return cursor;
}

AniCursor::Frame qtView(const tw::AniCursor::Frame& frame) {
    return {toQtWithAlpha(frame.image), toQt(frame.hotspot)};
}

AniCursor qtView(const tw::AniCursor& cursor) {
    AniCursor view;
    for (const tw::AniCursor::Frame& frame : cursor.frames)
        view.frames.append(qtView(frame));
    view.sequence = QList<int>(cursor.sequence.begin(), cursor.sequence.end());
    view.stepJiffies = QList<int>(cursor.stepJiffies.begin(), cursor.stepJiffies.end());
    return view;
}

std::optional<AniCursor::Frame> qtView(const std::optional<tw::AniCursor::Frame>& frame) {
    if (!frame) return std::nullopt;
    return qtView(*frame);
}

std::optional<AniCursor> qtView(const std::optional<tw::AniCursor>& cursor) {
    if (!cursor) return std::nullopt;
    return qtView(*cursor);
}

} // namespace tw::qtdecoders
