// Off-screen screens, grabbing and saving, each through frame buffer objects and through the
// fallback that draws in the back buffer and reads it back.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <filesystem>
#include <string>

#include "gfx2d/background_images.h"
#include "gfx2d/frame_assets.h"
#include "gfx2d/image_decode.h"
#include "gfx2d/offscreen.h"
#include "gfx2d/renderer.h"
#include "gfx2d/sprite_arrays.h"
#include "gfx2d/sprite_slots.h"
#include "gfx2d/sprite_upload.h"
#include "image_test_support.h"
#include "support/gl_display.h"
#include "tarnvik/core.h"
#include "tarnvik/gfx2d.h"

namespace {

using tvk::test::At;
using tvk::test::GlDisplayTest;
using tvk::test::Texel;
constexpr RtInt kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000;
constexpr uint32_t kOpaque = 0xFF000000u;

// The parameter names the path: true = frame buffer objects and copies from the frame buffer,
// false = the fallback that reads pixels back.
class Offscreen : public GlDisplayTest, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override {
        GlDisplayTest::SetUp();
        tvk::LimitOffscreenSupport(GetParam(), GetParam(), GetParam());
        SetSmoothing(0);
        SetErrorCode(0);
    }
    void TearDown() override {
        UseScreen(-1);
        tvk::ReleaseOffscreenScreens();
        tvk::LimitOffscreenSupport(true, true, true);
        for (int slot : {3, 10, 11, tvk::kFallbackScratchSlot}) tvk::ResetSlot(slot);
        tvk::FreeBackgroundImage(0);
    }
    static tvk::RgbaImage SpritePixels(int slot) {
        tvk::RgbaImage image;
        EXPECT_TRUE(tvk::ReadSpriteImage(slot, image));
        return image;
    }
    static uint32_t Packed(const Texel& t) { return t[0] | t[1] << 8 | t[2] << 16 | uint32_t(t[3]) << 24; }
    static uint32_t SpriteAt(const tvk::RgbaImage& image, int x, int y) { return Packed(At(image, x, y)); }
    std::string Path(const std::string& name) const { return tempDir_ + "/" + name; }
};

TEST_P(Offscreen, CreateScreenMakesAnEmptySpriteOfPowerOfTwoTexture) {
    CreateScreen(0, 10, 100, 50);
    const tvk::SpriteSlot* s = tvk::FindSlot(10);
    EXPECT_EQ(s->textureWidth, 128);
    EXPECT_EQ(s->textureHeight, 64);
    EXPECT_EQ(s->imageWidth, 100);
    EXPECT_EQ(s->imageHeight, 50);
    EXPECT_FLOAT_EQ(s->sExtent, 100.0f / 128);
    EXPECT_FLOAT_EQ(s->tExtent, 50.0f / 64);
    EXPECT_EQ(s->mipmappedTexture, 0u);
    CreateScreen(1, 11, 1, 3);  // the doubling starts at 1
    EXPECT_EQ(tvk::FindSlot(11)->textureWidth, 2);
    EXPECT_EQ(tvk::FindSlot(11)->textureHeight, 4);
}

TEST_P(Offscreen, DrawingInAScreenLandsInItsSpriteAndNotOnTheWindow) {
    DrawRect(0, 0, kWidth, kHeight, kBlue);
    CreateScreen(0, 10, 100, 50);
    UseScreen(0);
    EXPECT_EQ(tvk::CurrentOffscreenScreen(), 0);
    DrawRect(0, 0, 10, 10, kRed);
    SetPixel(99, 49, kGreen);
    EXPECT_EQ(GetPixel(99, 49), kGreen);  // reads the screen being drawn
    UseScreen(-1);
    EXPECT_EQ(tvk::CurrentOffscreenScreen(), -1);

    // The window under the screen's corner is as it was.
    EXPECT_EQ(ReadRgba(5, 5) & 0xFFFFFF, static_cast<uint32_t>(kBlue));
    EXPECT_EQ(ReadRgba(99, 49) & 0xFFFFFF, static_cast<uint32_t>(kBlue));

    tvk::RgbaImage sprite = SpritePixels(10);
    EXPECT_EQ(SpriteAt(sprite, 0, 0), kOpaque | kRed);
    EXPECT_EQ(SpriteAt(sprite, 9, 9), kOpaque | kRed);
    EXPECT_EQ(SpriteAt(sprite, 99, 49), kOpaque | kGreen);
    EXPECT_EQ(At(sprite, 10, 10)[3], 0);  // never drawn: see-through
    EXPECT_EQ(At(sprite, 50, 25)[3], 0);

    glClear(GL_COLOR_BUFFER_BIT);
    DrawSprite(10, 200, 200);
    EXPECT_EQ(ReadRgba(200, 200) & 0xFFFFFF, static_cast<uint32_t>(kRed));
    EXPECT_EQ(ReadRgba(209, 209) & 0xFFFFFF, static_cast<uint32_t>(kRed));
    EXPECT_EQ(ReadRgba(210, 205) & 0xFFFFFF, 0u);
    EXPECT_EQ(ReadRgba(205, 210) & 0xFFFFFF, 0u);
    EXPECT_EQ(ReadRgba(250, 225) & 0xFFFFFF, 0u);
}

// Black as the transparent colour: what was never drawn is still see-through on both paths.
TEST_P(Offscreen, FreshScreenIsSeeThroughWithBlackAsTheTransparentColour) {
    SetTransparentColour(0);
    DrawRect(0, 0, kWidth, kHeight, kGreen);
    CreateScreen(0, 10, 20, 20);
    UseScreen(0);
    DrawRect(0, 0, 5, 5, kRed);
    UseScreen(-1);
    tvk::RgbaImage sprite = SpritePixels(10);
    EXPECT_EQ(SpriteAt(sprite, 2, 2), kOpaque | kRed);
    EXPECT_EQ(At(sprite, 10, 10)[3], 0);
    EXPECT_EQ(ReadRgba(10, 10) & 0xFFFFFF, static_cast<uint32_t>(kGreen));
}

TEST_P(Offscreen, AScreenKeepsItsPictureAcrossUsesAndFrames) {
    CreateScreen(2, 10, 64, 32);
    UseScreen(2);
    DrawRect(0, 0, 8, 8, kRed);
    ShowScreen();  // always ends on the window
    EXPECT_EQ(tvk::CurrentOffscreenScreen(), -1);
    UseScreen(2);
    DrawRect(20, 0, 8, 8, kGreen);
    UseScreen(-1);
    tvk::RgbaImage sprite = SpritePixels(10);
    EXPECT_EQ(SpriteAt(sprite, 4, 4), kOpaque | kRed);
    EXPECT_EQ(SpriteAt(sprite, 24, 4), kOpaque | kGreen);
    EXPECT_EQ(At(sprite, 40, 20)[3], 0);
}

TEST_P(Offscreen, SwitchingScreensFinishesTheFirst) {
    CreateScreen(0, 10, 32, 32);
    CreateScreen(1, 11, 32, 32);
    UseScreen(0);
    DrawRect(0, 0, 4, 4, kRed);
    UseScreen(1);
    DrawRect(0, 0, 4, 4, kGreen);
    UseScreen(-1);
    EXPECT_EQ(SpriteAt(SpritePixels(10), 1, 1), kOpaque | kRed);
    EXPECT_EQ(SpriteAt(SpritePixels(11), 1, 1), kOpaque | kGreen);
    // Creating the current screen again ends drawing into it first.
    UseScreen(0);
    CreateScreen(0, 10, 16, 16);
    EXPECT_EQ(tvk::CurrentOffscreenScreen(), -1);
    EXPECT_EQ(tvk::FindSlot(10)->imageWidth, 16);
}

TEST_P(Offscreen, NumbersOutsideTheTablesAreIgnored) {
    for (RtInt id : {32, 1000, -1, -2147483647 - 1}) CreateScreen(id, 10, 16, 16);
    EXPECT_FALSE(tvk::FindSlot(10)->Loaded());
    CreateScreen(0, -1, 16, 16);
    CreateScreen(0, 65536, 16, 16);
    CreateScreen(0, 10, 0, 16);
    CreateScreen(0, 10, 16, -5);
    CreateScreen(0, 10, 1 << 30, 16);
    EXPECT_FALSE(tvk::FindSlot(10)->Loaded());

    // An unknown or never-made screen leaves the window as the target.
    for (RtInt id : {32, 5, 2147483647}) {
        UseScreen(id);
        EXPECT_EQ(tvk::CurrentOffscreenScreen(), -1);
    }
    DrawRect(0, 0, 4, 4, kRed);
    EXPECT_EQ(ReadRgba(1, 1) & 0xFFFFFF, static_cast<uint32_t>(kRed));

    // A screen whose sprite was freed by the program is not drawn into.
    CreateScreen(3, 10, 16, 16);
    tvk::ResetSlot(10);
    UseScreen(3);
    EXPECT_EQ(tvk::CurrentOffscreenScreen(), -1);
}

TEST_P(Offscreen, GrabSpriteCopiesARectangleWithSeeThroughTransparentColour) {
    DrawRect(10, 20, 30, 15, kGreen);
    DrawRect(12, 22, 3, 3, kRed);
    DrawRect(20, 25, 4, 4, tvk::kDefaultTransparentColour);
    tvk::RgbaImage loaded;
    ASSERT_TRUE(loaded.Allocate(30, 15));
    ASSERT_TRUE(tvk::UploadImageToSlot(3, loaded, false));  // same texture size, with a mipmapped twin
    ASSERT_EQ(GrabSprite(3, 10, 20, 30, 15), 1);
    const tvk::SpriteSlot* s = tvk::FindSlot(3);
    EXPECT_EQ(s->mipmappedTexture, 0u);  // it would still show the loaded picture
    EXPECT_EQ(s->imageWidth, 30);
    EXPECT_EQ(s->imageHeight, 15);
    EXPECT_EQ(s->textureWidth, 32);
    EXPECT_EQ(s->textureHeight, 16);
    tvk::RgbaImage sprite = SpritePixels(3);
    EXPECT_EQ(SpriteAt(sprite, 0, 0), kOpaque | kGreen);
    EXPECT_EQ(SpriteAt(sprite, 2, 2), kOpaque | kRed);
    EXPECT_EQ(SpriteAt(sprite, 29, 14), kOpaque | kGreen);
    EXPECT_EQ(At(sprite, 11, 6)[3], 0);

    glClear(GL_COLOR_BUFFER_BIT);
    DrawRect(100, 100, 40, 20, kBlue);
    DrawSprite(3, 100, 100);
    EXPECT_EQ(ReadRgba(103, 103) & 0xFFFFFF, static_cast<uint32_t>(kRed));
    EXPECT_EQ(ReadRgba(129, 114) & 0xFFFFFF, static_cast<uint32_t>(kGreen));
    EXPECT_EQ(ReadRgba(111, 106) & 0xFFFFFF, static_cast<uint32_t>(kBlue));  // seen through
    EXPECT_EQ(ReadRgba(130, 105) & 0xFFFFFF, static_cast<uint32_t>(kBlue));  // beyond the grab
}

TEST_P(Offscreen, GrabSpriteCountsFromTheWindowCornerWhateverTheViewport) {
    DrawRect(10, 20, 4, 4, kRed);
    SetViewport(50, 60, 100, 100);
    ASSERT_EQ(GrabSprite(3, 10, 20, 4, 4), 1);
    SetViewport(0, 0, 0, 0);
    EXPECT_EQ(SpriteAt(SpritePixels(3), 3, 3), kOpaque | kRed);
}

TEST_P(Offscreen, GrabbingLeavesTheTestPixelAsItWas) {
    SetAlphaMode(-0.5);  // blending on while grabbing
    DrawRect(0, 0, 8, 8, 0x336699);
    ASSERT_EQ(GrabSprite(3, 0, 0, 8, 8), 1);
    SetAlphaMode(0);
    const uint32_t before = ReadRgba(3, 3);
    EXPECT_EQ(ReadRgba(4, 4), before);
    DrawRect(0, 0, 8, 8, tvk::kDefaultTransparentColour);
    ASSERT_EQ(GrabSprite(3, 0, 0, 8, 8), 1);
    EXPECT_EQ(At(SpritePixels(3), 4, 4)[3], 0);
    EXPECT_EQ(ReadRgba(4, 4), ReadRgba(3, 3));
}

TEST_P(Offscreen, GrabSpriteInsideAScreenReadsTheScreen) {
    DrawRect(0, 0, kWidth, kHeight, kBlue);
    CreateScreen(0, 10, 64, 64);
    UseScreen(0);
    DrawRect(8, 40, 4, 4, kRed);
    ASSERT_EQ(GrabSprite(3, 8, 40, 4, 4), 1);
    UseScreen(-1);
    EXPECT_EQ(SpriteAt(SpritePixels(3), 1, 1), kOpaque | kRed);
}

TEST_P(Offscreen, GrabSpriteRefusesBadRectanglesAndSlots) {
    EXPECT_EQ(GrabSprite(3, 0, 0, 0, 10), 0);
    EXPECT_EQ(GrabSprite(3, 0, 0, 10, -1), 0);
    EXPECT_EQ(GrabSprite(3, 0, 0, 1 << 30, 10), 0);
    EXPECT_EQ(GrabSprite(3, 0, 0, 10, 100000), 0);
    EXPECT_EQ(GrabSprite(-1, 0, 0, 10, 10), 0);
    EXPECT_EQ(GrabSprite(65536, 0, 0, 10, 10), 0);
    EXPECT_FALSE(tvk::FindSlot(3)->Loaded());
    // Off the edge of the window: allowed, only the part outside is undefined.
    EXPECT_EQ(GrabSprite(3, kWidth - 4, kHeight - 4, 16, 16), 1);
}

TEST_P(Offscreen, ScreenBecomesTheBackground) {
    DrawRect(0, 0, kWidth, kHeight, kGreen);
    DrawRect(300, 200, 20, 40, kRed);
    SetPixel(0, 0, kBlue);
    CreateScreen(0, 10, 16, 16);
    if (GetParam()) {  // the window is grabbed even while a frame buffer screen is drawn into
        UseScreen(0);
        DrawRect(0, 0, 16, 16, kRed);
    }
    GrabScreenAsBackground();
    UseScreen(-1);
    const tvk::BackgroundImage* b = tvk::FindBackground(0);
    ASSERT_EQ(b->columns, 1);
    ASSERT_EQ(b->rows, 1);
    EXPECT_EQ(b->textureWidth[0][0], 512);
    EXPECT_EQ(b->usedWidth[0][0], kWidth);
    EXPECT_EQ(b->usedHeight[0][0], kHeight);
    const uint32_t tile = b->tiles[0][0];
    glClear(GL_COLOR_BUFFER_BIT);
    tvk::DrawBackgroundImage(0);
    EXPECT_EQ(ReadRgba(0, 0) & 0xFFFFFF, static_cast<uint32_t>(kBlue));
    EXPECT_EQ(ReadRgba(1, 0) & 0xFFFFFF, static_cast<uint32_t>(kGreen));
    EXPECT_EQ(ReadRgba(310, 239) & 0xFFFFFF, static_cast<uint32_t>(kRed));
    EXPECT_EQ(ReadRgba(299, 239) & 0xFFFFFF, static_cast<uint32_t>(kGreen));
    // A second grab reuses the tile.
    GrabScreenAsBackground();
    EXPECT_EQ(tvk::FindBackground(0)->tiles[0][0], tile);
}

TEST_P(Offscreen, SaveScreenWritesTheWindow) {
    DrawRect(0, 0, kWidth, kHeight, kGreen);
    DrawRect(0, 0, 5, 3, kRed);
    SetPixel(kWidth - 1, kHeight - 1, kBlue);
    // With frame buffers the window is saved even while a screen is drawn into (the fallback draws
    // the screen in the window itself).
    CreateScreen(0, 10, 16, 16);
    if (GetParam()) {
        UseScreen(0);
        DrawRect(0, 0, 16, 16, kBlue);
    }
    ASSERT_EQ(SaveScreen(Path("shot.bmp").c_str()), 1);
    ASSERT_EQ(SaveScreen(Path("shot.png").c_str()), 1);
    UseScreen(-1);
    EXPECT_EQ(std::filesystem::file_size(Path("shot.bmp")), 54u + 960 * kHeight);
    for (const char* name : {"shot.bmp", "shot.png"}) {
        tvk::RgbaImage image;
        ASSERT_TRUE(tvk::DecodeImageFile(Path(name).c_str(), tvk::kNoColourKey, image)) << name;
        ASSERT_EQ(image.width, kWidth);
        ASSERT_EQ(image.height, kHeight);
        EXPECT_EQ(SpriteAt(image, 4, 2), kOpaque | kRed) << name;
        EXPECT_EQ(SpriteAt(image, 5, 2), kOpaque | kGreen) << name;
        EXPECT_EQ(SpriteAt(image, 4, 3), kOpaque | kGreen) << name;
        EXPECT_EQ(SpriteAt(image, kWidth - 1, kHeight - 1), kOpaque | kBlue) << name;
    }
}

TEST_P(Offscreen, SaveSpriteWritesSeeThroughPixelsInTheMarkerColour) {
    CreateScreen(0, 10, 4, 2);
    UseScreen(0);
    DrawRect(0, 0, 2, 2, kRed);
    UseScreen(-1);
    ASSERT_EQ(SaveSprite(10, Path("s.bmp").c_str()), 1);
    std::vector<uint8_t> b = tvk::test::ReadBytes(Path("s.bmp"));
    ASSERT_EQ(b.size(), 54u + 12 * 2);
    const std::vector<uint8_t> row(b.begin() + 54, b.begin() + 66);
    EXPECT_EQ(row, (std::vector<uint8_t>{0, 0, 255, 0, 0, 255, 255, 0, 128, 255, 0, 128}));

    ASSERT_EQ(SaveSprite(10, Path("s.png").c_str()), 1);
    tvk::RgbaImage image;
    ASSERT_TRUE(tvk::DecodeImageFile(Path("s.png").c_str(), tvk::kNoColourKey, image));
    EXPECT_EQ(SpriteAt(image, 1, 1), kOpaque | kRed);
    EXPECT_EQ(At(image, 3, 1)[3], 0);
    EXPECT_EQ(GetErrorCode(), 0);
}

TEST_P(Offscreen, FailedSavesRecordNoSuchFile) {
    EXPECT_EQ(SaveSprite(11, Path("empty.bmp").c_str()), 0);  // nothing in the slot
    EXPECT_EQ(GetErrorCode(), 3);
    SetErrorCode(0);
    EXPECT_EQ(SaveSprite(-7, Path("bad.bmp").c_str()), 0);
    EXPECT_EQ(GetErrorCode(), 3);
    SetErrorCode(0);
    EXPECT_EQ(SaveScreen(Path("missing/dir/shot.png").c_str()), 0);
    EXPECT_EQ(GetErrorCode(), 3);
    EXPECT_FALSE(std::filesystem::exists(Path("empty.bmp")));
}

INSTANTIATE_TEST_SUITE_P(Paths, Offscreen, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "Framebuffer" : "Fallback";
                         });

}  // namespace
