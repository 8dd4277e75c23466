// Marker lists into triangle lists (see AssembleTriangles in mesh_finish.h).
#include <cmath>
#include <vector>

#include "mesh/mesh_finish.h"

namespace tvk {
namespace {

size_t PolygonTriangles(size_t corners) { return corners >= 3 ? corners - 2 : 0; }

// Drops the axis along which the polygon's normal is largest, keeping its winding.
void ProjectPolygon(const std::vector<MeshVertex>& corners, std::vector<double>& xs, std::vector<double>& ys,
                    bool& usable) {
    double normal[3] = {0, 0, 0};  // Newell's method: robust for non-planar corners too
    const size_t n = corners.size();
    for (size_t i = 0; i < n; ++i) {
        const float* a = corners[i].position;
        const float* b = corners[(i + 1) % n].position;
        normal[0] += (double(a[1]) - b[1]) * (double(a[2]) + b[2]);
        normal[1] += (double(a[2]) - b[2]) * (double(a[0]) + b[0]);
        normal[2] += (double(a[0]) - b[0]) * (double(a[1]) + b[1]);
    }
    int drop = 0;
    for (int axis = 1; axis < 3; ++axis)
        if (std::fabs(normal[axis]) > std::fabs(normal[drop])) drop = axis;
    usable = std::isfinite(normal[drop]) && normal[drop] != 0;
    const int first = (drop + 1) % 3, second = (drop + 2) % 3;
    xs.resize(n);
    ys.resize(n);
    for (size_t i = 0; i < n; ++i) {
        xs[i] = corners[i].position[first];
        ys[i] = corners[i].position[second];
    }
    // The two kept axes follow the dropped one cyclically, so a positive normal component means
    // counter-clockwise in the projection.
    if (normal[drop] < 0)
        for (double& y : ys) y = -y;
}

double Cross(const std::vector<double>& xs, const std::vector<double>& ys, size_t a, size_t b, size_t c) {
    return (xs[b] - xs[a]) * (ys[c] - ys[a]) - (ys[b] - ys[a]) * (xs[c] - xs[a]);
}

void EmitFan(const std::vector<MeshVertex>& corners, const std::vector<size_t>& order, std::vector<MeshVertex>& out) {
    for (size_t k = 1; k + 1 < order.size(); ++k) {
        out.push_back(corners[order[0]]);
        out.push_back(corners[order[k]]);
        out.push_back(corners[order[k + 1]]);
    }
}

void EmitPolygon(const std::vector<MeshVertex>& corners, std::vector<MeshVertex>& out) {
    const size_t n = corners.size();
    if (n < 3) return;
    std::vector<size_t> order(n);
    for (size_t i = 0; i < n; ++i) order[i] = i;
    if (n == 3 || n > kMaxEarClippedCorners) return EmitFan(corners, order, out);
    std::vector<double> xs, ys;
    bool usable;
    ProjectPolygon(corners, xs, ys, usable);
    if (!usable) return EmitFan(corners, order, out);
    // Ear clipping on the counter-clockwise projection: a corner is an ear when it is convex and
    // no other remaining corner lies inside or on its triangle.
    // The search goes on from the last ear, so a convex run is clipped in one sweep.
    size_t from = 0;
    while (order.size() > 3) {
        const size_t m = order.size();
        bool clipped = false;
        for (size_t step = 0; step < m && !clipped; ++step) {
            const size_t i = (from + step) % m;
            const size_t a = order[(i + m - 1) % m], b = order[i], c = order[(i + 1) % m];
            if (!(Cross(xs, ys, a, b, c) > 0)) continue;
            bool empty = true;
            for (size_t j = 0; j < m && empty; ++j) {
                const size_t p = order[j];
                if (p == a || p == b || p == c) continue;
                if (Cross(xs, ys, a, b, p) >= 0 && Cross(xs, ys, b, c, p) >= 0 && Cross(xs, ys, c, a, p) >= 0)
                    empty = false;
            }
            if (!empty) continue;
            out.push_back(corners[a]);
            out.push_back(corners[b]);
            out.push_back(corners[c]);
            order.erase(order.begin() + std::ptrdiff_t(i));
            from = i;
            clipped = true;
        }
        if (!clipped) return EmitFan(corners, order, out);  // self-crossing or degenerate rest
    }
    EmitFan(corners, order, out);
}

}  // namespace

size_t AssembledVertexCount(const std::vector<MeshVertex>& list) {
    size_t total = 0, run = 0;
    bool inPolygon = false;
    for (const MeshVertex& vertex : list) {
        if (IsMarker(vertex)) {
            total += 3 * (inPolygon ? PolygonTriangles(run) : 0);
            run = 0;
            inPolygon = IsPolygonMarker(vertex);
            continue;
        }
        ++run;
        if (!inPolygon && run == 3) {
            total += 3;
            run = 0;
        }
    }
    if (inPolygon) total += 3 * PolygonTriangles(run);
    return total;
}

void AssembleTriangles(std::vector<MeshVertex>& list) {
    bool anyMarker = false;
    for (const MeshVertex& vertex : list) anyMarker = anyMarker || IsMarker(vertex);
    if (!anyMarker) {
        list.resize(list.size() - list.size() % 3);
        return;
    }
    std::vector<MeshVertex> out;
    out.reserve(AssembledVertexCount(list));
    std::vector<MeshVertex> pending;
    bool inPolygon = false;
    for (const MeshVertex& vertex : list) {
        if (IsMarker(vertex)) {
            if (inPolygon) EmitPolygon(pending, out);
            pending.clear();
            inPolygon = IsPolygonMarker(vertex);
            continue;
        }
        pending.push_back(vertex);
        if (!inPolygon && pending.size() == 3) {
            out.insert(out.end(), pending.begin(), pending.end());
            pending.clear();
        }
    }
    if (inPolygon) EmitPolygon(pending, out);
    list.swap(out);
}

}  // namespace tvk
