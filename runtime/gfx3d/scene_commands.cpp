// The language commands of the 3D scene; without a scene, or without a window to draw in, the
// drawing commands do nothing.
#include <cmath>
#include <cstdint>

#include "gfx2d/renderer.h"
#include "gfx3d/scene.h"
#include "tarnvik/gfx2d.h"
#include "tarnvik/gfx3d.h"

using tvk::g_scene;

namespace {

// Truncated toward zero; numbers beyond the 32-bit range are held at its ends, NaN is 0.
int32_t ToInt(RtNumber v) {
    if (std::isnan(v)) return 0;
    if (v >= 2147483647.0) return INT32_MAX;
    if (v <= -2147483648.0) return INT32_MIN;
    return static_cast<int32_t>(v);
}

float F(RtNumber v) { return static_cast<float>(v); }

// The scene when there is a GL context to draw with.
tvk::Dodurudo3D* DrawingScene() {
    if (!g_scene || !g_scene->Renderer() || !g_scene->Renderer()->window) return nullptr;
    return g_scene;
}

}  // namespace

void Start3D(RtNumber nearClip, RtNumber farClip, RtNumber fov) {
    if (tvk::Dodurudo3D* scene = DrawingScene()) scene->Start(F(nearClip), F(farClip), F(fov));
}

void ClearDepthBuffer() {
    if (tvk::Dodurudo3D* scene = DrawingScene()) scene->ClearDepth();
}

void End3D() {
    if (tvk::Dodurudo3D* scene = DrawingScene()) scene->End();
}

void SetTexture3D(RtNumber slot, RtNumber secondSlot) {
    if (tvk::Dodurudo3D* scene = DrawingScene()) scene->SetTexture(ToInt(slot), ToInt(secondSlot));
}

void SetMipmapping(RtNumber on) {
    if (g_scene) g_scene->SetMipmapping(on != 0);
}

void SetCameraUp(RtNumber x, RtNumber y, RtNumber z) {
    if (g_scene) g_scene->SetCameraUp(F(x), F(y), F(z));
}

void SetCamera(RtNumber eyeX, RtNumber eyeY, RtNumber eyeZ, RtNumber targetX, RtNumber targetY, RtNumber targetZ) {
    if (tvk::Dodurudo3D* scene = DrawingScene())
        scene->SetCamera(F(eyeX), F(eyeY), F(eyeZ), F(targetX), F(targetY), F(targetZ));
}

void SetLight(RtNumber id, RtNumber colour, RtNumber x, RtNumber y, RtNumber z, RtNumber dx, RtNumber dy, RtNumber dz,
              RtNumber cutoff) {
    tvk::Dodurudo3D* scene = DrawingScene();
    if (!scene) return;
    const float position[3] = {F(x), F(y), F(z)};
    const float direction[3] = {F(dx), F(dy), F(dz)};
    scene->SetLight(ToInt(id), ToInt(colour), position, direction, F(cutoff));
}

void SetHeadLight(RtNumber id, RtNumber colour) {
    if (tvk::Dodurudo3D* scene = DrawingScene()) scene->SetHeadLight(ToInt(id), ToInt(colour));
}

void SetFog(RtInt colour, RtNumber exponential, RtNumber startOrDensity, RtNumber end) {
    if (tvk::Dodurudo3D* scene = DrawingScene()) scene->SetFog(colour, exponential != 0, F(startOrDensity), F(end));
}

void SetCullMode(RtNumber mode) {
    if (tvk::Dodurudo3D* scene = DrawingScene()) scene->SetCullMode(mode > 0 ? 1 : (mode < 0 ? -1 : 0));
}

void SetTextureOffset(RtNumber u, RtNumber v) {
    if (g_scene) g_scene->SetTextureOffset(F(u), F(v));
}

void SetEnvironmentMapping(RtNumber on) {
    if (g_scene) g_scene->SetEnvironmentMapping(on != 0);
}

void PushObjectTransform() {
    if (g_scene) g_scene->Transforms().Push();
}

void PopObjectTransform() {
    if (g_scene) g_scene->Transforms().Pop();
}

void SetObjectPosition(RtNumber x, RtNumber y, RtNumber z) {
    if (g_scene) g_scene->Transforms().SetPosition(F(x), F(y), F(z));
}

void SetObjectScale(RtNumber x, RtNumber y, RtNumber z) {
    if (g_scene) g_scene->Transforms().SetScale(F(x), F(y), F(z));
}

void RotateObject(RtNumber angle, RtNumber x, RtNumber y, RtNumber z) {
    if (g_scene) g_scene->Transforms().Rotate(F(angle), F(x), F(y), F(z));
}

void MultiplyObjectMatrix(RtNumberArray& matrix) {
    tvk::Matrix4 m{};
    for (int i = 0; i < 16; ++i) m[i] = F(ArrayElement(matrix, i));  // a short array ends the program
    if (g_scene) g_scene->Transforms().MultiplyMatrix(m);
}

void DrawPoint3D(RtNumber x, RtNumber y, RtNumber z, RtNumber colour, RtNumber size) {
    const float p[3] = {F(x), F(y), F(z)};
    if (tvk::Dodurudo3D* scene = DrawingScene()) scene->DrawPoint(p, ToInt(colour), F(size));
}

void DrawLine3D(RtNumber x1, RtNumber y1, RtNumber z1, RtNumber x2, RtNumber y2, RtNumber z2, RtNumber colour,
                RtNumber width) {
    const float a[3] = {F(x1), F(y1), F(z1)}, b[3] = {F(x2), F(y2), F(z2)};
    if (tvk::Dodurudo3D* scene = DrawingScene()) scene->DrawLine(a, b, ToInt(colour), F(width));
}

void DrawAxes(RtNumber x, RtNumber y, RtNumber z) {
    if (tvk::Dodurudo3D* scene = DrawingScene()) scene->DrawAxes(F(x), F(y), F(z));
}

// The viewport is a 2D setting, but a shadow pass in progress must end first: its darkening
// covers the old viewport.
void SetViewport(RtInt x, RtInt y, RtInt width, RtInt height) {
    if (g_scene) g_scene->EndShadowPass();
    tvk::SetViewport(tvk::g_renderer, x, y, width, height);
}
