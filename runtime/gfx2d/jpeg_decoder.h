// JPEG pictures through libjpeg: 8-bit samples, grey or colour; always opaque, no colour key.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "gfx2d/image.h"

namespace tvk {

// Decodes a JPEG held in memory. Data that does not start like a JPEG fails quietly. Pictures libjpeg
// cannot decode to one or three 8-bit components, and pictures cut short or damaged so that rows
// are missing or wrong, fail with *problem (if given) saying why. A picture whose rows are all there
// loads even when its end marker is missing.
bool DecodeJpeg(const uint8_t* data, size_t size, RgbaImage& image, std::string* problem = nullptr);

}  // namespace tvk
