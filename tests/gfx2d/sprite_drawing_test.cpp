// Where sprites and animation frames land on screen, and pixel-exact collisions.
#include <gtest/gtest.h>

#include <cstdint>

#include <algorithm>
#include <array>
#include <functional>

#include "gfx2d/animation_frames.h"
#include "gfx2d/renderer.h"
#include "gfx2d/texture_binding.h"
#include "gfx2d/sprite_slots.h"
#include "gfx2d/sprite_upload.h"
#include "support/gl_display.h"
#include "tarnvik/gfx2d.h"

namespace {

using tvk::test::GlDisplayTest;
constexpr RtInt kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000;

class SpriteDrawing : public GlDisplayTest {
protected:
    void SetUp() override {
        GlDisplayTest::SetUp();
        SetSmoothing(0);
    }
    void TearDown() override {
        for (int slot = 0; slot < 4; ++slot) tvk::ResetSlot(slot);
    }
    // Uploads a w × h picture whose pixel colours come from `colourAt` (0xAABBGGRR).
    static void Make(int slot, int w, int h, const std::function<uint32_t(int, int)>& colourAt) {
        tvk::RgbaImage image;
        ASSERT_TRUE(image.Allocate(w, h));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                uint32_t c = colourAt(x, y);
                uint8_t* p = image.Pixel(x, y);
                p[0] = c & 255;
                p[1] = (c >> 8) & 255;
                p[2] = (c >> 16) & 255;
                p[3] = c >> 24;
            }
        ASSERT_TRUE(tvk::UploadImageToSlot(slot, image, false));
    }
    // The bounding box of the lit pixels: x, y, w, h.
    static std::array<int, 4> LitBox() {
        int x0 = kWidth, y0 = kHeight, x1 = -1, y1 = -1;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                if (ReadRgba(x, y) & 0xFFFFFF) {
                    x0 = std::min(x0, x);
                    y0 = std::min(y0, y);
                    x1 = std::max(x1, x);
                    y1 = std::max(y1, y);
                }
        return {x0, y0, x1 - x0 + 1, y1 - y0 + 1};
    }
};

uint32_t Opaque(RtInt colour) { return 0xFF000000u | static_cast<uint32_t>(colour); }

// A two-texture bind turns the second unit on; every later plain draw must switch it off
// again, or its texture would tint the sprite (red modulated by green is black).
TEST_F(SpriteDrawing, PlainDrawsAfterATwoTextureBindUseOneTexture) {
    Make(0, 8, 8, [](int, int) { return Opaque(kRed); });
    Make(1, 8, 8, [](int, int) { return Opaque(kGreen); });
    tvk::BindTexture(tvk::g_renderer, 1, 0, false);  // green on the second unit
    DrawSprite(0, 10, 10);
    DrawSprite(0, 30, 10);
    EXPECT_EQ(ReadRgba(13, 13) & 0xFFFFFF, static_cast<uint32_t>(kRed));
    EXPECT_EQ(ReadRgba(33, 13) & 0xFFFFFF, static_cast<uint32_t>(kRed));
}

TEST_F(SpriteDrawing, DrawSpriteCoversExactlyItsRectangle) {
    Make(0, 17, 5, [](int, int) { return Opaque(kGreen); });
    DrawSprite(0, 10, 20);
    EXPECT_EQ(LitBox(), (std::array<int, 4>{10, 20, 17, 5}));
}

TEST_F(SpriteDrawing, ZoomScalesAboutTheCentre) {
    Make(0, 10, 10, [](int, int) { return Opaque(kGreen); });
    ZoomSprite(0, 100, 100, 2, 2);
    EXPECT_EQ(LitBox(), (std::array<int, 4>{95, 95, 20, 20}));
}

TEST_F(SpriteDrawing, RotoZoomAtZeroMatchesDrawSpriteAndNinetyTurnsTheRightEdgeToTheTop) {
    // Right column red, the rest green.
    Make(0, 16, 16, [](int x, int) { return Opaque(x == 15 ? kRed : kGreen); });
    RotoZoomSprite(0, 50, 50, 0, 1);
    EXPECT_EQ(LitBox(), (std::array<int, 4>{50, 50, 16, 16}));
    EXPECT_EQ(GetPixel(65, 58), kRed);
    SetUp();
    RotoZoomSprite(0, 50, 50, 90, 1);
    EXPECT_EQ(GetPixel(58, 50), kRed);   // top row
    EXPECT_EQ(GetPixel(58, 65), kGreen);  // bottom row
}

TEST_F(SpriteDrawing, AnimationFramesAreReadAcrossThenDown) {
    // A 96 × 64 sheet of 32 × 32 frames: frame k = column k % 3, row k / 3, each its own colour.
    const RtInt colours[6] = {0x000080, 0x008000, kRed, 0x800000, kGreen, kBlue};
    Make(0, 96, 64, [&](int x, int y) { return Opaque(colours[(y / 32) * 3 + x / 32]); });
    SetSpriteFrameSize(0, 32, 32);
    DrawAnimFrame(0, 2, 0, 0);
    DrawAnimFrame(0, 4, 40, 0);
    EXPECT_EQ(GetPixel(16, 16), kRed);
    EXPECT_EQ(GetPixel(56, 16), kGreen);
    EXPECT_EQ(GetPixel(33, 16), 0);  // exactly one frame wide
    RotoZoomAnimFrame(0, 5, 100, 0, 0, 1);
    EXPECT_EQ(GetPixel(116, 16), kBlue);
    StretchAnimFrame(0, 4, 150, 0, 64, 16);
    EXPECT_EQ(GetPixel(210, 8), kGreen);

    tvk::SpriteSlot narrow;  // a sheet narrower than one frame: the frame number is the column
    narrow.imageWidth = 16;
    narrow.frameWidth = 32;
    EXPECT_EQ(tvk::FrameCellOf(narrow, 3).column, 3);
    EXPECT_EQ(tvk::FrameCellOf(narrow, 3).row, 0);
}

TEST_F(SpriteDrawing, ZeroFrameSizeDrawsNothing) {
    Make(0, 8, 8, [](int, int) { return Opaque(kGreen); });
    DrawAnimFrame(0, 0, 0, 0);
    RotoZoomAnimFrame(0, 0, 0, 0, 45, 1);
    EXPECT_LT(LitBox()[2], 0);  // nothing lit
}

// Numbers at the 32-bit limits: sums and products must not wrap (UBSan checks the build)
// and what lies off the screen or the sheet changes nothing.
TEST_F(SpriteDrawing, ExtremeSizesAndFrameNumbersDoNotWrap) {
    DrawRect(10, 10, INT32_MAX, INT32_MAX, kRed);
    EXPECT_EQ(GetPixel(20, 20), kRed);  // reaches past the screen's far edges
    EXPECT_EQ(GetPixel(5, 5), 0);       // and never wraps round to the left
    Make(0, 16, 16, [](int, int) { return Opaque(kGreen); });
    SetSpriteFrameSize(0, 4, 4);
    DrawAnimFrame(0, INT32_MAX, 100, 0);
    EXPECT_EQ(AnimCollision(0, INT32_MAX, 0, 0, 0, 0, 4, 4), 0);
    SetSpriteFrameSize(0, -1, -1);
    DrawAnimFrame(0, INT32_MIN, 100, 0);
    RotoZoomAnimFrame(0, INT32_MIN, 100, 0, 0, 1);
    EXPECT_EQ(AnimCollision(0, INT32_MIN, 0, 0, 0, 0, 4, 4), 0);
}

TEST_F(SpriteDrawing, CollisionsNeedOverlappingOpaquePixels) {
    Make(0, 16, 16, [](int, int) { return Opaque(kGreen); });
    // Opaque only in its top-left pixel.
    Make(1, 16, 16, [](int x, int y) { return x == 0 && y == 0 ? Opaque(kRed) : 0u; });
    EXPECT_EQ(SpriteCollision(0, 0, 0, 0, 16, 0), 0);  // edge to edge
    EXPECT_EQ(SpriteCollision(0, 0, 0, 0, 15, 15), 1);  // one pixel
    EXPECT_EQ(SpriteCollision(0, 0, 0, 1, 15, 15), 1);  // its only opaque pixel on ours
    EXPECT_EQ(SpriteCollision(0, 0, 0, 1, 10, -5), 0);  // only transparent pixels overlap
    EXPECT_EQ(SpriteCollision(0, 0, 0, 70000, 0, 0), 0);
    SetSpriteFrameSize(0, 8, 8);
    EXPECT_EQ(AnimCollision(0, 99, 0, 0, 0, 0, 4, 4), 0);  // a frame past the sheet is empty, not a wild read
    EXPECT_EQ(AnimCollision(0, 3, 0, 0, 0, 0, 4, 4), 1);
}

}  // namespace
