#include "gfx3d/collision_display.h"

#include <cmath>

#include "gfx2d/renderer.h"
#include "gfx3d/scene.h"
#include "tarnvik/core.h"

namespace tvk {
namespace {

constexpr int32_t kHitColour = 255;     // red
constexpr int32_t kMissColour = 65280;  // green
constexpr float kHitWidth = 5, kMissWidth = 1;
constexpr int kCircleSegments = 24;

Dodurudo3D* DisplayScene() {
    if (!GetRuntimeSettings().debugFlag) return nullptr;
    if (!g_scene || !g_scene->Renderer() || !g_scene->Renderer()->window) return nullptr;
    return g_scene;
}

// Shapes given with NaN or infinite numbers are not drawn.
bool Drawable(const double* v, int count) {
    for (int i = 0; i < count; ++i)
        if (!std::isfinite(v[i])) return false;
    return true;
}

void Line(Dodurudo3D& scene, const float a[3], const float b[3], bool hit) {
    scene.DrawLine(a, b, hit ? kHitColour : kMissColour, hit ? kHitWidth : kMissWidth);
}

}  // namespace

void ShowSphereTest(const double centre[3], double radius, bool hit) {
    Dodurudo3D* scene = DisplayScene();
    if (!scene || !Drawable(centre, 3) || !Drawable(&radius, 1)) return;
    // Three great circles, one in each axis plane.
    for (int plane = 0; plane < 3; ++plane) {
        const int u = plane, v = (plane + 1) % 3;
        float previous[3] = {};
        for (int k = 0; k <= kCircleSegments; ++k) {
            const double angle = 2 * M_PI * k / kCircleSegments;
            float p[3] = {float(centre[0]), float(centre[1]), float(centre[2])};
            p[u] += float(radius * std::cos(angle));
            p[v] += float(radius * std::sin(angle));
            if (k > 0) Line(*scene, previous, p, hit);
            for (int i = 0; i < 3; ++i) previous[i] = p[i];
        }
    }
}

void ShowBoxTest(const double centre[3], const double size[3], bool hit) {
    Dodurudo3D* scene = DisplayScene();
    if (!scene || !Drawable(centre, 3) || !Drawable(size, 3)) return;
    auto corner = [&](int bits, float out[3]) {
        for (int i = 0; i < 3; ++i) out[i] = float(centre[i] + ((bits >> i) & 1 ? 0.5 : -0.5) * size[i]);
    };
    // The twelve edges join corners that differ in one axis.
    for (int bits = 0; bits < 8; ++bits)
        for (int axis = 0; axis < 3; ++axis) {
            if ((bits >> axis) & 1) continue;
            float a[3], b[3];
            corner(bits, a);
            corner(bits | (1 << axis), b);
            Line(*scene, a, b, hit);
        }
}

void ShowRayTest(const double start[3], const double direction[3], double distance, bool hit) {
    Dodurudo3D* scene = DisplayScene();
    if (!scene || !Drawable(start, 3) || !Drawable(direction, 3)) return;
    const double length = hit ? distance : double(scene->FarClip());
    const float a[3] = {float(start[0]), float(start[1]), float(start[2])};
    const float b[3] = {float(start[0] + direction[0] * length), float(start[1] + direction[1] * length),
                        float(start[2] + direction[2] * length)};
    Line(*scene, a, b, hit);
}

}  // namespace tvk
