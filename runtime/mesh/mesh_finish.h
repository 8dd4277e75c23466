// Finishing a loaded or built mesh: markers into triangles, normals, welded points, edge
// adjacency, bounding spheres, tangents and the toon ramp. docs/3D.md "Object meshes" explains
// the methods.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "mesh/mesh_object.h"

namespace tvk {

enum MeshNormalMode : int {
    kKeepNormals = 0,
    kFlatNormals = 1,    // each triangle's corners get its unit face normal
    kSmoothNormals = 2,  // angle-weighted average of the face normals around each welded point
};

// Runs everything below on every frame, in this order: assembly, welding, normals (any mode
// other than 1 and 2 keeps them), adjacency, bounding sphere, tangents; then the triangle count
// and the toon ramp. False, with the mesh cleared, when the triangles would pass kMaxMeshVertices.
bool FinishMesh(MeshObjectX& mesh, int normalMode);

// Turns a vertex list with markers into a plain triangle list:
//   - outside a polygon every three vertices make a triangle, counted from the start of the list
//     or from the last marker;
//   - a polygon marker (colour -3) starts a polygon whose corners are the vertices up to the next
//     marker or the end; polygons of 4 to kMaxEarClippedCorners corners are cut by ear clipping
//     in their own plane (so concave ones come out right), larger ones and ones that cannot be
//     clipped by a fan from their first corner; triangles keep the polygon's winding;
//   - a break marker ends the polygon or the run of vertices before it;
//   - what makes no whole triangle (a run's last one or two vertices, a polygon of fewer than
//     three corners) is dropped, and so are the markers.
constexpr size_t kMaxEarClippedCorners = 64;
void AssembleTriangles(std::vector<MeshVertex>& list);
// The number of vertices AssembleTriangles would leave.
size_t AssembledVertexCount(const std::vector<MeshVertex>& list);

void ComputeFlatNormals(std::span<MeshVertex> triangles);
void ComputeSmoothNormals(std::span<MeshVertex> triangles, const MeshTopology& topology);

// Positions agreeing within kWeldTolerance on every axis (and, through chains of such pairs,
// their neighbours) become one point. Positions with a coordinate that is not finite are points
// of their own. Takes O(n log n); see mesh_topology.cpp for the one cap. Fills pointIds and pointCount.
constexpr float kWeldTolerance = 0.00001f;
void WeldPositions(std::span<const MeshVertex> vertices, MeshTopology& topology);
// Needs pointIds; fills edgeNeighbours.
void BuildEdgeAdjacency(MeshTopology& topology);

// A sphere around every vertex; radius +infinity when a coordinate is not finite, (0, 0, 0)
// and 0 for an empty list.
void ComputeBoundingSphere(MeshFrame& frame);

// Unit tangents along +u (and the handedness in toon[2]) from the texture coordinates, shared by
// the vertices of one point with the same (u, v).
void ComputeTangents(std::span<MeshVertex> triangles, const MeshTopology& topology);

}  // namespace tvk
