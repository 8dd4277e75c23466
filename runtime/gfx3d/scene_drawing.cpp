// 3D points, lines and the axes marker, drawn flat in one colour.
#include <GL/gl.h>

#include <algorithm>

#include "base/colour.h"
#include "gfx2d/renderer.h"
#include "gfx2d/texture_binding.h"
#include "gfx3d/scene.h"
#include "gl/quad_batch.h"
#include "gl/gl_state.h"

namespace tvk {
namespace {

constexpr float kMinPixels = 1, kMaxPixels = 512;
constexpr float kAxisLength = 20;

float ClampPixels(float size) {
    if (!(size >= kMinPixels)) return kMinPixels;  // also NaN
    return std::min(size, kMaxPixels);
}

// One axis from the origin to its unit point, with four arrow-head strokes back from the tip.
void AxisStrip(const float tip[3], const float heads[4][3]) {
    gl::FinishQuads();
    glBegin(GL_LINE_STRIP);
    glVertex3f(0, 0, 0);
    for (int n = 0; n < 4; ++n) {
        glVertex3fv(tip);
        glVertex3fv(heads[n]);
    }
    glEnd();
}

}  // namespace

template <class Draw>
void Dodurudo3D::DrawFlat(int32_t colour, Draw draw) {
    gl::FinishQuads();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glEnable(GL_COLOR_MATERIAL);
    const ColourBytes c = SplitColour(static_cast<uint32_t>(colour));
    gl::SetColourBytes(c.red, c.green, c.blue, static_cast<GLubyte>(renderer_->currentAlpha * 255.0f));
    if (lightMask_) glDisable(GL_LIGHTING);
    BindTexture(renderer_, -1, -1, false);
    draw();
    glDisable(GL_COLOR_MATERIAL);
    if (lightMask_) glEnable(GL_LIGHTING);
    gl::SetColour(1, 1, 1, renderer_->currentAlpha);
    glPopMatrix();
}

void Dodurudo3D::DrawPoint(const float p[3], int32_t colour, float size) {
    gl::FinishQuads();
    DrawFlat(colour, [&] {
        glEnable(GL_POINT_SMOOTH);
        glPointSize(ClampPixels(size));
        glBegin(GL_POINTS);
        glVertex3fv(p);
        glEnd();
        glPointSize(1);
        glDisable(GL_POINT_SMOOTH);
    });
}

void Dodurudo3D::DrawLine(const float a[3], const float b[3], int32_t colour, float width) {
    gl::FinishQuads();
    DrawFlat(colour, [&] {
        glEnable(GL_LINE_SMOOTH);
        glLineWidth(ClampPixels(width));
        glBegin(GL_LINES);
        glVertex3fv(a);
        glVertex3fv(b);
        glEnd();
        glLineWidth(1);
        glDisable(GL_LINE_SMOOTH);
    });
}

void Dodurudo3D::DrawAxes(float x, float y, float z) {
    gl::FinishQuads();
    static const float kTips[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    static const float kHeads[3][4][3] = {
        {{0.75f, 0.25f, 0}, {0.75f, -0.25f, 0}, {0.75f, 0, 0.25f}, {0.75f, 0, -0.25f}},
        {{0, 0.75f, 0.25f}, {0, 0.75f, -0.25f}, {0.25f, 0.75f, 0}, {-0.25f, 0.75f, 0}},
        {{0.25f, 0, 0.75f}, {-0.25f, 0, 0.75f}, {0, 0.25f, 0.75f}, {0, -0.25f, 0.75f}}};
    static const float kColours[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};

    // Texturing is suspended on both units and comes back as it was.
    const int32_t slot = renderer_->boundSlot, secondSlot = renderer_->boundSecondSlot;
    const bool mipmapped = renderer_->boundMipmapped;
    if (slot >= 0) BindTexture(renderer_, -1, -1, false);
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT);
    glDisable(GL_LIGHTING);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadMatrixf(cameraMatrix_.data());
    glTranslatef(x, y, z);
    glScalef(kAxisLength, kAxisLength, kAxisLength);
    for (int axis = 0; axis < 3; ++axis) {
        glColor4f(kColours[axis][0], kColours[axis][1], kColours[axis][2], renderer_->currentAlpha);
        AxisStrip(kTips[axis], kHeads[axis]);
    }
    glPopMatrix();
    glPopAttrib();
    gl::ForgetState();  // the restored state is not what the layer last set
    if (slot >= 0) BindTexture(renderer_, slot, secondSlot, mipmapped);
}

}  // namespace tvk
