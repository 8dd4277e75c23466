// Pixel-exact overlap tests between sprites and animation frames.
#include <GL/gl.h>

#include <algorithm>
#include <cstring>

#include "gfx2d/coordinate_clamp.h"
#include "gfx2d/renderer.h"
#include "gfx2d/sprite_slots.h"
#include "tarnvik/gfx2d.h"
#include "gl/gl_state.h"
#include "gl/quad_batch.h"

namespace tvk {
namespace {

// One sprite placed on the screen: its rectangle and where that rectangle starts in the image.
struct Placed {
    const SpriteSlot* slot;
    const uint8_t* mask;
    int32_t x, y, w, h;
    int32_t ox, oy;
};

// The slot's alpha channel, one byte per texel, read back once and kept until the slot is reset.
const uint8_t* AlphaMask(SpriteSlot& s) {
    if (s.alphaMask) return s.alphaMask.get();
    if (!s.Loaded() || !s.plainTexture || !g_renderer || !g_renderer->window) return nullptr;
    size_t bytes = std::max<size_t>(64, static_cast<size_t>(s.textureWidth) * static_cast<size_t>(s.textureHeight));
    s.alphaMask.reset(new uint8_t[bytes]);
    std::memset(s.alphaMask.get(), 0, bytes);
    gl::FinishQuads();  // an off-screen screen's sprite holds what was drawn into it
    gl::BindTextureName(0, s.plainTexture);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_ALPHA, GL_UNSIGNED_BYTE, s.alphaMask.get());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    return s.alphaMask.get();
}

bool Place(RtInt slot, RtInt frame, bool asFrame, RtInt x, RtInt y, Placed& out) {
    SpriteSlot* s = FindSlot(slot);
    if (!s || !s->Loaded()) return false;
    out.slot = s;
    out.mask = AlphaMask(*s);
    if (!out.mask) return false;
    out.x = x;
    out.y = y;
    out.ox = out.oy = 0;
    if (asFrame && s->frameWidth != 0) {
        // In 64 bits: the frame size times a frame number near the limit must not wrap, nor
        // the lowest frame number divided by a row of -1 frames.
        int64_t perRow = s->imageWidth / s->frameWidth;
        if (perRow == 0) perRow = 1;
        out.w = s->frameWidth;
        out.h = s->frameHeight;
        out.ox = static_cast<int32_t>(ClampedCoordinate(s->frameWidth * (frame % perRow)));
        out.oy = static_cast<int32_t>(ClampedCoordinate(s->frameHeight * (frame / perRow)));
    } else {
        out.w = s->imageWidth;
        out.h = s->imageHeight;
    }
    return true;
}

// Texels outside the texture count as transparent, so a frame number past the sheet or an
// edge-to-edge touch never reads outside the mask.
bool Opaque(const Placed& p, int32_t sx, int32_t sy) {
    int64_t column = int64_t{sx} - p.x + p.ox;
    int64_t row = int64_t{p.slot->imageHeight} - 1 - (int64_t{sy} - p.y + p.oy);
    if (column < 0 || row < 0 || column >= p.slot->textureWidth || row >= p.slot->textureHeight) return false;
    return p.mask[row * p.slot->textureWidth + column] != 0;
}

RtInt Collide(const Placed& a, const Placed& b) {
    int32_t left = std::max(a.x, b.x), right = std::min(a.x + a.w, b.x + b.w);
    int32_t top = std::max(a.y, b.y), bottom = std::min(a.y + a.h, b.y + b.h);
    if (right < left || bottom < top) return 0;
    auto both = [&](int32_t x, int32_t y) { return Opaque(a, x, y) && Opaque(b, x, y); };
    if (both(left + (right - left) / 2, top + (bottom - top) / 2)) return 1;
    // Every second row and column first, so that large overlaps are found after few tests.
    for (int32_t oy = 0; oy < 2; ++oy)
        for (int32_t ox = 0; ox < 2; ++ox)
            for (int32_t y = top + oy; y < bottom; y += 2)
                for (int32_t x = left + ox; x < right; x += 2)
                    if (both(x, y)) return 1;
    return 0;
}

}  // namespace
}  // namespace tvk

RtInt SpriteCollision(RtInt slotA, RtInt xA, RtInt yA, RtInt slotB, RtInt xB, RtInt yB) {
    tvk::Placed a{}, b{};
    if (!tvk::Place(slotA, 0, false, xA, yA, a) || !tvk::Place(slotB, 0, false, xB, yB, b)) return 0;
    return tvk::Collide(a, b);
}

RtInt AnimCollision(RtInt slotA, RtInt frameA, RtInt xA, RtInt yA, RtInt slotB, RtInt frameB, RtInt xB, RtInt yB) {
    tvk::Placed a{}, b{};
    if (!tvk::Place(slotA, frameA, true, xA, yA, a) || !tvk::Place(slotB, frameB, true, xB, yB, b)) return 0;
    return tvk::Collide(a, b);
}
