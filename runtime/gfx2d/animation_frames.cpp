#include "gfx2d/animation_frames.h"

#include "gfx2d/sprite_slots.h"

namespace tvk {

FrameCell FrameCellOf(const SpriteSlot& slot, int32_t frame) {
    return FrameCellAt(slot.imageWidth, slot.frameWidth, frame);
}

}  // namespace tvk
