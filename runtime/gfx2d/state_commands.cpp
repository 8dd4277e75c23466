// Commands that set the renderer's 2D state.
#include <GL/gl.h>

#include <cmath>

#include "base/colour.h"
#include "gfx2d/frame_assets.h"
#include "gfx2d/renderer.h"
#include "gl/gl_state.h"
#include "gl/quad_batch.h"
#include "tarnvik/gfx2d.h"

using tvk::g_renderer;

void SetAlphaMode(RtNumber mode) {
    if (!g_renderer) return;
    if (mode != 0) {
        tvk::gl::SetBlending(true);
        tvk::gl::SetAlphaTest(false);
        tvk::gl::SetBlendFunction(GL_SRC_ALPHA, mode > 0 ? GL_ONE : GL_ONE_MINUS_SRC_ALPHA);
    } else {
        tvk::gl::SetBlending(false);
        tvk::gl::SetAlphaTest(true);
    }
    float magnitude = static_cast<float>(std::fabs(mode));
    g_renderer->currentAlpha = mode == 0 ? 1.0f : (magnitude > 1.0f ? 1.0f : magnitude);
    tvk::gl::SetColour(1, 1, 1, g_renderer->currentAlpha);
}

void SyncGraphicsState() { tvk::gl::ForgetState(); }

void SetSmoothing(RtInt on) {
    if (g_renderer) g_renderer->smoothing = on != 0;
}

void SetTransparentColour(RtInt colour) {
    if (!g_renderer) return;
    g_renderer->transparentColour = colour;
    g_renderer->fontColourKey = colour;
}

void SetClearColour(RtInt colour) {
    if (!g_renderer) return;
    tvk::FreeBackgroundImage(0);
    g_renderer->clearColour = colour;
    if (colour == tvk::kNoColour) {
        g_renderer->clearEachFrame = false;
        return;
    }
    g_renderer->clearEachFrame = true;
    tvk::gl::FinishQuads();
    float rgb[3];
    tvk::ColourToFloats(static_cast<uint32_t>(colour), rgb);
    glClearColor(rgb[0], rgb[1], rgb[2], 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}

void GetViewport(RtInt& x, RtInt& y, RtInt& width, RtInt& height) {
    x = y = width = height = 0;
    if (!g_renderer) return;
    x = g_renderer->viewX;
    y = g_renderer->viewY;
    width = g_renderer->viewW;
    height = g_renderer->viewH;
}

void GetViewport(RtNumber& x, RtNumber& y, RtNumber& width, RtNumber& height) {
    RtInt ix, iy, iw, ih;
    GetViewport(ix, iy, iw, ih);
    x = ix;
    y = iy;
    width = iw;
    height = ih;
}

void GetScreenSize(RtInt& width, RtInt& height) {
    width = g_renderer ? g_renderer->width : 0;
    height = g_renderer ? g_renderer->height : 0;
}

void GetScreenSize(RtNumber& width, RtNumber& height) {
    RtInt w, h;
    GetScreenSize(w, h);
    width = w;
    height = h;
}


void GetDesktopSize(RtNumber& width, RtNumber& height) {
    RtInt w, h;
    GetDesktopSize(w, h);
    width = w;
    height = h;
}
