// The CPU side of stencil shadow volumes: which triangles face the light, which of their edges
// form the silhouette, and the extruded geometry to draw. No GL here.
#pragma once

#include <cstdint>
#include <vector>

#include "mesh/mesh_object.h"

namespace tvk {

struct ShadowSilhouette {
    std::vector<uint8_t> lit;     // per triangle: 1 when it faces the light
    std::vector<uint32_t> edges;  // pairs (a, b) of vertex indices into the frame's triangle list
};

// light: the light's position in object space. A triangle (v0, v1, v2) is lit when
// dot(n, light - c) >= 0 with n = (v1 - v0) x (v2 - v0) and c = (v0 + v1 + v2) * 0.33333334,
// computed in float. An edge (corner k to corner k + 1) of a lit triangle is a silhouette edge
// when it has no neighbour or its neighbour's triangle is not lit. topology: the frame's, from
// FinishMesh; one that does not fit the frame counts as no neighbours at all.
void FindShadowSilhouette(const MeshFrame& frame, const MeshTopology& topology, const float light[3],
                          ShadowSilhouette& out);

// Homogeneous vertices (x, y, z, w) to draw: quads holds b, a, (a - light, 0), (b - light, 0) for
// every silhouette edge (a, b); caps holds every lit triangle as it is (w = 1) and every unlit
// one with each vertex v as (v - light, 0).
void BuildShadowVolume(const MeshFrame& frame, const ShadowSilhouette& silhouette, const float light[3],
                       std::vector<float>& quads, std::vector<float>& caps);

}  // namespace tvk
