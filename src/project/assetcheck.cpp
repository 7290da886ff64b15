#include "project/assetcheck.h"

#include "platform/anicursor.h"
#include "platform/picturecodec.h"
#include "project/utf8.h"

#include <cstdint>
#include <cstring>

namespace tw {

namespace {

std::string emptyText() {
    return "файл пуст";
}
std::string truncatedText() {
    return "файл обрезан";
}
std::string notBmpText() {
    return "это не картинка BMP";
}
std::string notWaveText() {
    return "это не звук WAV";
}
std::string waveFormatText() {
    return "неизвестный формат звука WAV";
}
std::string noFormatText() {
    return "в файле нет описания формата звука";
}
std::string noSamplesText() {
    return "в файле нет звука";
}
std::string notMp3Text() {
    return "это не звук MP3";
}

// The decoders' reasons start a sentence; here they follow the file's name.
std::string asReason(const std::string& text) {
    std::size_t at = 0;
    char32_t first = nextCharacter(text, at);
    if (first >= U'A' && first <= U'Z') first += 0x20;
    else if (first >= U'\u0410' && first <= U'\u042F') first += 0x20;
    else if (first == U'\u0401') first = U'\u0451';
    std::string lowered;
    if (!text.empty()) appendCharacter(lowered, first);
    return lowered + text.substr(at);
}

// The bytes of a file with bounds-checked little- and big-endian reads. Positions are 64-bit so that
// sums of a position and a 32-bit size read from the file never wrap.
class FileBytes {
public:
    explicit FileBytes(const Bytes& bytes)
        : m_data(reinterpret_cast<const std::uint8_t*>(bytes.data())), m_size(bytes.size()) {}

    std::int64_t size() const { return m_size; }
    bool has(std::int64_t at, std::int64_t count) const {
        return at >= 0 && count >= 0 && at <= m_size - count;
    }
    std::uint8_t u8(std::int64_t at) const { return m_data[at]; }
    std::uint16_t le16(std::int64_t at) const { return std::uint16_t(m_data[at] | m_data[at + 1] << 8); }
    std::uint32_t le32(std::int64_t at) const {
        return std::uint32_t(le16(at)) | std::uint32_t(le16(at + 2)) << 16;
    }
    bool tagAt(std::int64_t at, const char* tag) const {
        const auto length = std::int64_t(std::strlen(tag));
        return has(at, length) && std::memcmp(m_data + at, tag, std::size_t(length)) == 0;
    }

private:
    const std::uint8_t* m_data;
    std::int64_t m_size;
};

// ---- WAV ----

constexpr std::uint16_t kWavePcm = 1;
constexpr std::uint16_t kWaveMsAdpcm = 2;
constexpr std::uint16_t kWaveFloat = 3;
constexpr std::uint16_t kWaveALaw = 6;
constexpr std::uint16_t kWaveMuLaw = 7;
constexpr std::uint16_t kWaveImaAdpcm = 0x11;
constexpr std::uint16_t kWaveExtensible = 0xFFFE;

// The "fmt " chunk body (at least 16 bytes): an encoding the sound player decodes (PCM, float, A-law,
// mu-law, MS and IMA ADPCM), with sane numbers.
bool isPlayableFormat(const FileBytes& file, std::int64_t at, std::int64_t length) {
    std::uint16_t format = file.le16(at);
    const std::uint16_t channels = file.le16(at + 2);
    const std::uint32_t sampleRate = file.le32(at + 4);
    const std::uint16_t blockAlign = file.le16(at + 12);
    const std::uint16_t bits = file.le16(at + 14);
    if (channels < 1 || channels > 8 || sampleRate < 1 || sampleRate > 384000 || blockAlign == 0)
        return false;
    if (format == kWaveExtensible) {
        // The encoding proper is the first two bytes of the sub-format GUID at offset 24; the player
        // takes PCM and float there.
        if (length < 40) return false;
        format = file.le16(at + 24);
        if (format != kWavePcm && format != kWaveFloat) return false;
    }
    switch (format) {
    case kWavePcm:
        return (bits == 8 || bits == 16 || bits == 24 || bits == 32) && blockAlign >= channels * (bits / 8);
    case kWaveFloat:
        return (bits == 32 || bits == 64) && blockAlign >= channels * (bits / 8);
    case kWaveALaw:
    case kWaveMuLaw:
        return bits == 8;
    case kWaveMsAdpcm:
    case kWaveImaAdpcm:
        return bits == 4;
    default:
        return false;
    }
}

std::string waveProblem(const FileBytes& file) {
    if (file.size() < 12) return file.tagAt(0, "RIFF") ? truncatedText() : notWaveText();
    if (!file.tagAt(0, "RIFF") || !file.tagAt(8, "WAVE")) return notWaveText();

    // The RIFF size is not trusted (writers get it wrong); the chunks are walked to the end of the file.
    bool formatSeen = false;
    bool truncated = false;
    std::int64_t at = 12;
    while (file.has(at, 8)) {
        const std::int64_t body = at + 8;
        const std::int64_t length = file.le32(at + 4);
        const bool whole = file.has(body, length);
        if (file.tagAt(at, "fmt ")) {
            if (!whole) return truncatedText();
            if (length < 16 || !isPlayableFormat(file, body, length)) return waveFormatText();
            formatSeen = true;
        } else if (file.tagAt(at, "data")) {
            if (!formatSeen) return noFormatText(); // players read the format before the samples
            // A data chunk cut short still plays as far as it goes; one without a single sample does not.
            return length == 0 || body >= file.size() ? noSamplesText() : std::string();
        }
        if (!whole) {
            truncated = true;
            break;
        }
        at = body + length + (length & 1); // chunks of odd length are followed by a pad byte
    }
    // Without a data chunk the file is no sound; when the RIFF size says it should go on, it was cut short.
    if (truncated || std::int64_t(file.le32(4)) + 8 > file.size()) return truncatedText();
    return formatSeen ? noSamplesText() : noFormatText();
}

// ---- MP3 ----

struct MpegFrame {
    int version = 0; // header bits: 3 MPEG-1, 2 MPEG-2, 0 MPEG-2.5
    int layer = 0;   // header bits: 3 layer I, 2 layer II, 1 layer III
    int sampleRateIndex = 0;
    std::int64_t length = 0; // bytes, header included
};

// Bit rates in kbit/s by bit-rate index 1..14.
constexpr int kRates[5][14] = {
    {32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448}, // MPEG-1 layer I
    {32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},    // MPEG-1 layer II
    {32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320},     // MPEG-1 layer III
    {32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},    // MPEG-2/2.5 layer I
    {8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},         // MPEG-2/2.5 layers II and III
};
constexpr int kSampleRates[3] = {44100, 48000, 32000}; // MPEG-1; halved for MPEG-2, quartered for 2.5

// The frame header at `at`, or a frame of length 0 when there is none. Free-format frames (bit-rate
// index 0) are refused: their length cannot be known from the header.
MpegFrame frameAt(const FileBytes& file, std::int64_t at) {
    MpegFrame frame;
    if (!file.has(at, 4)) return frame;
    const std::uint8_t b1 = file.u8(at + 1);
    const std::uint8_t b2 = file.u8(at + 2);
    if (file.u8(at) != 0xFF || (b1 & 0xE0) != 0xE0) return frame;
    const int version = (b1 >> 3) & 3;
    const int layer = (b1 >> 1) & 3;
    const int rateIndex = b2 >> 4;
    const int sampleRateIndex = (b2 >> 2) & 3;
    const int padding = (b2 >> 1) & 1;
    if (version == 1 || layer == 0 || rateIndex == 0 || rateIndex == 15 || sampleRateIndex == 3) return frame;

    const bool mpeg1 = version == 3;
    const int table = mpeg1 ? 3 - layer : (layer == 3 ? 3 : 4);
    const std::int64_t bitRate = std::int64_t(kRates[table][rateIndex - 1]) * 1000;
    const std::int64_t sampleRate = kSampleRates[sampleRateIndex] / (mpeg1 ? 1 : version == 2 ? 2 : 4);
    frame.version = version;
    frame.layer = layer;
    frame.sampleRateIndex = sampleRateIndex;
    if (layer == 3)
        frame.length = (12 * bitRate / sampleRate + padding) * 4;
    else if (layer == 1 && !mpeg1)
        frame.length =
            72 * bitRate / sampleRate + padding; // layer III of MPEG-2 and 2.5 has half the samples
    else
        frame.length = 144 * bitRate / sampleRate + padding;
    return frame;
}

std::string mp3Problem(const FileBytes& file) {
    std::int64_t at = 0;
    // An ID3v2 tag: "ID3", version, revision, flags and a size of four 7-bit bytes that leaves out the
    // 10-byte header (and the 10-byte footer, flagged in version 4).
    if (file.tagAt(0, "ID3")) {
        if (!file.has(0, 10)) return truncatedText();
        std::int64_t size = 0;
        for (int i = 6; i < 10; ++i) {
            if (file.u8(i) & 0x80) return notMp3Text();
            size = size << 7 | file.u8(i);
        }
        at = 10 + size + ((file.u8(5) & 0x10) ? 10 : 0);
        if (at > file.size()) return truncatedText();
        // Some writers pad after the tag without counting the padding in its size.
        while (at < file.size() && file.u8(at) == 0)
            ++at;
        if (at >= file.size()) return truncatedText();
    }

    const MpegFrame first = frameAt(file, at);
    if (first.length == 0) return file.has(at, 4) || at == 0 ? notMp3Text() : truncatedText();
    const std::int64_t next = at + first.length;
    if (next > file.size()) return truncatedText();
    // Four bytes that merely look like a header turn up by chance; a second header of the same stream
    // exactly where the first frame ends does not. A stream of one frame ends the file or is followed by
    // an ID3v1 tag.
    if (next == file.size() || file.tagAt(next, "TAG")) return {};
    const MpegFrame second = frameAt(file, next);
    if (second.length == 0 || second.version != first.version || second.layer != first.layer ||
        second.sampleRateIndex != first.sampleRateIndex)
        return file.has(next, 4) ? notMp3Text() : truncatedText();
    return {};
}

} // namespace

std::string assetProblem(AssetKind kind, const Bytes& bytes) {
    if (bytes.empty()) return emptyText();
    const FileBytes file(bytes);
    switch (kind) {
    case AssetKind::Picture: {
        if (!file.tagAt(0, "BM")) return notBmpText();
        std::string error;
        if (!decodePicture(bytes, &error).isNull()) return {};
        return error.empty() ? notBmpText() : asReason(error);
    }
    case AssetKind::Cursor: {
        std::string error;
        if (decodeCursor(bytes, &error)) return {};
        return error.empty() ? std::string("это не курсор") : asReason(error);
    }
    case AssetKind::Wave:
        return waveProblem(file);
    case AssetKind::Mp3:
        return mp3Problem(file);
    }
    return {};
}

namespace {

void appendLe32(Bytes& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out.push_back(char((value >> (8 * i)) & 0xFF));
}

void appendChunk(Bytes& out, const char* id, const Bytes& body) {
    out.append(id, 4);
    appendLe32(out, std::uint32_t(body.size()));
    out.append(body);
    if (body.size() & 1) out.push_back('\0'); // chunks of odd length are followed by a pad byte
}

} // namespace

Bytes storedCursor(const Bytes& bytes) {
    if (bytes.starts_with("RIFF")) return bytes;
    constexpr std::uint32_t kIconFrames = 1; // anih flag: the frames are icon or cursor resources
    Bytes header;
    appendLe32(header, 36); // the header's own size
    appendLe32(header, 1);  // frames
    appendLe32(header, 1);  // steps
    for (int i = 0; i < 4; ++i)
        appendLe32(header, 0); // width, height, bit count, planes: taken from the frame
    appendLe32(header, 0); // display rate: the one step stays
    appendLe32(header, kIconFrames);
    Bytes frames("fram", 4);
    appendChunk(frames, "icon", bytes);
    Bytes body("ACON", 4);
    appendChunk(body, "anih", header);
    appendChunk(body, "LIST", frames);
    Bytes file;
    appendChunk(file, "RIFF", body);
    return file;
}

} // namespace tw
