// Pixel-exact overlap tests between sprites and animation frames, on the slots' masks.
#include "collision/mask_overlap.h"
#include "gfx2d/animation_frames.h"
#include "gfx2d/image.h"
#include "gfx2d/sprite_arrays.h"
#include "gfx2d/sprite_slots.h"
#include "tarnvik/gfx2d.h"

namespace tvk {
namespace {

// Pictures bring their mask from upload. A slot whose pixels the GPU drew (an off-screen
// screen, a grab) has none until it is read back here, once, while the GL context lives.
const AlphaMask* MaskOf(int32_t slot, SpriteSlot& s) {
    if (!s.alphaMask) {
        RgbaImage picture;
        if (ReadSpriteImage(slot, picture))
            s.alphaMask = AlphaMask::FromRgba(picture.pixels, picture.width, picture.height);
    }
    return s.alphaMask.get();
}

// The frame of an animation strip is found by the same rule drawing uses; a slot without a
// frame width collides with its whole picture.
bool Place(RtInt slot, RtInt frame, bool asFrame, RtInt x, RtInt y, PlacedMask& out) {
    SpriteSlot* s = FindSlot(slot);
    if (!s || !s->Loaded()) return false;
    out.mask = MaskOf(slot, *s);
    if (!out.mask) return false;
    out.x = x;
    out.y = y;
    if (asFrame && s->frameWidth != 0) {
        const FrameCell cell = FrameCellOf(*s, frame);
        out.width = s->frameWidth;
        out.height = s->frameHeight;
        out.offsetX = int64_t{s->frameWidth} * cell.column;
        out.offsetY = int64_t{s->frameHeight} * cell.row;
    } else {
        out.width = s->imageWidth;
        out.height = s->imageHeight;
    }
    return true;
}

}  // namespace
}  // namespace tvk

RtInt SpriteCollision(RtInt slotA, RtInt xA, RtInt yA, RtInt slotB, RtInt xB, RtInt yB) {
    tvk::PlacedMask a, b;
    if (!tvk::Place(slotA, 0, false, xA, yA, a) || !tvk::Place(slotB, 0, false, xB, yB, b)) return 0;
    return tvk::MasksOverlap(a, b) ? 1 : 0;
}

RtInt AnimCollision(RtInt slotA, RtInt frameA, RtInt xA, RtInt yA, RtInt slotB, RtInt frameB, RtInt xB, RtInt yB) {
    tvk::PlacedMask a, b;
    if (!tvk::Place(slotA, frameA, true, xA, yA, a) || !tvk::Place(slotB, frameB, true, xB, yB, b)) return 0;
    return tvk::MasksOverlap(a, b) ? 1 : 0;
}
