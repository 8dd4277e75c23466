// Decoding a picture of any supported format, from memory or from a file.
#pragma once

#include <cstddef>
#include <cstdint>

#include "gfx2d/image.h"

namespace tvk {

enum class ImageFormats {
    All,        // BMP, PNG, JPEG: sprites, backgrounds, arrays
    BmpAndPng,  // font pictures
};

// Tries BMP, then PNG, then JPEG (per `formats`); the first decoder that takes the data wins. `name`
// only labels the PNG notes. False, with the image empty, when none takes it.
bool DecodeImage(const uint8_t* data, size_t size, const char* name, int32_t colourKey, RgbaImage& image,
                 ImageFormats formats = ImageFormats::All);

// Reads the whole file, then decodes it as above. False when the file cannot be read (a missing file, a
// directory) or no decoder takes it.
bool DecodeImageFile(const char* path, int32_t colourKey, RgbaImage& image,
                     ImageFormats formats = ImageFormats::All);

}  // namespace tvk
