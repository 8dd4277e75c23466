// The stencil shadow pass: volumes drawn while it is active invert the stencil; ending it
// darkens every pixel whose stencil value is not 0 by half.
#include <GL/gl.h>

#include "gfx2d/renderer.h"
#include "gfx3d/scene.h"
#include "gl/quad_batch.h"
#include "gl/gl_state.h"

namespace tvk {
namespace {

constexpr float kShadowDarkening = 0.5f;

// Darkens the stencilled pixels of the viewport without disturbing the program's own state.
void DarkenStencilledPixels(const OpenGLDodurudo* r) {
    gl::FinishQuads();
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_CURRENT_BIT | GL_DEPTH_BUFFER_BIT | GL_TEXTURE_BIT);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, r->viewW > 0 ? r->viewW : r->width, r->viewH > 0 ? r->viewH : r->height, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();

    for (GLenum cap : {GL_DEPTH_TEST, GL_CULL_FACE, GL_FOG, GL_LIGHTING, GL_TEXTURE_2D, GL_ALPHA_TEST,
                       GL_COLOR_MATERIAL})
        glDisable(cap);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_STENCIL_TEST);
    glStencilFunc(GL_NOTEQUAL, 0, ~0u);
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
    glColor4f(0, 0, 0, kShadowDarkening);
    glBegin(GL_TRIANGLE_FAN);
    glVertex2f(0, 0);
    glVertex2f(3000, 0);
    glVertex2f(3000, 2000);
    glVertex2f(0, 2000);
    glEnd();

    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopAttrib();
    gl::ForgetState();  // the restored state is not what the layer last set
}

}  // namespace

void Dodurudo3D::BeginShadowPass() {
    gl::FinishQuads();
    shadowPassActive_ = true;
    glShadeModel(GL_FLAT);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glClear(GL_STENCIL_BUFFER_BIT);  // a fresh count, whatever earlier drawing left behind
    glEnable(GL_STENCIL_TEST);
    glDepthMask(GL_FALSE);
    glStencilFunc(GL_ALWAYS, 0, 0);
    glStencilOp(GL_KEEP, GL_KEEP, GL_INVERT);
}

void Dodurudo3D::EndShadowPass() {
    gl::FinishQuads();
    if (!shadowPassActive_) return;
    shadowPassActive_ = false;
    glCullFace(GL_BACK);
    glDepthMask(GL_TRUE);
    glDepthFunc(GL_LEQUAL);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    DarkenStencilledPixels(renderer_);
    glShadeModel(GL_SMOOTH);
    glDepthFunc(GL_LESS);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_STENCIL_TEST);
    glClear(GL_STENCIL_BUFFER_BIT);
    ApplyCullMode();
}

}  // namespace tvk
