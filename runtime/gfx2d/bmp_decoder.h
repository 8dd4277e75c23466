// BMP pictures: Windows (40-byte) and OS/2 (12-byte) headers, 1, 4, 8, 16, 24 and 32 bits per pixel,
// uncompressed, bottom-up or top-down.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "gfx2d/image.h"

namespace tvk {

// Decodes a BMP held in memory into the image. False, image empty, when the data is no BMP (quietly)
// or a BMP this decoder does not take, or whose planes, sizes, offsets or palette do not fit the data
// (then *problem, if given, says which); never reads outside data[0..size).
bool DecodeBmp(const uint8_t* data, size_t size, int32_t colourKey, RgbaImage& image,
               std::string* problem = nullptr);

}  // namespace tvk
