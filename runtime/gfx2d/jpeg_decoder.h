// JPEG pictures through libjpeg: 8-bit samples, grey or colour; always opaque, no colour key.
#pragma once

#include <cstddef>
#include <cstdint>

#include "gfx2d/image.h"

namespace tvk {

// Decodes a JPEG held in memory. Data that does not start like a JPEG, and pictures libjpeg cannot
// decode to one or three 8-bit components, fail quietly.
bool DecodeJpeg(const uint8_t* data, size_t size, RgbaImage& image);

}  // namespace tvk
