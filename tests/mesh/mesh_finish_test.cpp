// Mesh finishing: markers into triangles, welding, adjacency, spheres and the normal modes.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <random>

#include "mesh/mesh_finish.h"
#include "mesh_test_support.h"

namespace tvk::test {
namespace {

const MeshVertex kPolygon = MakeMeshVertex(0, 0, 0, 0, 0, kPolygonMarkerColour);
const float kNaN = std::numeric_limits<float>::quiet_NaN();

double SignedArea(const MeshVertex* t) {  // of one triangle, in the xy plane
    const float *a = t[0].position, *b = t[1].position, *c = t[2].position;
    return 0.5 * ((b[0] - a[0]) * (c[1] - a[1]) - (b[1] - a[1]) * (c[0] - a[0]));
}

TEST(MeshAssembly, BreaksAndPolygonsCutTheListAndIncompletePartsAreDropped) {
    MeshVertex black = MakeMeshVertex(1, 1, 1, 0, 0, 0);
    black.colourIndex = 254;  // a real vertex, not a break
    std::vector<MeshVertex> list = {At(1, 0, 0), At(2, 0, 0), MakeBreakMarker(),                        // dropped
                                    black, At(4, 0, 0), At(5, 0, 0), At(6, 0, 0), MakeBreakMarker(255),  // 1
                                    kPolygon, At(0, 0, 0), At(1, 0, 0), At(1, 1, 0), At(0, 1, 0),        // 2
                                    kPolygon, At(5, 5, 5), At(6, 6, 6),                                  // dropped
                                    MakeBreakMarker(), At(0, 0, 1), At(1, 0, 1), At(0, 1, 1), At(4, 4, 4)};
    EXPECT_EQ(AssembledVertexCount(list), 12u);
    AssembleTriangles(list);
    ASSERT_EQ(list.size(), 12u);
    EXPECT_EQ(list[0].position[0], 1.0f);
    EXPECT_NEAR(SignedArea(&list[3]) + SignedArea(&list[6]), 1.0, 1e-6);  // the quad, wound as given
    EXPECT_EQ(list[9].position[2], 1.0f);
}

TEST(MeshAssembly, ConcavePolygonsAreCutIntoTrianglesThatCoverThemExactly) {
    // An arrow head with its reflex corner last: a fan from the first corner would turn over.
    std::vector<MeshVertex> list = {kPolygon, At(0, 0, 3), At(4, 2, 3), At(0, 4, 3), At(1, 2, 3)};
    AssembleTriangles(list);
    ASSERT_EQ(list.size(), 6u);
    EXPECT_GT(SignedArea(&list[0]), 0);
    EXPECT_GT(SignedArea(&list[3]), 0);
    EXPECT_NEAR(SignedArea(&list[0]) + SignedArea(&list[3]), 6.0, 1e-6);
    // A star of 16 corners, once counter-clockwise and once clockwise: every triangle keeps the
    // polygon's winding and together they cover its area.
    for (int direction : {1, -1}) {
        list = {kPolygon};
        double area = 0;
        for (int k = 0; k < 16; ++k) {
            const double angle = direction * k * M_PI / 8, r = k % 2 ? 1 : 3;
            list.push_back(At(float(r * std::cos(angle)), float(r * std::sin(angle)), 0));
            const double next = direction * (k + 1) * M_PI / 8, rn = (k + 1) % 2 ? 1 : 3;
            area += 0.5 * r * rn * std::sin(next - angle);
        }
        AssembleTriangles(list);
        ASSERT_EQ(list.size(), 14u * 3);
        double sum = 0;
        for (size_t t = 0; t < list.size(); t += 3) {
            EXPECT_GT(SignedArea(&list[t]) * direction, 0) << t / 3;
            sum += SignedArea(&list[t]);
        }
        EXPECT_NEAR(sum, area, 1e-4);
    }
}

MeshTopology Weld(const std::vector<MeshVertex>& list) {
    MeshTopology topology;
    WeldPositions(list, topology);
    BuildEdgeAdjacency(topology);
    return topology;
}

TEST(MeshWelding, PositionsWithinTheToleranceOnEveryAxisArePointsEvenAcrossCellEdges) {
    const float e = kWeldTolerance;
    const MeshTopology t = Weld({At(0.99f * e, 5, 5), At(1.01f * e, 5, 5),  // either side of a cell edge
                                 At(0, 0, 0), At(0.6f * e, 0.6f * e, -0.6f * e), At(1.2f * e, 0, 0),  // a chain
                                 At(1, 1, 1), At(1 + 2.5f * e, 1, 1), At(kNaN, 0, 0), At(kNaN, 0, 0),
                                 At(3e20f, 1, 2), At(3e20f, 1, 2 + 0.5f * e), At(-3e20f, 1, 2)});
    const auto& id = t.pointIds;
    EXPECT_EQ(id, (std::vector<uint32_t>{0, 0, 1, 1, 1, 2, 3, 4, 5, 6, 6, 7}));
    EXPECT_EQ(t.pointCount, 8u);
}

TEST(MeshWelding, ALargeFlatSheetWeldsToItsGridPointsQuickly) {
    // 375000 vertices sharing one x: a sweep along one axis would compare nearly all pairs.
    const int n = 250;
    std::vector<MeshVertex> list;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            for (auto [di, dj] : {std::pair{0, 0}, {1, 0}, {1, 1}, {0, 0}, {1, 1}, {0, 1}})
                list.push_back(At(0, float(i + di), float(j + dj)));
    const MeshTopology t = Weld(list);
    EXPECT_EQ(t.pointCount, uint32_t((n + 1) * (n + 1)));
    size_t border = 0;
    for (int32_t neighbour : t.edgeNeighbours) border += neighbour < 0;
    EXPECT_EQ(border, size_t(4 * n));
}

TEST(MeshAdjacency, EdgesPairWithTheSameTwoPointsReversedAndOddOnesStayAlone) {
    const float p[4][3] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}};  // a closed tetrahedron
    std::vector<MeshVertex> list;
    for (auto& f : {std::array{0, 2, 1}, {0, 1, 3}, {0, 3, 2}, {1, 2, 3}})
        for (int k : f) list.push_back(At(p[k][0], p[k][1], p[k][2]));
    MeshTopology t = Weld(list);
    auto to = [&](size_t edge) { return t.pointIds[edge / 3 * 3 + (edge % 3 + 1) % 3]; };
    for (size_t e = 0; e < 12; ++e) {
        const int32_t n = t.edgeNeighbours[e];
        ASSERT_GE(n, 0) << e;
        EXPECT_EQ(t.edgeNeighbours[size_t(n)], int32_t(e));
        EXPECT_EQ(t.pointIds[e], to(size_t(n)));
        EXPECT_EQ(to(e), t.pointIds[size_t(n)]);
    }
    // Three faces on the edge (1,0,0)-(0,1,0), and a collapsed edge.
    t = Weld({At(0, 0, 0), At(1, 0, 0), At(0, 1, 0), At(1, 0, 0), At(1, 1, 0), At(0, 1, 0), At(0, 1, 0),
              At(1, 0, 0), At(0, 0, 5), At(4, 4, 4), At(4, 4, 4), At(5, 5, 5)});
    EXPECT_EQ(t.edgeNeighbours[1], 5);  // the edge running the other way is preferred
    EXPECT_EQ(t.edgeNeighbours[5], 1);
    EXPECT_EQ(t.edgeNeighbours[6], -1);
    EXPECT_EQ(t.edgeNeighbours[9], -1);
}

TEST(MeshBounds, TheSphereHoldsEveryVertexAndIsNotMuchLargerThanNeeded) {
    std::mt19937 random(7);
    std::uniform_real_distribution<float> spread(-50, 50);
    for (int round = 1; round <= 20; ++round) {
        MeshFrame frame;
        for (int i = 0; i < 300; ++i) frame.triangles.push_back(At(spread(random) * round, spread(random), spread(random) + 1000));
        ComputeBoundingSphere(frame);
        for (const MeshVertex& v : frame.triangles) {
            double d = 0;
            for (int a = 0; a < 3; ++a) d += std::pow(double(v.position[a]) - frame.centre[a], 2);
            ASSERT_LE(std::sqrt(d), double(frame.radius));
        }
        EXPECT_LE(frame.radius, 0.55 * std::sqrt(std::pow(100.0 * round, 2) + 2e4)) << round;
    }
    MeshFrame one;
    one.triangles = {At(3, 4, 5)};
    ComputeBoundingSphere(one);
    EXPECT_EQ(one.centre[1], 4.0f);
    EXPECT_EQ(one.radius, 0.0f);
    one.triangles.push_back(At(kNaN, 0, 0));
    ComputeBoundingSphere(one);
    EXPECT_TRUE(std::isinf(one.radius));
}

MeshObjectX Pyramid() {  // four faces around an apex at (0, 0, 1), each with its own corners
    MeshObjectX mesh;
    MeshFrame& frame = mesh.frames.emplace_back();
    const float base[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
    for (int i = 0; i < 4; ++i) {
        frame.triangles.push_back(At(base[i][0], base[i][1], 0));
        frame.triangles.push_back(At(base[(i + 1) % 4][0], base[(i + 1) % 4][1], 0));
        frame.triangles.push_back(At(0, 0, 1));
    }
    frame.triangles.push_back(At(kNaN, 0, 0));  // a face that is not finite keeps its normals
    frame.triangles.push_back(At(1, 0, 0));
    frame.triangles.push_back(At(0, 1, 0));
    for (MeshVertex& v : frame.triangles) v.normal[0] = 0.25f;
    return mesh;
}

TEST(MeshNormalModes, FlatGivesFaceNormalsSmoothAveragesThemAtSharedPointsKeepKeeps) {
    MeshObjectX flat = Pyramid();
    ASSERT_TRUE(FinishMesh(flat, kFlatNormals));
    const float* n = flat.frames[0].triangles[0].normal;  // the face over y = -1
    EXPECT_NEAR(n[0], 0, 1e-6);
    EXPECT_NEAR(n[1], -std::sqrt(0.5), 1e-6);
    EXPECT_NEAR(n[2], std::sqrt(0.5), 1e-6);

    MeshObjectX smooth = Pyramid();
    ASSERT_TRUE(FinishMesh(smooth, kSmoothNormals));
    const auto& list = smooth.frames[0].triangles;
    EXPECT_NEAR(list[2].normal[2], 1, 1e-6);  // the apex
    for (int a = 0; a < 3; ++a) EXPECT_FLOAT_EQ(list[0].normal[a], list[10].normal[a]);  // corner (-1, -1)
    EXPECT_NEAR(list[0].normal[0], -1 / std::sqrt(6.0), 1e-6);  // between its two faces
    EXPECT_NEAR(list[0].normal[2], 2 / std::sqrt(6.0), 1e-6);

    MeshObjectX kept = Pyramid();
    ASSERT_TRUE(FinishMesh(kept, kKeepNormals));
    for (const MeshObjectX* mesh : {&flat, &smooth, &kept}) EXPECT_EQ(mesh->frames[0].triangles[12].normal[0], 0.25f);
    EXPECT_EQ(kept.frames[0].triangles[0].normal[0], 0.25f);
    EXPECT_EQ(kept.triangleCount, 5u);
    EXPECT_EQ(kept.topology[0].pointCount, 8u);
}

}  // namespace
}  // namespace tvk::test
