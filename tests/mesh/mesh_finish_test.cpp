// Mesh finishing: markers into triangles, welding, adjacency, spheres and the normal modes.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "mesh/mesh_finish.h"
#include "mesh_test_support.h"

namespace tvk::test {
namespace {

MeshVertex Polygon() { return MakeMeshVertex(0, 0, 0, 0, 0, kPolygonMarkerColour); }

double SignedArea(const std::vector<MeshVertex>& list) {  // in the xy plane
    double area = 0;
    for (size_t t = 0; t + 2 < list.size(); t += 3) {
        const float* a = list[t].position;
        const float* b = list[t + 1].position;
        const float* c = list[t + 2].position;
        area += 0.5 * ((b[0] - a[0]) * (c[1] - a[1]) - (b[1] - a[1]) * (c[0] - a[0]));
    }
    return area;
}

TEST(MeshAssembly, BreaksDropIncompleteTrianglesAndRestartTheCount) {
    std::vector<MeshVertex> list = {At(1, 0, 0), At(2, 0, 0), MakeBreakMarker(), At(3, 0, 0), At(4, 0, 0),
                                    At(5, 0, 0), At(6, 0, 0), MakeBreakMarker(255), At(7, 0, 0), At(8, 0, 0),
                                    At(9, 0, 0)};
    EXPECT_EQ(AssembledVertexCount(list), 6u);
    AssembleTriangles(list);
    ASSERT_EQ(list.size(), 6u);
    EXPECT_EQ(list[0].position[0], 3.0f);
    EXPECT_EQ(list[3].position[0], 7.0f);
}

TEST(MeshAssembly, ABlackVertexWithAHighColourIndexIsNoBreak) {
    MeshVertex black = MakeMeshVertex(1, 1, 1, 0, 0, 0);
    black.colourIndex = 254;
    std::vector<MeshVertex> list = {black, At(2, 0, 0), At(3, 0, 0)};
    AssembleTriangles(list);
    EXPECT_EQ(list.size(), 3u);
}

TEST(MeshAssembly, PolygonsRunToTheNextMarkerAndShortOnesAreDropped) {
    std::vector<MeshVertex> list = {At(9, 9, 9), Polygon(), At(0, 0, 0), At(1, 0, 0), At(1, 1, 0), At(0, 1, 0),
                                    Polygon(), At(5, 5, 5), At(6, 6, 6),  // two corners: nothing
                                    MakeBreakMarker(), At(0, 0, 1), At(1, 0, 1), At(0, 1, 1), At(4, 4, 4)};
    EXPECT_EQ(AssembledVertexCount(list), 9u);
    AssembleTriangles(list);
    ASSERT_EQ(list.size(), 9u);
    EXPECT_NEAR(SignedArea({list.begin(), list.begin() + 6}), 1.0, 1e-6);  // the quad, wound as given
    EXPECT_EQ(list[6].position[2], 1.0f);
}

TEST(MeshAssembly, ConcavePolygonsAreCutIntoTrianglesThatCoverThemExactly) {
    // An arrow head with its reflex corner last: a fan from the first corner would turn over.
    const float corners[][2] = {{0, 0}, {4, 2}, {0, 4}, {1, 2}};
    std::vector<MeshVertex> list = {Polygon()};
    for (auto& c : corners) list.push_back(At(c[0], c[1], 3));
    AssembleTriangles(list);
    ASSERT_EQ(list.size(), 6u);
    double total = 0;
    for (size_t t = 0; t < 6; t += 3) {
        const double area = SignedArea({list.begin() + long(t), list.begin() + long(t) + 3});
        EXPECT_GT(area, 0) << "triangle " << t / 3 << " turned over";
        total += area;
    }
    EXPECT_NEAR(total, 6.0, 1e-6);  // the polygon's own area
}

TEST(MeshAssembly, PlainListsLoseOnlyTheirLooseEnd) {
    std::vector<MeshVertex> list(8, At(1, 2, 3));
    AssembleTriangles(list);
    EXPECT_EQ(list.size(), 6u);
}

MeshTopology Weld(const std::vector<MeshVertex>& list) {
    MeshTopology topology;
    WeldPositions(list, topology);
    return topology;
}

TEST(MeshWelding, PositionsWithinTheToleranceOnEveryAxisArePointsEvenAcrossCellEdges) {
    const float e = kWeldTolerance;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    std::vector<MeshVertex> list = {
        At(0.99f * e, 5, 5), At(1.01f * e, 5, 5),                // either side of a cell boundary
        At(0, 0, 0), At(0.6f * e, 0.6f * e, -0.6f * e), At(1.2f * e, 0, 0),  // a chain
        At(1, 1, 1), At(1 + 2.5f * e, 1, 1),                     // too far apart
        At(nan, 0, 0), At(nan, 0, 0),                            // never the same point
        At(3e20f, 1, 2), At(3e20f, 1, 2 + 0.5f * e),             // large x, equal: close on y and z
        At(-3e20f, 1, 2)};
    const MeshTopology t = Weld(list);
    const auto& id = t.pointIds;
    EXPECT_EQ(id[0], id[1]);
    EXPECT_EQ(id[2], id[3]);
    EXPECT_EQ(id[3], id[4]);
    EXPECT_NE(id[5], id[6]);
    EXPECT_NE(id[7], id[8]);
    EXPECT_EQ(id[9], id[10]);
    EXPECT_NE(id[9], id[11]);
    EXPECT_EQ(t.pointCount, 8u);
    EXPECT_EQ(id[0], 0u);  // ids in order of first appearance
    EXPECT_EQ(id[2], 1u);
}

// A grid of n x n quads in the plane x = 0, two triangles each, every corner repeated.
std::vector<MeshVertex> Sheet(int n) {
    std::vector<MeshVertex> list;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            const float y0 = float(i), y1 = float(i + 1), z0 = float(j), z1 = float(j + 1);
            for (auto [y, z] : {std::pair{y0, z0}, {y1, z0}, {y1, z1}, {y0, z0}, {y1, z1}, {y0, z1}})
                list.push_back(At(0, y, z));
        }
    return list;
}

TEST(MeshWelding, ALargeFlatSheetWeldsToItsGridPointsQuickly) {
    // 375000 vertices sharing one x: a sweep along one axis would compare nearly all pairs.
    const int n = 250;
    std::vector<MeshVertex> list = Sheet(n);
    const MeshTopology t = Weld(list);
    EXPECT_EQ(t.pointCount, uint32_t((n + 1) * (n + 1)));
}

TEST(MeshAdjacency, AClosedSurfacePairsEveryEdgeWithTheSameTwoPointsReversed) {
    // A tetrahedron, wound outwards, corners repeated per face.
    const float p[4][3] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    const int faces[4][3] = {{0, 2, 1}, {0, 1, 3}, {0, 3, 2}, {1, 2, 3}};
    std::vector<MeshVertex> list;
    for (auto& f : faces)
        for (int k : f) list.push_back(At(p[k][0], p[k][1], p[k][2]));
    MeshTopology t = Weld(list);
    BuildEdgeAdjacency(t);
    ASSERT_EQ(t.edgeNeighbours.size(), 12u);
    for (size_t e = 0; e < 12; ++e) {
        const int32_t n = t.edgeNeighbours[e];
        ASSERT_GE(n, 0) << e;
        EXPECT_EQ(size_t(t.edgeNeighbours[size_t(n)]), e);
        EXPECT_NE(size_t(n) / 3, e / 3);
        auto from = [&](size_t edge) { return t.pointIds[edge]; };
        auto to = [&](size_t edge) { return t.pointIds[edge / 3 * 3 + (edge % 3 + 1) % 3]; };
        EXPECT_EQ(from(e), to(size_t(n)));
        EXPECT_EQ(to(e), from(size_t(n)));
    }
}

TEST(MeshAdjacency, OpenBordersCollapsedEdgesAndThreeFacesOnOneEdge) {
    std::vector<MeshVertex> list = {At(0, 0, 0), At(1, 0, 0), At(0, 1, 0),   // 0: shares 1-2 with 1 and 2
                                    At(1, 0, 0), At(1, 1, 0), At(0, 1, 0),
                                    At(0, 1, 0), At(1, 0, 0), At(0, 0, 5),   // same edge, same way as 0
                                    At(4, 4, 4), At(4, 4, 4), At(5, 5, 5)};  // collapsed edge
    MeshTopology t = Weld(list);
    BuildEdgeAdjacency(t);
    const auto& n = t.edgeNeighbours;
    EXPECT_EQ(n[1], 5);  // the opposite-running edge is preferred ...
    EXPECT_EQ(n[5], 1);
    EXPECT_EQ(n[6], -1);  // ... and the third face is left without
    EXPECT_EQ(n[0], -1);
    EXPECT_EQ(n[9], -1);
    for (size_t e = 0; e < n.size(); ++e)
        if (n[e] >= 0) {
            EXPECT_EQ(n[size_t(n[e])], int32_t(e));
        }
}

TEST(MeshBounds, TheSphereHoldsEveryVertexAndIsNotMuchLargerThanNeeded) {
    std::mt19937 random(7);
    std::uniform_real_distribution<float> spread(-50, 50);
    for (int round = 0; round < 20; ++round) {
        MeshFrame frame;
        const float stretch = float(round + 1);
        for (int i = 0; i < 300; ++i) frame.triangles.push_back(At(spread(random) * stretch, spread(random), spread(random) + 1000));
        ComputeBoundingSphere(frame);
        double farthest = 0;
        for (const MeshVertex& v : frame.triangles) {
            double d = 0;
            for (int a = 0; a < 3; ++a) d += std::pow(double(v.position[a]) - frame.centre[a], 2);
            farthest = std::max(farthest, std::sqrt(d));
        }
        EXPECT_LE(farthest, double(frame.radius));
        EXPECT_LE(frame.radius, 0.5 * std::sqrt(std::pow(100 * stretch, 2) + 2 * 100 * 100) * 1.1) << round;
    }
    MeshFrame empty;
    ComputeBoundingSphere(empty);
    EXPECT_EQ(empty.radius, 0.0f);
    MeshFrame one;
    one.triangles = {At(3, 4, 5)};
    ComputeBoundingSphere(one);
    EXPECT_EQ(one.centre[1], 4.0f);
    EXPECT_EQ(one.radius, 0.0f);
    one.triangles.push_back(At(std::numeric_limits<float>::quiet_NaN(), 0, 0));
    ComputeBoundingSphere(one);
    EXPECT_TRUE(std::isinf(one.radius));
}

MeshObjectX Pyramid() {
    // Four faces around an apex at (0, 0, 1) over the unit square, each with its own corners.
    MeshObjectX mesh;
    MeshFrame& frame = mesh.frames.emplace_back();
    const float base[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
    for (int i = 0; i < 4; ++i) {
        const auto& a = base[i];
        const auto& b = base[(i + 1) % 4];
        frame.triangles.push_back(At(a[0], a[1], 0));
        frame.triangles.push_back(At(b[0], b[1], 0));
        frame.triangles.push_back(At(0, 0, 1));
    }
    return mesh;
}

TEST(MeshNormalModes, FlatGivesFaceNormalsSmoothAveragesThemAtSharedPointsKeepKeeps) {
    MeshObjectX flat = Pyramid();
    ASSERT_TRUE(FinishMesh(flat, kFlatNormals));
    const float* n = flat.frames[0].triangles[0].normal;  // face over y = -1: outward is -y, up
    EXPECT_NEAR(n[0], 0, 1e-6);
    EXPECT_NEAR(n[1], -1 / std::sqrt(2.0), 1e-6);
    EXPECT_NEAR(n[2], 1 / std::sqrt(2.0), 1e-6);

    MeshObjectX smooth = Pyramid();
    ASSERT_TRUE(FinishMesh(smooth, kSmoothNormals));
    const float* apex = smooth.frames[0].triangles[2].normal;
    EXPECT_NEAR(apex[0], 0, 1e-6);
    EXPECT_NEAR(apex[1], 0, 1e-6);
    EXPECT_NEAR(apex[2], 1, 1e-6);
    // The corner (-1, -1, 0) appears in faces 0 and 3; both copies get the same normal.
    const float* c0 = smooth.frames[0].triangles[0].normal;
    const float* c3 = smooth.frames[0].triangles[10].normal;
    for (int a = 0; a < 3; ++a) EXPECT_FLOAT_EQ(c0[a], c3[a]);
    EXPECT_NEAR(std::sqrt(c0[0] * c0[0] + c0[1] * c0[1] + c0[2] * c0[2]), 1, 1e-6);

    MeshObjectX kept = Pyramid();
    kept.frames[0].triangles[0].normal[0] = 0.25f;
    ASSERT_TRUE(FinishMesh(kept, kKeepNormals));
    EXPECT_EQ(kept.frames[0].triangles[0].normal[0], 0.25f);
    EXPECT_EQ(kept.triangleCount, 4u);
    EXPECT_EQ(kept.topology[0].pointCount, 5u);
}

TEST(MeshNormalModes, DegenerateAndNotFiniteFacesKeepTheirNormals) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    MeshObjectX mesh;
    MeshFrame& frame = mesh.frames.emplace_back();
    frame.triangles = {At(0, 0, 0), At(1, 1, 1), At(2, 2, 2), At(nan, 0, 0), At(1, 0, 0), At(0, 1, 0)};
    for (MeshVertex& v : frame.triangles) v.normal[2] = 1;
    for (int mode : {kFlatNormals, kSmoothNormals}) {
        MeshObjectX copy = mesh;
        ASSERT_TRUE(FinishMesh(copy, mode));
        for (const MeshVertex& v : copy.frames[0].triangles) EXPECT_EQ(v.normal[2], 1.0f) << mode;
        EXPECT_TRUE(std::isinf(copy.frames[0].radius));
    }
}

}  // namespace
}  // namespace tvk::test
