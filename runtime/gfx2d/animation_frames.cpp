#include "gfx2d/animation_frames.h"

#include "gfx2d/sprite_slots.h"

namespace tvk {

FrameCell FrameCellOf(const SpriteSlot& slot, int32_t frame) {
    int32_t perRow = slot.frameWidth > 0 ? slot.imageWidth / slot.frameWidth : 0;
    if (perRow > 0) return {frame % perRow, frame / perRow};
    return {frame, 0};
}

}  // namespace tvk
