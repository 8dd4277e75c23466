// 3D points to screen positions and back through the GL viewport, projection and modelview as
// they stand. Screen rows count from the top of the window, as in 2D: a point lands in the pixel
// (floor(sx), floor(sy)), and the two commands are exact inverses of each other.
#include <GL/gl.h>

#include <array>
#include <cmath>
#include <limits>

#include "gfx2d/renderer.h"
#include "gfx3d/scene.h"
#include "gl/quad_batch.h"
#include "tarnvik/gfx3d.h"

namespace {

using Matrix4d = std::array<double, 16>;  // column-major, as GL hands it out

struct View {
    double viewport[4];  // x, y from the bottom, width, height
    Matrix4d combined;   // projection x modelview
    double windowHeight;
};

Matrix4d Product(const Matrix4d& a, const Matrix4d& b) {
    Matrix4d m{};
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r)
            for (int k = 0; k < 4; ++k) m[c * 4 + r] += a[k * 4 + r] * b[c * 4 + k];
    return m;
}

// The GL state read back; false without a window to read it from.
bool ReadView(View& view) {
    tvk::OpenGLDodurudo* r = tvk::g_renderer;
    if (!r || !r->window) return false;
    tvk::gl::FinishQuads();
    GLint vp[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, vp);
    Matrix4d projection{}, modelview{};
    glGetDoublev(GL_PROJECTION_MATRIX, projection.data());
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview.data());
    for (int i = 0; i < 4; ++i) view.viewport[i] = vp[i];
    view.combined = Product(projection, modelview);
    view.windowHeight = r->height;
    return view.viewport[2] > 0 && view.viewport[3] > 0;
}

// The general 4 x 4 inverse by cofactors; false for a singular or unmeasurable matrix.
bool Invert(const Matrix4d& m, Matrix4d& out) {
    Matrix4d inv{};
    inv[0] = m[5] * m[10] * m[15] - m[5] * m[11] * m[14] - m[9] * m[6] * m[15] + m[9] * m[7] * m[14] +
             m[13] * m[6] * m[11] - m[13] * m[7] * m[10];
    inv[4] = -m[4] * m[10] * m[15] + m[4] * m[11] * m[14] + m[8] * m[6] * m[15] - m[8] * m[7] * m[14] -
             m[12] * m[6] * m[11] + m[12] * m[7] * m[10];
    inv[8] = m[4] * m[9] * m[15] - m[4] * m[11] * m[13] - m[8] * m[5] * m[15] + m[8] * m[7] * m[13] +
             m[12] * m[5] * m[11] - m[12] * m[7] * m[9];
    inv[12] = -m[4] * m[9] * m[14] + m[4] * m[10] * m[13] + m[8] * m[5] * m[14] - m[8] * m[6] * m[13] -
              m[12] * m[5] * m[10] + m[12] * m[6] * m[9];
    inv[1] = -m[1] * m[10] * m[15] + m[1] * m[11] * m[14] + m[9] * m[2] * m[15] - m[9] * m[3] * m[14] -
             m[13] * m[2] * m[11] + m[13] * m[3] * m[10];
    inv[5] = m[0] * m[10] * m[15] - m[0] * m[11] * m[14] - m[8] * m[2] * m[15] + m[8] * m[3] * m[14] +
             m[12] * m[2] * m[11] - m[12] * m[3] * m[10];
    inv[9] = -m[0] * m[9] * m[15] + m[0] * m[11] * m[13] + m[8] * m[1] * m[15] - m[8] * m[3] * m[13] -
             m[12] * m[1] * m[11] + m[12] * m[3] * m[9];
    inv[13] = m[0] * m[9] * m[14] - m[0] * m[10] * m[13] - m[8] * m[1] * m[14] + m[8] * m[2] * m[13] +
              m[12] * m[1] * m[10] - m[12] * m[2] * m[9];
    inv[2] = m[1] * m[6] * m[15] - m[1] * m[7] * m[14] - m[5] * m[2] * m[15] + m[5] * m[3] * m[14] +
             m[13] * m[2] * m[7] - m[13] * m[3] * m[6];
    inv[6] = -m[0] * m[6] * m[15] + m[0] * m[7] * m[14] + m[4] * m[2] * m[15] - m[4] * m[3] * m[14] -
             m[12] * m[2] * m[7] + m[12] * m[3] * m[6];
    inv[10] = m[0] * m[5] * m[15] - m[0] * m[7] * m[13] - m[4] * m[1] * m[15] + m[4] * m[3] * m[13] +
              m[12] * m[1] * m[7] - m[12] * m[3] * m[5];
    inv[14] = -m[0] * m[5] * m[14] + m[0] * m[6] * m[13] + m[4] * m[1] * m[14] - m[4] * m[2] * m[13] -
              m[12] * m[1] * m[6] + m[12] * m[2] * m[5];
    inv[3] = -m[1] * m[6] * m[11] + m[1] * m[7] * m[10] + m[5] * m[2] * m[11] - m[5] * m[3] * m[10] -
             m[9] * m[2] * m[7] + m[9] * m[3] * m[6];
    inv[7] = m[0] * m[6] * m[11] - m[0] * m[7] * m[10] - m[4] * m[2] * m[11] + m[4] * m[3] * m[10] +
             m[8] * m[2] * m[7] - m[8] * m[3] * m[6];
    inv[11] = -m[0] * m[5] * m[11] + m[0] * m[7] * m[9] + m[4] * m[1] * m[11] - m[4] * m[3] * m[9] -
              m[8] * m[1] * m[7] + m[8] * m[3] * m[5];
    inv[15] = m[0] * m[5] * m[10] - m[0] * m[6] * m[9] - m[4] * m[1] * m[10] + m[4] * m[2] * m[9] +
              m[8] * m[1] * m[6] - m[8] * m[2] * m[5];
    const double det = m[0] * inv[0] + m[1] * inv[4] + m[2] * inv[8] + m[3] * inv[12];
    if (det == 0 || !std::isfinite(det)) return false;
    for (int i = 0; i < 16; ++i) out[i] = inv[i] / det;
    return true;
}

std::array<double, 4> Apply(const Matrix4d& m, double x, double y, double z, double w) {
    std::array<double, 4> out{};
    for (int r = 0; r < 4; ++r) out[r] = m[r] * x + m[4 + r] * y + m[8 + r] * z + m[12 + r] * w;
    return out;
}

bool AllFinite(const std::array<double, 3>& v) {
    return std::isfinite(v[0]) && std::isfinite(v[1]) && std::isfinite(v[2]);
}

}  // namespace

RtInt ProjectToScreen(RtNumber x, RtNumber y, RtNumber z, RtNumber& sx, RtNumber& sy, RtNumber& sz) {
    View view;
    if (!ReadView(view)) return 0;
    const std::array<double, 4> clip = Apply(view.combined, x, y, z, 1);
    if (clip[3] == 0) return 0;  // in the eye's plane: no direction to the screen
    const double* vp = view.viewport;
    const double windowY = vp[1] + vp[3] * (clip[1] / clip[3] + 1) / 2;
    const std::array<double, 3> screen = {vp[0] + (clip[0] / clip[3] + 1) * vp[2] / 2,
                                          view.windowHeight - windowY, (clip[2] / clip[3] + 1) / 2};
    if (!AllFinite(screen)) return 0;
    sx = screen[0];
    sy = screen[1];
    sz = screen[2];
    return 1;
}

RtInt UnprojectFromScreen(RtNumber sx, RtNumber sy, RtNumber sz, RtNumber& x, RtNumber& y, RtNumber& z) {
    View view;
    Matrix4d inverse;
    if (!ReadView(view) || !Invert(view.combined, inverse)) return 0;
    const double* vp = view.viewport;
    const double windowY = view.windowHeight - sy;
    const std::array<double, 4> p =
        Apply(inverse, 2 * (sx - vp[0]) / vp[2] - 1, 2 * (windowY - vp[1]) / vp[3] - 1, 2 * sz - 1, 1);
    if (p[3] == 0) return 0;
    const std::array<double, 3> point = {p[0] / p[3], p[1] / p[3], p[2] / p[3]};
    for (double v : point)
        if (!(std::fabs(v) <= std::numeric_limits<float>::max())) return 0;  // also NaN
    // Single floats, as the point would be drawn.
    x = static_cast<float>(point[0]);
    y = static_cast<float>(point[1]);
    z = static_cast<float>(point[2]);
    return 1;
}
