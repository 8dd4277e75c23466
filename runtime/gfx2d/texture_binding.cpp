#include "gfx2d/texture_binding.h"

#include <GL/gl.h>

#include "gfx2d/renderer.h"
#include "gfx2d/sprite_slots.h"
#include "gl/gl_extensions.h"

namespace tvk {
namespace {

uint32_t TextureName(int32_t slot, bool mipmapped, const uint32_t* names) {
    if (names) return slot >= 0 ? names[slot] : 0;
    const SpriteSlot* s = FindSlot(slot);
    if (!s) return 0;
    return mipmapped && s->mipmappedTexture ? s->mipmappedTexture : s->plainTexture;
}

void SwitchSecondUnitOff(OpenGLDodurudo* r) {
    if (!r->secondUnitMayBeOn) return;
    gl::glActiveTextureARB(GL_TEXTURE1_ARB);
    glDisable(GL_TEXTURE_2D);
    gl::glActiveTextureARB(GL_TEXTURE0_ARB);
    r->secondUnitMayBeOn = false;
}

void BindOnCurrentUnit(uint32_t name) {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
}

}  // namespace

void BindTexture(OpenGLDodurudo* r, int32_t slot, int32_t secondSlot, bool mipmapped, const uint32_t* names) {
    r->boundSlot = slot;
    r->boundSecondSlot = secondSlot;
    r->boundMipmapped = mipmapped;
    const bool multitexture = gl::glActiveTextureARB != nullptr;
    if (slot < 0 || (!names && !FindSlot(slot))) {
        if (multitexture) {
            SwitchSecondUnitOff(r);
        } else {
            glEnable(GL_COLOR_MATERIAL);
        }
        glDisable(GL_TEXTURE_2D);
        return;
    }
    if (multitexture && secondSlot >= 0) {
        r->secondUnitMayBeOn = true;
        gl::glActiveTextureARB(GL_TEXTURE1_ARB);
        BindOnCurrentUnit(TextureName(slot, mipmapped, names));
        gl::glActiveTextureARB(GL_TEXTURE0_ARB);
        BindOnCurrentUnit(TextureName(secondSlot, mipmapped, names));
        return;
    }
    if (multitexture) SwitchSecondUnitOff(r);
    BindOnCurrentUnit(TextureName(slot, mipmapped, names));
}

void ApplySmoothingFilter(const OpenGLDodurudo* r) {
    GLint filter = r->smoothing ? GL_LINEAR : GL_NEAREST;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
}

}  // namespace tvk
