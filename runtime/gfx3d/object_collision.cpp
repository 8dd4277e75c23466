// The collision commands: shapes carried into an object's own space through the inverse of the
// current object transform, then tested mesh by mesh against one frame of each.
#include <cmath>
#include <cstdint>
#include <initializer_list>

#include "collision/frame_collision.h"
#include "gfx3d/collision_display.h"
#include "gfx3d/scene.h"
#include "tarnvik/gfx3d.h"
#include "values/number_text.h"

using tvk::CollisionBox;
using tvk::Vec3;

namespace {

// The first vertex of the triangle the latest mesh test hit, or kNoTriangle.
int32_t g_lastHitVertex = tvk::kNoTriangle;

bool Finite(std::initializer_list<RtNumber> values) {
    for (RtNumber v : values)
        if (!std::isfinite(v)) return false;
    return true;
}

// The inverse of the current object transform; false without a scene or for a singular one.
bool ToObjectSpace(tvk::Matrix4& inverse) {
    return tvk::g_scene && tvk::InvertAffine(tvk::g_scene->Transforms().Compose(), inverse);
}

Vec3 MovePoint(const tvk::Matrix4& m, const Vec3& p) {
    return {m[0] * p.x + m[4] * p.y + m[8] * p.z + m[12], m[1] * p.x + m[5] * p.y + m[9] * p.z + m[13],
            m[2] * p.x + m[6] * p.y + m[10] * p.z + m[14]};
}

Vec3 MoveDirection(const tvk::Matrix4& m, const Vec3& d) {
    return {m[0] * d.x + m[4] * d.y + m[8] * d.z, m[1] * d.x + m[5] * d.y + m[9] * d.z,
            m[2] * d.x + m[6] * d.y + m[10] * d.z};
}

// The object's meshes that hold the frame, each tested until one says stop.
template <class Test>
void ForEachFrame(RtNumber index, RtNumber frame, Test test) {
    if (!tvk::g_scene || !std::isfinite(index)) return;
    tvk::SceneObject* object = tvk::g_scene->Objects().Find(std::trunc(index));
    if (!object || !object->inUse) return;  // not there, or still being built
    const int32_t f = tvk::TruncateToInt(frame);
    if (f < 0) return;
    for (tvk::ObjectMesh& mesh : object->meshes) {
        if (!mesh.mesh || static_cast<size_t>(f) >= mesh.mesh->frames.size()) continue;
        if (test(mesh.mesh->frames[static_cast<size_t>(f)])) return;
    }
}

}  // namespace

RtInt CollideSphere(RtNumber index, RtNumber frame, RtNumber radius, RtNumber x, RtNumber y, RtNumber z) {
    g_lastHitVertex = tvk::kNoTriangle;
    bool hit = false;
    tvk::Matrix4 inverse;
    if (Finite({radius, x, y, z}) && radius >= 0 && ToObjectSpace(inverse)) {
        const Vec3 centre = MovePoint(inverse, {x, y, z});
        ForEachFrame(index, frame, [&](const tvk::MeshFrame& f) {
            hit = tvk::SphereHitsFrame(f, centre, radius, g_lastHitVertex);
            return hit;
        });
    }
    const double shown[3] = {x, y, z};
    tvk::ShowSphereTest(shown, radius, hit);
    return hit ? 1 : 0;
}

RtInt CollideBox(RtNumber index, RtNumber frame, RtNumber x, RtNumber y, RtNumber z, RtNumber width,
                 RtNumber height, RtNumber depth) {
    g_lastHitVertex = tvk::kNoTriangle;
    bool hit = false;
    tvk::Matrix4 inverse;
    if (Finite({x, y, z, width, height, depth}) && width >= 0 && height >= 0 && depth >= 0 &&
        ToObjectSpace(inverse)) {
        CollisionBox box;
        box.centre = MovePoint(inverse, {x, y, z});
        box.axis[0] = MoveDirection(inverse, {width / 2, 0, 0});
        box.axis[1] = MoveDirection(inverse, {0, height / 2, 0});
        box.axis[2] = MoveDirection(inverse, {0, 0, depth / 2});
        ForEachFrame(index, frame, [&](const tvk::MeshFrame& f) {
            hit = tvk::BoxHitsFrame(f, box, g_lastHitVertex);
            return hit;
        });
    }
    const double centre[3] = {x, y, z}, size[3] = {width, height, depth};
    tvk::ShowBoxTest(centre, size, hit);
    return hit ? 1 : 0;
}

RtNumber CollideRay(RtNumber index, RtNumber frame, RtNumber x, RtNumber y, RtNumber z, RtNumber dx,
                    RtNumber dy, RtNumber dz) {
    g_lastHitVertex = tvk::kNoTriangle;
    Vec3 direction{dx, dy, dz};
    const double squared = Dot(direction, direction);
    if (squared > tvk::kShortVectorSquared) direction = direction * (1 / std::sqrt(squared));
    tvk::RayHits hits;
    tvk::Matrix4 inverse;
    if (Finite({x, y, z, dx, dy, dz}) && std::isfinite(squared) && ToObjectSpace(inverse)) {
        // Both ends go through the inverse, so t stays the parameter along the program's ray.
        const Vec3 start = MovePoint(inverse, {x, y, z}), end = MovePoint(inverse, Vec3{x, y, z} + direction);
        ForEachFrame(index, frame, [&](const tvk::MeshFrame& f) {
            tvk::RayThroughFrame(f, start, end, hits);
            return false;
        });
        g_lastHitVertex = hits.AnswerVertex();
    }
    const double distance = hits.Answer();
    const double shownStart[3] = {x, y, z}, shownDirection[3] = {direction.x, direction.y, direction.z};
    tvk::ShowRayTest(shownStart, shownDirection, distance, distance != 0);
    return distance;
}

RtInt SphereInBox(RtNumber x, RtNumber y, RtNumber z, RtNumber radius, RtNumber width, RtNumber height,
                  RtNumber depth) {
    tvk::Matrix4 inverse;
    if (!Finite({x, y, z, radius, width, height, depth}) || !(radius >= 0) || width < 0 || height < 0 ||
        depth < 0 || !ToObjectSpace(inverse))
        return 0;
    const Vec3 p = MovePoint(inverse, {x, y, z});
    return tvk::SquaredDistanceToBox(p, {width / 2, height / 2, depth / 2}) <= radius * radius ? 1 : 0;
}

RtInt GetLastHitTriangle() {
    return g_lastHitVertex / 3;
}
