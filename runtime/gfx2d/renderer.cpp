#include "gfx2d/renderer.h"

#include <GL/gl.h>

#include "core/display.h"
#include "gfx2d/offscreen.h"

namespace tvk {

OpenGLDodurudo* g_renderer = nullptr;

OpenGLDodurudo::~OpenGLDodurudo() {
    FinishOffscreenTarget(this);
    DestroyDisplay(this);
    ReleaseOffscreenScreens();
}

void SetViewport(OpenGLDodurudo* r, int32_t x, int32_t y, int32_t w, int32_t h) {
    if (!r || !r->window) return;
    if (w == 0 || h == 0) {
        x = y = 0;
        w = r->width;
        h = r->height;
    }
    r->viewX = x;
    r->viewY = y;
    r->viewW = w;
    r->viewH = h;
    // GL counts rows from the bottom.
    glViewport(x, r->height - (y + h), w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, w, h, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_LIGHTING);
}

void ResetFrameState(OpenGLDodurudo* r) {
    if (!r || !r->window) return;
    glEnable(GL_BLEND);
    glDisable(GL_BLEND);
    glEnable(GL_ALPHA_TEST);
    glColor4f(1, 1, 1, 1);
}

}  // namespace tvk
