// The multi-mesh file: names relative to its folder, texture indices, meshes loaded and
// finished, from loose files and from the archive appended to a program.
#include <gtest/gtest.h>

#include "archive_writer.h"
#include "files/resolver.h"
#include "mesh/mesh_file.h"
#include "mesh/mesh_finish.h"
#include "mesh/multi_mesh_file.h"
#include "mesh_test_support.h"

namespace tvk::test {
namespace {

class MultiMesh : public MeshScratch {
protected:
    void SetUp() override {
        MeshScratch::SetUp();
        g_memoryResolver = CreateMemoryResolver();
    }
    void TearDown() override {
        ReleaseResolver(g_memoryResolver);
        delete g_memoryResolver;
        g_memoryResolver = nullptr;
        MeshScratch::TearDown();
    }
};

std::string BinaryTriangle(float x) {
    MeshFileWriter w;
    w.Header(2.0, 1, 1, 0).U32(0x00FF00).U32(3);
    w.V2Vertex(x, 0, 0, 5, 0).V2Vertex(x + 1, 0, 0, 5, 0).V2Vertex(x, 1, 0, 5, 0);
    return std::string(w.bytes.begin(), w.bytes.end());
}

const char kQuadText[] = "DDDA\n1\n0\n1 255 255 255 4 0 0 1 0 2 0 3 0\n1 4 0 0 0 1 0 0 1 1 0 0 1 0";

const char kShip[] =
    ";DDW ship\r\n"
    "[textures]\r\n"
    "count=2\r\n"
    "1=hull.png\r\n"
    "2=sub/glass.png\r\n"
    "[Objects]\r\n"
    "Count = 2\r\n"
    "1=hull.ddd\r\n"
    "1ta=1\r\n"
    "2=wing.txt\r\n"
    "2tb=1\r\n";

TEST_F(MultiMesh, NamesAreTakenFromTheFilesFolderAndEachMeshIsLoadedAndFinished) {
    Write("models/ship.ini", kShip);
    Write("models/hull.ddd", BinaryTriangle(5));
    Write("models/wing.txt", kQuadText);
    MultiMeshFile file;
    ASSERT_TRUE(LoadMultiMeshFile("models/ship.ini", file, kFlatNormals));
    EXPECT_EQ(file.textureFiles, (std::vector<std::string>{"models/hull.png", "models/sub/glass.png"}));
    ASSERT_EQ(file.parts.size(), 2u);
    EXPECT_EQ(file.parts[0].fileName, "models/hull.ddd");
    EXPECT_EQ(file.parts[0].textureA, 1);
    EXPECT_EQ(file.parts[0].textureB, 0);
    EXPECT_EQ(file.parts[1].textureA, 0);
    EXPECT_EQ(file.parts[1].textureB, 1);
    const MeshObjectX& hull = *file.parts[0].mesh;
    ASSERT_TRUE(hull.loaded && hull.finished);
    EXPECT_EQ(hull.frames[0].triangles[0].position[0], 5.0f);
    EXPECT_EQ(hull.triangleCount, 1u);
    const MeshObjectX& wing = *file.parts[1].mesh;
    ASSERT_TRUE(wing.loaded && wing.finished);
    EXPECT_EQ(wing.triangleCount, 2u);  // the quad, markers gone
    EXPECT_NEAR(wing.frames[0].triangles[0].normal[2], 1.0, 1e-6);
}

TEST_F(MultiMesh, MeshesAndTheFileItselfCanComeFromTheProgramsArchive) {
    // The file and both meshes exist only in the archive; they resolve to mem:// names one after
    // another on the same resolver, so the file's text must be kept before the first mesh.
    const std::string prefix = "\x7f" "ELF a program";
    std::vector<pack::PackEntry> entries = {{"ship.ini", {kShip, kShip + sizeof kShip - 1}},
                                            {"HULL.DDD", {}},
                                            {"wing.txt", {kQuadText, kQuadText + sizeof kQuadText - 1}}};
    const std::string hull = BinaryTriangle(2);
    entries[1].data.assign(hull.begin(), hull.end());
    std::vector<uint8_t> archive;
    std::string error;
    ASSERT_TRUE(pack::BuildArchive(entries, pack::OffsetStyle::FromEnd, int64_t(prefix.size()), archive, error))
        << error;
    const std::string program = root_ + "program";
    Write(program, prefix + std::string(archive.begin(), archive.end()));
    SetArchiveNames(program.c_str(), nullptr);

    MultiMeshFile file;
    ASSERT_TRUE(LoadMultiMeshFile("gfx/ship.ini", file, kKeepNormals));
    EXPECT_EQ(file.textureFiles[0], "gfx/hull.png");
    ASSERT_EQ(file.parts.size(), 2u);
    EXPECT_TRUE(file.parts[0].mesh->loaded);
    EXPECT_EQ(file.parts[0].mesh->frames[0].triangles[1].position[0], 3.0f);
    EXPECT_TRUE(file.parts[1].mesh->loaded);
    EXPECT_TRUE(IsMultiMeshFile(ResolveFileName(g_memoryResolver, "ship.ini")));
    EXPECT_FALSE(IsMultiMeshFile(ResolveFileName(g_memoryResolver, "wing.txt")));
}

TEST_F(MultiMesh, HostileCountsNamesAndIndicesStayInsideTheLists) {
    EXPECT_EQ(MultiMeshFolder("a\\b/c\\ship.ini"), "a\\b/c\\");
    EXPECT_EQ(MultiMeshFolder("ship.ini"), "");
    MultiMeshFile file;
    ParseMultiMeshText(";DDW\n[textures]\ncount=1\n1=a.png\n[objects]\ncount=99999999\n1=a.ddd\n1ta=1\n1tb=-7\n"
                       "3=c.ddd\n3ta=0\n",
                       "dir/", file);
    ASSERT_EQ(file.parts.size(), size_t(kMaxMultiMeshParts));
    EXPECT_EQ(file.parts[0].textureA, -1);  // only texture 0 exists
    EXPECT_EQ(file.parts[0].textureB, -1);
    EXPECT_TRUE(file.parts[1].fileName.empty());
    EXPECT_EQ(file.parts[2].fileName, "dir/c.ddd");
    EXPECT_EQ(file.parts[2].textureA, 0);
    ParseMultiMeshText(";DDW\n[textures]\ncount=-3\n[objects]\ncount=junk\n", "", file);
    EXPECT_TRUE(file.textureFiles.empty());
    EXPECT_TRUE(file.parts.empty());
    // No texture at all: the default index 0 names nothing.
    ParseMultiMeshText(";DDW\n[objects]\ncount=1\n1=x.ddd\n", "", file);
    EXPECT_EQ(file.parts[0].textureA, -1);
}

TEST_F(MultiMesh, AFileWhoseMeshesAllFailDoesNotLoadButKeepsItsParts) {
    Write("bad.ini", ";DDW\n[objects]\ncount=2\n1=missing.ddd\n2=broken.ddd\n");
    Write("broken.ddd", "DDDA\n7\n");
    MultiMeshFile file;
    EXPECT_FALSE(LoadMultiMeshFile("bad.ini", file, kKeepNormals));
    ASSERT_EQ(file.parts.size(), 2u);
    EXPECT_FALSE(file.parts[1].mesh->loaded);
    EXPECT_EQ(TakeLog(), (std::vector<std::string>{"# read error", "broken.ddd"}));
    EXPECT_FALSE(LoadMultiMeshFile("absent.ini", file, kKeepNormals));
    EXPECT_TRUE(file.parts.empty());
}

}  // namespace
}  // namespace tvk::test
