// Pixel-exact overlap of two masks placed on the screen.
#pragma once

#include <cstdint>

#include "collision/alpha_mask.h"

namespace tvk {

// The rectangle (x, y, width, height) on the screen shows the mask's pixels from (offsetX,
// offsetY) on: the whole picture, or one frame of a strip. In 64 bits, so that positions and
// frame offsets near the 32-bit limits add up without wrapping.
struct PlacedMask {
    const AlphaMask* mask = nullptr;
    int64_t x = 0, y = 0, width = 0, height = 0;
    int64_t offsetX = 0, offsetY = 0;
};

// True when some screen pixel lies inside both rectangles and is opaque in both masks. A
// pixel outside a rectangle or outside its picture is transparent, so rectangles that only
// touch never overlap.
bool MasksOverlap(const PlacedMask& a, const PlacedMask& b);

}  // namespace tvk
