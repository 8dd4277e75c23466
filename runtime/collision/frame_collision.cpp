#include "collision/frame_collision.h"

#include <cmath>

namespace tvk {
namespace {

Vec3 Corner(const MeshFrame& frame, size_t i) {
    return meshmath::Load(frame.triangles[i].position);
}

// False when the shape, a sphere of this radius around the point, cannot reach the frame's
// bounding sphere. NaN never rejects here: the triangle tests turn it into no hit.
bool ReachesBounds(const MeshFrame& frame, const Vec3& point, double reach) {
    const Vec3 d = point - meshmath::Load(frame.centre);
    const double sum = reach + double(frame.radius);
    return !(sum * sum < Dot(d, d));
}

bool Finite(const Vec3& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

}  // namespace

bool SphereHitsFrame(const MeshFrame& frame, const Vec3& centre, double radius, int32_t& hitVertex) {
    const size_t count = frame.triangles.size();
    if (count < 3 || !(radius >= 0) || !std::isfinite(radius) || !Finite(centre)) return false;
    if (!ReachesBounds(frame, centre, radius)) return false;
    // A sphere holding the first corner touches the first triangle without further work.
    const Vec3 first = centre - Corner(frame, 0);
    if (radius * radius >= Dot(first, first)) {
        hitVertex = 0;
        return true;
    }
    for (size_t i = 0; i + 2 < count; i += 3) {
        if (SphereTouchesTriangle(Corner(frame, i), Corner(frame, i + 1), Corner(frame, i + 2), centre,
                                  radius)) {
            hitVertex = static_cast<int32_t>(i);
            return true;
        }
    }
    return false;
}

bool BoxHitsFrame(const MeshFrame& frame, const CollisionBox& box, int32_t& hitVertex) {
    const size_t count = frame.triangles.size();
    if (count < 3 || !Finite(box.centre)) return false;
    double reach = 0;  // no point of the box lies farther from its centre
    for (const Vec3& axis : box.axis) {
        if (!Finite(axis)) return false;
        reach += meshmath::Length(axis);
    }
    if (!ReachesBounds(frame, box.centre, reach)) return false;
    for (size_t i = 0; i + 2 < count; i += 3) {
        if (BoxTouchesTriangle(box, Corner(frame, i), Corner(frame, i + 1), Corner(frame, i + 2))) {
            hitVertex = static_cast<int32_t>(i);
            return true;
        }
    }
    return false;
}

void RayHits::Add(double t, int32_t vertex) {
    if (t > 0 && t < ahead) {
        ahead = t;
        aheadVertex = vertex;
    } else if (t < 0 && t > behind) {
        behind = t;
        behindVertex = vertex;
    }
}

double RayHits::Answer() const {
    if (aheadVertex != kNoTriangle) return ahead;
    if (behindVertex != kNoTriangle) return behind;
    return 0;
}

int32_t RayHits::AnswerVertex() const {
    return aheadVertex != kNoTriangle ? aheadVertex : behindVertex;
}

void RayThroughFrame(const MeshFrame& frame, const Vec3& start, const Vec3& end, RayHits& hits) {
    const size_t count = frame.triangles.size();
    if (count < 3 || !Finite(start) || !Finite(end)) return;
    // The line, both ways, passes the bounding sphere farther off than its radius: no triangle.
    const Vec3 d = end - start, toCentre = meshmath::Load(frame.centre) - start;
    const double along = Dot(d, d);
    if (!(along > 0)) return;
    const Vec3 across = Cross(toCentre, d);
    const double radius = frame.radius;
    if (Dot(across, across) > radius * radius * along) return;
    for (size_t i = 0; i + 2 < count; i += 3) {
        const double t =
            RayTriangleDistance(Corner(frame, i), Corner(frame, i + 1), Corner(frame, i + 2), start, end);
        if (t != 0) hits.Add(t, static_cast<int32_t>(i));
    }
}

double SquaredDistanceToBox(const Vec3& point, const Vec3& half) {
    auto excess = [](double p, double h) {
        const double beyond = std::fabs(p) - h;
        return beyond > 0 ? beyond * beyond : 0.0;
    };
    return excess(point.x, half.x) + excess(point.y, half.y) + excess(point.z, half.z);
}

}  // namespace tvk
