#include "gfx2d/image.h"

#include <cstdlib>
#include <utility>

#include "base/colour.h"

namespace tvk {

RgbaImage::~RgbaImage() { Release(); }

RgbaImage::RgbaImage(RgbaImage&& other) noexcept
    : width(other.width), height(other.height), pixels(other.pixels), capacity(other.capacity) {
    other.width = other.height = other.capacity = 0;
    other.pixels = nullptr;
}

RgbaImage& RgbaImage::operator=(RgbaImage&& other) noexcept {
    if (this != &other) {
        Release();
        std::swap(width, other.width);
        std::swap(height, other.height);
        std::swap(pixels, other.pixels);
        std::swap(capacity, other.capacity);
    }
    return *this;
}

bool RgbaImage::Allocate(int32_t newWidth, int32_t newHeight) {
    width = height = 0;
    if (newWidth <= 0 || newHeight <= 0) return false;
    const size_t bytes = size_t(newWidth) * size_t(newHeight) * 4;
    if (bytes > size_t(INT32_MAX)) return false;  // the capacity is a 32-bit count
    if (bytes > size_t(capacity)) {
        Release();
        pixels = static_cast<uint8_t*>(std::calloc(bytes, 1));
        if (!pixels) return false;
        capacity = int32_t(bytes);
    }
    width = newWidth;
    height = newHeight;
    return true;
}

void RgbaImage::Release() {
    std::free(pixels);
    pixels = nullptr;
    capacity = width = height = 0;
}

void ApplyColourKey(RgbaImage& image, int32_t colourKey) {
    if (colourKey < 0 || colourKey > 0xFFFFFF) return;  // no 24-bit pixel can equal a wider key
    const ColourBytes key = SplitColour(static_cast<uint32_t>(colourKey));
    uint8_t* p = image.pixels;
    for (size_t n = image.ByteCount() / 4; n > 0; --n, p += 4) {
        if (p[0] == key.red && p[1] == key.green && p[2] == key.blue) p[0] = p[1] = p[2] = p[3] = 0;
    }
}

}  // namespace tvk
