#include "mesh/mesh_shadow.h"

#include <algorithm>

namespace tvk {
namespace {

constexpr float kThird = 0.33333334f;

bool FacesLight(const MeshVertex* v, const float light[3]) {
    float e1[3], e2[3], c[3];
    for (int i = 0; i < 3; ++i) {
        e1[i] = v[1].position[i] - v[0].position[i];
        e2[i] = v[2].position[i] - v[0].position[i];
        c[i] = (v[0].position[i] + v[1].position[i] + v[2].position[i]) * kThird;
    }
    const float n[3] = {e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2], e1[0] * e2[1] - e1[1] * e2[0]};
    const float d = n[0] * (light[0] - c[0]) + n[1] * (light[1] - c[1]) + n[2] * (light[2] - c[2]);
    return d >= 0;  // NaN: not lit
}

void Put(std::vector<float>& out, const float p[3], float w) {
    out.insert(out.end(), {p[0], p[1], p[2], w});
}

void PutAway(std::vector<float>& out, const float p[3], const float light[3]) {
    out.insert(out.end(), {p[0] - light[0], p[1] - light[1], p[2] - light[2], 0.0f});
}

}  // namespace

void FindShadowSilhouette(const MeshFrame& frame, const MeshTopology& topology, const float light[3],
                          ShadowSilhouette& out) {
    const std::vector<MeshVertex>& list = frame.triangles;
    const size_t triangles = list.size() / 3;
    out.lit.assign(triangles, 0);
    out.edges.clear();
    for (size_t t = 0; t < triangles; ++t) out.lit[t] = FacesLight(&list[3 * t], light) ? 1 : 0;
    const bool adjacent = topology.edgeNeighbours.size() == triangles * 3;
    for (size_t t = 0; t < triangles; ++t) {
        if (!out.lit[t]) continue;
        for (size_t k = 0; k < 3; ++k) {
            const int32_t neighbour = adjacent ? topology.edgeNeighbours[3 * t + k] : -1;
            if (neighbour >= 0 && size_t(neighbour) / 3 < triangles && out.lit[size_t(neighbour) / 3]) continue;
            out.edges.push_back(uint32_t(3 * t + k));
            out.edges.push_back(uint32_t(3 * t + (k + 1) % 3));
        }
    }
}

void BuildShadowVolume(const MeshFrame& frame, const ShadowSilhouette& silhouette, const float light[3],
                       std::vector<float>& quads, std::vector<float>& caps) {
    const std::vector<MeshVertex>& list = frame.triangles;
    quads.clear();
    caps.clear();
    for (size_t e = 0; e + 1 < silhouette.edges.size(); e += 2) {
        if (silhouette.edges[e] >= list.size() || silhouette.edges[e + 1] >= list.size()) continue;
        const float* a = list[silhouette.edges[e]].position;
        const float* b = list[silhouette.edges[e + 1]].position;
        Put(quads, b, 1);
        Put(quads, a, 1);
        PutAway(quads, a, light);
        PutAway(quads, b, light);
    }
    const size_t triangles = std::min(list.size() / 3, silhouette.lit.size());
    for (size_t t = 0; t < triangles; ++t)
        for (size_t k = 0; k < 3; ++k) {
            const float* p = list[3 * t + k].position;
            if (silhouette.lit[t]) Put(caps, p, 1);
            else PutAway(caps, p, light);
        }
}

}  // namespace tvk
