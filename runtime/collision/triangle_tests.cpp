#include "collision/triangle_tests.h"

#include <algorithm>
#include <cmath>

namespace tvk {
namespace {

// Below these the angle at a corner cannot be measured and counts as 0.
constexpr double kAngleLengthProduct = 1e-8;

bool IsZero(const Vec3& v) {
    return v.x == 0 && v.y == 0 && v.z == 0;
}

double MeasuredLength(const Vec3& v) {
    const double squared = Dot(v, v);
    return squared <= kShortVectorSquared ? 0 : std::sqrt(squared);
}

double CornerAngle(const Vec3& a, const Vec3& b) {
    const double product = MeasuredLength(a) * MeasuredLength(b);
    if (product <= kAngleLengthProduct) return 0;
    // Rounding can push the cosine a hair past 1, where acos has no answer.
    return std::acos(std::clamp(Dot(a, b) / product, -1.0, 1.0));
}

// Whether the axis separates the triangle's corners (relative to the box centre) from the box.
// Written so that a NaN anywhere separates: a shape that cannot be measured hits nothing.
bool Separates(const Vec3& axis, const Vec3 corner[3], const Vec3 boxAxis[3]) {
    const double a = Dot(corner[0], axis), b = Dot(corner[1], axis), c = Dot(corner[2], axis);
    const double reach = std::fabs(Dot(boxAxis[0], axis)) + std::fabs(Dot(boxAxis[1], axis)) +
                         std::fabs(Dot(boxAxis[2], axis));
    const double low = std::min({a, b, c}), high = std::max({a, b, c});
    return !(low <= reach && high >= -reach);
}

}  // namespace

Vec3 ClosestPointOnSegment(const Vec3& a, const Vec3& b, const Vec3& c) {
    const Vec3 edge = b - a;
    const double squared = Dot(edge, edge);
    if (!(squared > 0)) return a;
    const double t = Dot(c - a, edge) / squared;
    if (!(t > 0)) return a;
    if (t >= 1) return b;
    return a + edge * t;
}

bool InsideByAngleSum(const Vec3& q, const Vec3& p0, const Vec3& p1, const Vec3& p2) {
    const Vec3 d0 = p0 - q, d1 = p1 - q, d2 = p2 - q;
    const double sum = CornerAngle(d0, d1) + CornerAngle(d1, d2) + CornerAngle(d2, d0);
    return sum >= kInsideAngleSum;
}

bool SphereTouchesTriangle(const Vec3& p0, const Vec3& p1, const Vec3& p2, const Vec3& centre,
                           double radius) {
    Vec3 normal = Cross(p1 - p0, p2 - p0);
    if (IsZero(normal)) return false;
    // |s| < r without the square root first: most triangles of a mesh end here.
    const double raw = Dot(normal, centre - p0);
    if (!(raw * raw < radius * radius * Dot(normal, normal))) return false;  // out of reach, or NaN
    if (!meshmath::Normalise(normal, normal)) return false;
    const double s = Dot(normal, centre - p0);
    if (!(std::fabs(s) < radius)) return false;
    const Vec3 q = centre - normal * s;
    if (InsideByAngleSum(q, p0, p1, p2)) return true;
    const double radiusSquared = radius * radius;
    const Vec3* corners[3] = {&p0, &p1, &p2};
    for (int k = 0; k < 3; ++k) {
        const Vec3 e = ClosestPointOnSegment(*corners[k], *corners[(k + 1) % 3], centre);
        const Vec3 d = centre - e;
        if (radiusSquared > Dot(d, d)) return true;
    }
    return false;
}

bool BoxTouchesTriangle(const CollisionBox& box, const Vec3& p0, const Vec3& p1, const Vec3& p2) {
    const Vec3 corner[3] = {p0 - box.centre, p1 - box.centre, p2 - box.centre};
    const Vec3 edge[3] = {corner[1] - corner[0], corner[2] - corner[1], corner[0] - corner[2]};
    const Vec3 normal = Cross(edge[0], edge[1]);
    if (IsZero(normal)) return false;
    const Vec3* a = box.axis;
    // The box's face normals first: most triangles of a mesh fall away on them.
    if (Separates(Cross(a[1], a[2]), corner, a) || Separates(Cross(a[2], a[0]), corner, a) ||
        Separates(Cross(a[0], a[1]), corner, a) || Separates(normal, corner, a))
        return false;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            if (Separates(Cross(a[i], edge[j]), corner, a)) return false;
    // A box lying flat in the triangle's plane (a zero size) leaves only directions within that
    // plane to separate them: the normals of the triangle's edges and of the box's edges there.
    for (int j = 0; j < 3; ++j) {
        if (Separates(Cross(normal, edge[j]), corner, a)) return false;
        if (Separates(Cross(normal, a[j]), corner, a)) return false;
    }
    return true;
}

double RayTriangleDistance(const Vec3& p0, const Vec3& p1, const Vec3& p2, const Vec3& start,
                           const Vec3& end) {
    const Vec3 u = p1 - p0, v = p2 - p0;
    const Vec3 n = Cross(u, v);
    if (IsZero(n)) return 0;
    const Vec3 d = end - start;
    const double k = Dot(n, d);
    if (k == 0) return 0;
    const double t = -Dot(n, start - p0) / k;
    const Vec3 q = start + d * t - p0;
    const double uu = Dot(u, u), vv = Dot(v, v), uv = Dot(u, v), qu = Dot(q, u), qv = Dot(q, v);
    const double b = uv * uv - uu * vv;
    const double s = (uv * qv - vv * qu) / b;
    if (!(s >= 0 && s <= 1)) return 0;
    const double r = (uv * qu - uu * qv) / b;
    if (!(r >= 0 && s + r <= 1)) return 0;
    return std::isfinite(t) ? t : 0;
}

}  // namespace tvk
