// Per-vertex light data (bump vectors, toon coordinates), the toon ramp, and the shadow volume
// silhouette.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>

#include "mesh/mesh_finish.h"
#include "mesh/mesh_lighting.h"
#include "mesh/mesh_shadow.h"
#include "mesh_test_support.h"

namespace tvk::test {
namespace {

// A unit quad in the plane z = 0 facing +z; texture u along +x, v along +y or, mirrored, -y.
MeshObjectX Quad(bool mirrored) {
    MeshObjectX mesh;
    auto corner = [&](float x, float y) {
        MeshVertex v = At(x, y, 0);
        v.u = x;
        v.v = mirrored ? -y : y;
        return v;
    };
    mesh.frames.emplace_back().triangles = {corner(0, 0), corner(1, 0), corner(1, 1),
                                            corner(0, 0), corner(1, 1), corner(0, 1)};
    return mesh;
}

TEST(BumpLightVectors, AreTheLightDirectionInTangentSpacePackedIntoZeroToOne) {
    MeshObjectX mesh = Quad(false);
    ASSERT_TRUE(FinishMesh(mesh, kFlatNormals));
    auto& list = mesh.frames[0].triangles;
    EXPECT_NEAR(list[0].tangent[0], 1, 1e-6);
    const float above[3] = {0, 0, 1000}, east[3] = {1e6f, 0, 0}, north[3] = {0, 1e6f, 0};
    ComputeBumpLightVectors(list, above);
    EXPECT_NEAR(list[0].lightVector[0], 0.5, 1e-3);
    EXPECT_NEAR(list[0].lightVector[1], 0.5, 1e-3);
    EXPECT_NEAR(list[0].lightVector[2], 1.0, 1e-3);
    ComputeBumpLightVectors(list, east);
    EXPECT_NEAR(list[0].lightVector[0], 1.0, 1e-3);
    ComputeBumpLightVectors(list, north);
    EXPECT_NEAR(list[0].lightVector[1], 1.0, 1e-3);
    // With v running the other way, the bitangent flips: the same light now reads as "south".
    MeshObjectX mirrored = Quad(true);
    ASSERT_TRUE(FinishMesh(mirrored, kFlatNormals));
    ComputeBumpLightVectors(mirrored.frames[0].triangles, north);
    EXPECT_NEAR(mirrored.frames[0].triangles[0].lightVector[1], 0.0, 1e-3);
    // A vertex at the light and a vertex without a normal get neutral values, not NaN.
    const float atCorner[3] = {0, 0, 0};
    ComputeBumpLightVectors(list, atCorner);
    EXPECT_NEAR(list[0].lightVector[2], 1.0, 1e-6);
    list[1].normal[0] = list[1].normal[1] = list[1].normal[2] = 0;
    const float nan[3] = {std::nanf(""), 0, 0};
    ComputeBumpLightVectors(list, nan);
    for (const MeshVertex& v : list)
        for (float c : v.lightVector) EXPECT_TRUE(c >= 0 && c <= 1);
}

TEST(ToonCoordinates, ClampTheLightingTermAndPickTheColourRow) {
    MeshObjectX mesh = Quad(false);
    ASSERT_TRUE(FinishMesh(mesh, kFlatNormals));
    auto& list = mesh.frames[0].triangles;
    list[0].colourIndex = 2;
    const float above[3] = {0, 0, 10}, below[3] = {0, 0, -10};
    const float slant[3] = {float(std::sqrt(3.0)) * 10, 0, 10};  // 60 degrees off the normal
    ComputeToonCoordinates(list, above, 4);
    EXPECT_FLOAT_EQ(list[0].toon[0], kToonHighest);
    EXPECT_FLOAT_EQ(list[0].toon[1], 2.5f / 4);
    EXPECT_FLOAT_EQ(list[1].toon[1], 0.5f / 4);
    ComputeToonCoordinates(list, below, 4);
    EXPECT_FLOAT_EQ(list[0].toon[0], kToonLowest);
    ComputeToonCoordinates(list, slant, 1);
    EXPECT_NEAR(list[0].toon[0], 0.5, 1e-6);
    EXPECT_FLOAT_EQ(list[0].toon[1], 0.5f);  // index 2 capped at the only row
    const float nan[3] = {0, std::nanf(""), 0};
    ComputeToonCoordinates(list, nan, 4);
    EXPECT_FLOAT_EQ(list[3].toon[0], kToonLowest);
}

TEST(ToonRamp, HasARowPerColourIndexScaledByTheBrightnessBands) {
    MeshObjectX mesh = Quad(false);
    mesh.colours = {0x0000FF, 0x00FF00, 0x808080};
    ASSERT_TRUE(FinishMesh(mesh, kKeepNormals));
    ASSERT_EQ(mesh.toonRampWidth, kToonRampWidth);
    ASSERT_EQ(mesh.toonRampHeight, 4);
    ASSERT_EQ(mesh.toonRamp.size(), size_t(kToonRampWidth) * 4 * 4);
    auto pixel = [&](int row, int column) { return &mesh.toonRamp[size_t(row * kToonRampWidth + column) * 4]; };
    EXPECT_EQ(pixel(0, kToonRampWidth - 1)[0], 255);
    EXPECT_EQ(pixel(0, kToonRampWidth - 1)[1], 0);
    EXPECT_EQ(pixel(0, 0)[0], uint8_t(std::lround(255 * ToonBrightness(0))));
    EXPECT_EQ(pixel(1, 0)[1], pixel(0, 0)[0]);
    EXPECT_EQ(pixel(3, kToonRampWidth - 1)[2], 255);  // no colour 3: white
    for (int column = 1; column < kToonRampWidth; ++column) EXPECT_GE(pixel(2, column)[0], pixel(2, column - 1)[0]);
    EXPECT_EQ(pixel(2, 5)[3], 255);
    // An index past the table still finds its (white) row.
    mesh.frames[0].triangles[0].colourIndex = 200;
    BuildToonRamp(mesh);
    EXPECT_EQ(mesh.toonRampHeight, 256);
}

// A closed tetrahedron wound outwards.
MeshObjectX Tetrahedron() {
    const float p[4][3] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    const int faces[4][3] = {{0, 2, 1}, {0, 1, 3}, {0, 3, 2}, {1, 2, 3}};
    MeshObjectX mesh;
    MeshFrame& frame = mesh.frames.emplace_back();
    for (auto& f : faces)
        for (int k : f) frame.triangles.push_back(At(p[k][0], p[k][1], p[k][2]));
    return mesh;
}

TEST(ShadowSilhouette, LitFacesFaceTheLightAndTheirBorderWithUnlitFacesIsAClosedLoop) {
    MeshObjectX mesh = Tetrahedron();
    ASSERT_TRUE(FinishMesh(mesh, kKeepNormals));
    const float light[3] = {5, 5, 5};  // sees only the slanted face 3
    ShadowSilhouette s;
    FindShadowSilhouette(mesh.frames[0], mesh.topology[0], light, s);
    EXPECT_EQ(s.lit, (std::vector<uint8_t>{0, 0, 0, 1}));
    ASSERT_EQ(s.edges.size(), 6u);
    const float under[3] = {0.2f, 0.2f, -5};  // sees only the bottom face 0
    FindShadowSilhouette(mesh.frames[0], mesh.topology[0], under, s);
    EXPECT_EQ(s.lit, (std::vector<uint8_t>{1, 0, 0, 0}));
    const float corner[3] = {-5, -5, 5};  // sees faces 1 and 2 (y = 0 and x = 0)
    FindShadowSilhouette(mesh.frames[0], mesh.topology[0], corner, s);
    EXPECT_EQ(s.lit, (std::vector<uint8_t>{0, 1, 1, 0}));
    // The shared edge of two lit faces is no silhouette; the four others form one loop.
    ASSERT_EQ(s.edges.size(), 8u);
    std::map<uint32_t, int> degree;
    for (uint32_t index : s.edges) ++degree[mesh.topology[0].pointIds[index]];
    for (auto [point, count] : degree) EXPECT_EQ(count, 2) << point;

    std::vector<float> quads, caps;
    BuildShadowVolume(mesh.frames[0], s, corner, quads, caps);
    ASSERT_EQ(quads.size(), 4u * 4 * 4);
    const float* a = mesh.frames[0].triangles[s.edges[0]].position;
    const float* b = mesh.frames[0].triangles[s.edges[1]].position;
    EXPECT_EQ(quads[0], b[0]);
    EXPECT_EQ(quads[3], 1.0f);
    EXPECT_EQ(quads[4], a[0]);
    EXPECT_EQ(quads[8], a[0] - corner[0]);
    EXPECT_EQ(quads[11], 0.0f);
    EXPECT_EQ(quads[12], b[0] - corner[0]);
    ASSERT_EQ(caps.size(), 12u * 4);
    EXPECT_EQ(caps[3], 0.0f);       // face 0 is unlit: pushed away
    EXPECT_EQ(caps[12 + 3], 1.0f);  // face 1 is lit: as it is
}

TEST(ShadowSilhouette, WithoutFittingAdjacencyEveryLitEdgeCounts) {
    MeshObjectX mesh = Tetrahedron();
    const float light[3] = {-5, -5, 5};
    ShadowSilhouette s;
    FindShadowSilhouette(mesh.frames[0], MeshTopology{}, light, s);
    EXPECT_EQ(s.edges.size(), 2u * 3 * 2);
    const float nan[3] = {std::nanf(""), 0, 0};
    FindShadowSilhouette(mesh.frames[0], MeshTopology{}, nan, s);
    EXPECT_TRUE(s.edges.empty());
}

}  // namespace
}  // namespace tvk::test
