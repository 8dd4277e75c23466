// Shapes against one triangle, in double precision. Every test answers "no hit" for a degenerate
// triangle (its corners on one line) and for any input that is NaN or leads to one.
#pragma once

#include "mesh/mesh_vector.h"

namespace tvk {

using meshmath::Vec3;

// Squared lengths at or below this count as no direction.
constexpr double kShortVectorSquared = 1e-7;
// A point is inside a triangle when the angles its corners subtend add up to at least this
// (0.99 of a full turn), which also takes in points just outside an edge.
constexpr double kInsideAngleSum = 6.2203536;

// A box centred at `centre` spanning centre ± axis[0] ± axis[1] ± axis[2]. The axes may be any
// vectors (a rotated, scaled or sheared box is a parallelepiped); a zero axis flattens it.
struct CollisionBox {
    Vec3 centre;
    Vec3 axis[3];
};

// True when the sphere reaches into the triangle: the plane test, the angle-sum inside test of
// the centre's projection, then the closest point of each edge.
bool SphereTouchesTriangle(const Vec3& p0, const Vec3& p1, const Vec3& p2, const Vec3& centre, double radius);

// True when the box and the triangle share a point (touching counts): separating axes.
bool BoxTouchesTriangle(const CollisionBox& box, const Vec3& p0, const Vec3& p1, const Vec3& p2);

// The parameter t at which the line start + (end - start) * t meets the triangle, or 0 when it
// does not (parallel to its plane, outside it, or degenerate). t may be negative: behind start.
double RayTriangleDistance(const Vec3& p0, const Vec3& p1, const Vec3& p2, const Vec3& start,
                           const Vec3& end);

// The angle sum inside test on its own: q (in the triangle's plane) against the corners.
bool InsideByAngleSum(const Vec3& q, const Vec3& p0, const Vec3& p1, const Vec3& p2);

// The point of the segment a..b closest to c.
Vec3 ClosestPointOnSegment(const Vec3& a, const Vec3& b, const Vec3& c);

}  // namespace tvk
