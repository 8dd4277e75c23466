// Background images: pictures too large for one texture, cut into a grid of tiles and drawn
// as a whole. Background 0 is drawn behind every frame; 1 and 2 serve the cross-fade; 3 the
// text-input routine.
#pragma once

#include <cstdint>

#include "gfx2d/image.h"

namespace tvk {

constexpr int32_t kBackgroundCount = 8;
constexpr int32_t kMaxBackgroundTiles = 8;  // per side
constexpr int32_t kMaxBackgroundTileSize = 512;

// Tiles are indexed [column][row].
struct BackgroundImage {
    uint32_t tiles[kMaxBackgroundTiles][kMaxBackgroundTiles];
    int32_t textureWidth[kMaxBackgroundTiles][kMaxBackgroundTiles];
    int32_t textureHeight[kMaxBackgroundTiles][kMaxBackgroundTiles];
    int32_t usedWidth[kMaxBackgroundTiles][kMaxBackgroundTiles];  // picture pixels in the tile
    int32_t usedHeight[kMaxBackgroundTiles][kMaxBackgroundTiles];
    int32_t columns;
    int32_t rows;
};

// The record for a background number, or null outside 0..7.
const BackgroundImage* FindBackground(int32_t index);
// The same record for code that fills in its tiles itself (the screen grab).
BackgroundImage* FindBackgroundForUpdate(int32_t index);

// Replaces the background's tiles with the picture (only the first 8 × 8 tiles of a very large
// one). False, with the background empty, when it cannot be uploaded.
bool SetBackgroundImage(int32_t index, const RgbaImage& image);
// Decodes a program's file (no colour key) into the background. False when it cannot be read.
bool LoadBackgroundFile(int32_t index, const char* name);

// DrawBackgroundImage, FreeBackgroundImage and DeleteBackgroundTextures (frame_assets.h) draw and
// free these records.

}  // namespace tvk
