// Normals, bounding spheres and tangents of finished triangle lists.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "mesh/mesh_finish.h"
#include "mesh/mesh_vector.h"

namespace tvk {

using namespace meshmath;

void ComputeFlatNormals(std::span<MeshVertex> triangles) {
    for (size_t t = 0; t + 2 < triangles.size(); t += 3) {
        const Vec3 a = Load(triangles[t].position), b = Load(triangles[t + 1].position), c = Load(triangles[t + 2].position);
        Vec3 normal;
        if (!Normalise(Cross(b - a, c - a), normal)) continue;  // a degenerate face keeps its normals
        for (size_t k = 0; k < 3; ++k) Store(normal, triangles[t + k].normal);
    }
}

void ComputeSmoothNormals(std::span<MeshVertex> triangles, const MeshTopology& topology) {
    if (topology.pointIds.size() != triangles.size()) return;
    std::vector<Vec3> sums(topology.pointCount);
    for (size_t t = 0; t + 2 < triangles.size(); t += 3) {
        Vec3 p[3];
        for (int k = 0; k < 3; ++k) p[k] = Load(triangles[t + size_t(k)].position);
        Vec3 normal;
        if (!Normalise(Cross(p[1] - p[0], p[2] - p[0]), normal)) continue;
        // Weighting by the corner's angle keeps a point's normal independent of how finely the
        // faces around it are cut.
        for (int k = 0; k < 3; ++k) {
            Vec3 e1, e2;
            if (!Normalise(p[(k + 1) % 3] - p[k], e1) || !Normalise(p[(k + 2) % 3] - p[k], e2)) continue;
            const double angle = std::acos(std::clamp(Dot(e1, e2), -1.0, 1.0));
            Vec3& sum = sums[topology.pointIds[t + size_t(k)]];
            sum = sum + normal * angle;
        }
    }
    for (size_t i = 0; i < triangles.size(); ++i) {
        Vec3 normal;
        if (Normalise(sums[topology.pointIds[i]], normal)) Store(normal, triangles[i].normal);
    }
}

void ComputeBoundingSphere(MeshFrame& frame) {
    const std::vector<MeshVertex>& list = frame.triangles;
    frame.centre[0] = frame.centre[1] = frame.centre[2] = 0;
    frame.radius = 0;
    std::vector<Vec3> points;
    points.reserve(list.size());
    bool allFinite = true;
    for (const MeshVertex& vertex : list) {
        const Vec3 p = Load(vertex.position);
        if (std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z)) points.push_back(p);
        else allFinite = false;
    }
    if (!points.empty()) {
        // Ritter's sphere: start from a far pair, grow to take in every outsider.
        auto farthest = [&](const Vec3& from) {
            size_t best = 0;
            double bestDistance = -1;
            for (size_t i = 0; i < points.size(); ++i) {
                const double d = Dot(points[i] - from, points[i] - from);
                if (d > bestDistance) bestDistance = d, best = i;
            }
            return points[best];
        };
        const Vec3 x = farthest(points[0]);
        const Vec3 y = farthest(x);
        Vec3 centre = (x + y) * 0.5;
        double radius = Length(y - x) * 0.5;
        for (const Vec3& p : points) {
            const double d = Length(p - centre);
            if (d <= radius) continue;
            const double grown = (radius + d) * 0.5;
            centre = centre + (p - centre) * ((grown - radius) / d);
            radius = grown;
        }
        // The stored float centre moved by rounding: measure again from it and round up.
        Store(centre, frame.centre);
        const Vec3 stored = Load(frame.centre);
        double reach = 0;
        for (const Vec3& p : points) reach = std::max(reach, Length(p - stored));
        float r = float(reach);
        while (double(r) < reach) r = std::nextafter(r, std::numeric_limits<float>::infinity());
        frame.radius = r;
    }
    if (!allFinite) frame.radius = std::numeric_limits<float>::infinity();
}

namespace {

// Any unit vector at right angles to n (n unit, or zero).
Vec3 Perpendicular(const Vec3& n) {
    const Vec3 axis = std::fabs(n.x) < 0.9 ? Vec3{1, 0, 0} : Vec3{0, 1, 0};
    Vec3 out;
    if (Normalise(Cross(n, axis), out)) return out;
    return {1, 0, 0};
}

}  // namespace

void ComputeTangents(std::span<MeshVertex> triangles, const MeshTopology& topology) {
    const size_t n = triangles.size();
    std::vector<Vec3> faceTangent(n), faceBitangent(n);
    for (size_t t = 0; t + 2 < n; t += 3) {
        const MeshVertex& a = triangles[t];
        const MeshVertex& b = triangles[t + 1];
        const MeshVertex& c = triangles[t + 2];
        const Vec3 e1 = Load(b.position) - Load(a.position), e2 = Load(c.position) - Load(a.position);
        const double du1 = double(b.u) - a.u, dv1 = double(b.v) - a.v;
        const double du2 = double(c.u) - a.u, dv2 = double(c.v) - a.v;
        const double det = du1 * dv2 - du2 * dv1;
        if (!(std::fabs(det) > 1e-20) || !std::isfinite(det)) continue;  // no texture gradient
        const Vec3 tangent = (e1 * dv2 - e2 * dv1) * (1.0 / det);
        const Vec3 bitangent = (e2 * du1 - e1 * du2) * (1.0 / det);
        for (size_t k = 0; k < 3; ++k) {
            faceTangent[t + k] = tangent;
            faceBitangent[t + k] = bitangent;
        }
    }
    // Corners of one point that share their texture coordinates share a tangent; across a
    // texture seam they keep their own.
    std::vector<size_t> order(n);
    for (size_t i = 0; i < n; ++i) order[i] = i;
    const bool welded = topology.pointIds.size() == n;
    auto key = [&](size_t i) {
        uint32_t u, v;
        std::memcpy(&u, &triangles[i].u, 4);
        std::memcpy(&v, &triangles[i].v, 4);
        return std::array<uint64_t, 2>{welded ? topology.pointIds[i] : uint64_t(i), uint64_t(u) << 32 | v};
    };
    std::sort(order.begin(), order.end(), [&](size_t x, size_t y) { return key(x) < key(y); });
    for (size_t start = 0; start < n;) {
        size_t end = start;
        Vec3 tangent, bitangent;
        while (end < n && key(order[end]) == key(order[start])) {
            tangent = tangent + faceTangent[order[end]];
            bitangent = bitangent + faceBitangent[order[end]];
            ++end;
        }
        for (size_t k = start; k < end; ++k) {
            MeshVertex& vertex = triangles[order[k]];
            Vec3 normal{0, 0, 1};
            Normalise(Load(vertex.normal), normal);
            // Gram-Schmidt against the vertex's own normal.
            Vec3 unit;
            if (!Normalise(tangent - normal * Dot(normal, tangent), unit)) unit = Perpendicular(normal);
            Store(unit, vertex.tangent);
            vertex.toon[2] = Dot(Cross(normal, unit), bitangent) < 0 ? -1.0f : 1.0f;
        }
        start = end;
    }
}

}  // namespace tvk
