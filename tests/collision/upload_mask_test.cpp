// Masks made at upload and read back after the GPU drew into a slot, checked against what
// drawing puts on the screen.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>

#include "gfx2d/offscreen.h"
#include "gfx2d/renderer.h"
#include "gfx2d/sprite_slots.h"
#include "gfx2d/sprite_upload.h"
#include "support/gl_display.h"
#include "tarnvik/gfx2d.h"

namespace {

using tvk::test::GlDisplayTest;
constexpr int kProbe = 3;  // a single opaque pixel

class UploadedMasks : public GlDisplayTest {
protected:
    void SetUp() override {
        GlDisplayTest::SetUp();
        SetSmoothing(0);
        Make(kProbe, 1, 1, [](int, int) { return true; });
    }
    void TearDown() override {
        UseScreen(-1);
        tvk::ReleaseOffscreenScreens();
        for (int slot = 0; slot < 11; ++slot) tvk::ResetSlot(slot);
    }
    static void Make(int slot, int w, int h, const std::function<bool(int, int)>& opaqueAt, bool normalMap = false) {
        tvk::RgbaImage image;
        ASSERT_TRUE(image.Allocate(w, h));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                uint8_t* p = image.Pixel(x, y);
                p[0] = p[1] = p[2] = 255;
                p[3] = opaqueAt(x, y) ? 255 : 0;
            }
        ASSERT_TRUE(tvk::UploadImageToSlot(slot, image, normalMap));
    }
    static bool Hits(int slot, int frame, int x, int y) { return AnimCollision(slot, frame, 0, 0, kProbe, 0, x, y) == 1; }
};

TEST_F(UploadedMasks, TheUploadBringsTheMaskOfThePicture) {
    auto checker = [](int x, int y) { return (x + y) % 2 == 0; };
    Make(0, 13, 5, checker);
    Make(1, 13, 5, checker, true);  // the normal map keeps the alpha channel
    for (int slot : {0, 1}) {
        const tvk::AlphaMask* mask = tvk::FindSlot(slot)->alphaMask.get();
        ASSERT_NE(mask, nullptr);
        EXPECT_EQ(mask->Width(), 13);
        EXPECT_EQ(mask->Height(), 5);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 13; ++x) EXPECT_EQ(mask->Opaque(x, y), checker(x, y)) << slot << ":" << x << "," << y;
    }
}

// For every frame of a 3 × 2 sheet, collision finds exactly the pixels drawing lights.
TEST_F(UploadedMasks, FramesCollideWhereTheyAreDrawn) {
    // 8 × 8 frames; frame k is opaque in its column k and row k only (a different place each).
    Make(0, 24, 16, [](int x, int y) {
        const int k = (y / 8) * 3 + x / 8;
        return x % 8 == k || y % 8 == k;
    });
    SetSpriteFrameSize(0, 8, 8);
    for (int frame = 0; frame < 6; ++frame) {
        DrawRect(0, 0, 16, 16, 0);
        DrawAnimFrame(0, frame, 0, 0);
        for (int y = 0; y < 9; ++y)
            for (int x = 0; x < 9; ++x)
                EXPECT_EQ(Hits(0, frame, x, y), (ReadRgba(x, y) & 0xFFFFFF) != 0) << frame << ":" << x << "," << y;
    }
}

// A screen's sprite gets its pixels from drawing, not from a picture: the mask is read back
// once at the first test after drawing, and read again after the next drawing.
TEST_F(UploadedMasks, AScreenSpriteCollidesWithWhatWasDrawnIntoIt) {
    CreateScreen(0, 10, 32, 32);
    EXPECT_EQ(SpriteCollision(10, 0, 0, kProbe, 4, 4), 0);
    UseScreen(0);
    DrawRect(0, 0, 8, 8, 0x00FF00);
    UseScreen(-1);
    EXPECT_EQ(SpriteCollision(10, 0, 0, kProbe, 4, 4), 1);
    EXPECT_EQ(SpriteCollision(10, 0, 0, kProbe, 20, 4), 0);
    UseScreen(0);
    DrawRect(16, 0, 8, 8, 0x00FF00);
    UseScreen(-1);
    EXPECT_EQ(SpriteCollision(10, 0, 0, kProbe, 20, 4), 1);
}

}  // namespace
