// The encoders on small models: the bytes against the format, and what a reader gets back.
#include <gtest/gtest.h>

#include <unistd.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <filesystem>

#include "colour_table.h"
#include "mesh/mesh_normals.h"
#include "mesh_file_writer.h"
#include "object_file_decoder.h"
#include "replace_file.h"
#include "support/child_process.h"

namespace tvk::meshtool {
namespace {

using test::LoadedObject;

// Two frames of two triangles, three colours, texture pairs with distinct u and v.
MeshModel TinyModel() {
    MeshModel model;
    ModelFrame a;
    a.positions = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {-1.5f, 2.25f, 3}, {4, -5, 6.125f}};
    a.normals = {{0, 0, 1}, {0, 0, 2}, {0, 0, 1}, {1, 0, 0}, {0, 1, 0}, {0, -1, 0}};
    ModelFrame b = a;
    for (auto& p : b.positions) p[0] += 10;
    model.frames = {a, b};
    model.texCoords = {{0.25f, 0.75f}, {0.5f, 0.125f}, {1, 0}, {0, 1}, {0.1f, 0.2f}, {0.3f, 0.4f}};
    model.colours = {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0x0000FF, 0x0000FF, 0x123456};
    return model;
}

std::vector<uint8_t> Encode(const MeshModel& model, MeshFileFormat format) {
    std::vector<uint8_t> out;
    std::string error;
    EXPECT_TRUE(EncodeMeshFile(model, format, out, error)) << error;
    return out;
}

uint32_t U32At(const std::vector<uint8_t>& b, size_t at) {
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}
float F32At(const std::vector<uint8_t>& b, size_t at) { return std::bit_cast<float>(U32At(b, at)); }
double F64At(const std::vector<uint8_t>& b, size_t at) {
    return std::bit_cast<double>(uint64_t(U32At(b, at)) | uint64_t(U32At(b, at + 4)) << 32);
}

int TableIndexOf(float x, float y, float z) {
    for (int i = 0; i < kMeshNormalCount; ++i)
        if (kMeshNormals[i][0] == x && kMeshNormals[i][1] == y && kMeshNormals[i][2] == z) return i;
    return -1;
}

TEST(MeshFileWriter, FloatVertexFileFollowsTheLayoutByteForByte) {
    const MeshModel model = TinyModel();
    const std::vector<uint8_t> b = Encode(model, MeshFileFormat::Binary);
    ASSERT_EQ(b.size(), 24u + 3 * 4 + 6 * 8 + 2 * (4 + 6 * 14));
    EXPECT_EQ(b[0], 0x17);  // magic 13021975, little-endian
    EXPECT_EQ(b[1], 0xB3);
    EXPECT_EQ(b[2], 0xC6);
    EXPECT_EQ(b[3], 0x00);
    EXPECT_EQ(F64At(b, 4), 2.0);
    EXPECT_EQ(U32At(b, 12), 2u);  // frames
    EXPECT_EQ(U32At(b, 16), 3u);  // colours, most used first
    EXPECT_EQ(U32At(b, 20), 6u);  // one texture pair per vertex
    EXPECT_EQ(U32At(b, 24), 0xFFFFFFu);
    EXPECT_EQ(U32At(b, 28), 0x0000FFu);
    EXPECT_EQ(U32At(b, 32), 0x123456u);
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(F32At(b, 36 + i * 8), model.texCoords[i][0]);
        EXPECT_EQ(F32At(b, 40 + i * 8), -model.texCoords[i][1]);
    }
    const uint8_t colourIndex[6] = {0, 0, 0, 1, 1, 2};
    const int up = TableIndexOf(0, 0, 1), east = TableIndexOf(1, 0, 0), north = TableIndexOf(0, 1, 0),
              south = TableIndexOf(0, -1, 0);
    ASSERT_TRUE(up >= 0 && east >= 0 && north >= 0 && south >= 0);
    const int normalIndex[6] = {up, up, up, east, north, south};
    size_t at = 84;
    for (const ModelFrame& frame : model.frames) {
        EXPECT_EQ(U32At(b, at), 6u);
        at += 4;
        for (size_t i = 0; i < 6; ++i, at += 14) {
            for (int axis = 0; axis < 3; ++axis) EXPECT_EQ(F32At(b, at + 4 * axis), frame.positions[i][axis]);
            EXPECT_EQ(b[at + 12], normalIndex[i]) << "vertex " << i;
            EXPECT_EQ(b[at + 13], colourIndex[i]) << "vertex " << i;
        }
    }
    EXPECT_EQ(at, b.size());
}

TEST(MeshFileWriter, NormalIndexIsTheNearestTableEntry) {
    for (int i = 0; i < kMeshNormalCount; ++i) {
        const float* n = kMeshNormals[i];
        EXPECT_EQ(NearestNormalIndex({n[0], n[1], n[2]}), i);
        EXPECT_EQ(NearestNormalIndex({n[0] * 7, n[1] * 7, n[2] * 7}), i) << "length must not matter";
        EXPECT_EQ(NearestNormalIndex({n[0] + 0.02f, n[1] - 0.02f, n[2] + 0.01f}), i);
    }
    EXPECT_EQ(NearestNormalIndex({0, 0, 0}), 0);
    EXPECT_EQ(NearestNormalIndex({NAN, 1, 0}), 0);
    EXPECT_EQ(NearestNormalIndex({INFINITY, 0, 0}), 0);
}

// A reader of a quantised file gets every position back within one step of its frame and axis,
// and the same texture pair as from a float file.
TEST(MeshFileWriter, QuantisedFramesComeBackWithinOneStep) {
    MeshModel model;
    ModelFrame far;  // far from the origin, a flat axis, and a wide one
    ModelFrame wide;
    for (int i = 0; i < 300; ++i) {
        const float t = float(i) / 299;
        far.positions.push_back({1000 + 3.7f * std::sin(float(i)), 42.5f, -20000 + 50000 * t * t});
        wide.positions.push_back({-1e6f * t, 1e-3f * std::cos(float(i)), float(i % 7) - 3});
    }
    far.normals.assign(300, {0, 1, 0});
    wide.normals.assign(300, {0, 0, -1});
    model.frames = {far, wide};
    for (int i = 0; i < 300; ++i) model.texCoords.push_back({float(i) / 300, 1 - float(i) / 600});

    LoadedObject quantised, exact;
    std::string why;
    ASSERT_TRUE(test::DecodeBinary(Encode(model, MeshFileFormat::QuantisedBinary), quantised, why)) << why;
    ASSERT_TRUE(test::DecodeBinary(Encode(model, MeshFileFormat::Binary), exact, why)) << why;
    EXPECT_GE(quantised.version, 1.02);
    EXPECT_LT(quantised.version, 2.0);
    ASSERT_EQ(quantised.frames.size(), 2u);
    for (size_t f = 0; f < 2; ++f) {
        const auto& positions = model.frames[f].positions;
        for (int axis = 0; axis < 3; ++axis) {
            float lo = positions[0][axis], hi = lo;
            for (const auto& p : positions) lo = std::min(lo, p[axis]), hi = std::max(hi, p[axis]);
            const float step = (hi - lo) / 255;
            for (size_t i = 0; i < positions.size(); ++i) {
                const float got = quantised.frames[f][i].position[axis];
                if (step == 0) EXPECT_EQ(got, lo);
                else EXPECT_LE(std::fabs(got - positions[i][axis]), step) << "frame " << f << " axis " << axis;
            }
        }
        for (size_t i = 0; i < positions.size(); ++i) {
            EXPECT_EQ(quantised.frames[f][i].u, exact.frames[f][i].u);
            EXPECT_EQ(quantised.frames[f][i].v, exact.frames[f][i].v);
            EXPECT_EQ(exact.frames[f][i].v, -model.texCoords[i][1]);
            EXPECT_EQ(quantised.frames[f][i].normalIndex, exact.frames[f][i].normalIndex);
        }
    }
}

TEST(MeshFileWriter, TextFileReadsBackAsTheModel) {
    const MeshModel model = TinyModel();
    const std::vector<uint8_t> bytes = Encode(model, MeshFileFormat::Text);
    ASSERT_GE(bytes.size(), 6u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 6), "DDDA\r\n");
    LoadedObject object;
    std::string why;
    ASSERT_TRUE(test::DecodeText(bytes, object, why)) << why;
    EXPECT_EQ(object.version, 1.1);
    ASSERT_EQ(object.frames.size(), 2u);
    for (size_t f = 0; f < 2; ++f) {
        ASSERT_EQ(object.frames[f].size(), 6u);
        for (size_t i = 0; i < 6; ++i) {
            const test::LoadedVertex& v = object.frames[f][i];
            EXPECT_EQ(v.position, model.frames[f].positions[i]) << "exact decimal form";
            const auto& n = model.frames[f].normals[i];
            const float length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
            for (int axis = 0; axis < 3; ++axis) EXPECT_FLOAT_EQ(v.normal[axis], n[axis] / length);
            EXPECT_EQ(v.u, model.texCoords[i][0]);
            EXPECT_EQ(v.v, -model.texCoords[i][1]);
            EXPECT_EQ(v.colour, model.colours[i - i % 3]) << "a triangle takes its first corner's colour";
        }
    }
}

TEST(MeshFileWriter, ModelWithoutTexturesOrColoursGetsZeroPairsAndWhite) {
    MeshModel model = TinyModel();
    model.texCoords.clear();
    model.colours.clear();
    LoadedObject object;
    std::string why;
    ASSERT_TRUE(test::DecodeBinary(Encode(model, MeshFileFormat::Binary), object, why)) << why;
    EXPECT_EQ(object.colourTable, std::vector<uint32_t>{0xFFFFFF});
    for (const auto& v : object.frames[1]) {
        EXPECT_EQ(v.u, 0);
        EXPECT_EQ(v.v, 0);
        EXPECT_EQ(v.colour, 0xFFFFFFu);
    }
}

TEST(MeshFileWriter, RefusesModelsTheFormatCannotHold) {
    auto refused = [](const MeshModel& model, const char* what) {
        for (auto format : {MeshFileFormat::Binary, MeshFileFormat::QuantisedBinary, MeshFileFormat::Text}) {
            std::vector<uint8_t> out{1, 2, 3};
            std::string error;
            EXPECT_FALSE(EncodeMeshFile(model, format, out, error)) << what;
            EXPECT_FALSE(error.empty()) << what;
            EXPECT_TRUE(out.empty()) << what;
        }
    };
    refused(MeshModel(), "no frames");
    MeshModel m = TinyModel();
    m.frames[0].positions.clear();
    m.frames[0].normals.clear();
    refused(m, "no triangles");
    m = TinyModel();
    m.frames[1].positions.pop_back();
    m.frames[1].normals.pop_back();
    refused(m, "frames of different lengths");
    m = TinyModel();
    for (auto& f : m.frames) f.positions.pop_back(), f.normals.pop_back();
    m.texCoords.pop_back();
    m.colours.pop_back();
    refused(m, "not whole triangles");
    m = TinyModel();
    m.frames[0].normals.pop_back();
    refused(m, "normals missing");
    m = TinyModel();
    m.texCoords.pop_back();
    refused(m, "texture pairs missing");
    m = TinyModel();
    m.colours.push_back(0);
    refused(m, "colours left over");
    m = TinyModel();
    m.frames[1].positions[2][1] = NAN;
    refused(m, "NaN position");
    m = TinyModel();
    m.frames[0].positions[0][0] = INFINITY;
    refused(m, "infinite position");
    m = TinyModel();
    m.texCoords[3][0] = NAN;
    refused(m, "NaN texture coordinate");
}

TEST(ColourTable, KeepsUpTo256ColoursAndMapsTheRestToTheNearestKeptOne) {
    std::vector<uint32_t> colours;
    for (uint32_t i = 0; i < 256; ++i) colours.insert(colours.end(), 3, i * 0x010101);  // greys, 3 uses
    ColourTable exact = BuildColourTable(colours);
    EXPECT_EQ(exact.colours.size(), 256u);
    EXPECT_EQ(exact.distinctBefore, 256u);
    for (size_t i = 0; i < colours.size(); ++i) EXPECT_EQ(exact.colours[exact.indices[i]], colours[i]);

    colours.push_back(0x0000FE);  // rare colours: near red, and a near-grey
    colours.push_back(0x0A0B0A);
    colours.push_back(0xFF000000 | 0x202020);  // high bits are never part of a colour
    ColourTable reduced = BuildColourTable(colours);
    ASSERT_EQ(reduced.colours.size(), kMaxColours);
    EXPECT_EQ(reduced.distinctBefore, 258u);
    ASSERT_EQ(reduced.indices.size(), colours.size());
    for (size_t i = 0; i < 768; ++i) EXPECT_EQ(reduced.colours[reduced.indices[i]], colours[i]);
    EXPECT_EQ(reduced.colours[reduced.indices[768]], 0x555555u);  // nearest grey to (254, 0, 0)
    EXPECT_EQ(reduced.colours[reduced.indices[769]], 0x0A0A0Au);
    EXPECT_EQ(reduced.colours[reduced.indices[770]], 0x202020u);
}

class ReplaceFileTest : public ::testing::Test {
protected:
    void SetUp() override { dir_ = test::MakeTempDir(); }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    size_t Entries() const {
        size_t n = 0;
        for (auto it = std::filesystem::directory_iterator(dir_); it != std::filesystem::directory_iterator(); ++it) ++n;
        return n;
    }
    std::string dir_;
};

TEST_F(ReplaceFileTest, ReplacesWholeFilesAndLeavesNothingBehindOnFailure) {
    const std::string path = dir_ + "/out.ddd";
    std::string error;
    ASSERT_TRUE(ReplaceFile(path, {1, 2, 3, 4, 5}, error)) << error;
    ASSERT_TRUE(ReplaceFile(path, {9, 8}, error)) << error;
    EXPECT_EQ(test::ReadBytes(path), (std::vector<uint8_t>{9, 8}));
    EXPECT_EQ(Entries(), 1u) << "no temporary file left";

    std::filesystem::create_directory(dir_ + "/taken");
    std::filesystem::create_directory(dir_ + "/taken/inside");
    EXPECT_FALSE(ReplaceFile(dir_ + "/taken", {1}, error));
    EXPECT_NE(error.find("taken"), std::string::npos) << error;
    EXPECT_TRUE(std::filesystem::is_directory(dir_ + "/taken/inside"));
    EXPECT_FALSE(ReplaceFile(dir_ + "/missing/out.ddd", {1}, error));
    EXPECT_EQ(Entries(), 2u) << "no temporary file left";
}

}  // namespace
}  // namespace tvk::meshtool
