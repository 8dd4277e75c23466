// The "DDDA" text mesh: the marker lists it produces, comments and line ends, the version gate,
// indices that miss their lists, and counts the file cannot hold.
#include <gtest/gtest.h>

#include "mesh/mesh_file.h"
#include "mesh/mesh_finish.h"
#include "mesh_test_support.h"

namespace tvk::test {
namespace {

class TextMesh : public MeshScratch {};
using Lines = std::vector<std::string>;

// A triangle and a quad over five vertices, two frames, normals (version 1.1).
const char kSample[] =
    "DDDA\r\n"
    "1.1   # version with normals\r\n"
    "2  0.25 0.75   1 0.5\n"
    "# polygons: colour, corner count, (vertex, pair) corners\n"
    "2\n"
    "255 0 0  3  0 0  1 1  2 0\n"
    "0 0 255\t4  1 0 3 1 4 0 2 1 # a quad\n"
    "2\n"
    "5  0 0 0 0 0 1  1 0 0 0 0 1  0 1 0 0 0 1  1 1 0 0 0 1  2 0.5 0 0 0 1\n"
    "5  0 0 9 0 1 0  1 0 9 0 1 0  0 1 9 0 1 0  1 1 9 0 1 0  2 0.5 9 0 1 0";

TEST_F(TextMesh, EachFrameIsAMarkerAndItsCornersPerPolygonAndFinishesToTriangles) {
    MeshObjectX mesh;
    ASSERT_TRUE(LoadMeshFile(mesh, Write("sample.txt", kSample).c_str()));
    ASSERT_EQ(mesh.frames.size(), 2u);
    const auto& list = mesh.frames[0].triangles;
    ASSERT_EQ(list.size(), 1u + 3 + 1 + 4);
    EXPECT_TRUE(IsPolygonMarker(list[0]) && IsPolygonMarker(list[4]));
    EXPECT_EQ(list[1].colour, 0x0000FFu);
    EXPECT_EQ(list[5].colour, 0xFF0000u);
    EXPECT_EQ(list[2].position[0], 1.0f);  // corner (1, 1): vertex 1, pair 1 with v negated
    EXPECT_EQ(list[2].v, -0.5f);
    EXPECT_EQ(list[1].normal[2], 1.0f);
    EXPECT_EQ(mesh.frames[1].triangles[2].position[2], 9.0f);
    EXPECT_EQ(mesh.frames[1].triangles[2].normal[1], 1.0f);
    // The colour table comes from the vertices in order, the marker colour included.
    ASSERT_EQ(mesh.colours, (std::vector<uint32_t>{kPolygonMarkerColour, 0x0000FF, 0xFF0000}));
    EXPECT_EQ(list[8].colourIndex, 2);
    ASSERT_TRUE(FinishMesh(mesh, kKeepNormals));
    EXPECT_EQ(mesh.triangleCount, 3u);
    EXPECT_EQ(mesh.frames[1].triangles.size(), 9u);
}

TEST_F(TextMesh, EarlierVersionsHaveNoNormalsAndLaterOnesAreRefused) {
    MeshObject mesh;
    ASSERT_TRUE(LoadMeshFile(mesh, Write("old.txt", "DDDA\n1.0\n0\n1 9 9 9 3 0 0 1 0 2 0\n1 3 1 2 3 4 5 6 7 8 9").c_str()));
    const auto& list = mesh.frames[0].triangles;
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[3].position[0], 7.0f);
    EXPECT_EQ(list[3].normal[0], 0.0f);
    EXPECT_EQ(list[1].u, 0.0f);  // no pairs in the file
    for (const char* text : {"DDDA\n1.2\n0 0 0", "DDDA\nnan\n0 0 0", "DDDA \n1\n0 0 0", "dddA\n1\n0 0 0", "DDDA", ""}) {
        EXPECT_FALSE(LoadMeshFile(mesh, Write("bad.txt", text).c_str())) << text;
        EXPECT_EQ(TakeLog(), (Lines{"# read error", "bad.txt"})) << text;
    }
}

TEST_F(TextMesh, IndicesOutsideTheirListsDropTheCornerOrTheirPair) {
    // Corners: vertex 7 does not exist, pair 5 does not exist, vertex -1; colour 300 -4 nan.
    MeshObject mesh;
    ASSERT_TRUE(LoadMeshFile(
        mesh, Write("miss.txt", "DDDA\n1\n1 0.5 0.5\n1 300 -4 nan 5  0 0  7 0  1 5  -1 0  2 0.9\n1 3 0 0 0 1 1 1 2 2 2")
                  .c_str()));
    const auto& list = mesh.frames[0].triangles;
    ASSERT_EQ(list.size(), 4u);  // the marker and three corners
    EXPECT_EQ(list[2].position[0], 1.0f);
    EXPECT_EQ(list[2].u, 0.0f);
    EXPECT_EQ(list[3].u, 0.5f);            // 0.9 truncates to pair 0
    EXPECT_EQ(list[1].colour, 0x0000FFu);  // clamped to 0..255
}

TEST_F(TextMesh, CountsTheFileCannotHoldOrThatEndEarlyAreReadErrorsAndHugeProductsMallocErrors) {
    for (const char* text : {"DDDA\n1\n2000000000 1 2", "DDDA\n1\n0\n1 0 0 0 99999999 0 0", "DDDA\n1\n0\n0\n-1",
                             "DDDA\n1\n0\n0\n1 1e300", "DDDA\n1\n0\n0\n2 0\n1 1 1", "DDDA\n1 # nothing after"}) {
        MeshObject mesh;
        EXPECT_FALSE(LoadMeshFile(mesh, Write("liar.txt", text).c_str())) << text;
        EXPECT_EQ(TakeLog(), (Lines{"# read error", "liar.txt"})) << text;
    }
    // One polygon of 4096 corners in 2048 empty frames: 8M list entries from 20 KB.
    std::string text = "DDDA\n1\n0\n1 0 0 0 4096";
    for (int i = 0; i < 4096; ++i) text += " 0 0";
    text += "\n2048";
    for (int i = 0; i < 2048; ++i) text += " 0";
    MeshObject mesh;
    EXPECT_FALSE(LoadMeshFile(mesh, Write("big.txt", text).c_str()));
    EXPECT_EQ(TakeLog(), (Lines{"# malloc error", "big.txt"}));
}

}  // namespace
}  // namespace tvk::test
