// The converter as users run it, on sample models and on models the test writes itself.
#include <gtest/gtest.h>

#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <algorithm>
#include <assimp/Importer.hpp>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>

#include "mesh/mesh_normals.h"
#include "object_file_decoder.h"
#include "support/child_process.h"

namespace tvk {
namespace {

namespace fs = std::filesystem;
using test::LoadedObject;

#define NEED_SAMPLE_MODELS()                                                                           \
    do {                                                                                               \
        if (!fs::is_directory(SAMPLE_MODELS_DIR))                                                      \
            GTEST_SKIP() << "sample models missing: " SAMPLE_MODELS_DIR " (Debian package assimp-testmodels)"; \
    } while (0)

class TvkmeshTest : public ::testing::Test {
protected:
    void SetUp() override { dir_ = test::MakeTempDir() + "/"; }
    void TearDown() override { fs::remove_all(dir_); }

    test::ChildResult Run(const std::vector<std::string>& args) { return test::RunChild(TVKMESH_PATH, args, {}, 120); }

    // Converts and decodes; the result is checked by the caller.
    LoadedObject Convert(const std::string& input, const std::string& option = "") {
        const std::string output = dir_ + "out" + option;
        std::vector<std::string> args;
        if (!option.empty()) args.push_back(option);
        args.insert(args.end(), {input, output});
        const test::ChildResult r = Run(args);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        lastOut_ = r.out;
        LoadedObject object;
        std::string why;
        const auto bytes = test::ReadBytes(output);
        const bool ok = option == "--ddda" ? test::DecodeText(bytes, object, why) : test::DecodeBinary(bytes, object, why);
        EXPECT_TRUE(ok) << why;
        return object;
    }

    void Write(const std::string& name, const std::string& text) { std::ofstream(dir_ + name, std::ios::binary) << text; }

    std::string dir_;
    std::string lastOut_;
};

// What the import library itself counts: triangles of every mesh each time a node places it.
size_t LibraryTriangleCount(const std::string& path) {
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFile(path, aiProcess_Triangulate);
    if (!scene || !scene->mRootNode) return 0;
    size_t count = 0;
    std::vector<const aiNode*> pending{scene->mRootNode};
    while (!pending.empty()) {
        const aiNode* node = pending.back();
        pending.pop_back();
        for (unsigned k = 0; k < node->mNumMeshes; ++k) {
            const aiMesh* mesh = scene->mMeshes[node->mMeshes[k]];
            for (unsigned f = 0; f < mesh->mNumFaces; ++f) count += mesh->mFaces[f].mNumIndices == 3;
        }
        pending.insert(pending.end(), node->mChildren, node->mChildren + node->mNumChildren);
    }
    return count;
}

TEST_F(TvkmeshTest, Md2AnimationBecomesEveryFrame) {
    NEED_SAMPLE_MODELS();
    const std::string md2 = SAMPLE_MODELS_DIR "/MD2/sydney.md2";
    const LoadedObject object = Convert(md2);
    EXPECT_NE(lastOut_.find("198 frames, 679 triangles"), std::string::npos) << lastOut_;
    EXPECT_NE(lastOut_.find("bounding box"), std::string::npos) << lastOut_;
    EXPECT_EQ(object.version, 2.0);
    ASSERT_EQ(object.frames.size(), 198u);
    for (const auto& frame : object.frames) ASSERT_EQ(frame.size(), 679u * 3);
    size_t moved = 0;  // the frames must be the animation, not one key frame repeated
    for (size_t i = 0; i < object.frames[0].size(); ++i)
        moved += object.frames[0][i].position != object.frames[100][i].position;
    EXPECT_GT(moved, object.frames[0].size() / 2);
    const bool textured = std::any_of(object.frames[0].begin(), object.frames[0].end(),
                                      [](const test::LoadedVertex& v) { return v.u != 0 || v.v != 0; });
    EXPECT_TRUE(textured);

    const LoadedObject quantised = Convert(md2, "--v1");
    ASSERT_EQ(quantised.frames.size(), 198u);
    for (size_t f = 0; f < 198; f += 37) {
        ASSERT_EQ(quantised.frames[f].size(), object.frames[f].size());
        const auto& q = quantised.quantisation[f];
        for (size_t i = 0; i < object.frames[f].size(); ++i) {
            for (int axis = 0; axis < 3; ++axis)
                ASSERT_LE(std::fabs(quantised.frames[f][i].position[axis] - object.frames[f][i].position[axis]),
                          q[3 + axis])
                    << "frame " << f << " vertex " << i;
            ASSERT_EQ(quantised.frames[f][i].v, object.frames[f][i].v);
        }
    }
}

TEST_F(TvkmeshTest, SampleModelsKeepEveryTriangleAndTheirMaterialColours) {
    NEED_SAMPLE_MODELS();
    const std::string spider = SAMPLE_MODELS_DIR "/OBJ/spider.obj";
    const size_t spiderTriangles = LibraryTriangleCount(spider);
    ASSERT_GT(spiderTriangles, 0u);
    LoadedObject object = Convert(spider);
    ASSERT_EQ(object.frames.size(), 1u);
    EXPECT_EQ(object.frames[0].size(), spiderTriangles * 3);
    // The material file's diffuse colours, as 0..255 bytes.
    const std::set<uint32_t> expected{211 + 202 * 256 + 197 * 65536, 204 * 0x010101u, 176 + 163 * 256 + 157 * 65536};
    EXPECT_EQ(std::set<uint32_t>(object.colourTable.begin(), object.colourTable.end()), expected);

    for (const char* box : {"/glTF2/BoxTextured-glTF/BoxTextured.gltf", "/glTF/BoxTextured-glTF/BoxTextured.gltf"}) {
        const std::string path = std::string(SAMPLE_MODELS_DIR) + box;
        if (!fs::exists(path)) continue;
        const size_t triangles = LibraryTriangleCount(path);
        ASSERT_EQ(triangles, 12u) << box;
        for (const char* option : {"", "--v1", "--ddda"}) {
            object = Convert(path, option);
            ASSERT_EQ(object.frames.size(), 1u) << box << option;
            EXPECT_EQ(object.frames[0].size(), triangles * 3) << box << option;
            EXPECT_NE(lastOut_.find("1 frame, 12 triangles"), std::string::npos) << lastOut_;
        }
    }
}

std::string Base64(const std::vector<uint8_t>& bytes) {
    static const char* digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (size_t i = 0; i < bytes.size(); i += 3) {
        uint32_t v = uint32_t(bytes[i]) << 16;
        if (i + 1 < bytes.size()) v |= uint32_t(bytes[i + 1]) << 8;
        if (i + 2 < bytes.size()) v |= bytes[i + 2];
        const size_t present = std::min<size_t>(3, bytes.size() - i);
        for (size_t k = 0; k < 4; ++k) out += k <= present ? digits[(v >> (18 - 6 * k)) & 63] : '=';
    }
    return out;
}

// One triangle placed by three nodes, one nested in another: every placement is merged in.
TEST_F(TvkmeshTest, MeshesPlacedByNestedNodesAreMergedAtTheirPlaces) {
    std::vector<uint8_t> buffer;
    for (float c : {0.f, 0.f, 0.f, 1.f, 0.f, 0.f, 0.f, 1.f, 0.f}) {
        uint32_t bits;
        std::memcpy(&bits, &c, 4);
        for (int s = 0; s < 32; s += 8) buffer.push_back(uint8_t(bits >> s));
    }
    Write("nodes.gltf", R"({"asset":{"version":"2.0"},"scene":0,"scenes":[{"nodes":[0,1]}],
 "nodes":[{"mesh":0,"translation":[10,0,0],"children":[2]},{"mesh":0},{"mesh":0,"scale":[2,2,2]}],
 "meshes":[{"primitives":[{"attributes":{"POSITION":0},"material":0}]}],
 "materials":[{"pbrMetallicRoughness":{"baseColorFactor":[1,0.5,0,1]}}],
 "buffers":[{"byteLength":36,"uri":"data:application/octet-stream;base64,)" +
                              Base64(buffer) + R"("}],
 "bufferViews":[{"buffer":0,"byteOffset":0,"byteLength":36}],
 "accessors":[{"bufferView":0,"componentType":5126,"count":3,"type":"VEC3","min":[0,0,0],"max":[1,1,0]}]})");
    const LoadedObject object = Convert(dir_ + "nodes.gltf");
    ASSERT_EQ(object.frames.size(), 1u);
    ASSERT_EQ(object.frames[0].size(), 9u);
    std::set<std::array<float, 3>> corners;
    for (const auto& v : object.frames[0]) {
        corners.insert(v.position);
        EXPECT_EQ(v.colour, 255u + 128 * 256) << "the material's base colour";
        EXPECT_EQ(v.normal[2], 1.0f) << "generated normals, facing +z";
    }
    const std::set<std::array<float, 3>> expected{{0, 0, 0},  {1, 0, 0},  {0, 1, 0},  {10, 0, 0}, {11, 0, 0},
                                                  {10, 1, 0}, {12, 0, 0}, {10, 2, 0}};
    EXPECT_EQ(corners, expected);
}

TEST_F(TvkmeshTest, PolygonsBecomeTrianglesAndPointsAndLinesAreLeftOutWithANote) {
    Write("mixed.obj", "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nf 1 2 3\nf 1 2 3 4\nl 1 3\np 2\n");
    const test::ChildResult r = Run({dir_ + "mixed.obj", dir_ + "mixed.txt", "--ddda"});
    EXPECT_EQ(r.exitCode, 2) << "options come first";
    LoadedObject object = Convert(dir_ + "mixed.obj", "--ddda");
    ASSERT_EQ(object.frames.size(), 1u);
    EXPECT_EQ(object.frames[0].size(), 9u);
    EXPECT_NE(lastOut_.find("1 frame, 3 triangles"), std::string::npos) << lastOut_;
    EXPECT_NE(Run({dir_ + "mixed.obj", dir_ + "x"}).err.find("2 points, lines or broken faces left out"),
              std::string::npos);
}

TEST_F(TvkmeshTest, RefusesUnreadableAndEmptyInputWithoutTouchingTheOutput) {
    const char garbage[] = "\x01\x02\x03 this is not a model \xff\xfe";
    Write("garbage.obj", std::string(garbage, sizeof(garbage) - 1));
    Write("points.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\np 1 2 3\n");
    Write("old.ddd", "keep me");
    for (const char* input : {"garbage.obj", "points.obj", "missing.obj"}) {
        const test::ChildResult r = Run({dir_ + input, dir_ + "old.ddd"});
        EXPECT_NE(r.exitCode, 0) << input;
        EXPECT_EQ(r.exitCode == -1, false) << input << " must not crash";
        EXPECT_NE(r.err.find("tvkmesh: "), std::string::npos) << input;
        EXPECT_NE(r.err.find(input), std::string::npos) << r.err;
        EXPECT_EQ(test::ReadFile(dir_ + "old.ddd"), "keep me") << input;
    }
    EXPECT_NE(Run({dir_ + "points.obj", dir_ + "x"}).err.find("no triangles"), std::string::npos);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 3) << "no files left behind";

    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{}, {"one"}, {"--v2", "a", "b"}, {"--v1", "--ddda", "a", "b"}, {"a", "b", "c"}}) {
        const test::ChildResult r = Run(bad);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_NE(r.err.find("usage: tvkmesh"), std::string::npos);
    }
}

}  // namespace
}  // namespace tvk
