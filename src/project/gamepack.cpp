#include "project/gamepack.h"

#include <cstdint>
#include <cstring>
#include <stdexcept>

namespace tw {
namespace {

constexpr std::size_t kMagicSize = sizeof kGamePackMagic - 1;
constexpr std::size_t kMaxPathBytes = 1000;

void putLe(Bytes& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(char((value >> (8 * i)) & 0xFF));
}

// The pack's bytes read front to back; every read is checked against what is left.
class PackReader {
public:
    explicit PackReader(const Bytes& pack) : pack_(pack) {}
    bool has(std::size_t count) const { return count <= pack_.size() - at_; }
    std::uint64_t le(int bytes) {
        std::uint64_t value = 0;
        for (int i = 0; i < bytes; ++i) value |= std::uint64_t(std::uint8_t(pack_[at_ + std::size_t(i)])) << (8 * i);
        at_ += std::size_t(bytes);
        return value;
    }
    Bytes take(std::size_t count) {
        Bytes part = pack_.substr(at_, count);
        at_ += count;
        return part;
    }
    bool atEnd() const { return at_ == pack_.size(); }

private:
    const Bytes& pack_;
    std::size_t at_ = 0;
};

GamePackRead refused(std::string reason) {
    GamePackRead read;
    read.reason = std::move(reason);
    return read;
}

} // namespace

bool isPackablePath(const std::string& path) {
    if (path.empty() || path.size() > kMaxPathBytes || path.front() == '/' || path.back() == '/') return false;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string::npos) end = path.size();
        const std::string part = path.substr(start, end - start);
        if (part.empty() || part == "." || part == "..") return false;
        start = end + 1;
    }
    for (const char c : path) {
        const auto byte = std::uint8_t(c);
        if (byte < 0x20 || byte == 0x7F || c == '\\') return false;
    }
    return true;
}

Bytes packGameFiles(const GameFilesByPath& files) {
    std::size_t total = kMagicSize + 4;
    for (const auto& [path, bytes] : files) total += 2 + path.size() + 4 + bytes.size();
    Bytes pack;
    pack.reserve(total);
    pack.append(kGamePackMagic, kMagicSize);
    putLe(pack, files.size(), 4);
    for (const auto& [path, bytes] : files) {
        if (!isPackablePath(path) || bytes.size() > 0xFFFFFFFFu)
            throw std::invalid_argument("not a packable file: " + path);
        putLe(pack, path.size(), 2);
        pack += path;
        putLe(pack, bytes.size(), 4);
        pack += bytes;
    }
    return pack;
}

GamePackRead readGamePack(const Bytes& pack) {
    PackReader reader(pack);
    if (!reader.has(kMagicSize) || reader.take(kMagicSize) != Bytes(kGamePackMagic, kMagicSize))
        return refused("это не файл игры для браузера");
    if (!reader.has(4)) return refused("файл игры обрезан");
    const std::uint64_t count = reader.le(4);
    if (count > kGamePackMaxFiles) return refused("в файле игры слишком много файлов");
    GamePackRead read;
    for (std::uint64_t k = 0; k < count; ++k) {
        if (!reader.has(2)) return refused("файл игры обрезан");
        const std::size_t pathSize = std::size_t(reader.le(2));
        if (!reader.has(pathSize)) return refused("файл игры обрезан");
        std::string path = reader.take(pathSize);
        if (!isPackablePath(path)) return refused("в файле игры недопустимое имя файла");
        if (!reader.has(4)) return refused("файл игры обрезан");
        const std::size_t size = std::size_t(reader.le(4));
        if (!reader.has(size)) return refused("файл игры обрезан: " + path);
        if (!read.files.emplace(std::move(path), reader.take(size)).second)
            return refused("в файле игры один файл записан дважды");
    }
    if (!reader.atEnd()) return refused("в файле игры лишние байты после последнего файла");
    read.ok = true;
    return read;
}

} // namespace tw
