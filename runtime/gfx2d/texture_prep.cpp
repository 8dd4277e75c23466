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
    if (w < 3 || h < 3) return;  // no texel lies off the outer rows and columns
    // visible[x]: how many of the (up to three) source rows around the current row have a visible texel in
    // column x. Border columns stay 0, as do rows off the outer ones. A transparent texel with no visible
    // texel in the three columns around it is skipped without looking further.
    std::vector<uint8_t> visible(size_t(w), 0);
    for (int32_t y = 0; y < h; ++y) {
        uint8_t* row = texture.Row(y);
        bool transparent = false;
        for (int32_t x = 0; x < w && !transparent; ++x) transparent = row[size_t(x) * 4 + 3] == 0;
        if (!transparent) continue;
        const int32_t top = std::max(y - 1, 1), bottom = std::min(y + 1, h - 2);
        std::fill(visible.begin(), visible.end(), 0);
        bool any = false;
        for (int32_t ny = top; ny <= bottom; ++ny) {
            const uint8_t* source = texture.Row(ny);
            for (int32_t x = 1; x < w - 1; ++x) {
                if (source[size_t(x) * 4 + 3] != 0) {
                    ++visible[size_t(x)];
                    any = true;
                }
            }
        }
        if (!any) continue;
        for (int32_t x = 0; x < w; ++x) {
            uint8_t* texel = row + size_t(x) * 4;
            if (texel[3] != 0) continue;
            const int32_t left = std::max(x - 1, 1), right = std::min(x + 1, w - 2);
            if (left > right || visible[size_t(left)] + visible[size_t(x)] + visible[size_t(right)] == 0) continue;
            uint32_t sum[3] = {0, 0, 0};
            uint32_t count = 0;
            // Bled texels keep alpha 0, so working in place sees only the original visible texels.
            for (int32_t ny = top; ny <= bottom; ++ny) {
                const uint8_t* n = texture.Pixel(left, ny);
                for (int32_t nx = left; nx <= right; ++nx, n += 4) {
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
    for (size_t i = 0; i < height.size(); ++i) height[i] = texture.pixels[i * 4 + 2] / 255.0f;
    for (int32_t y = 0; y < h; ++y) {
        // Rows above and below, wrapping round at the edges.
        const float* above = &height[size_t((y + h - 1) % h) * w];
        const float* here = &height[size_t(y) * w];
        const float* below = &height[size_t((y + 1) % h) * w];
        uint8_t* texel = texture.Row(y);
        for (int32_t x = 0; x < w; ++x, texel += 4) {
            const int32_t l = x == 0 ? w - 1 : x - 1, r = x == w - 1 ? 0 : x + 1;
            const float right = above[r] + 2 * here[r] + below[r];
            const float left = above[l] + 2 * here[l] + below[l];
            const float down = below[l] + 2 * below[x] + below[r];
            const float up = above[l] + 2 * above[x] + above[r];
            const float nx = -(right - left), ny = down - up;
            const float inverseLength = 1.0f / std::sqrt(nx * nx + ny * ny + 1.0f);
            texel[0] = uint8_t((nx * inverseLength + 1.0f) * 0.5f * 255.0f);
            texel[1] = uint8_t((ny * inverseLength + 1.0f) * 0.5f * 255.0f);
            texel[2] = uint8_t((inverseLength + 1.0f) * 0.5f * 255.0f);
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
        const bool hasBelow = 2 * y + 1 < from.height;
        const uint8_t* row0 = from.Row(2 * y);
        const uint8_t* row1 = hasBelow ? from.Row(2 * y + 1) : nullptr;
        uint8_t* out = to.Row(y);
        for (int32_t x = 0; x < w; ++x, out += 4) {
            const bool hasRight = 2 * x + 1 < from.width;
            const uint8_t* p00 = row0 + size_t(x) * 8;
            const uint8_t* p10 = p00 + 4;
            const uint8_t* p01 = hasBelow ? row1 + size_t(x) * 8 : nullptr;
            const uint8_t* p11 = hasBelow ? p01 + 4 : nullptr;
            for (int c = 0; c < 4; ++c) {
                if (hasRight && hasBelow) {
                    out[c] = uint8_t((4 * p00[c] + 2 * p10[c] + 2 * p01[c] + p11[c]) / 9);
                } else if (hasRight) {
                    out[c] = uint8_t((2 * p00[c] + p10[c]) / 3);
                } else if (hasBelow) {
                    out[c] = uint8_t((2 * p00[c] + p01[c]) / 3);
                } else {
                    out[c] = p00[c];
                }
            }
        }
    }
    return true;
}

}  // namespace

MipmapChain::MipmapChain(const RgbaImage& texture) : image_(&texture) {
    while (image_->width != image_->height) {
        if (!HalvePairs(*image_, next_, image_->width > image_->height)) {
            current_.Clear();
            image_ = &current_;
            return;
        }
        std::swap(current_, next_);
        image_ = &current_;
    }
}

bool MipmapChain::Next() {
    if (image_->width < 2 && image_->height < 2) return false;
    if (!HalveLevel(*image_, next_)) return false;
    std::swap(current_, next_);
    image_ = &current_;
    ++level_;
    return true;
}

}  // namespace tvk
