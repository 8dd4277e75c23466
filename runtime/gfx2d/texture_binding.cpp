#include "gfx2d/texture_binding.h"

#include <GL/gl.h>

#include "gfx2d/renderer.h"
#include "gfx2d/sprite_slots.h"
#include "gl/gl_extensions.h"
#include "gl/gl_state.h"
#include "gl/quad_batch.h"

namespace tvk {
namespace {

uint32_t TextureName(int32_t slot, bool mipmapped, const uint32_t* names) {
    if (names) return slot >= 0 ? names[slot] : 0;
    const SpriteSlot* s = FindSlot(slot);
    if (!s) return 0;
    return mipmapped && s->mipmappedTexture ? s->mipmappedTexture : s->plainTexture;
}

void BindOnUnit(int unit, uint32_t name) {
    gl::SetTexturing(unit, true);
    gl::BindTextureName(unit, name);
}

}  // namespace

// Unit 0's wrap mode is set by each draw, since sprites want it repeating and quads clamped;
// the second unit's texture always repeats.
void BindTexture(OpenGLDodurudo* r, int32_t slot, int32_t secondSlot, bool mipmapped, const uint32_t* names) {
    r->boundSlot = slot;
    r->boundSecondSlot = secondSlot;
    r->boundMipmapped = mipmapped;
    const bool multitexture = gl::glActiveTextureARB != nullptr;
    if (slot < 0 || (!names && !FindSlot(slot))) {
        if (multitexture) {
            gl::SetTexturing(1, false);
        } else {
            gl::FinishQuads();
            glEnable(GL_COLOR_MATERIAL);
        }
        gl::SetTexturing(0, false);
        return;
    }
    if (multitexture && secondSlot >= 0) {
        BindOnUnit(1, TextureName(slot, mipmapped, names));
        gl::SetTextureWrap(1, GL_REPEAT);
        BindOnUnit(0, TextureName(secondSlot, mipmapped, names));
        return;
    }
    gl::SetTexturing(1, false);
    BindOnUnit(0, TextureName(slot, mipmapped, names));
}

void ApplySmoothingFilter(const OpenGLDodurudo* r) {
    GLint filter = r->smoothing ? GL_LINEAR : GL_NEAREST;
    gl::SetTextureFilter(0, filter, filter);
}

}  // namespace tvk
