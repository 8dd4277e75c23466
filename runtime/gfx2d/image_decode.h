// Decoding a picture of any supported format, from memory or from a file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "gfx2d/image.h"

namespace tvk {

enum class ImageFormats {
    All,        // BMP, PNG, JPEG: sprites, backgrounds, arrays
    BmpAndPng,  // font pictures
};

// Tries BMP, then PNG, then JPEG (per `formats`); the first decoder that takes the data wins. `name`
// only labels the PNG notes. False, with the image empty, when none takes it; *problem (if given) then
// says why, e.g. "unsupported BMP compression 1" or "not a BMP, PNG or JPEG picture".
bool DecodeImage(const uint8_t* data, size_t size, const char* name, int32_t colourKey, RgbaImage& image,
                 ImageFormats formats = ImageFormats::All, std::string* problem = nullptr);

// Reads the whole file, then decodes it as above. False when the file cannot be read (a missing file, a
// directory: quietly, the caller's error code says it) or no decoder takes it; then what is wrong with
// the picture is said to the user (ReportToUser), naming shownName or else the path.
bool DecodeImageFile(const char* path, int32_t colourKey, RgbaImage& image,
                     ImageFormats formats = ImageFormats::All, const char* shownName = nullptr);

}  // namespace tvk
