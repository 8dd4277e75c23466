// Writing pictures to BMP, PNG and JPEG files, chosen by the end of the file name.
#pragma once

#include <cstdint>
#include <vector>

#include "gfx2d/image.h"

namespace tvk {

enum class ImageFileFormat { Bmp, Png, Jpeg };

// ".png" in any case gives PNG; a name ending in "jpg" in any case (with or without the dot) gives
// JPEG; everything else, ".jpeg" included, gives BMP.
ImageFileFormat ImageFormatForName(const char* path);

// Encoders: the whole file in memory. False (and `out` empty) for an empty image or when the library
// refuses.
// BMP: 24 bits, bottom-up, rows padded to 4 bytes; pixels that are not fully opaque are written
// as blue 255, green 0, red 128.
bool EncodeBmp(const RgbaImage& image, std::vector<uint8_t>& out);
// PNG: 8-bit RGB with alpha, not interlaced.
bool EncodePng(const RgbaImage& image, std::vector<uint8_t>& out);
// JPEG: RGB at quality 80, baseline; alpha is dropped.
bool EncodeJpeg(const RgbaImage& image, std::vector<uint8_t>& out);

// Writes the picture (rows from the top) to a program's file name, replacing an old file. A PNG may
// go to a mem:// name of a registered region that is large enough; other formats never go to memory.
// False when nothing was written.
bool WriteImageFile(const char* path, const RgbaImage& image);

}  // namespace tvk
