#pragma once

#include "canvas/geometry.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <utility>
#include <vector>

namespace tw {

// A colour as 0xAARRGGBB; the pictures of the game are opaque, their alpha byte is 0xFF.
using Rgb = std::uint32_t;

constexpr Rgb rgb(int r, int g, int b) {
    return 0xFF000000u | (std::uint32_t(r & 0xFF) << 16) | (std::uint32_t(g & 0xFF) << 8) | std::uint32_t(b & 0xFF);
}
constexpr int redOf(Rgb c) { return int((c >> 16) & 0xFF); }
constexpr int greenOf(Rgb c) { return int((c >> 8) & 0xFF); }
constexpr int blueOf(Rgb c) { return int(c & 0xFF); }
constexpr int alphaOf(Rgb c) { return int(c >> 24); }

// A 32-bit picture: width x height pixels, row by row in one buffer, no padding between rows. A null
// picture has no pixels. Copies are deep; moves are cheap. The desktop programs show one by wrapping
// its buffer, without copying.
class Picture {
public:
    Picture() = default;
    // Pixels start as opaque black.
    Picture(int width, int height) { reset(width, height); }
    Picture(const Picture&) = default;
    Picture& operator=(const Picture&) = default;
    // A moved-from picture is null.
    Picture(Picture&& other) noexcept
        : width_(std::exchange(other.width_, 0)), height_(std::exchange(other.height_, 0)),
          pixels_(std::move(other.pixels_)), key_(std::exchange(other.key_, 0)) {
        other.pixels_.clear();
    }
    Picture& operator=(Picture&& other) noexcept {
        if (this == &other) return *this;
        width_ = std::exchange(other.width_, 0);
        height_ = std::exchange(other.height_, 0);
        pixels_ = std::move(other.pixels_);
        other.pixels_.clear();
        key_ = std::exchange(other.key_, 0);
        return *this;
    }

    // A number that stays the same while the pixels do: every access that may write them (the non-const
    // bits(), row(), setPixel(), fill(), reset()) gives the picture a new one, and a copy shares its
    // original's until either is written. Two pictures with the same key hold the same pixels. Writes
    // through a pointer or a wrapper taken before the key was read are not seen.
    std::uint64_t cacheKey() const {
        if (key_ == 0) key_ = nextKey();
        return key_;
    }

    bool isNull() const { return pixels_.empty(); }
    int width() const { return width_; }
    int height() const { return height_; }
    Size size() const { return {width_, height_}; }
    Rect rect() const { return {0, 0, width_, height_}; }
    bool valid(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    Rgb* bits() {
        key_ = 0;
        return pixels_.data();
    }
    const Rgb* bits() const { return pixels_.data(); }
    const Rgb* constBits() const { return pixels_.data(); }
    Rgb* row(int y) {
        key_ = 0;
        return pixels_.data() + std::size_t(y) * std::size_t(width_);
    }
    const Rgb* row(int y) const { return pixels_.data() + std::size_t(y) * std::size_t(width_); }
    int bytesPerLine() const { return width_ * 4; }
    std::size_t byteCount() const { return pixels_.size() * 4; }

    Rgb pixel(int x, int y) const { return row(y)[x]; }
    Rgb pixel(Point p) const { return pixel(p.x, p.y); }
    void setPixel(int x, int y, Rgb colour) { row(y)[x] = colour; }
    void setPixel(Point p, Rgb colour) { setPixel(p.x, p.y, colour); }
    void fill(Rgb colour) {
        key_ = 0;
        std::fill(pixels_.begin(), pixels_.end(), colour);
    }
    // A colour must be an Rgb: an enum or a plain int (a toolkit's colour name) would pass for one.
    template <typename T>
    void fill(T) = delete;
    template <typename T>
    void setPixel(int, int, T) = delete;
    // Makes the picture width x height of opaque black (a null picture when either is not positive).
    void reset(int width, int height) {
        key_ = 0;
        if (width <= 0 || height <= 0) {
            width_ = height_ = 0;
            pixels_.clear();
            return;
        }
        width_ = width;
        height_ = height;
        pixels_.assign(std::size_t(width) * std::size_t(height), 0xFF000000u);
    }
    // The part inside `area`; parts of `area` outside the picture come out opaque black.
    Picture copy(const Rect& area) const {
        Picture part(area.width, area.height);
        const Rect inside = area.intersected(rect());
        for (int y = inside.top(); y <= inside.bottom(); ++y)
            std::copy_n(row(y) + inside.x, inside.width, part.row(y - area.y) + (inside.x - area.x));
        return part;
    }

    friend bool operator==(const Picture& a, const Picture& b) {
        return a.width_ == b.width_ && a.height_ == b.height_ && a.pixels_ == b.pixels_;
    }

private:
    static std::uint64_t nextKey() {
        static std::atomic<std::uint64_t> last{0};
        return ++last;
    }

    int width_ = 0;
    int height_ = 0;
    std::vector<Rgb> pixels_;
    mutable std::uint64_t key_ = 0; // 0: written since the key was last read
};

} // namespace tw
