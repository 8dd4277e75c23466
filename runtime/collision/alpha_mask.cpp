#include "collision/alpha_mask.h"

#include <new>
#include <utility>

namespace tvk {
namespace {

// Larger than any picture the decoders produce; keeps width × height far from size_t's limit.
constexpr int32_t kMaxMaskDimension = 32767;

size_t RowBytesFor(int32_t width) { return (static_cast<size_t>(width) + 7) / 8; }

}  // namespace

AlphaMask::AlphaMask(int32_t width, int32_t height, std::unique_ptr<uint8_t[]> bits)
    : width_(width), height_(height), rowBytes_(RowBytesFor(width)), bits_(std::move(bits)) {}

std::unique_ptr<AlphaMask> AlphaMask::FromRgba(const uint8_t* pixels, int32_t width, int32_t height) {
    if (!pixels || width <= 0 || height <= 0 || width > kMaxMaskDimension || height > kMaxMaskDimension)
        return nullptr;
    const size_t rowBytes = RowBytesFor(width);
    std::unique_ptr<uint8_t[]> bits(new (std::nothrow) uint8_t[rowBytes * static_cast<size_t>(height)]());
    if (!bits) return nullptr;
    const uint8_t* p = pixels;
    for (int32_t y = 0; y < height; ++y) {
        uint8_t* row = bits.get() + static_cast<size_t>(y) * rowBytes;
        for (int32_t x = 0; x < width; ++x, p += 4)
            if (p[3] != 0) row[x >> 3] = static_cast<uint8_t>(row[x >> 3] | (1u << (x & 7)));
    }
    std::unique_ptr<AlphaMask> mask(new (std::nothrow) AlphaMask(width, height, std::move(bits)));
    return mask;
}

}  // namespace tvk
