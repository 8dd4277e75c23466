// PNG pictures through libpng: 8-bit grey, RGB and RGB with alpha.
#pragma once

#include <cstddef>
#include <cstdint>

#include "gfx2d/image.h"

namespace tvk {

// Decodes a PNG held in memory. Data without the PNG signature fails quietly. A PNG of another colour type
// or bit depth fails with a note on standard output naming `name`. The colour key applies to RGB pictures
// only; grey ones stay opaque and RGB-with-alpha ones are copied as they are.
bool DecodePng(const uint8_t* data, size_t size, const char* name, int32_t colourKey, RgbaImage& image);

}  // namespace tvk
