// Welding equal positions and pairing triangle edges.
//
// Welding works on a grid of cells kWeldTolerance wide. Two positions in one cell are within the
// tolerance on every axis, so a cell is one point without any comparison; positions in
// neighbouring cells are compared, and the cells joined as soon as one pair matches. Joins are
// transitive (union-find). Along an axis where a coordinate is so large that neighbouring floats
// lie further apart than the tolerance, each value gets a cell of its own that has no
// neighbours, so there only equal values meet. The comparisons across cells are capped at kWeldComparisonsPerVertex
// per vertex: only thousands of distinct positions crowded into a few neighbouring cells reach
// the cap, and past it the remaining neighbour cells stay separate points.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <numeric>

#include "mesh/mesh_finish.h"

namespace tvk {
namespace {

constexpr size_t kWeldComparisonsPerVertex = 64;
// From this magnitude on, neighbouring floats lie further apart than the tolerance (and grid cell
// numbers would soon not fit 64 bits).
constexpr double kLargestGridCoordinate = 1e12;
// Cells of such values lie past every grid cell (|cell| < 1e17 < 2^58), two apart.
constexpr int64_t kLargeValueCells = int64_t(1) << 58;

using Cell = std::array<int64_t, 3>;

class UnionFind {
public:
    explicit UnionFind(size_t n) : parent_(n) { std::iota(parent_.begin(), parent_.end(), uint32_t(0)); }
    uint32_t Find(uint32_t x) {
        while (parent_[x] != x) {
            parent_[x] = parent_[parent_[x]];
            x = parent_[x];
        }
        return x;
    }
    void Join(uint32_t a, uint32_t b) {
        a = Find(a);
        b = Find(b);
        if (a != b) parent_[std::max(a, b)] = std::min(a, b);
    }

private:
    std::vector<uint32_t> parent_;
};

bool CellOf(const MeshVertex& vertex, Cell& cell) {
    for (int axis = 0; axis < 3; ++axis) {
        const float value = vertex.position[axis];
        if (!std::isfinite(value)) return false;
        const double c = value;
        if (std::fabs(c) < kLargestGridCoordinate) {
            cell[axis] = int64_t(std::floor(c / double(kWeldTolerance)));
        } else {
            uint32_t bits;
            std::memcpy(&bits, &value, sizeof bits);
            const int64_t magnitude = kLargeValueCells + 2 * int64_t(bits & 0x7FFFFFFFu);
            cell[axis] = c < 0 ? -magnitude : magnitude;
        }
    }
    return true;
}

bool Close(const MeshVertex& a, const MeshVertex& b) {
    for (int axis = 0; axis < 3; ++axis)
        if (!(std::fabs(double(a.position[axis]) - double(b.position[axis])) <= double(kWeldTolerance))) return false;
    return true;
}

}  // namespace

void WeldPositions(std::span<const MeshVertex> vertices, MeshTopology& topology) {
    const size_t n = vertices.size();
    std::vector<Cell> cells(n);
    std::vector<uint32_t> gridded;  // vertices that have a cell, sorted by it
    gridded.reserve(n);
    for (size_t i = 0; i < n; ++i)
        if (CellOf(vertices[i], cells[i])) gridded.push_back(uint32_t(i));
    std::sort(gridded.begin(), gridded.end(), [&](uint32_t a, uint32_t b) { return cells[a] < cells[b]; });

    UnionFind sets(n);
    struct Group {
        Cell cell;
        size_t first, count;
    };
    std::vector<Group> groups;
    for (size_t k = 0; k < gridded.size(); ++k) {
        const uint32_t v = gridded[k];
        if (groups.empty() || groups.back().cell != cells[v]) {
            groups.push_back({cells[v], k, 0});
        } else {
            sets.Join(gridded[groups.back().first], v);
        }
        ++groups.back().count;
    }

    size_t budget = kWeldComparisonsPerVertex * n;
    for (const Group& group : groups) {
        // Half of the 26 neighbours: each neighbouring pair of cells is looked at once.
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                for (int dz = -1; dz <= 1; ++dz) {
                    const Cell offset = {dx, dy, dz};
                    if (offset <= Cell{0, 0, 0}) continue;
                    const Cell wanted = {group.cell[0] + dx, group.cell[1] + dy, group.cell[2] + dz};
                    auto found = std::lower_bound(groups.begin(), groups.end(), wanted,
                                                  [](const Group& g, const Cell& c) { return g.cell < c; });
                    if (found == groups.end() || found->cell != wanted) continue;
                    const uint32_t mine = gridded[group.first], theirs = gridded[found->first];
                    if (sets.Find(mine) == sets.Find(theirs)) continue;
                    bool joined = false;
                    for (size_t a = 0; a < group.count && !joined && budget; ++a)
                        for (size_t b = 0; b < found->count && !joined && budget; ++b, --budget)
                            joined = Close(vertices[gridded[group.first + a]], vertices[gridded[found->first + b]]);
                    if (joined) sets.Join(mine, theirs);
                }
    }

    // Ids in order of first appearance.
    topology.pointIds.assign(n, 0);
    std::vector<uint32_t> idOfRoot(n, UINT32_MAX);
    uint32_t next = 0;
    for (size_t i = 0; i < n; ++i) {
        const uint32_t root = sets.Find(uint32_t(i));
        if (idOfRoot[root] == UINT32_MAX) idOfRoot[root] = next++;
        topology.pointIds[i] = idOfRoot[root];
    }
    topology.pointCount = next;
}

void BuildEdgeAdjacency(MeshTopology& topology) {
    const std::vector<uint32_t>& ids = topology.pointIds;
    const size_t edgeCount = ids.size() - ids.size() % 3;
    topology.edgeNeighbours.assign(edgeCount, -1);
    struct Edge {
        uint64_t key;   // the lower point id in the high half
        bool forward;   // runs from the lower id to the higher
        int32_t index;
    };
    std::vector<Edge> edges;
    edges.reserve(edgeCount);
    for (size_t e = 0; e < edgeCount; ++e) {
        const size_t triangle = e / 3, corner = e % 3;
        const uint32_t a = ids[3 * triangle + corner], b = ids[3 * triangle + (corner + 1) % 3];
        if (a == b) continue;  // a collapsed edge has no neighbour
        edges.push_back({uint64_t(std::min(a, b)) << 32 | std::max(a, b), a < b, int32_t(e)});
    }
    std::sort(edges.begin(), edges.end(),
              [](const Edge& x, const Edge& y) { return x.key != y.key ? x.key < y.key : x.index < y.index; });
    // Within one point pair, edges running opposite ways are paired first (the usual case of two
    // triangles wound alike), then whatever is left, in file order.
    std::vector<int32_t>& next = topology.edgeNeighbours;
    for (size_t start = 0; start < edges.size();) {
        size_t end = start;
        while (end < edges.size() && edges[end].key == edges[start].key) ++end;
        std::vector<int32_t> forward, backward, rest;
        for (size_t k = start; k < end; ++k) (edges[k].forward ? forward : backward).push_back(edges[k].index);
        const size_t pairs = std::min(forward.size(), backward.size());
        for (size_t k = 0; k < pairs; ++k) {
            next[size_t(forward[k])] = backward[k];
            next[size_t(backward[k])] = forward[k];
        }
        rest.insert(rest.end(), forward.begin() + std::ptrdiff_t(pairs), forward.end());
        rest.insert(rest.end(), backward.begin() + std::ptrdiff_t(pairs), backward.end());
        for (size_t k = 0; k + 1 < rest.size(); k += 2) {
            next[size_t(rest[k])] = rest[k + 1];
            next[size_t(rest[k + 1])] = rest[k];
        }
        start = end;
    }
}

}  // namespace tvk
