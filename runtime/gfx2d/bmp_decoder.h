// BMP pictures: Windows (40-byte) and OS/2 (12-byte) headers, 1, 4, 8, 16, 24 and 32 bits per pixel,
// uncompressed, bottom-up or top-down.
#pragma once

#include <cstddef>
#include <cstdint>

#include "gfx2d/image.h"

namespace tvk {

// Decodes a BMP held in memory into the image. Fails quietly (false, image empty) when the data is no
// BMP this decoder takes, or when its sizes, offsets or palette do not fit the data; never reads
// outside data[0..size).
bool DecodeBmp(const uint8_t* data, size_t size, int32_t colourKey, RgbaImage& image);

}  // namespace tvk
