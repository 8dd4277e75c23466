// Pictures loaded into sprite slots: texture sizes, the colour key, slot bookkeeping and
// slot numbers outside the table.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "gfx2d/sprite_slots.h"
#include "gfx2d/sprite_upload.h"
#include "image_test_support.h"
#include "support/gl_display.h"
#include "support/testdata.h"
#include "tarnvik/core.h"
#include "tarnvik/gfx2d.h"

namespace {

using tvk::test::GlDisplayTest;

class SpriteSlots : public GlDisplayTest {
protected:
    void TearDown() override {
        for (int slot : {0, 1, 2, 65504}) tvk::ResetSlot(slot);
    }
    // A 24-bit BMP of the given size, every pixel `rgb` (0xRRGGBB), written to the temp dir.
    static std::string WriteBmp(const char* name, int w, int h, uint32_t rgb) {
        tvk::test::BmpSpec spec;
        spec.width = w;
        spec.height = h;
        for (int y = 0; y < h; ++y) {
            std::vector<uint8_t> row;
            for (int x = 0; x < w; ++x) {
                row.push_back(rgb & 255);
                row.push_back((rgb >> 8) & 255);
                row.push_back((rgb >> 16) & 255);
            }
            spec.pixelRows.push_back(row);
        }
        return tvk::test::WriteBmpFile(tempDir_ + "/" + name, spec);
    }
};

TEST_F(SpriteSlots, TextureSizesArePowersOfTwoFromSixteen) {
    tvk::RgbaImage image;
    ASSERT_TRUE(image.Allocate(17, 5));
    ASSERT_TRUE(tvk::UploadImageToSlot(0, image, false));
    const tvk::SpriteSlot* s = tvk::FindSlot(0);
    EXPECT_EQ(s->textureWidth, 32);
    EXPECT_EQ(s->textureHeight, 16);
    EXPECT_FLOAT_EQ(s->sExtent, 17.0f / 32);
    EXPECT_FLOAT_EQ(s->tExtent, 5.0f / 16);
    EXPECT_NE(s->mipmappedTexture, 0u);
    ASSERT_TRUE(image.Allocate(3, 3));
    ASSERT_TRUE(tvk::UploadImageToSlot(1, image, false));
    EXPECT_EQ(tvk::FindSlot(1)->textureWidth, 16);
    EXPECT_EQ(tvk::FindSlot(1)->textureHeight, 16);
    ASSERT_TRUE(tvk::UploadImageToSlot(65504, image, false));
    EXPECT_EQ(tvk::FindSlot(65504)->mipmappedTexture, 0u);  // font slots get no twin
}

TEST_F(SpriteSlots, BmpPixelsInTheTransparentColourLoadTransparentJpegOnesStayOpaque) {
    TVK_NEED_TESTDATA();
    std::string path = WriteBmp("key.bmp", 4, 4, 0xFF0080);  // 255, 0, 128: the default key
    LoadSprite(path.c_str(), 0);
    RtInt w = 0, h = 0;
    GetSpriteSize(0, w, h);
    EXPECT_EQ(w, 4);
    EXPECT_EQ(h, 4);
    tvk::RgbaImage decoded;
    ASSERT_TRUE(tvk::DecodeProgramFile(path.c_str(), 0x8000FF, decoded));
    EXPECT_EQ(tvk::test::At(decoded, 0, 0), (tvk::test::Texel{0, 0, 0, 0}));
    // A JPEG pixel exactly in the key colour keeps its alpha.
    std::string jpeg = tvk::test::TestDataPath("jpeg/testorig.jpg");
    ASSERT_TRUE(tvk::DecodeProgramFile(jpeg.c_str(), -1, decoded));
    tvk::test::Texel first = tvk::test::At(decoded, 0, 0);
    ASSERT_TRUE(tvk::DecodeProgramFile(jpeg.c_str(), first[0] | (first[1] << 8) | (first[2] << 16), decoded));
    EXPECT_EQ(tvk::test::At(decoded, 0, 0), first);
}

TEST_F(SpriteSlots, FailedLoadsLeaveTheSlotEmptyWithCode3) {
    SetErrorCode(0);
    LoadSprite("no-such-picture.png", 2);
    EXPECT_EQ(GetErrorCode(), 3);
    RtInt w = -1, h = -1;
    GetSpriteSize(2, w, h);
    EXPECT_EQ(w, 0);
    EXPECT_EQ(h, 0);
}

TEST_F(SpriteSlots, PalettePngsAsImageMagickWritesThemLoad) {
    if (access("/usr/bin/convert", X_OK) != 0) GTEST_SKIP() << "/usr/bin/convert (ImageMagick) is not installed";
    const std::string path = tempDir_ + "/pic.png";
    ASSERT_EQ(std::system(("/usr/bin/convert -size 8x8 xc:red " + path).c_str()), 0);
    SetErrorCode(0);
    testing::internal::CaptureStdout();
    LoadSprite(path.c_str(), 1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(GetErrorCode(), 0);
    RtInt w = 0, h = 0;
    GetSpriteSize(1, w, h);
    EXPECT_EQ(w, 8);
    EXPECT_EQ(h, 8);
}

TEST_F(SpriteSlots, APictureInAFormNotTakenIsNamedWithTheReason) {
    tvk::test::BmpSpec rle;
    rle.bitsPerPixel = 8;
    rle.compression = 1;
    rle.palette = {0xFF0000};
    rle.pixelRows = {{0, 0, 0, 0}};
    const std::string path = tvk::test::WriteBmpFile(tempDir_ + "/rle.bmp", rle);
    SetErrorCode(0);
    testing::internal::CaptureStderr();
    LoadSprite(path.c_str(), 2);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), path + ": unsupported BMP compression 1 (run-length encoded)\n");
    EXPECT_EQ(GetErrorCode(), 3);
    RtInt w = -1, h = -1;
    GetSpriteSize(2, w, h);
    EXPECT_EQ(w, 0);
}

TEST_F(SpriteSlots, FindFreeSpriteTakesTheLowestEmptySlot) {
    EXPECT_EQ(FindFreeSprite(), 0);
    tvk::RgbaImage image;
    ASSERT_TRUE(image.Allocate(2, 2));
    ASSERT_TRUE(tvk::UploadImageToSlot(0, image, false));
    EXPECT_EQ(FindFreeSprite(), 1);
}

TEST_F(SpriteSlots, SlotNumbersOutsideTheTableAreIgnored) {
    std::string path = WriteBmp("any.bmp", 2, 2, 0x00FF00);
    for (RtInt slot : {-1, 65536, 1 << 30}) {
        SetErrorCode(0);
        LoadSprite(path.c_str(), slot);
        EXPECT_EQ(GetErrorCode(), 7) << slot;
        SetSpriteFrameSize(slot, 1, 1);
        RtInt w = -1, h = -1;
        GetSpriteSize(slot, w, h);
        EXPECT_EQ(w, 0);
        EXPECT_EQ(GetSpriteTexture(slot), 0);
        StartPoly(slot, 0);  // draws untextured rather than reading outside the table
        EndPoly();
    }
}

}  // namespace
