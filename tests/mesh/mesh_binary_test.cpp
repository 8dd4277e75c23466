// The binary mesh file: both frame encodings, the version gate with its log lines, and files
// whose counts and indices lie.
#include <gtest/gtest.h>

#include <cmath>

#include "files/memory_names.h"
#include "mesh/mesh_file.h"
#include "mesh/mesh_normals.h"
#include "mesh_test_support.h"

namespace tvk::test {
namespace {

class BinaryMesh : public MeshScratch {};
using Lines = std::vector<std::string>;

std::string TwoFrames(uint32_t colour) {
    MeshFileWriter w;
    w.Header(2.0, 2, 1, 3).U32(colour).F32(0.25f).F32(0.75f).F32(1).F32(0).F32(0).F32(1);
    for (int frame = 0; frame < 2; ++frame) {
        w.U32(3);
        for (int i = 0; i < 3; ++i) w.V2Vertex(float(i), float(frame), -1.5f, uint8_t(i), 0);
    }
    return w.bytes;
}

TEST_F(BinaryMesh, VersionTwoFramesCarryPositionsNormalsPairsAndTableColours) {
    MeshObject mesh;
    ASSERT_TRUE(LoadMeshFile(mesh, Write("two.ddd", TwoFrames(0xFFFFFF)).c_str()));
    EXPECT_EQ(mesh.loaded, 1);
    EXPECT_EQ(mesh.versionOneFlagA, 0);
    ASSERT_EQ(mesh.frames.size(), 2u);
    const MeshVertex& v = mesh.frames[1].triangles[2];
    EXPECT_EQ(v.position[0], 2.0f);
    EXPECT_EQ(v.position[1], 1.0f);
    EXPECT_EQ(v.normal[1], kMeshNormals[2][1]);
    EXPECT_EQ(v.v, 1.0f);                               // pair i for vertex i of every frame
    EXPECT_EQ(mesh.frames[0].triangles[0].v, 0.75f);  // version 2 keeps the sign of v
    for (float c : v.rgba) EXPECT_EQ(c, 1.0f);
    // Red is the low byte; the marker value 0xFFFFFFFF is white.
    ASSERT_TRUE(LoadMeshFile(mesh, Write("c.ddd", TwoFrames(0xFF8033)).c_str()));
    EXPECT_FLOAT_EQ(mesh.frames[0].triangles[0].rgba[0], 0x33 / 255.0f);
    EXPECT_FLOAT_EQ(mesh.frames[0].triangles[0].rgba[1], 0x80 / 255.0f);
    ASSERT_TRUE(LoadMeshFile(mesh, Write("w.ddd", TwoFrames(0xFFFFFFFF)).c_str()));
    for (float c : mesh.frames[0].triangles[0].rgba) EXPECT_EQ(c, 1.0f);
}

TEST_F(BinaryMesh, VersionOneDequantisesFlipsVAndSetsItsFlags) {
    MeshFileWriter w;
    w.Header(1.5, 1, 1, 1).U32(0xFF).F32(0.25f).F32(0.75f).U32(3);
    for (int i = 0; i < 3; ++i) w.F32(128);
    for (int i = 0; i < 3; ++i) w.F32(0.5f);
    for (uint8_t b : {128, 255, 0, 5, 0, 0, 0, 0, 0, 0, 1, 2, 3, 161, 0}) w.U8(b);
    MeshObject mesh;
    ASSERT_TRUE(LoadMeshFile(mesh, Write("old.ddd", w.bytes).c_str()));
    EXPECT_EQ(mesh.versionOneFlagA + mesh.versionOneFlagB, 2);
    const MeshVertex& v = mesh.frames[0].triangles[0];
    EXPECT_EQ(v.position[0], 0.0f);
    EXPECT_EQ(v.position[1], 63.5f);
    EXPECT_EQ(v.position[2], -64.0f);
    EXPECT_EQ(v.v, -0.75f);
    EXPECT_EQ(v.tangent[0], kMeshNormals[0][0]);  // second and third vectors: table entry 0
    EXPECT_EQ(v.toon[2], kMeshNormals[0][2]);
    EXPECT_EQ(mesh.frames[0].triangles[1].u, 0.0f);  // no pair for vertex 1
}

TEST_F(BinaryMesh, VersionsOutsideTheRangeAreRefusedWithThreeLogLinesMissingFilesWithNone) {
    for (double version : {2.5, 1.0, 1.0199999, std::nan("")}) {
        MeshFileWriter w;
        w.Header(version, 0, 0, 0);
        MeshObject mesh;
        mesh.colours.push_back(7);  // cleared by the failed load
        EXPECT_FALSE(LoadMeshFile(mesh, Write("v.ddd", w.bytes).c_str())) << version;
        EXPECT_EQ(TakeLog(), (Lines{"Wrong .ddd version.", "# read error", "v.ddd"})) << version;
        EXPECT_TRUE(mesh.colours.empty());
    }
    for (double version : {1.02, 2.0}) {
        MeshFileWriter w;
        w.Header(version, 0, 0, 0);
        MeshObject mesh;
        EXPECT_TRUE(LoadMeshFile(mesh, Write("ok.ddd", w.bytes).c_str())) << version;
    }
    MeshObject mesh;
    EXPECT_FALSE(LoadMeshFile(mesh, "nowhere.ddd"));
    EXPECT_FALSE(LoadMeshFile(mesh, nullptr));
    EXPECT_TRUE(TakeLog().empty());
}

TEST_F(BinaryMesh, CountsTheFileCannotHoldAndFilesCutShortAreReadErrors) {
    std::vector<std::string> files;
    for (auto [frames, colours, pairs] : {std::tuple{0x7FFFFFFF, 0, 0}, {1, 0x7FFFFFFF, 0}, {1, 0, 0x40000000},
                                          {-1, 0, 0}, {0, -5, 0}}) {
        MeshFileWriter w;
        files.push_back(w.Header(2.0, frames, colours, pairs).U32(0).bytes);
    }
    MeshFileWriter w;
    files.push_back(w.Header(2.0, 1, 0, 0).U32(1000).V2Vertex(0, 0, 0, 0, 0).bytes);  // a frame too short
    const std::string whole = TwoFrames(0xFFFFFF);
    for (size_t cut : {4, 12, 23, 30, 100}) files.push_back(whole.substr(0, cut));
    for (const std::string& file : files) {
        MeshObject mesh;
        ASSERT_TRUE(LoadMeshFile(mesh, Write("good.ddd", whole).c_str()));
        EXPECT_FALSE(LoadMeshFile(mesh, Write("liar.ddd", file).c_str())) << file.size();
        EXPECT_EQ(TakeLog(), (Lines{"# read error", "liar.ddd"})) << file.size();
        EXPECT_TRUE(mesh.frames.empty() && mesh.colours.empty() && !mesh.loaded);
    }
}

TEST_F(BinaryMesh, BadIndicesAndLooseVerticesHaveDefinedResults) {
    MeshFileWriter w;
    w.Header(2.0, 2, 1, 0).U32(0xFF).U32(4);  // four vertices: the last makes no triangle
    w.V2Vertex(1, 2, 3, 200, 9).V2Vertex(0, 0, 0, 0, 0).V2Vertex(0, 0, 0, 0, 0).V2Vertex(9, 9, 9, 0, 0);
    w.U32(3).V2Vertex(7, 7, 7, 0, 0).V2Vertex(0, 0, 0, 0, 0).V2Vertex(0, 0, 0, 0, 0);
    MeshObject mesh;
    ASSERT_TRUE(LoadMeshFile(mesh, Write("odd.ddd", w.bytes).c_str()));
    ASSERT_EQ(mesh.frames[0].triangles.size(), 3u);
    const MeshVertex& bad = mesh.frames[0].triangles[0];
    EXPECT_EQ(bad.normal[0] * bad.normal[0] + bad.normal[1] * bad.normal[1] + bad.normal[2] * bad.normal[2], 0.0f);
    EXPECT_EQ(bad.colour, kWhiteColour);  // index 9 of a one-colour table
    EXPECT_EQ(bad.colourIndex, 9);
    EXPECT_EQ(mesh.frames[0].triangles[1].rgba[1], 0.0f);
    EXPECT_EQ(mesh.frames[1].triangles[0].position[0], 7.0f);  // read from the right place
}

TEST_F(BinaryMesh, TooManyFramesForTheCapIsAMallocError) {
    MeshFileWriter w;
    w.Header(2.0, int32_t(kMaxMeshFrames + 1), 0, 0);
    w.bytes.append(4 * (kMaxMeshFrames + 1), '\0');
    MeshObject mesh;
    EXPECT_FALSE(LoadMeshFile(mesh, Write("many.ddd", w.bytes).c_str()));
    EXPECT_EQ(TakeLog(), (Lines{"# malloc error", "many.ddd"}));
}

TEST_F(BinaryMesh, MemoryNamesLoadAndAShortRegionIsNeverReadPast) {
    std::string bytes = TwoFrames(0x123456);
    for (size_t size : {bytes.size(), bytes.size() - 1}) {
        ASSERT_TRUE(RegisterMemoryRegion(bytes.data(), size));
        MeshObject mesh;
        EXPECT_EQ(LoadMeshFile(mesh, MemoryName(bytes.data(), size).c_str()), size == bytes.size());
        ForgetMemoryRegion(bytes.data());
    }
}

}  // namespace
}  // namespace tvk::test
