// Exchanging pictures with the program's integer arrays: one element per pixel,
// red + green·256 + blue·65536 + alpha·16777216, rows from the top.
#pragma once

#include <cstdint>

#include "gfx2d/image.h"
#include "tarnvik/arrays.h"

namespace tvk {

// The pixel integer of an RGBA texel, and back.
inline RtInt PackPixel(const uint8_t* p) {
    return static_cast<RtInt>(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24);
}
inline void UnpackPixel(RtInt value, uint8_t* p) {
    uint32_t v = static_cast<uint32_t>(value);
    p[0] = v & 255;
    p[1] = (v >> 8) & 255;
    p[2] = (v >> 16) & 255;
    p[3] = v >> 24;
}

// The array becomes one-dimensional with the image's width × height pixel integers.
void ImageToArray(const RgbaImage& image, RtIntArray& array);
// The image becomes width × height from the array's first elements; false when the array holds
// a different number of elements or the size is not a picture's.
bool ArrayToImage(const RtIntArray& array, int32_t width, int32_t height, RgbaImage& image);

// The sprite's picture as its plain texture holds it (transparent pixels carry the colours edge
// bleeding gave them). False for an empty slot, one outside the table, or a failed read.
bool ReadSpriteImage(int32_t slot, RgbaImage& image);

}  // namespace tvk
