// Shapes against the triangles of one mesh frame, in the frame's own space. Each test first
// rejects the whole frame with its bounding sphere (an infinite radius never rejects) and
// reports the first vertex index of the triangle it hit; a frame with fewer than three vertices
// hits nothing.
#pragma once

#include <cstdint>
#include <limits>

#include "collision/triangle_tests.h"
#include "mesh/mesh_object.h"

namespace tvk {

// The first vertex of the hit triangle, or -1.
constexpr int32_t kNoTriangle = -1;

// Stops at the first triangle the sphere reaches. A negative radius hits nothing.
bool SphereHitsFrame(const MeshFrame& frame, const Vec3& centre, double radius, int32_t& hitVertex);
// Stops at the first triangle the box touches.
bool BoxHitsFrame(const MeshFrame& frame, const CollisionBox& box, int32_t& hitVertex);

// The nearest hits of a ray in front of its start and behind it, over any number of frames.
struct RayHits {
    double ahead = std::numeric_limits<double>::infinity();
    double behind = -std::numeric_limits<double>::infinity();
    int32_t aheadVertex = kNoTriangle, behindVertex = kNoTriangle;

    void Add(double t, int32_t vertex);
    // The nearest hit ahead, else the nearest behind, else 0; and the triangle that gave it.
    double Answer() const;
    int32_t AnswerVertex() const;
};

// Visits every triangle of a frame whose bounding sphere the line through start and end
// passes; t counts in units of end - start.
void RayThroughFrame(const MeshFrame& frame, const Vec3& start, const Vec3& end, RayHits& hits);

// Squared distance from a point to the box [-half, half] on each axis (0 inside).
double SquaredDistanceToBox(const Vec3& point, const Vec3& half);

}  // namespace tvk
