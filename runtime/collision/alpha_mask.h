// Which pixels of a picture are opaque enough to collide: one bit per pixel, kept beside the
// picture so that collision tests read no texture back and need no GL context.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace tvk {

class AlphaMask {
public:
    // From width × height RGBA pixels, rows from the top, alpha in the fourth byte of each
    // pixel; a pixel with alpha 0 is transparent. Null for a size that is not a picture's or
    // when the memory cannot be had.
    static std::unique_ptr<AlphaMask> FromRgba(const uint8_t* pixels, int32_t width, int32_t height);

    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    // False for every pixel outside the picture, so callers may ask about any position.
    bool Opaque(int64_t x, int64_t y) const {
        if (x < 0 || y < 0 || x >= width_ || y >= height_) return false;
        return (bits_[static_cast<size_t>(y) * rowBytes_ + static_cast<size_t>(x >> 3)] >> (x & 7)) & 1;
    }
    size_t Bytes() const { return static_cast<size_t>(height_) * rowBytes_; }

private:
    AlphaMask(int32_t width, int32_t height, std::unique_ptr<uint8_t[]> bits);

    int32_t width_;
    int32_t height_;
    size_t rowBytes_;  // each row starts on a byte
    std::unique_ptr<uint8_t[]> bits_;
};

}  // namespace tvk
