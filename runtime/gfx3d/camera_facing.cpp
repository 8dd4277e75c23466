// Sprites and text that face the camera wherever it looks from: billboards and 3D text.
#include <GL/gl.h>

#include <cmath>
#include <cstring>

#include "gfx2d/fonts.h"
#include "gfx2d/quad.h"
#include "gfx2d/renderer.h"
#include "gfx2d/sprite_slots.h"
#include "gfx2d/texture_binding.h"
#include "gfx3d/scene.h"
#include "gl/quad_batch.h"
#include "tarnvik/gfx3d.h"

namespace tvk {
namespace {

struct Vec3 {
    float x, y, z;
};
Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec3 operator*(Vec3 a, float k) { return {a.x * k, a.y * k, a.z * k}; }

// The camera's right and up directions: the first two rows of the modelview.
struct CameraAxes {
    Vec3 right, up;
};
CameraAxes CurrentCameraAxes() {
    float m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    return {{m[0], m[4], m[8]}, {m[1], m[5], m[9]}};
}

bool SceneReady() { return g_scene && g_renderer && g_renderer->window; }

gl::QuadCorner Corner(Vec3 p, float s, float t) { return {p.x, p.y, p.z, s, t}; }

// A quad from its bottom-left corner along `along` and `up`, counter-clockwise seen from the camera.
void CameraFacingQuad(Vec3 bottomLeft, Vec3 along, Vec3 up, float s0, float s1, float t0, float t1) {
    const Vec3 bottomRight = bottomLeft + along;
    DrawRepeatingQuad({Corner(bottomLeft, s0, t0), Corner(bottomRight, s1, t0), Corner(bottomRight + up, s1, t1),
                       Corner(bottomLeft + up, s0, t1)},
                      gl::QuadSplit::Fan);
}

// Face culling (and, for text, lighting) as the call needs them, restored when it ends.
class CallState {
public:
    CallState(Dodurudo3D& scene, int cullMode, bool lightingOff)
        : scene_(scene), cullMode_(scene.CullMode()), lightingOff_(lightingOff && scene.LightMask() != 0) {
        scene_.SetCullMode(cullMode);
        if (lightingOff_) glDisable(GL_LIGHTING);
    }
    ~CallState() {
        gl::FinishQuads();  // drawn with the call's state
        if (lightingOff_) glEnable(GL_LIGHTING);
        scene_.SetCullMode(cullMode_);
    }
    CallState(const CallState&) = delete;
    CallState& operator=(const CallState&) = delete;

private:
    Dodurudo3D& scene_;
    int cullMode_;
    bool lightingOff_;
};

int32_t LineLength(const SpriteSlot& font, const char* text) {
    int32_t n = 0;
    while (text[n] && FixedPitchCell(font, static_cast<uint8_t>(text[n])).code != 0) ++n;
    return n;
}

// World space: squares of scale × cell width along the camera's right and up, the line centred on
// the point, its bottom edge through it.
void PrintInWorld(const SpriteSlot& font, int32_t fontNumber, const char* text, Vec3 at, float scale) {
    const int32_t length = LineLength(font, text);
    if (length == 0) return;
    const CameraAxes axes = CurrentCameraAxes();
    const float side = scale * static_cast<float>(font.imageWidth >> 4);
    BindTexture(g_renderer, kFirstFontSlot + fontNumber, -1, false);
    Vec3 pen = at + axes.right * (-0.5f * side * static_cast<float>(length));
    for (int32_t i = 0; i < length; ++i) {
        const GlyphCell cell = FixedPitchCell(font, static_cast<uint8_t>(text[i]));
        CameraFacingQuad(pen, axes.right * side, axes.up * side, cell.s0, cell.s1, cell.tBottom, cell.tTop);
        pen = pen + axes.right * side;
    }
}

// Screen space: the point projected like a vertex, the line printed flat there over an
// orthographic view of the viewport, centred on it and lifted by an eighth of the font picture.
void PrintOnScreen(const SpriteSlot& font, int32_t fontNumber, const char* text, Vec3 at) {
    float modelview[16], projection[16];
    GLint viewport[4];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    float eye[4], clip[4];
    const float point[4] = {at.x, at.y, at.z, 1};
    for (int row = 0; row < 4; ++row) {
        eye[row] = 0;
        for (int k = 0; k < 4; ++k) eye[row] += modelview[k * 4 + row] * point[k];
    }
    for (int row = 0; row < 4; ++row) {
        clip[row] = 0;
        for (int k = 0; k < 4; ++k) clip[row] += projection[k * 4 + row] * eye[k];
    }
    if (!(clip[3] > 0) || !std::isfinite(clip[3])) return;  // behind the camera: no mirror image in front
    const float ndcX = clip[0] / clip[3], ndcY = clip[1] / clip[3], ndcZ = clip[2] / clip[3];
    const float width = static_cast<float>(viewport[2]), height = static_cast<float>(viewport[3]);
    const float depth = (ndcZ + 1) * 0.5f;
    const float cellWidth = static_cast<float>(font.imageWidth >> 4);
    const float x = (ndcX + 1) * 0.5f * width - static_cast<float>(std::strlen(text)) * cellWidth * 0.5f;
    const float y = (1 - ndcY) * 0.5f * height - static_cast<float>(font.imageHeight) / 8.0f;
    if (!std::isfinite(x) || !std::isfinite(y)) return;
    gl::FinishQuads();
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, width, height, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    PrintTextWithFont(fontNumber, text, x, y, -depth, false);
    gl::FinishQuads();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}

}  // namespace
}  // namespace tvk

void DrawBillboard(RtNumber slot, RtNumber x, RtNumber y, RtNumber z, RtNumber scale) {
    using namespace tvk;
    if (!SceneReady() || !(slot >= 0 && slot < kSpriteSlotCount)) return;
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z) || !std::isfinite(scale)) return;
    const SpriteSlot* s = FindSlot(static_cast<int32_t>(slot));
    if (!s || !s->Loaded() || s->textureWidth <= 0 || s->textureHeight <= 0) return;
    CallState state(*g_scene, -1, false);
    const CameraAxes axes = CurrentCameraAxes();
    const float halfWidth = static_cast<float>(s->imageWidth >> 2) * static_cast<float>(scale);
    const float height = static_cast<float>(s->imageHeight >> 1) * static_cast<float>(scale);
    const Vec3 at{static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)};
    BindTexture(g_renderer, static_cast<int32_t>(slot), -1, false);
    CameraFacingQuad(at + axes.right * -halfWidth, axes.right * (2 * halfWidth), axes.up * height, 0,
                     (static_cast<float>(s->imageWidth) - 0.5f) / static_cast<float>(s->textureWidth), 0,
                     (static_cast<float>(s->imageHeight) - 0.5f) / static_cast<float>(s->textureHeight));
}

void PrintText3D(const RtString& text, RtNumber x, RtNumber y, RtNumber z, RtNumber scale) {
    using namespace tvk;
    const int32_t font = CurrentFont();
    const SpriteSlot* s = FindSlot(kFirstFontSlot + font);
    if (!SceneReady() || !s || !s->Loaded() || text.Empty()) return;
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z) || !std::isfinite(scale)) return;
    CallState state(*g_scene, 0, true);
    const Vec3 at{static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)};
    if (scale != 0) PrintInWorld(*s, font, text.c_str(), at, static_cast<float>(scale));
    else PrintOnScreen(*s, font, text.c_str(), at);
}
