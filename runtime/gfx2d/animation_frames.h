// Where frame k of an animation strip sits in its sprite.
#pragma once

#include <cstdint>

#include "collision/frame_cell.h"

namespace tvk {

struct SpriteSlot;

// The shared frame rule applied to the slot's picture and frame width.
FrameCell FrameCellOf(const SpriteSlot& slot, int32_t frame);

}  // namespace tvk
