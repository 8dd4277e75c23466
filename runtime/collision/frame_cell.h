// Where frame k of an animation strip sits in its picture: the one rule that drawing and the
// collision tests share.
#pragma once

#include <cstdint>

namespace tvk {

struct FrameCell {
    int32_t column = 0;
    int32_t row = 0;
};

// Frames run left to right, then top to bottom; a sheet narrower than one frame (or without a
// frame width) holds a single row, so the frame number is its column.
FrameCell FrameCellAt(int32_t imageWidth, int32_t frameWidth, int32_t frame);

}  // namespace tvk
