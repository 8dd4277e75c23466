// 3D objects through a known camera: built and loaded objects land where the test's own projection
// puts them, with their colours, textures, light, blended frames and shadow volumes.
#include "gfx3d/scene_fixture.h"

#include <cmath>
#include <cstring>
#include <fstream>
#include <set>

#include "gfx2d/sprite_slots.h"
#include "gfx2d/sprite_upload.h"
#include "mesh/mesh_test_support.h"
#include "tarnvik/core.h"

namespace {

using tvk::test::SceneTest;
constexpr RtInt kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000;

class Objects : public SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        Start3D(1, 100, 60);
        SetCamera(0, 0, 10, 0, 0, 0);
    }
    void TearDown() override {
        KeepPictureIfAsked();
        tvk::ResetSlot(1);
        SceneTest::TearDown();
    }
    // A triangle in the plane z = 0, counter-clockwise seen from the camera.
    static void Triangle(int index, RtInt c0, RtInt c1, RtInt c2, float dx = 0) {
        StartObject(index);
        AddObjectVertex(-1 + dx, -1, 0, 0, 0, c0);
        AddObjectVertex(1 + dx, -1, 0, 0, 0, c1);
        AddObjectVertex(dx, 1, 0, 0, 0, c2);
        EndObject();
    }
    // A white square of side 4 at the origin, texture coordinates 0..1 from its top-left corner.
    static void TexturedSquare(int index) {
        StartObject(index);
        AddObjectVertex(-2, 2, 0, 0, 0, -1);
        AddObjectVertex(-2, -2, 0, 0, 1, -1);
        AddObjectVertex(2, -2, 0, 1, 1, -1);
        AddObjectVertex(-2, 2, 0, 0, 0, -1);
        AddObjectVertex(2, -2, 0, 1, 1, -1);
        AddObjectVertex(2, 2, 0, 1, 0, -1);
        EndObject();
    }
    // Camera space is world space shifted by the eye at z = 10.
    static uint32_t At(double x, double y) {
        auto p = Project(60, x, y, -10);
        return Rgb(p.x, p.y);
    }
    static int Brightness(double x, double y) {
        uint32_t c = At(x, y);
        return int(c & 255) + int((c >> 8) & 255) + int((c >> 16) & 255);
    }
};

TEST_F(Objects, ABuiltTriangleLandsWhereTheProjectionPutsItInItsVertexColours) {
    Triangle(0, kRed, kRed, kRed);
    EXPECT_EQ(GetObjectTriangleCount(0), 1);
    EXPECT_EQ(FindFreeObject(), 1);
    EXPECT_EQ(DrawObject(0, 0), 1);
    EXPECT_EQ(At(0, -0.5), uint32_t(kRed));
    EXPECT_EQ(At(0.9, 0.9), 0u);
    EXPECT_EQ(At(-1.1, -0.5), 0u);

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    Triangle(1, kRed, kGreen, kBlue);
    DrawObject(1, 0);
    auto Near = [](uint32_t c, int channel) { return int((c >> (8 * channel)) & 255); };
    EXPECT_GT(Near(At(-0.85, -0.95), 0), 200) << "red at its corner";
    EXPECT_GT(Near(At(0.85, -0.95), 1), 200) << "green at its corner";
    EXPECT_GT(Near(At(0, 0.9), 2), 200) << "blue at its corner";
    uint32_t middle = At(0, -0.33);
    for (int channel = 0; channel < 3; ++channel) EXPECT_NEAR(Near(middle, channel), 85, 30) << channel;
}

TEST_F(Objects, TextureCoordinatesRunFromThePicturesTopLeftCorner) {
    // Quarters red, green / blue, white, in a picture as large as its texture: object coordinates
    // run over the whole texture.
    tvk::RgbaImage image;
    ASSERT_TRUE(image.Allocate(64, 64));
    const uint32_t quarters[4] = {0xFF0000FF, 0xFF00FF00, 0xFFFF0000, 0xFFFFFFFF};
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) std::memcpy(image.Pixel(x, y), &quarters[(y / 32) * 2 + x / 32], 4);
    ASSERT_TRUE(tvk::UploadImageToSlot(1, image, false));
    ASSERT_EQ(tvk::FindSlot(1)->textureWidth, 64);
    TexturedSquare(0);
    SetTexture3D(1, -1);
    DrawObject(0, 0);
    EXPECT_EQ(At(-1, 1), 0x0000FFu);
    EXPECT_EQ(At(1, 1), 0x00FF00u);
    EXPECT_EQ(At(-1, -1), 0xFF0000u);
    EXPECT_EQ(At(1, -1), 0xFFFFFFu);
}

// A sphere of radius 2 at the origin with smooth normals, in one colour.
static void Sphere(int index, RtInt colour) {
    SetNormalMode(2);
    StartObject(index);
    const int rings = 16, segments = 24;
    auto Point = [&](int ring, int segment) {
        double theta = M_PI * ring / rings, phi = 2 * M_PI * segment / segments;
        AddObjectVertex(2 * std::sin(theta) * std::cos(phi), 2 * std::cos(theta), 2 * std::sin(theta) * std::sin(phi),
                        0, 0, colour);
    };
    for (int ring = 0; ring < rings; ++ring)
        for (int segment = 0; segment < segments; ++segment) {
            Point(ring, segment), Point(ring + 1, segment + 1), Point(ring + 1, segment);
            Point(ring, segment), Point(ring, segment + 1), Point(ring + 1, segment + 1);
        }
    EndObject();
    SetNormalMode(0);
}

TEST_F(Objects, ASmoothSphereIsDarkerOnTheSideAwayFromTheLight) {
    Sphere(0, 0xFFFFFF);
    SetLight(0, 0xFFFFFF, 10, 0, 4, 0, 0, 0, 120);  // a point light on the right
    DrawObject(0, 0);
    SetLight(0, 0, 0, 0, 0, 0, 0, 0, 0);
    int lit = Brightness(1.5, 0), far = Brightness(-1.5, 0);
    EXPECT_GT(lit, 0);
    EXPECT_GT(lit, far + 100) << "lit " << lit << ", far side " << far;
}

TEST_F(Objects, LoadedFramesBlendOnlyTheirPositionsAndObjectsOutOfViewAreNotDrawn) {
    // Two frames of one triangle, the second moved 2 to the right; red in both.
    tvk::test::MeshFileWriter file;
    file.Header(2.0, 2, 1, 0).U32(kRed);
    for (float dx : {0.0f, 2.0f}) {
        file.U32(3);
        file.V2Vertex(-1 + dx, -1, 0, 0, 0).V2Vertex(1 + dx, -1, 0, 0, 0).V2Vertex(dx, 1, 0, 0, 0);
    }
    const std::string path = tempDir_ + "/two_frames.ddd";
    std::ofstream(path, std::ios::binary) << file.bytes;
    LoadObject(path.c_str(), 5);
    ASSERT_EQ(GetErrorCode(), 0);
    EXPECT_EQ(GetObjectTriangleCount(5), 1);
    DrawObjectBlend(5, 0, 1, 0.5, 0);  // halfway: centred on x = 1
    EXPECT_EQ(At(1, -0.5), uint32_t(kRed));
    EXPECT_EQ(At(-0.5, -0.9), 0u);
    EXPECT_EQ(At(2.5, -0.9), 0u);

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    DrawObject(5, 7);  // past the last frame: the last
    EXPECT_EQ(At(2, -0.5), uint32_t(kRed));
    SetObjectPosition(0, 0, 40);  // behind the camera
    EXPECT_EQ(DrawObject(5, 0), 0);
    SetObjectPosition(0, 0, 0);
    EXPECT_EQ(DrawObject(99, 0), 0);
    EXPECT_EQ(DrawObject(-1, 0), 0);
    EXPECT_EQ(DrawObject(NAN, 0), 0);
    StartObject(1e9);
    EXPECT_EQ(GetErrorCode(), 7) << "an object number past the table";
    LoadObject("no such file.ddd", 6);
    EXPECT_EQ(GetErrorCode(), 3);
    const std::string garbage = tempDir_ + "/garbage.ddd";
    std::ofstream(garbage, std::ios::binary) << "not a mesh";
    ::testing::internal::CaptureStderr();
    LoadObject(garbage.c_str(), 6);
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("garbage.ddd: not a 3D object"), std::string::npos)
        << "a file that is there but does not load says so";
    EXPECT_EQ(GetErrorCode(), 3);
    EXPECT_EQ(FindFreeObject(), 0);
}

TEST_F(Objects, AShadowVolumeDarkensTheShadowedPixelsAndNoOthers) {
    // A floor facing up at y = -2, seen from above and in front; a small triangle above it with a
    // light straight over both.
    SetCamera(0, 6, 10, 0, -2, 0);
    StartObject(0);
    AddObjectVertex(-6, -2, -6, 0, 0, 0x808080);
    AddObjectVertex(-6, -2, 6, 0, 0, 0x808080);
    AddObjectVertex(6, -2, 6, 0, 0, 0x808080);
    AddObjectVertex(-6, -2, -6, 0, 0, 0x808080);
    AddObjectVertex(6, -2, 6, 0, 0, 0x808080);
    AddObjectVertex(6, -2, -6, 0, 0, 0x808080);
    EndObject();
    StartObject(1);
    AddObjectVertex(-1, 0, -1, 0, 0, 0x0000FF);
    AddObjectVertex(-1, 0, 1, 0, 0, 0x0000FF);
    AddObjectVertex(1, 0, 0, 0, 0, 0x0000FF);
    EndObject();
    DrawObject(0, 0);
    DrawObject(1, 0);
    // Floor pixels under the triangle (seen past its edge) and far from it.
    auto floorPixel = [&](float x, float z) {
        float eye[3] = {0, 6, 10}, target[3] = {0, -2, 0}, up[3] = {0, 1, 0};
        tvk::Matrix4 view = tvk::LookAtMatrix(eye, target, up);
        float p[3] = {x, -2, z}, c[3];
        tvk::TransformPoint(view, p, c);
        return Project(60, c[0], c[1], c[2]);
    };
    auto shadowed = floorPixel(-0.3f, 0.4f), open = floorPixel(4, 3);
    const uint32_t before = Rgb(shadowed.x, shadowed.y), openBefore = Rgb(open.x, open.y);
    SetLight(-3, 0xFFFFFF, 0, 20, 0, 0, 0, 0, 1);  // the shadow light, straight above: the pass opens
    DrawObject(1, 0);
    SetLight(-3, 0, 0, 20, 0, 0, 0, 0, 0);  // and ends, darkening what the volumes marked
    EXPECT_EQ(Rgb(open.x, open.y), openBefore);
    EXPECT_LT(Rgb(shadowed.x, shadowed.y) & 255, (before & 255) - 20) << std::hex << before;

    // A caster out of view still throws its shadow: its volume is drawn, not rejected.
    SetLight(-3, 0xFFFFFF, 0, 20, 0, 0, 0, 0, 1);
    SetObjectPosition(0, 0, 40);
    EXPECT_EQ(DrawObject(1, 0), 1);
    SetLight(-3, 0, 0, 20, 0, 0, 0, 0, 0);
    SetObjectPosition(0, 0, 0);
    EXPECT_EQ(DrawObject(1, 0), 1);
}

TEST_F(Objects, ToonShadingLightsInBandsFromTheShadowLight) {
    Sphere(0, 0xFFFFFF);
    SetLight(-2, 0xFFFFFF, 10, 0, 4, 0, 0, 0, 1);  // the shadow light in toon mode
    DrawObject(0, 0);
    SetLight(-2, 0, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_GT(Brightness(1.5, 0), Brightness(-1.5, 0) + 100);
    // Across the sphere the brightness steps between a few bands instead of falling smoothly.
    std::set<int> levels;
    for (double x = -1.9; x <= 1.9; x += 0.05) levels.insert(Brightness(x, 0));
    EXPECT_LE(levels.size(), 12u);
    EXPECT_GE(levels.size(), 2u);
}

TEST_F(Objects, BumpMappingLightsTheNormalMapFromTheShadowLight) {
    // A white picture and a flat normal map (every normal straight out of the surface).
    tvk::RgbaImage white, flat;
    ASSERT_TRUE(white.Allocate(64, 64));
    ASSERT_TRUE(flat.Allocate(64, 64));
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const uint32_t w = 0xFFFFFFFF, n = 0xFFFF8080;
            std::memcpy(white.Pixel(x, y), &w, 4);
            std::memcpy(flat.Pixel(x, y), &n, 4);
        }
    ASSERT_TRUE(tvk::UploadImageToSlot(1, white, false));
    ASSERT_TRUE(tvk::UploadImageToSlot(2, flat, false));
    SetNormalMode(1);  // the light vectors are taken in the frame of each vertex's normal
    TexturedSquare(0);
    SetNormalMode(0);
    SetTexture3D(1, 2);  // colour on unit 1, normal map on unit 0
    SetLight(-1, 0xFFFFFF, 0, 0, 10, 0, 0, 0, 1);  // straight in front: full light
    DrawObject(0, 0);
    const int facing = Brightness(0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    SetLight(-1, 0xFFFFFF, 30, 0, 1, 0, 0, 0, 1);  // almost along the surface
    DrawObject(0, 0);
    const int grazing = Brightness(0, 0);
    SetLight(-1, 0, 0, 0, 0, 0, 0, 0, 0);
    tvk::ResetSlot(2);
    EXPECT_GT(facing, 600) << "a normal facing the light is lit fully";
    EXPECT_LT(grazing, facing - 200) << "grazing light lights it less";
}

}  // namespace
