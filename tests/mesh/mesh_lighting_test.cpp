// Per-vertex light data (bump vectors, toon coordinates), the toon ramp, and the shadow volume.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <map>

#include "mesh/mesh_finish.h"
#include "mesh/mesh_lighting.h"
#include "mesh/mesh_shadow.h"
#include "mesh_test_support.h"

namespace tvk::test {
namespace {

// A finished unit quad in the plane z = 0 facing +z; u along +x, v along +y or, mirrored, -y.
MeshObjectX Quad(bool mirrored = false) {
    MeshObjectX mesh;
    for (auto [x, y] : {std::pair{0, 0}, {1, 0}, {1, 1}, {0, 0}, {1, 1}, {0, 1}}) {
        MeshVertex v = At(float(x), float(y), 0);
        v.u = float(x);
        v.v = mirrored ? -float(y) : float(y);
        mesh.frames.resize(1);
        mesh.frames[0].triangles.push_back(v);
    }
    EXPECT_TRUE(FinishMesh(mesh, kFlatNormals));
    return mesh;
}

TEST(BumpLightVectors, AreTheLightDirectionInTangentSpacePackedIntoZeroToOne) {
    MeshObjectX mesh = Quad();
    auto& list = mesh.frames[0].triangles;
    const float above[3] = {0, 0, 1000}, east[3] = {1e6f, 0, 0}, north[3] = {0, 1e6f, 0};
    ComputeBumpLightVectors(list, above);
    EXPECT_NEAR(list[0].lightVector[0], 0.5, 1e-3);
    EXPECT_NEAR(list[0].lightVector[2], 1.0, 1e-3);
    ComputeBumpLightVectors(list, east);
    EXPECT_NEAR(list[0].lightVector[0], 1.0, 1e-3);
    ComputeBumpLightVectors(list, north);
    EXPECT_NEAR(list[0].lightVector[1], 1.0, 1e-3);
    // With v running the other way the bitangent flips: the same light now reads as "south".
    MeshObjectX mirrored = Quad(true);
    ComputeBumpLightVectors(mirrored.frames[0].triangles, north);
    EXPECT_NEAR(mirrored.frames[0].triangles[0].lightVector[1], 0.0, 1e-3);
    // A light at the vertex, a vertex without a normal and a NaN light give values in range.
    const float atCorner[3] = {0, 0, 0}, nan[3] = {std::nanf(""), 0, 0};
    ComputeBumpLightVectors(list, atCorner);
    EXPECT_NEAR(list[0].lightVector[2], 1.0, 1e-6);
    list[1].normal[0] = list[1].normal[1] = list[1].normal[2] = 0;
    ComputeBumpLightVectors(list, nan);
    for (const MeshVertex& v : list)
        for (float c : v.lightVector) EXPECT_TRUE(c >= 0 && c <= 1);
}

TEST(ToonCoordinates, ClampTheLightingTermAndPickTheColourRow) {
    MeshObjectX mesh = Quad();
    auto& list = mesh.frames[0].triangles;
    list[0].colourIndex = 2;
    const float above[3] = {0, 0, 10}, below[3] = {0, 0, -10}, nan[3] = {0, std::nanf(""), 0};
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
    ComputeToonCoordinates(list, nan, 4);
    EXPECT_FLOAT_EQ(list[3].toon[0], kToonLowest);
}

TEST(ToonRamp, HasARowPerColourIndexScaledByTheBrightnessBands) {
    MeshObjectX mesh = Quad();
    mesh.colours = {0x0000FF, 0x00FF00, 0x808080};
    BuildToonRamp(mesh);
    ASSERT_EQ(mesh.toonRampHeight, 4);
    ASSERT_EQ(mesh.toonRamp.size(), size_t(kToonRampWidth) * 4 * 4);
    auto pixel = [&](int row, int column) { return &mesh.toonRamp[size_t(row * kToonRampWidth + column) * 4]; };
    const int last = kToonRampWidth - 1;
    EXPECT_EQ(std::vector<uint8_t>(pixel(0, last), pixel(0, last) + 4), (std::vector<uint8_t>{255, 0, 0, 255}));
    EXPECT_EQ(pixel(1, 0)[1], uint8_t(std::lround(255 * ToonBrightness(0))));
    EXPECT_EQ(pixel(3, last)[2], 255);  // no colour 3: white
    for (int column = 1; column < kToonRampWidth; ++column) EXPECT_GE(pixel(2, column)[0], pixel(2, column - 1)[0]);
    mesh.frames[0].triangles[0].colourIndex = 200;  // an index past the table still finds a row
    BuildToonRamp(mesh);
    EXPECT_EQ(mesh.toonRampHeight, 256);
}

TEST(ShadowVolume, LitFacesFaceTheLightAndTheirBorderWithUnlitFacesIsAClosedLoop) {
    const float p[4][3] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}};  // a tetrahedron, wound outwards
    MeshObjectX mesh;
    MeshFrame& frame = mesh.frames.emplace_back();
    for (auto& f : {std::array{0, 2, 1}, {0, 1, 3}, {0, 3, 2}, {1, 2, 3}})
        for (int k : f) frame.triangles.push_back(At(p[k][0], p[k][1], p[k][2]));
    ASSERT_TRUE(FinishMesh(mesh, kKeepNormals));
    ShadowSilhouette s;
    const float front[3] = {5, 5, 5}, under[3] = {0.2f, 0.2f, -5}, corner[3] = {-5, -5, 5};
    FindShadowSilhouette(frame, mesh.topology[0], front, s);
    EXPECT_EQ(s.lit, (std::vector<uint8_t>{0, 0, 0, 1}));
    EXPECT_EQ(s.edges.size(), 6u);
    FindShadowSilhouette(frame, mesh.topology[0], under, s);
    EXPECT_EQ(s.lit, (std::vector<uint8_t>{1, 0, 0, 0}));
    FindShadowSilhouette(frame, mesh.topology[0], corner, s);
    EXPECT_EQ(s.lit, (std::vector<uint8_t>{0, 1, 1, 0}));
    // The edge between the two lit faces is no silhouette; the four others form one loop.
    ASSERT_EQ(s.edges.size(), 8u);
    std::map<uint32_t, int> degree;
    for (uint32_t index : s.edges) ++degree[mesh.topology[0].pointIds[index]];
    for (auto [point, count] : degree) EXPECT_EQ(count, 2) << point;

    std::vector<float> quads, caps;
    BuildShadowVolume(frame, s, corner, quads, caps);
    ASSERT_EQ(quads.size(), 4u * 4 * 4);
    const float* a = frame.triangles[s.edges[0]].position;
    const float* b = frame.triangles[s.edges[1]].position;
    EXPECT_EQ(std::vector<float>(quads.begin(), quads.begin() + 16),
              (std::vector<float>{b[0], b[1], b[2], 1, a[0], a[1], a[2], 1, a[0] - corner[0], a[1] - corner[1],
                                  a[2] - corner[2], 0, b[0] - corner[0], b[1] - corner[1], b[2] - corner[2], 0}));
    ASSERT_EQ(caps.size(), 12u * 4);
    EXPECT_EQ(caps[3], 0.0f);       // face 0 is unlit: pushed away
    EXPECT_EQ(caps[12 + 3], 1.0f);  // face 1 is lit: as it is
    // Without adjacency that fits the frame every lit edge counts; a NaN light lights nothing.
    FindShadowSilhouette(frame, MeshTopology{}, corner, s);
    EXPECT_EQ(s.edges.size(), 12u);
    const float nan[3] = {std::nanf(""), 0, 0};
    FindShadowSilhouette(frame, MeshTopology{}, nan, s);
    EXPECT_TRUE(s.edges.empty());
}

}  // namespace
}  // namespace tvk::test
