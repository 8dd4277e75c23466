// Putting decoded pictures into sprite slots as GL textures.
#pragma once

#include <cstdint>

#include "gfx2d/image.h"

namespace tvk {

// A new texture name, bound, wrapping in both directions, with the given GL filters.
uint32_t NewRepeatingTexture(int32_t magnification, int32_t minification);

// Resets the slot, then uploads the image: a plain texture, and below the font slots a
// mipmapped twin. False (slot left empty) for an empty image or a slot outside the table.
bool UploadImageToSlot(int32_t slot, const RgbaImage& image, bool normalMap);

// Uploads the width × height rectangle at (x, y) of the image into a new plain texture
// (and a mipmapped twin when asked); the sizes are first limited to the GL maximum.
bool UploadSubImage(const RgbaImage& image, int32_t x, int32_t y, int32_t width, int32_t height,
                    uint32_t& plainName, uint32_t* mipmappedName, bool normalMap);

// Resolves a program's file name and decodes it; false when it cannot be found or read.
bool DecodeProgramFile(const char* name, int32_t colourKey, RgbaImage& image, bool fontFormatsOnly = false);

}  // namespace tvk
