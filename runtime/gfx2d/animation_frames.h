// Where frame k of an animation strip sits in its sprite.
#pragma once

#include <cstdint>

namespace tvk {

struct SpriteSlot;

struct FrameCell {
    int32_t column = 0;
    int32_t row = 0;
};

// Frames run left to right, then top to bottom; a sheet narrower than one frame holds a
// single row, so the frame number is its column.
FrameCell FrameCellOf(const SpriteSlot& slot, int32_t frame);

}  // namespace tvk
