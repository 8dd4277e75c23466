// PNG pictures through libpng: every colour type and bit depth, widened to 8-bit RGBA.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "gfx2d/image.h"

namespace tvk {

// Decodes a PNG held in memory. Data without the PNG signature fails quietly. A PNG that libpng
// cannot read, or one too large, fails with *problem (if given) saying why. Palettes, grey and 16-bit
// samples are widened; a transparency chunk becomes alpha. The colour key applies to colour pictures
// without an alpha channel (RGB and palette); grey ones stay opaque and those with alpha keep it.
bool DecodePng(const uint8_t* data, size_t size, const char* name, int32_t colourKey, RgbaImage& image,
               std::string* problem = nullptr);

}  // namespace tvk
