// The RGBA image every picture decoder produces and every texture upload consumes.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tvk {

// Decoders refuse pictures larger than this in either direction: sprite slots store sizes in 16 bits.
constexpr int32_t kMaxImageDimension = 32767;

// width × height pixels, 4 bytes each (R, G, B, A), rows from the top of the picture downwards.
// The buffer is kept across Allocate calls and reused while it is large enough.
struct RgbaImage {
    int32_t width = 0;
    int32_t height = 0;
    uint8_t* pixels = nullptr;
    int32_t capacity = 0;  // bytes allocated

    RgbaImage() = default;
    ~RgbaImage();
    RgbaImage(const RgbaImage&) = delete;
    RgbaImage& operator=(const RgbaImage&) = delete;
    RgbaImage(RgbaImage&& other) noexcept;
    RgbaImage& operator=(RgbaImage&& other) noexcept;

    // Sets the size, reusing the buffer when it holds width × height pixels, else replacing it with a
    // zero-filled one. A size of zero, one needing more than INT32_MAX bytes, or a failed allocation
    // leave the image empty (0 × 0) and return false. A reused buffer keeps its old contents.
    bool Allocate(int32_t newWidth, int32_t newHeight);
    // 0 × 0; the buffer stays for reuse.
    void Clear() { width = height = 0; }
    // Frees the buffer.
    void Release();

    bool Empty() const { return width <= 0 || height <= 0; }
    size_t ByteCount() const { return Empty() ? 0 : size_t(width) * size_t(height) * 4; }
    size_t RowBytes() const { return size_t(width) * 4; }
    uint8_t* Row(int32_t y) { return pixels + size_t(y) * RowBytes(); }
    const uint8_t* Row(int32_t y) const { return pixels + size_t(y) * RowBytes(); }
    uint8_t* Pixel(int32_t x, int32_t y) { return Row(y) + size_t(x) * 4; }
    const uint8_t* Pixel(int32_t x, int32_t y) const { return Row(y) + size_t(x) * 4; }
};

// Colour keys are 24-bit colours, red in the low byte; -1 means none.
constexpr int32_t kNoColourKey = -1;

// Every pixel whose red + green·256 + blue·65536 equals the key becomes 0, 0, 0, 0.
void ApplyColourKey(RgbaImage& image, int32_t colourKey);

}  // namespace tvk
