#include "platform/pngimage.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>
#include <vector>

namespace tw {

namespace {

std::uint32_t bigEndian32(const unsigned char* p) {
    return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | std::uint32_t(p[3]);
}

std::uint32_t crc32(const unsigned char* data, std::size_t size) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t c = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i)
        c = table[(c ^ data[i]) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

// ---- Inflate (RFC 1951) ----

// A canonical Huffman code: how many codes there are of each length, and the symbols in code order.
struct Huffman {
    std::array<short, 16> counts{};
    std::array<short, 320> symbols{};
};

// Builds the code from the code lengths; false for an over-subscribed set of lengths. An incomplete set
// is allowed here; a code it leaves out fails when it is met.
bool buildHuffman(Huffman& h, const unsigned char* lengths, int n) {
    h.counts.fill(0);
    for (int s = 0; s < n; ++s)
        ++h.counts[lengths[s]];
    if (h.counts[0] == n) return true; // no codes at all: fails when used
    int left = 1;
    for (int len = 1; len < 16; ++len) {
        left <<= 1;
        left -= h.counts[std::size_t(len)];
        if (left < 0) return false;
    }
    std::array<short, 16> offsets{};
    for (int len = 1; len < 15; ++len)
        offsets[std::size_t(len) + 1] = short(offsets[std::size_t(len)] + h.counts[std::size_t(len)]);
    for (int s = 0; s < n; ++s)
        if (lengths[s] != 0) h.symbols[std::size_t(offsets[lengths[s]]++)] = short(s);
    return true;
}

// Inflates a zlib stream until `wanted` bytes have come out. Damage met before then fails; what follows
// them (the rest of the stream, its checksum) is not looked at.
class Inflater {
public:
    Inflater(const std::vector<unsigned char>& in, std::size_t wanted) : in_(in), wanted_(wanted) {
        out_.reserve(wanted);
    }

    bool run() {
        if (in_.size() < 2) return false;
        const int cmf = in_[0];
        const int flg = in_[1];
        if ((cmf & 0x0F) != 8 || (cmf >> 4) > 7 || (cmf * 256 + flg) % 31 != 0 || (flg & 0x20) != 0) return false;
        at_ = 2;
        bool last = false;
        while (out_.size() < wanted_) {
            if (last) return false; // the stream ended short of the rows
            last = bits(1) == 1;
            const int type = bits(2);
            bool ok = false;
            if (type == 0) ok = stored();
            else if (type == 1) ok = fixed();
            else if (type == 2) ok = dynamic();
            if (!ok || failed_) return out_.size() >= wanted_;
        }
        return true;
    }
    std::vector<unsigned char>& output() { return out_; }

private:
    int bits(int need) {
        std::uint32_t value = bitBuffer_;
        while (bitCount_ < need) {
            if (at_ >= in_.size()) {
                failed_ = true;
                return 0;
            }
            value |= std::uint32_t(in_[at_++]) << bitCount_;
            bitCount_ += 8;
        }
        bitBuffer_ = value >> need;
        bitCount_ -= need;
        return int(value & ((1u << need) - 1));
    }

    int decode(const Huffman& h) {
        int code = 0;
        int first = 0;
        int index = 0;
        for (int len = 1; len < 16; ++len) {
            code |= bits(1);
            if (failed_) return -1;
            const int count = h.counts[std::size_t(len)];
            if (code - count < first) return h.symbols[std::size_t(index + (code - first))];
            index += count;
            first += count;
            first <<= 1;
            code <<= 1;
        }
        return -1;
    }

    bool stored() {
        bitBuffer_ = 0;
        bitCount_ = 0;
        if (at_ + 4 > in_.size()) return false;
        const unsigned length = in_[at_] | unsigned(in_[at_ + 1]) << 8;
        const unsigned check = in_[at_ + 2] | unsigned(in_[at_ + 3]) << 8;
        at_ += 4;
        if (length != (~check & 0xFFFF)) return false;
        for (unsigned i = 0; i < length && out_.size() < wanted_; ++i) {
            if (at_ >= in_.size()) return false;
            out_.push_back(in_[at_++]);
        }
        return true;
    }

    bool codes(const Huffman& lengthCode, const Huffman& distanceCode) {
        static constexpr short lengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                                 31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
        static constexpr short lengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                  2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
        static constexpr short distanceBase[30] = {1,   2,   3,   4,   5,   7,    9,    13,   17,   25,
                                                   33,  49,  65,  97,  129, 193,  257,  385,  513,  769,
                                                   1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
        static constexpr short distanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                                    6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
        while (out_.size() < wanted_) {
            const int symbol = decode(lengthCode);
            if (symbol < 0) return false;
            if (symbol < 256) {
                out_.push_back(static_cast<unsigned char>(symbol));
            } else if (symbol == 256) {
                return true;
            } else {
                const int s = symbol - 257;
                if (s >= 29) return false;
                const int length = lengthBase[s] + bits(lengthExtra[s]);
                const int d = decode(distanceCode);
                if (d < 0 || d >= 30) return false;
                const std::size_t distance = std::size_t(distanceBase[d] + bits(distanceExtra[d]));
                if (failed_ || distance > out_.size()) return false;
                for (int i = 0; i < length && out_.size() < wanted_; ++i)
                    out_.push_back(out_[out_.size() - distance]);
            }
        }
        return true;
    }

    bool fixed() {
        static const std::pair<Huffman, Huffman> tables = [] {
            std::pair<Huffman, Huffman> t;
            unsigned char lengths[288];
            for (int s = 0; s < 288; ++s)
                lengths[s] = s < 144 ? 8 : s < 256 ? 9 : s < 280 ? 7 : 8;
            buildHuffman(t.first, lengths, 288);
            for (int s = 0; s < 30; ++s)
                lengths[s] = 5;
            buildHuffman(t.second, lengths, 30);
            return t;
        }();
        return codes(tables.first, tables.second);
    }

    bool dynamic() {
        static constexpr unsigned char order[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
        const int lengthCount = bits(5) + 257;
        const int distanceCount = bits(5) + 1;
        const int codeCount = bits(4) + 4;
        if (failed_ || lengthCount > 286 || distanceCount > 30) return false;
        unsigned char lengths[320] = {};
        for (int i = 0; i < codeCount; ++i)
            lengths[order[i]] = static_cast<unsigned char>(bits(3));
        Huffman lengthsCode;
        if (failed_ || !buildHuffman(lengthsCode, lengths, 19)) return false;
        int index = 0;
        while (index < lengthCount + distanceCount) {
            int symbol = decode(lengthsCode);
            if (symbol < 0) return false;
            if (symbol < 16) {
                lengths[index++] = static_cast<unsigned char>(symbol);
                continue;
            }
            int value = 0;
            int repeat = 0;
            if (symbol == 16) {
                if (index == 0) return false;
                value = lengths[index - 1];
                repeat = 3 + bits(2);
            } else if (symbol == 17) {
                repeat = 3 + bits(3);
            } else {
                repeat = 11 + bits(7);
            }
            if (failed_ || index + repeat > lengthCount + distanceCount) return false;
            while (repeat--)
                lengths[index++] = static_cast<unsigned char>(value);
        }
        if (lengths[256] == 0) return false; // no end-of-block code
        Huffman lengthCode;
        Huffman distanceCode;
        if (!buildHuffman(lengthCode, lengths, lengthCount)) return false;
        if (!buildHuffman(distanceCode, lengths + lengthCount, distanceCount)) return false;
        return codes(lengthCode, distanceCode);
    }

    const std::vector<unsigned char>& in_;
    std::size_t wanted_ = 0;
    std::size_t at_ = 0;
    std::uint32_t bitBuffer_ = 0;
    int bitCount_ = 0;
    bool failed_ = false;
    std::vector<unsigned char> out_;
};

int paeth(int a, int b, int c) {
    const int p = a + b - c;
    const int pa = p > a ? p - a : a - p;
    const int pb = p > b ? p - b : b - p;
    const int pc = p > c ? p - c : c - p;
    if (pa <= pb && pa <= pc) return a;
    return pb <= pc ? b : c;
}

// Undoes the row filters in place; false for an unknown filter type.
bool unfilter(std::vector<unsigned char>& data, std::size_t rowBytes, int height, int pixelBytes) {
    const unsigned char* previous = nullptr;
    for (int y = 0; y < height; ++y) {
        unsigned char* row = data.data() + std::size_t(y) * (rowBytes + 1);
        const int filter = row[0];
        unsigned char* p = row + 1;
        for (std::size_t i = 0; i < rowBytes; ++i) {
            const int a = i >= std::size_t(pixelBytes) ? p[i - std::size_t(pixelBytes)] : 0;
            const int b = previous ? previous[i] : 0;
            const int c = previous && i >= std::size_t(pixelBytes) ? previous[i - std::size_t(pixelBytes)] : 0;
            int add = 0;
            switch (filter) {
            case 0: break;
            case 1: add = a; break;
            case 2: add = b; break;
            case 3: add = (a + b) / 2; break;
            case 4: add = paeth(a, b, c); break;
            default: return false;
            }
            p[i] = static_cast<unsigned char>(p[i] + add);
        }
        previous = p;
    }
    return true;
}

bool isLetter(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

} // namespace

Picture decodePng(std::string_view bytes, int maxSide) {
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t size = bytes.size();
    static constexpr unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (size < 8 || !std::equal(signature, signature + 8, data)) return {};

    int width = 0;
    int height = 0;
    int colourType = -1;
    std::vector<unsigned char> compressed;
    bool seenHeader = false;
    bool seenData = false;
    bool endedData = false;
    std::size_t at = 8;
    for (;;) {
        if (size - at < 8) return {}; // the file ends before IEND
        const std::uint32_t length = bigEndian32(data + at);
        const unsigned char* type = data + at + 4;
        if (length > 0x7FFFFFFFu) return {};
        for (int i = 0; i < 4; ++i)
            if (!isLetter(type[i])) return {};
        // Some writers leave off the checksum of the closing chunk; the file ending there is whole enough.
        if (size - at - 8 < 4 && length == 0 && seenData && std::string_view(reinterpret_cast<const char*>(type), 4) == "IEND")
            break;
        if (size - at - 8 < std::size_t(length) + 4) return {};
        const unsigned char* body = type + 4;
        const bool critical = (type[0] & 0x20) == 0;
        const bool crcOk = crc32(type, std::size_t(length) + 4) == bigEndian32(body + length);
        at += 12 + std::size_t(length);
        const std::string_view name(reinterpret_cast<const char*>(type), 4);
        if (!seenHeader && name != "IHDR") return {};
        if (!crcOk) {
            if (critical) return {};
            continue; // a damaged ancillary chunk is dropped
        }
        if (name == "IHDR") {
            if (seenHeader || length != 13) return {};
            seenHeader = true;
            const std::uint32_t w = bigEndian32(body);
            const std::uint32_t h = bigEndian32(body + 4);
            const int depth = body[8];
            colourType = body[9];
            if (w == 0 || h == 0 || w > 0x7FFFFFFFu || h > 0x7FFFFFFFu) return {};
            if (body[10] != 0 || body[11] != 0 || body[12] > 1) return {};
            // Kinds other than these are read by no cursor in use.
            if (depth != 8 || body[12] != 0 || (colourType != 0 && colourType != 2 && colourType != 4 && colourType != 6))
                return {};
            if (w > std::uint32_t(maxSide) || h > std::uint32_t(maxSide)) return {};
            width = int(w);
            height = int(h);
        } else if (name == "IDAT") {
            if (endedData) continue; // data after other chunks is past the picture
            seenData = true;
            compressed.insert(compressed.end(), body, body + length);
        } else if (name == "IEND") {
            if (!seenData) return {};
            break;
        } else {
            if (seenData) endedData = true;
            // A transparent colour key (grey or RGB without alpha): not a kind cursors use.
            if (name == "tRNS" && (colourType == 0 || colourType == 2)) return {};
            if (critical && name != "PLTE") return {};
        }
    }

    const int channels = colourType == 0 ? 1 : colourType == 4 ? 2 : colourType == 2 ? 3 : 4;
    const std::size_t rowBytes = std::size_t(width) * std::size_t(channels);
    Inflater inflater(compressed, (rowBytes + 1) * std::size_t(height));
    if (!inflater.run()) return {};
    std::vector<unsigned char>& raw = inflater.output();
    if (!unfilter(raw, rowBytes, height, channels)) return {};

    Picture picture(width, height);
    for (int y = 0; y < height; ++y) {
        const unsigned char* p = raw.data() + std::size_t(y) * (rowBytes + 1) + 1;
        Rgb* target = picture.row(y);
        for (int x = 0; x < width; ++x, p += channels) {
            std::uint32_t r = p[0], g = p[0], b = p[0], a = 255;
            if (channels == 2) a = p[1];
            if (channels >= 3) {
                g = p[1];
                b = p[2];
            }
            if (channels == 4) a = p[3];
            target[x] = a << 24 | r << 16 | g << 8 | b;
        }
    }
    return picture;
}

} // namespace tw
