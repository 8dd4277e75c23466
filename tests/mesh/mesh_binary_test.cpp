// The binary mesh file: both frame encodings, the version gate with its log lines, and files
// whose counts and indices lie.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "files/memory_names.h"
#include "mesh/mesh_file.h"
#include "mesh/mesh_normals.h"
#include "mesh_test_support.h"

namespace tvk::test {
namespace {

class BinaryMesh : public MeshScratch {};

std::vector<uint8_t> TwoFrameFile(uint32_t colour) {
    MeshFileWriter w;
    w.Header(2.0, 2, 1, 3).U32(colour).Pair(0.25f, 0.75f).Pair(1, 0).Pair(0, 1);
    for (int frame = 0; frame < 2; ++frame) {
        w.U32(3);
        for (int i = 0; i < 3; ++i) w.V2Vertex(float(i), float(frame), -1.5f, uint8_t(i), 0);
    }
    return w.bytes;
}

TEST_F(BinaryMesh, VersionTwoFramesCarryPositionsNormalsPairsAndTableColours) {
    MeshObject mesh;
    ASSERT_TRUE(LoadMeshFile(mesh, Write("two.ddd", TwoFrameFile(0xFFFFFF)).c_str()));
    EXPECT_EQ(mesh.loaded, 1);
    EXPECT_EQ(mesh.versionOneFlagA, 0);
    ASSERT_EQ(mesh.frames.size(), 2u);
    ASSERT_EQ(mesh.colours, std::vector<uint32_t>{0xFFFFFF});
    for (int frame = 0; frame < 2; ++frame) {
        const auto& list = mesh.frames[size_t(frame)].triangles;
        ASSERT_EQ(list.size(), 3u);
        for (int i = 0; i < 3; ++i) {
            const MeshVertex& v = list[size_t(i)];
            EXPECT_EQ(v.position[0], float(i));
            EXPECT_EQ(v.position[1], float(frame));
            EXPECT_EQ(v.position[2], -1.5f);
            EXPECT_EQ(v.normal[1], kMeshNormals[i][1]);
            EXPECT_EQ(v.colour, 0xFFFFFFu);
            for (float c : v.rgba) EXPECT_EQ(c, 1.0f);
        }
        // Pair i goes with vertex i of every frame; version 2 keeps v as stored.
        EXPECT_EQ(list[0].u, 0.25f);
        EXPECT_EQ(list[0].v, 0.75f);
        EXPECT_EQ(list[2].v, 1.0f);
    }
    EXPECT_TRUE(mesh.frames[0].secondList.empty());
}

TEST_F(BinaryMesh, ColourBytesAreRedGreenBlueFromTheLowEndAndMarkerValuesAreWhite) {
    MeshObject mesh;
    ASSERT_TRUE(LoadMeshFile(mesh, Write("c.ddd", TwoFrameFile(0x00FF8000 | 0x33)).c_str()));
    const MeshVertex& v = mesh.frames[0].triangles[0];
    EXPECT_FLOAT_EQ(v.rgba[0], 0x33 / 255.0f);
    EXPECT_FLOAT_EQ(v.rgba[1], 0x80 / 255.0f);
    EXPECT_FLOAT_EQ(v.rgba[2], 1.0f);
    EXPECT_EQ(v.rgba[3], 1.0f);
    ASSERT_TRUE(LoadMeshFile(mesh, Write("w.ddd", TwoFrameFile(0xFFFFFFFF)).c_str()));
    for (float c : mesh.frames[1].triangles[2].rgba) EXPECT_EQ(c, 1.0f);
}

TEST_F(BinaryMesh, VersionOneDequantisesFlipsVAndSetsItsFlags) {
    MeshFileWriter w;
    w.Header(1.5, 1, 1, 1).U32(0x0000FF).Pair(0.25f, 0.75f);
    w.V1Frame(3, 128, 0.5f).V1Vertex(128, 255, 0, 5, 0).V1Vertex(0, 0, 0, 0, 0).V1Vertex(1, 2, 3, 161, 0);
    MeshObject mesh;
    ASSERT_TRUE(LoadMeshFile(mesh, Write("old.ddd", w.bytes).c_str()));
    EXPECT_EQ(mesh.versionOneFlagA, 1);
    EXPECT_EQ(mesh.versionOneFlagB, 1);
    const MeshVertex& v = mesh.frames[0].triangles[0];
    EXPECT_EQ(v.position[0], 0.0f);
    EXPECT_EQ(v.position[1], 63.5f);
    EXPECT_EQ(v.position[2], -64.0f);
    EXPECT_EQ(v.normal[2], 1.0f);  // entry 5 is (0, 0, 1)
    EXPECT_EQ(v.u, 0.25f);
    EXPECT_EQ(v.v, -0.75f);
    // The second and third auxiliary vectors start as table entry 0.
    EXPECT_EQ(v.tangent[0], kMeshNormals[0][0]);
    EXPECT_EQ(v.toon[2], kMeshNormals[0][2]);
    // Only vertex 0 has a pair.
    EXPECT_EQ(mesh.frames[0].triangles[1].u, 0.0f);
    EXPECT_EQ(mesh.frames[0].triangles[2].normal[0], kMeshNormals[161][0]);
}

TEST_F(BinaryMesh, VersionsOutsideTheRangeAreRefusedWithThreeLogLines) {
    for (double version : {2.5, 1.0, 1.0199999, std::nan("")}) {
        ClearLog();
        MeshFileWriter w;
        w.Header(version, 0, 0, 0);
        MeshObject mesh;
        mesh.colours.push_back(7);  // cleared by the failed load
        const std::string name = Write("v.ddd", w.bytes);
        EXPECT_FALSE(LoadMeshFile(mesh, name.c_str())) << version;
        EXPECT_EQ(LogLines(), (std::vector<std::string>{"Wrong .ddd version.", "# read error", name})) << version;
        EXPECT_TRUE(mesh.colours.empty());
        EXPECT_EQ(mesh.loaded, 0);
    }
    for (double version : {1.02, 2.0}) {
        MeshFileWriter w;
        w.Header(version, 0, 0, 0);
        MeshObject mesh;
        EXPECT_TRUE(LoadMeshFile(mesh, Write("ok.ddd", w.bytes).c_str())) << version;
    }
}

TEST_F(BinaryMesh, MissingFilesFailWithoutALogEntry) {
    ClearLog();
    MeshObject mesh;
    EXPECT_FALSE(LoadMeshFile(mesh, "nowhere.ddd"));
    EXPECT_FALSE(LoadMeshFile(mesh, nullptr));
    EXPECT_TRUE(LogLines().empty());
}

TEST_F(BinaryMesh, CountsTheFileCannotHoldAreReadErrorsAndClearTheMesh) {
    struct Case {
        const char* what;
        int32_t frames, colours, pairs;
    };
    for (const Case& c : {Case{"frames", 0x7FFFFFFF, 0, 0}, Case{"colours", 1, 0x7FFFFFFF, 0},
                          Case{"pairs", 1, 0, 0x40000000}, Case{"negative frames", -1, 0, 0},
                          Case{"negative colours", 0, -5, 0}}) {
        ClearLog();
        MeshFileWriter w;
        w.Header(2.0, c.frames, c.colours, c.pairs).U32(0);
        MeshObject mesh;
        ASSERT_TRUE(LoadMeshFile(mesh, Write("good.ddd", TwoFrameFile(1)).c_str()));
        const std::string name = Write("liar.ddd", w.bytes);
        EXPECT_FALSE(LoadMeshFile(mesh, name.c_str())) << c.what;
        EXPECT_EQ(LogLines(), (std::vector<std::string>{"# read error", name})) << c.what;
        EXPECT_TRUE(mesh.frames.empty() && mesh.colours.empty()) << c.what;
    }
}

TEST_F(BinaryMesh, AFileCutAnywhereIsAReadError) {
    const std::vector<uint8_t> whole = TwoFrameFile(0xFFFFFF);
    for (size_t cut : {size_t(4), size_t(12), size_t(23), size_t(30), whole.size() - 1}) {
        ClearLog();
        MeshObject mesh;
        const std::string name = Write("cut.ddd", std::vector<uint8_t>(whole.begin(), whole.begin() + long(cut)));
        EXPECT_FALSE(LoadMeshFile(mesh, name.c_str())) << cut;
        ASSERT_FALSE(LogLines().empty()) << cut;
        EXPECT_EQ(LogLines().back(), name);
    }
    // A vertex count the frame cannot hold, with a second frame that would be read from the middle.
    MeshFileWriter w;
    w.Header(2.0, 1, 0, 0).U32(1000).V2Vertex(0, 0, 0, 0, 0);
    MeshObject mesh;
    EXPECT_FALSE(LoadMeshFile(mesh, Write("short.ddd", w.bytes).c_str()));
}

TEST_F(BinaryMesh, BadIndicesAndLooseVerticesHaveDefinedResults) {
    MeshFileWriter w;
    w.Header(2.0, 2, 1, 0).U32(0x0000FF);
    // Frame 0: four vertices (the fourth makes no triangle), normal 200, colour index 9.
    w.U32(4);
    w.V2Vertex(1, 2, 3, 200, 9).V2Vertex(0, 0, 0, 161, 0).V2Vertex(0, 0, 0, 0, 0).V2Vertex(9, 9, 9, 0, 0);
    // Frame 1 must start right after frame 0's fourth vertex.
    w.U32(3).V2Vertex(7, 7, 7, 0, 0).V2Vertex(0, 0, 0, 0, 0).V2Vertex(0, 0, 0, 0, 0);
    MeshObject mesh;
    ASSERT_TRUE(LoadMeshFile(mesh, Write("odd.ddd", w.bytes).c_str()));
    ASSERT_EQ(mesh.frames.size(), 2u);
    ASSERT_EQ(mesh.frames[0].triangles.size(), 3u);
    const MeshVertex& bad = mesh.frames[0].triangles[0];
    EXPECT_EQ(bad.normal[0], 0.0f);
    EXPECT_EQ(bad.normal[1], 0.0f);
    EXPECT_EQ(bad.normal[2], 0.0f);
    EXPECT_EQ(bad.colour, kWhiteColour);
    EXPECT_EQ(bad.colourIndex, 9);
    for (float c : bad.rgba) EXPECT_EQ(c, 1.0f);
    EXPECT_FLOAT_EQ(mesh.frames[0].triangles[1].rgba[0], 1.0f);
    EXPECT_EQ(mesh.frames[0].triangles[1].rgba[1], 0.0f);
    EXPECT_EQ(mesh.frames[1].triangles[0].position[0], 7.0f);
}

TEST_F(BinaryMesh, TooManyFramesForTheCapIsAMallocError) {
    MeshFileWriter w;
    w.Header(2.0, int32_t(kMaxMeshFrames + 1), 0, 0);
    for (size_t i = 0; i <= kMaxMeshFrames; ++i) w.U32(0);
    ClearLog();
    MeshObject mesh;
    const std::string name = Write("many.ddd", w.bytes);
    EXPECT_FALSE(LoadMeshFile(mesh, name.c_str()));
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"# malloc error", name}));
}

TEST_F(BinaryMesh, MemoryNamesLoadLikeFiles) {
    std::vector<uint8_t> bytes = TwoFrameFile(0x123456);
    ASSERT_TRUE(RegisterMemoryRegion(bytes.data(), bytes.size()));
    const std::string name = MemoryName(bytes.data(), bytes.size());
    MeshObject mesh;
    EXPECT_TRUE(LoadMeshFile(mesh, name.c_str()));
    EXPECT_EQ(mesh.colours, std::vector<uint32_t>{0x123456});
    // A region one byte short of the file: read error, never a read past it.
    ForgetMemoryRegion(bytes.data());
    ASSERT_TRUE(RegisterMemoryRegion(bytes.data(), bytes.size() - 1));
    EXPECT_FALSE(LoadMeshFile(mesh, MemoryName(bytes.data(), bytes.size() - 1).c_str()));
    ForgetMemoryRegion(bytes.data());
}

}  // namespace
}  // namespace tvk::test
