// Billboards and 3D text face the camera, land where the projection puts them, and leave the
// scene's culling and lighting as they found them.
#include "gfx3d/scene_fixture.h"

#include <cstring>

#include "gfx2d/fonts.h"
#include "gfx2d/sprite_slots.h"
#include "gfx2d/sprite_upload.h"

namespace {

using Facing = tvk::test::SceneTest;

struct Box {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
    int count = 0;
};

class CameraFacing : public Facing {
protected:
    void SetUp() override {
        Facing::SetUp();
        tvk::RgbaImage image;
        ASSERT_TRUE(image.Allocate(32, 32));
        const uint32_t red = 0xFF0000FF;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) std::memcpy(image.Pixel(x, y), &red, 4);
        ASSERT_TRUE(tvk::UploadImageToSlot(1, image, false));
        tvk::BuildBuiltinFont(0);
        SetFont(0);
    }
    void TearDown() override {
        KeepPictureIfAsked();
        tvk::ResetSlot(1);
        Facing::TearDown();
    }
    // The bounds of every pixel that is not black.
    static Box LitPixels() {
        Box b;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                if (Rgb(x, y) != 0) {
                    b.left = std::min(b.left, x), b.right = std::max(b.right, x);
                    b.top = std::min(b.top, y), b.bottom = std::max(b.bottom, y);
                    ++b.count;
                }
        return b;
    }
};

TEST_F(CameraFacing, ABillboardStandsOnItsPointFacingTheCameraFromEverySide) {
    Start3D(1, 100, 60);
    SetCullMode(1);
    for (int side = 0; side < 2; ++side) {
        SCOPED_TRACE(side ? "camera on the x axis" : "camera on the z axis");
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        if (side) SetCamera(10, 0, 0, 0, 0, 0);
        else SetCamera(0, 0, 10, 0, 0, 0);
        DrawBillboard(1, 0, 0, 0, 0.25);  // 32 x 32 sprite: 2 units each side of the point, 4 up
        EXPECT_EQ(tvk::g_scene->CullMode(), 1) << "the program's cull mode comes back";
        auto inside = Project(60, 0, 2, -10), below = Project(60, 0, -0.3, -10);
        auto leftEdge = Project(60, -1.9, 2, -10), beyond = Project(60, -2.1, 2, -10);
        EXPECT_EQ(Rgb(inside.x, inside.y), 0x0000FFu);
        EXPECT_EQ(Rgb(leftEdge.x, leftEdge.y), 0x0000FFu);
        EXPECT_EQ(Rgb(below.x, below.y), 0u);
        EXPECT_EQ(Rgb(beyond.x, beyond.y), 0u);
    }
}

TEST_F(CameraFacing, WorldTextIsCentredOnItsPointInSquaresOfTheCellWidth) {
    Start3D(1, 100, 60);
    SetCamera(0, 0, 10, 0, 0, 0);
    SetLight(0, 0xFFFFFF, 0, 0, 10, 0, 0, 0, 180);
    PrintText3D("HH", 0, 0, 0, 0.1);  // two squares of 0.8 units: x -0.8..0.8, y 0..0.8
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING)) << "lighting comes back on";
    Box lit = LitPixels();
    ASSERT_GT(lit.count, 20);
    auto topLeft = Project(60, -0.8, 0.8, -10), bottomRight = Project(60, 0.8, 0, -10);
    EXPECT_GE(lit.left, topLeft.x - 1);
    EXPECT_LE(lit.right, bottomRight.x + 1);
    EXPECT_GE(lit.top, topLeft.y - 1);
    EXPECT_LE(lit.bottom, bottomRight.y + 1);
    EXPECT_GT(lit.right - lit.left, (bottomRight.x - topLeft.x) * 3 / 4) << "both characters drawn";
}

TEST_F(CameraFacing, ScreenTextIsPrintedFlatWhereThePointIsProjected) {
    Start3D(1, 100, 60);
    SetCamera(0, 0, 10, 0, 0, 0);
    PrintText3D("HH", 0, 0, 0, 0);  // centre of the view: x 160 - 8, y 120 - 64 / 8, 16 x 8 pixels
    Box lit = LitPixels();
    ASSERT_GT(lit.count, 10);
    EXPECT_GE(lit.left, 152);
    EXPECT_LE(lit.right, 167);
    EXPECT_GE(lit.top, 112);
    EXPECT_LE(lit.bottom, 119);
    EXPECT_EQ(Matrix(GL_PROJECTION_MATRIX)[11], -1.0f) << "the perspective projection comes back";

    glClear(GL_COLOR_BUFFER_BIT);
    PrintText3D("HH", 0, 0, 20, 0);  // behind the camera: nothing, not a mirror image
    PrintText3D("HH", NAN, 0, 0, 0);
    DrawBillboard(1, 0, 0, INFINITY, 1);
    DrawBillboard(-1, 0, 0, 0, 1);
    DrawBillboard(1e12, 0, 0, 0, 1);
    EXPECT_EQ(LitPixels().count, 0);
}

}  // namespace
