#include "gfx2d/sprite_slots.h"

#include <GL/gl.h>

#include "gfx2d/renderer.h"
#include "gl/gl_state.h"

namespace tvk {
namespace {

SpriteSlot* Table() {
    static std::unique_ptr<SpriteSlot[]> table(new SpriteSlot[kSpriteSlotCount]);
    return table.get();
}

bool ContextLive() { return g_renderer && g_renderer->window; }

}  // namespace

SpriteSlot* FindSlot(int32_t slot) {
    if (slot < 0 || slot >= kSpriteSlotCount) return nullptr;
    return &Table()[slot];
}

void ResetSlot(int32_t slot) {
    SpriteSlot* s = FindSlot(slot);
    if (!s) return;
    if (ContextLive()) {
        gl::DeleteTexture(s->plainTexture);
        gl::DeleteTexture(s->mipmappedTexture);
    }
    *s = SpriteSlot{};
}

void ResetAllSlots() {
    for (int32_t i = 0; i < kSpriteSlotCount; ++i) {
        const SpriteSlot& s = Table()[i];
        if (s.plainTexture || s.mipmappedTexture || s.imageWidth || s.alphaMask) ResetSlot(i);
    }
}

}  // namespace tvk
