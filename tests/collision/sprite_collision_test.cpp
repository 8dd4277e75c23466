// The collision commands on sprite slots in a process that never made a window or a GL context:
// the masks live with the slots, so nothing is read back from a texture.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "gfx2d/renderer.h"
#include "gfx2d/sprite_slots.h"
#include "tarnvik/gfx2d.h"

namespace {

class CollisionWithoutGl : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(tvk::g_renderer, nullptr); }
    void TearDown() override {
        for (int slot = 0; slot < 4; ++slot) tvk::ResetSlot(slot);
    }
    // What an upload leaves in a slot, without the textures.
    static void Fill(int slot, int w, int h, const std::function<bool(int, int)>& opaqueAt) {
        std::vector<uint8_t> pixels(size_t(w) * h * 4, 0);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) pixels[(size_t(y) * w + x) * 4 + 3] = opaqueAt(x, y) ? 255 : 0;
        tvk::SpriteSlot* s = tvk::FindSlot(slot);
        ASSERT_NE(s, nullptr);
        s->imageWidth = static_cast<int16_t>(w);
        s->imageHeight = static_cast<int16_t>(h);
        s->textureWidth = s->textureHeight = 64;
        s->alphaMask = tvk::AlphaMask::FromRgba(pixels.data(), w, h);
        ASSERT_NE(s->alphaMask, nullptr);
    }
};

TEST_F(CollisionWithoutGl, SpritesCollideOnTheirMasks) {
    Fill(0, 16, 16, [](int, int) { return true; });
    Fill(1, 16, 16, [](int x, int y) { return x == 0 && y == 0; });
    EXPECT_EQ(SpriteCollision(0, 0, 0, 1, 15, 15), 1);
    EXPECT_EQ(SpriteCollision(0, 0, 0, 1, 10, -5), 0);
    EXPECT_EQ(SpriteCollision(0, 0, 0, 0, 16, 0), 0);
    EXPECT_EQ(SpriteCollision(0, 0, 0, 3, 0, 0), 0);  // an empty slot
    EXPECT_EQ(SpriteCollision(-1, 0, 0, 0, 0, 0), 0);
    EXPECT_EQ(SpriteCollision(0, 0, 0, 65536, 0, 0), 0);
}

// A 16 × 32 sheet of 32 × 16 frames is narrower than one frame: like drawing, frame k is column
// k of row 0, so only frame 0 holds pixels. The old rule took frame k from row k and found the
// opaque lower half in frame 1.
TEST_F(CollisionWithoutGl, ANarrowSheetTakesFramesFromItsFirstRow) {
    Fill(0, 16, 32, [](int, int y) { return y >= 16; });  // lower half opaque
    Fill(1, 16, 32, [](int, int y) { return y < 16; });   // upper half opaque
    Fill(2, 64, 64, [](int, int) { return true; });
    SetSpriteFrameSize(0, 32, 16);
    SetSpriteFrameSize(1, 32, 16);
    EXPECT_EQ(AnimCollision(0, 0, 0, 0, 2, 0, 0, 0), 0);
    EXPECT_EQ(AnimCollision(0, 1, 0, 0, 2, 0, 0, 0), 0);
    EXPECT_EQ(AnimCollision(1, 0, 0, 0, 2, 0, 0, 0), 1);
    EXPECT_EQ(AnimCollision(1, 0, 0, 0, 2, 0, 16, 0), 0);  // the frame's right half lies past the picture
    EXPECT_EQ(AnimCollision(1, 1, 0, 0, 2, 0, 0, 0), 0);
}

TEST_F(CollisionWithoutGl, FramesAreReadAcrossThenDown) {
    // A 24 × 16 sheet of 8 × 8 frames, opaque only in frame 4 (column 1, row 1).
    Fill(0, 24, 16, [](int x, int y) { return x / 8 == 1 && y / 8 == 1; });
    Fill(1, 1, 1, [](int, int) { return true; });
    SetSpriteFrameSize(0, 8, 8);
    for (int frame = 0; frame < 6; ++frame)
        EXPECT_EQ(AnimCollision(0, frame, 0, 0, 1, 0, 3, 3), frame == 4 ? 1 : 0) << frame;
    EXPECT_EQ(AnimCollision(0, 4, 0, 0, 1, 0, 8, 3), 0);  // just right of the frame: its neighbour's pixels
    // Without a frame size the whole picture takes part.
    SetSpriteFrameSize(0, 0, 0);
    EXPECT_EQ(AnimCollision(0, 4, 0, 0, 1, 0, 3, 3), 0);
    EXPECT_EQ(AnimCollision(0, 4, 0, 0, 1, 0, 11, 11), 1);
}

TEST_F(CollisionWithoutGl, ASlotWithoutMaskCollidesWithNothingAndResetReleasesTheMask) {
    Fill(0, 8, 8, [](int, int) { return true; });
    Fill(1, 8, 8, [](int, int) { return true; });
    ASSERT_EQ(SpriteCollision(0, 0, 0, 1, 0, 0), 1);
    tvk::FindSlot(1)->alphaMask.reset();  // what drawing into the slot leaves; nothing to read it from
    EXPECT_EQ(SpriteCollision(0, 0, 0, 1, 0, 0), 0);
    tvk::ResetSlot(0);
    EXPECT_EQ(tvk::FindSlot(0)->alphaMask, nullptr);
}

}  // namespace
