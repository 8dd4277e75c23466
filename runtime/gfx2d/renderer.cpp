#include "gfx2d/renderer.h"

#include <GL/gl.h>

#include <initializer_list>

#include "gfx2d/frame_assets.h"
#include "gfx2d/offscreen.h"
#include "gfx2d/sprite_slots.h"
#include "gfx2d/texture_binding.h"
#include "gl/gl_state.h"
#include "gl/quad_batch.h"
#include "platform/window.h"

namespace tvk {

OpenGLDodurudo* g_renderer = nullptr;

OpenGLDodurudo::~OpenGLDodurudo() {
    FinishOffscreenTarget(this);
    DestroyDisplay(this);
    ReleaseOffscreenScreens();
}

int DestroyDisplay(OpenGLDodurudo* r) {
    gl::FinishQuads();
    ResetAllSlots();
    if (r->displayCreated) DeleteBackgroundTextures();
    if (r->fullscreenActive) platform::LeaveFullscreenMode(r->window);
    r->fullscreenActive = false;
    platform::DestroyGlWindow(r->window);
    r->window = nullptr;
    r->width = r->height = 0;
    return 0;
}

void SetViewport(OpenGLDodurudo* r, int32_t x, int32_t y, int32_t w, int32_t h) {
    if (!r || !r->window) return;
    if (w <= 0 || h <= 0) {
        w = r->width;
        h = r->height;
    }
    r->viewX = x;
    r->viewY = y;
    r->viewW = w;
    r->viewH = h;
    gl::FinishQuads();
    glViewport(x, r->height - h - y, w, h);  // GL counts rows from the bottom
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, w, h, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    for (GLenum cap : {GL_DEPTH_TEST, GL_CULL_FACE, GL_FOG, GL_POINT_SMOOTH, GL_LINE_SMOOTH, GL_POLYGON_SMOOTH,
                       GL_STENCIL_TEST, GL_NORMALIZE, GL_LIGHTING, GL_COLOR_MATERIAL, GL_DITHER,
                       GL_POLYGON_OFFSET_POINT, GL_AUTO_NORMAL})
        glDisable(cap);
    glFrontFace(GL_CCW);
    glShadeModel(GL_FLAT);
    gl::SetAlphaTest(true);
    gl::SetAlphaFunction(GL_GREATER, 0.05f);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_FASTEST);
    glHint(GL_POLYGON_SMOOTH_HINT, GL_FASTEST);

    r->smoothing = true;
    BindTexture(r, -1, -1, false);
    gl::SetBlending(false);
    gl::SetAlphaTest(true);
    r->currentAlpha = 1.0f;
    gl::SetColour(1, 1, 1, 1);
}

void ResetFrameState(OpenGLDodurudo* r) {
    if (!r || !r->window) return;
    gl::SetBlending(false);
    gl::SetAlphaTest(true);
    r->currentAlpha = 1.0f;
    gl::SetColour(1, 1, 1, 1);
}

uint8_t DrawAlpha(const OpenGLDodurudo* r, int32_t colour) {
    if (colour == r->transparentColour) return 0;
    return static_cast<uint8_t>(r->currentAlpha * 255.0f);
}

}  // namespace tvk
