#include "gfx2d/texture_prep.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace tvk {

int32_t TextureDimension(int32_t imageDimension) {
    int32_t size = 16;
    while (size < imageDimension && size <= INT32_MAX / 2) size *= 2;
    return size;
}

bool BuildTexture(const RgbaImage& image, int32_t x, int32_t y, int32_t width, int32_t height,
                  int32_t textureWidth, int32_t textureHeight, RgbaImage& texture) {
    if (!texture.Allocate(textureWidth, textureHeight)) return false;
    std::memset(texture.pixels, 0, texture.ByteCount());
    width = std::min(width, textureWidth);
    height = std::min(height, textureHeight);
    // Columns and rows of the rectangle that the picture covers.
    const int32_t firstColumn = std::max(0, -x), endColumn = std::min(width, image.width - x);
    const int32_t firstRow = std::max(0, -y), endRow = std::min(height, image.height - y);
    if (firstColumn >= endColumn) return true;
    const size_t rowBytes = size_t(endColumn - firstColumn) * 4;
    for (int32_t r = firstRow; r < endRow; ++r) {
        std::memcpy(texture.Pixel(firstColumn, height - 1 - r), image.Pixel(x + firstColumn, y + r), rowBytes);
    }
    return true;
}

bool BuildTexture(const RgbaImage& image, RgbaImage& texture) {
    return BuildTexture(image, 0, 0, image.width, image.height, TextureDimension(image.width),
                        TextureDimension(image.height), texture);
}

void BleedTransparentEdges(RgbaImage& texture) {
    const int32_t w = texture.width, h = texture.height;
    for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x) {
            uint8_t* texel = texture.Pixel(x, y);
            if (texel[3] != 0) continue;
            uint32_t sum[3] = {0, 0, 0};
            uint32_t count = 0;
            // Neighbours on the outer rows and columns do not count; bled texels keep alpha 0, so
            // working in place sees only the original visible texels.
            const int32_t top = std::max(y - 1, 1), bottom = std::min(y + 1, h - 2);
            const int32_t left = std::max(x - 1, 1), right = std::min(x + 1, w - 2);
            for (int32_t ny = top; ny <= bottom; ++ny) {
                for (int32_t nx = left; nx <= right; ++nx) {
                    const uint8_t* n = texture.Pixel(nx, ny);
                    if (n[3] == 0) continue;  // also skips the texel itself
                    sum[0] += n[0];
                    sum[1] += n[1];
                    sum[2] += n[2];
                    ++count;
                }
            }
            if (count == 0) continue;
            texel[0] = uint8_t(sum[0] / count);
            texel[1] = uint8_t(sum[1] / count);
            texel[2] = uint8_t(sum[2] / count);
        }
    }
}

void ConvertToNormalMap(RgbaImage& texture) {
    const int32_t w = texture.width, h = texture.height;
    if (texture.Empty()) return;
    std::vector<float> height(size_t(w) * size_t(h));
    for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x) height[size_t(y) * w + x] = texture.Pixel(x, y)[2] / 255.0f;
    }
    auto at = [&](int32_t x, int32_t y) { return height[size_t((y + h) % h) * w + size_t((x + w) % w)]; };
    for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x) {
            const float right = at(x + 1, y - 1) + 2 * at(x + 1, y) + at(x + 1, y + 1);
            const float left = at(x - 1, y - 1) + 2 * at(x - 1, y) + at(x - 1, y + 1);
            const float below = at(x - 1, y + 1) + 2 * at(x, y + 1) + at(x + 1, y + 1);
            const float above = at(x - 1, y - 1) + 2 * at(x, y - 1) + at(x + 1, y - 1);
            const float nx = -(right - left), ny = below - above;
            const float length = std::sqrt(nx * nx + ny * ny + 1.0f);
            uint8_t* texel = texture.Pixel(x, y);
            texel[0] = uint8_t((nx / length + 1.0f) * 0.5f * 255.0f);
            texel[1] = uint8_t((ny / length + 1.0f) * 0.5f * 255.0f);
            texel[2] = uint8_t((1.0f / length + 1.0f) * 0.5f * 255.0f);
        }
    }
}

namespace {

// Halves the width (or height) of `from` into `to` by averaging neighbour pairs. An odd last column
// (row) is averaged with itself.
bool HalvePairs(const RgbaImage& from, RgbaImage& to, bool horizontal) {
    const int32_t w = horizontal ? std::max(1, from.width / 2) : from.width;
    const int32_t h = horizontal ? from.height : std::max(1, from.height / 2);
    if (!to.Allocate(w, h)) return false;
    for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x) {
            const int32_t ax = horizontal ? 2 * x : x, ay = horizontal ? y : 2 * y;
            const int32_t bx = horizontal ? std::min(ax + 1, from.width - 1) : ax;
            const int32_t by = horizontal ? ay : std::min(ay + 1, from.height - 1);
            const uint8_t* a = from.Pixel(ax, ay);
            const uint8_t* b = from.Pixel(bx, by);
            uint8_t* out = to.Pixel(x, y);
            for (int c = 0; c < 4; ++c) out[c] = uint8_t((a[c] + b[c]) >> 1);
        }
    }
    return true;
}

// One mipmap step: each texel is (4·p00 + 2·p10 + 2·p01 + p11) / 9 over the block at twice its
// coordinates, with the missing terms dropped (and the divisor shrunk) where the block runs off the
// last column or row.
bool HalveLevel(const RgbaImage& from, RgbaImage& to) {
    const int32_t w = std::max(1, from.width / 2), h = std::max(1, from.height / 2);
    if (!to.Allocate(w, h)) return false;
    for (int32_t y = 0; y < h; ++y) {
        const int32_t sy = 2 * y;
        const bool hasBelow = sy + 1 < from.height;
        for (int32_t x = 0; x < w; ++x) {
            const int32_t sx = 2 * x;
            const bool hasRight = sx + 1 < from.width;
            const uint8_t* p00 = from.Pixel(sx, sy);
            uint8_t* out = to.Pixel(x, y);
            if (hasRight && hasBelow) {
                const uint8_t* p10 = from.Pixel(sx + 1, sy);
                const uint8_t* p01 = from.Pixel(sx, sy + 1);
                const uint8_t* p11 = from.Pixel(sx + 1, sy + 1);
                for (int c = 0; c < 4; ++c) out[c] = uint8_t((4 * p00[c] + 2 * p10[c] + 2 * p01[c] + p11[c]) / 9);
            } else if (hasRight) {
                const uint8_t* p10 = from.Pixel(sx + 1, sy);
                for (int c = 0; c < 4; ++c) out[c] = uint8_t((2 * p00[c] + p10[c]) / 3);
            } else if (hasBelow) {
                const uint8_t* p01 = from.Pixel(sx, sy + 1);
                for (int c = 0; c < 4; ++c) out[c] = uint8_t((2 * p00[c] + p01[c]) / 3);
            } else {
                std::memcpy(out, p00, 4);
            }
        }
    }
    return true;
}

}  // namespace

MipmapChain::MipmapChain(const RgbaImage& texture) {
    if (!current_.Allocate(texture.width, texture.height)) return;
    std::memcpy(current_.pixels, texture.pixels, texture.ByteCount());
    while (current_.width != current_.height) {
        if (!HalvePairs(current_, next_, current_.width > current_.height)) {
            current_.Clear();
            return;
        }
        std::swap(current_, next_);
    }
}

bool MipmapChain::Next() {
    if (current_.width < 2 && current_.height < 2) return false;
    if (!HalveLevel(current_, next_)) return false;
    std::swap(current_, next_);
    ++level_;
    return true;
}

}  // namespace tvk
