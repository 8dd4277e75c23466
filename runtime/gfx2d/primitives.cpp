// Flat-colour pixels, lines and rectangles, and reading a pixel back.
#include <GL/gl.h>

#include "base/colour.h"
#include "gfx2d/coordinate_clamp.h"
#include "gfx2d/offscreen.h"
#include "gfx2d/renderer.h"
#include "gfx2d/texture_binding.h"
#include "gl/gl_state.h"
#include "gl/quad_batch.h"
#include "tarnvik/gfx2d.h"

namespace tvk {
namespace {

// The shared frame of every flat draw: no alpha test, the colour (alpha 0 for the
// transparent colour), no texture, and a 0.375 shift so integer coordinates hit pixel centres.
template <typename Draw>
void DrawFlat(int32_t colour, bool whiteAsBytes, Draw draw) {
    OpenGLDodurudo* r = g_renderer;
    if (!r || !r->window) return;
    gl::SetAlphaTest(false);
    const ColourBytes c = SplitColour(static_cast<uint32_t>(colour));
    gl::SetColourBytes(c.red, c.green, c.blue, DrawAlpha(r, colour));
    BindTexture(r, -1, -1, false);
    gl::FinishQuads();
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glTranslatef(0.375f, 0.375f, 0);
    glMatrixMode(GL_MODELVIEW);
    draw();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    if (whiteAsBytes) gl::SetColourBytes(255, 255, 255, static_cast<GLubyte>(r->currentAlpha * 255.0f));
    else gl::SetColour(1, 1, 1, r->currentAlpha);
    gl::SetAlphaTest(true);
}

}  // namespace
}  // namespace tvk

void SetPixel(RtInt x, RtInt y, RtInt colour) {
    tvk::DrawFlat(colour, false, [&] {
        glBegin(GL_POINTS);
        glVertex2f(static_cast<float>(x), static_cast<float>(y));
        glEnd();
    });
}

void DrawLine(RtInt x1, RtInt y1, RtInt x2, RtInt y2, RtInt colour) {
    tvk::DrawFlat(colour, true, [&] {
        glBegin(GL_LINES);
        glVertex2f(static_cast<float>(x1), static_cast<float>(y1));
        glVertex2f(static_cast<float>(x2), static_cast<float>(y2));
        glEnd();
        glBegin(GL_POINTS);  // GL leaves a line's last pixel unlit
        glVertex2f(static_cast<float>(x2), static_cast<float>(y2));
        glEnd();
    });
}

void DrawRect(RtInt x, RtInt y, RtInt width, RtInt height, RtInt colour) {
    // A negative size extends the rectangle to the left of (or above) the point, which stays inside it.
    int64_t x0 = x, y0 = y, w = width, h = height;
    float xa = tvk::ClampedCoordinate(w < 0 ? x0 + w + 1 : x0);
    float xb = tvk::ClampedCoordinate(w < 0 ? x0 + 1 : x0 + w);
    float ya = tvk::ClampedCoordinate(h < 0 ? y0 + h + 1 : y0);
    float yb = tvk::ClampedCoordinate(h < 0 ? y0 + 1 : y0 + h);
    tvk::DrawFlat(colour, false, [&] {
        glBegin(GL_TRIANGLE_FAN);
        glVertex2f(xa, ya);
        glVertex2f(xb, ya);
        glVertex2f(xb, yb);
        glVertex2f(xa, yb);
        glEnd();
    });
}

RtInt GetPixel(RtInt x, RtInt y) {
    tvk::OpenGLDodurudo* r = tvk::g_renderer;
    if (!r || !r->window) return 0;
    int targetHeight = tvk::CurrentTargetHeight(r);
    if (x < 0 || y < 0 || y >= targetHeight) return 0;
    GLubyte pixel[4] = {0, 0, 0, 0};
    tvk::gl::FinishQuads();
    glReadPixels(x, targetHeight - y - 1, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    return pixel[0] | (pixel[1] << 8) | (pixel[2] << 16);
}
