// Background pictures: drawn behind every frame, cut into tiles, cross-faded into.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "gfx2d/background_images.h"
#include "gfx2d/frame_assets.h"
#include "gfx2d/renderer.h"
#include "image_test_support.h"
#include "support/gl_display.h"
#include "tarnvik/core.h"
#include "tarnvik/gfx2d.h"

namespace {

using tvk::test::GlDisplayTest;
class Backgrounds : public GlDisplayTest {
protected:
    void SetUp() override {
        GlDisplayTest::SetUp();
        SetErrorCode(0);
    }
    void TearDown() override {
        tvk::DeleteBackgroundTextures();
        SetClearColour(0);
    }
    // A 24-bit BMP whose pixel colours (0xBBGGRR) come from `colourAt`, written to the temp dir.
    static std::string WriteBmp(const char* name, int w, int h, const std::function<uint32_t(int, int)>& colourAt) {
        tvk::test::BmpSpec spec;
        spec.width = w;
        spec.height = -h;  // rows stored top-down
        for (int y = 0; y < h; ++y) {
            std::vector<uint8_t> row;
            for (int x = 0; x < w; ++x) {
                uint32_t c = colourAt(x, y);
                row.insert(row.end(), {uint8_t((c >> 16) & 255), uint8_t((c >> 8) & 255), uint8_t(c & 255)});
            }
            spec.pixelRows.push_back(row);
        }
        return tvk::test::WriteBmpFile(tempDir_ + "/" + name, spec);
    }
    static tvk::RgbaImage MakeImage(int w, int h, const std::function<uint32_t(int, int)>& colourAt) {
        tvk::RgbaImage image;
        EXPECT_TRUE(image.Allocate(w, h));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                uint32_t c = colourAt(x, y);
                tvk::test::Set(image, x, y, {uint8_t(c & 255), uint8_t((c >> 8) & 255), uint8_t((c >> 16) & 255), 255});
            }
        return image;
    }
};

// Left half red, right half green, a blue bottom row.
uint32_t SmallPicture(int x, int y) { return y == 29 ? 0xFF0000 : x < 20 ? 0x0000FF : 0x00FF00; }

TEST_F(Backgrounds, LoadedBackgroundShowsBehindEveryFrameOverTheClearColour) {
    std::string path = WriteBmp("small.bmp", 40, 30, SmallPicture);
    SetClearColour(0x808080);
    LoadBackground(path.c_str());
    EXPECT_EQ(GetErrorCode(), 0);
    EXPECT_EQ(ReadRgba(5, 5) & 0xFFFFFF, 0x0000FFu);  // drawn into the current frame at once
    for (int frame = 0; frame < 2; ++frame) {
        ShowScreen();
        EXPECT_EQ(ReadRgba(0, 0) & 0xFFFFFF, 0x0000FFu);
        EXPECT_EQ(ReadRgba(19, 10) & 0xFFFFFF, 0x0000FFu);
        EXPECT_EQ(ReadRgba(20, 10) & 0xFFFFFF, 0x00FF00u);
        EXPECT_EQ(ReadRgba(39, 28) & 0xFFFFFF, 0x00FF00u);
        EXPECT_EQ(ReadRgba(39, 29) & 0xFFFFFF, 0xFF0000u);
        // Beyond the picture the frame keeps its clear colour.
        EXPECT_EQ(ReadRgba(40, 10) & 0xFFFFFF, 0x808080u);
        EXPECT_EQ(ReadRgba(10, 30) & 0xFFFFFF, 0x808080u);
    }
    SetClearColour(0);  // discards the background
    ShowScreen();
    EXPECT_EQ(ReadRgba(5, 5) & 0xFFFFFF, 0u);
}

TEST_F(Backgrounds, FailedLoadRecordsErrorDropsTheBackgroundAndClearsToBlack) {
    std::string path = WriteBmp("good.bmp", 8, 8, SmallPicture);
    SetClearColour(0x00FFFF);
    LoadBackground(path.c_str());
    ASSERT_GT(tvk::FindBackground(0)->columns, 0);
    LoadBackground((tempDir_ + "/missing.png").c_str());
    EXPECT_EQ(GetErrorCode(), 3);
    EXPECT_EQ(tvk::FindBackground(0)->columns, 0);
    ShowScreen();
    EXPECT_EQ(ReadRgba(2, 2) & 0xFFFFFF, 0u);
    EXPECT_EQ(ReadRgba(100, 100) & 0xFFFFFF, 0u);
}

TEST_F(Backgrounds, LargePicturesAreCutIntoTilesThatMeetExactly) {
    // Red left of x 512, green right of it, blue added from y 512: every tile boundary shows.
    auto colourAt = [](int x, int y) -> uint32_t { return (x < 512 ? 0x0000FF : 0x00FF00) | (y < 512 ? 0 : 0xFF0000); };
    ASSERT_TRUE(tvk::SetBackgroundImage(1, MakeImage(600, 700, colourAt)));
    const tvk::BackgroundImage* b = tvk::FindBackground(1);
    ASSERT_EQ(b->columns, 2);
    ASSERT_EQ(b->rows, 2);
    EXPECT_EQ(b->usedWidth[0][0], 512);
    EXPECT_EQ(b->usedWidth[1][1], 88);
    EXPECT_EQ(b->textureWidth[1][1], 128);
    EXPECT_EQ(b->usedHeight[1][1], 188);
    EXPECT_EQ(b->textureHeight[1][1], 256);

    // Look at the picture around (512, 512) through a viewport shifted up and left.
    const int vx = 400, vy = 500;
    SetViewport(-vx, -vy, 1000, 1000);
    tvk::DrawBackgroundImage(1);
    auto at = [&](int px, int py) { return ReadRgba(px - vx, py - vy) & 0xFFFFFF; };
    EXPECT_EQ(at(511, 511), 0x0000FFu);
    EXPECT_EQ(at(512, 511), 0x00FF00u);
    EXPECT_EQ(at(511, 512), 0xFF00FFu);
    EXPECT_EQ(at(599, 699), 0xFFFF00u);
    EXPECT_EQ(at(600, 600), 0u);  // nothing beyond the picture
    EXPECT_EQ(at(550, 700), 0u);
}

TEST_F(Backgrounds, HugePicturesKeepAtMostEightTilesEachWay) {
    ASSERT_TRUE(tvk::SetBackgroundImage(2, MakeImage(4200, 20, [](int, int) { return 0x123456u; })));
    EXPECT_EQ(tvk::FindBackground(2)->columns, 8);
    EXPECT_EQ(tvk::FindBackground(2)->rows, 1);
    EXPECT_EQ(tvk::FindBackground(8), nullptr);
    tvk::DrawBackgroundImage(8);  // out of range: nothing happens
    tvk::FreeBackgroundImage(-1);
}

TEST_F(Backgrounds, FadeEndsWithThePictureShownAndKeptAsTheScreenBackground) {
    std::string path = WriteBmp("fade.bmp", 40, 30, SmallPicture);
    SetClearColour(0x808080);
    DrawRect(0, 0, kWidth, kHeight, 0x00FFFF);
    FadeToImage(path.c_str(), 60);
    EXPECT_EQ(GetErrorCode(), 0);
    EXPECT_EQ(tvk::FindBackground(1)->columns, 0);
    EXPECT_EQ(tvk::FindBackground(2)->columns, 0);
    ASSERT_GT(tvk::FindBackground(0)->columns, 0);
    for (int frame = 0; frame < 2; ++frame) {
        EXPECT_EQ(ReadRgba(5, 5) & 0xFFFFFF, 0x0000FFu);
        EXPECT_EQ(ReadRgba(30, 5) & 0xFFFFFF, 0x00FF00u);
        EXPECT_EQ(ReadRgba(30, 29) & 0xFFFFFF, 0xFF0000u);
        // The old screen is gone; the rest of the frame is black.
        EXPECT_EQ(ReadRgba(100, 100) & 0xFFFFFF, 0u);
        ShowScreen();
    }
}

TEST_F(Backgrounds, FadeToAMissingPictureRecordsErrorAndClearsToBlack) {
    std::string path = WriteBmp("kept.bmp", 8, 8, SmallPicture);
    LoadBackground(path.c_str());
    FadeToImage((tempDir_ + "/missing.bmp").c_str(), 10);
    EXPECT_EQ(GetErrorCode(), 3);
    EXPECT_EQ(tvk::FindBackground(0)->columns, 0);
    ShowScreen();
    EXPECT_EQ(ReadRgba(2, 2) & 0xFFFFFF, 0u);
}

}  // namespace
