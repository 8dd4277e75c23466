// Turning a decoded picture into the texel buffers a texture upload hands to OpenGL. No GL here: the
// upload code calls these and passes their buffers to glTexImage2D as RGBA unsigned bytes.
//
// A texture buffer is an RgbaImage whose rows run bottom-up, as GL stores them: row 0 is the bottom.
#pragma once

#include <cstdint>

#include "gfx2d/image.h"

namespace tvk {

// The smallest power of two that holds `imageDimension`, never below 16.
int32_t TextureDimension(int32_t imageDimension);

// Fills `texture` with textureWidth × textureHeight transparent black texels and lays the width × height
// rectangle at (x, y) of the picture into its lower-left corner, flipped: the rectangle's top row lands
// on texture row height − 1, its bottom row on row 0. Parts of the rectangle outside the picture or the
// texture are left transparent black. False when the buffer cannot be allocated.
bool BuildTexture(const RgbaImage& image, int32_t x, int32_t y, int32_t width, int32_t height,
                  int32_t textureWidth, int32_t textureHeight, RgbaImage& texture);
// The whole picture in a texture of TextureDimension of each of its sizes.
bool BuildTexture(const RgbaImage& image, RgbaImage& texture);

// Gives every transparent texel next to visible ones the mean colour of those neighbours (alpha stays 0),
// so that bilinear filtering does not pull black into the edges of a sprite. Only neighbours off the
// texture's outer rows and columns count.
void BleedTransparentEdges(RgbaImage& texture);

// Treats blue as a height field (wrapping at the edges) and replaces red, green and blue by the surface
// normal from Sobel sums, each component mapped from −1..1 to 0..255. Alpha is kept.
void ConvertToNormalMap(RgbaImage& texture);

// The levels of the mipmapped twin of a texture, one at a time, largest first:
//   for (MipmapChain chain(texture);; ) { upload(chain.Level(), chain.Image()); if (!chain.Next()) break; }
// Image() is empty when the texture is, or when memory runs out.
class MipmapChain {
public:
    // Level 0: the texture itself when square (it must then outlive level 0), else a copy narrowed or
    // shortened by averaging neighbour pairs until square.
    explicit MipmapChain(const RgbaImage& texture);
    MipmapChain(const MipmapChain&) = delete;
    MipmapChain& operator=(const MipmapChain&) = delete;
    int32_t Level() const { return level_; }
    const RgbaImage& Image() const { return *image_; }
    // Moves to the next level, each texel a weighted mean of a 2 × 2 block; false (and no change) once
    // the current level is 1 × 1, or when memory runs out.
    bool Next();

private:
    const RgbaImage* image_;  // the texture, or current_
    RgbaImage current_;
    RgbaImage next_;
    int32_t level_ = 0;
};

}  // namespace tvk
