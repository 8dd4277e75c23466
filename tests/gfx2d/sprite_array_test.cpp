// Sprites and pictures exchanged with integer arrays.
#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "gfx2d/image_decode.h"
#include "gfx2d/sprite_slots.h"
#include "image_test_support.h"
#include "support/gl_display.h"
#include "tarnvik/core.h"
#include "tarnvik/gfx2d.h"
#include "support/testdata.h"

namespace {

using tvk::test::GlDisplayTest;

RtInt Pixel(uint32_t r, uint32_t g, uint32_t b, uint32_t a) {
    return static_cast<RtInt>(r | g << 8 | b << 16 | a << 24);
}

RtIntArray ArrayOf(const std::vector<RtInt>& values) {
    RtIntArray a;
    FillArray(a, static_cast<RtInt>(values.size()), values.data());
    return a;
}

class SpriteArrays : public GlDisplayTest {
protected:
    void SetUp() override {
        GlDisplayTest::SetUp();
        SetSmoothing(0);
        SetErrorCode(0);
    }
    void TearDown() override {
        for (int slot = 0; slot < 3; ++slot) tvk::ResetSlot(slot);
    }
};

TEST_F(SpriteArrays, OpaquePixelsSurviveTheRoundTripTopRowFirst) {
    std::vector<RtInt> values;
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) values.push_back(Pixel(x * 50, y * 100, 7 + x + y, 255));
    values[7] = Pixel(1, 2, 3, 128);
    RtIntArray in = ArrayOf(values);
    ASSERT_EQ(CreateSpriteFromArray(in, 1, 5, 3), 1);
    RtInt w = 0, h = 0;
    GetSpriteSize(1, w, h);
    EXPECT_EQ(w, 5);
    EXPECT_EQ(h, 3);

    RtIntArray out;
    DimArray(out, 2);
    ASSERT_EQ(SpriteToArray(out, 1), 1);
    ASSERT_EQ(out.size0, 15);
    for (int n = 0; n < 15; ++n) EXPECT_EQ(out.data[n], values[n]) << "pixel " << n;
}

TEST_F(SpriteArrays, TransparentElementsStayTransparent) {
    // Columns 1 and 2 of a 4 × 4 sprite have alpha 0 (but colour in them).
    std::vector<RtInt> values;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) values.push_back(x == 1 || x == 2 ? Pixel(255, 255, 255, 0) : Pixel(255, 0, 0, 255));
    ASSERT_EQ(CreateSpriteFromArray(ArrayOf(values), 0, 4, 4), 1);
    DrawRect(0, 0, 20, 20, 0xFF0000);  // blue underneath
    DrawSprite(0, 10, 10);
    EXPECT_EQ(ReadRgba(10, 10) & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(ReadRgba(11, 11) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(ReadRgba(12, 13) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(ReadRgba(13, 13) & 0xFFFFFF, 0x0000FFu);

    RtIntArray out;
    ASSERT_EQ(SpriteToArray(out, 0), 1);
    for (int n = 0; n < 16; ++n) EXPECT_EQ(static_cast<uint32_t>(out.data[n]) >> 24, uint32_t(n % 4 == 1 || n % 4 == 2 ? 0 : 255));
}

TEST_F(SpriteArrays, SizesThatDoNotMatchTheArrayChangeNothing) {
    RtIntArray sixteen = ArrayOf(std::vector<RtInt>(16, Pixel(1, 2, 3, 255)));
    ASSERT_EQ(CreateSpriteFromArray(sixteen, 2, 4, 4), 1);
    EXPECT_EQ(CreateSpriteFromArray(sixteen, 2, 4, 5), 0);
    EXPECT_EQ(CreateSpriteFromArray(sixteen, 2, 0, 0), 0);
    EXPECT_EQ(CreateSpriteFromArray(sixteen, 2, -4, -4), 0);
    EXPECT_EQ(CreateSpriteFromArray(RtIntArray(), 2, 0, 5), 0);
    RtInt w = 0, h = 0;
    GetSpriteSize(2, w, h);
    EXPECT_EQ(w, 4);
    EXPECT_EQ(h, 4);
    // A two-dimensional array counts all its elements.
    RtIntArray grid;
    DimArray(grid, 4, 5);
    EXPECT_EQ(CreateSpriteFromArray(grid, 2, 4, 5), 1);
}

TEST_F(SpriteArrays, SlotsOutsideTheTableOrEmptyOnesAreRefused) {
    RtIntArray four = ArrayOf(std::vector<RtInt>(4, Pixel(9, 9, 9, 255)));
    EXPECT_EQ(CreateSpriteFromArray(four, -1, 2, 2), 0);
    EXPECT_EQ(CreateSpriteFromArray(four, 65536, 2, 2), 0);
    RtIntArray out = ArrayOf({5, 6});
    EXPECT_EQ(SpriteToArray(out, 70000), 0);
    EXPECT_EQ(SpriteToArray(out, 1), 0);  // empty
    EXPECT_EQ(out.size0, 2);              // untouched
}

TEST_F(SpriteArrays, LoadImageToArrayHoldsEveryPixelOfARealPicture) {
    TVK_NEED_TESTDATA();
    for (const char* name : {"pngsuite/basn2c08.png", "pngsuite/basn6a08.png", "pngsuite/basn0g08.png"}) {
        SCOPED_TRACE(name);
        std::string path = tvk::test::TestDataPath(name);
        tvk::RgbaImage expected;
        ASSERT_TRUE(tvk::DecodeImageFile(path.c_str(), tvk::kNoColourKey, expected));
        RtInt w = 0, h = 0;
        RtIntArray a;
        ASSERT_EQ(LoadImageToArray(path.c_str(), w, h, a), 1);
        ASSERT_EQ(w, expected.width);
        ASSERT_EQ(h, expected.height);
        ASSERT_EQ(a.size0, w * h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                tvk::test::Texel t = tvk::test::At(expected, x, y);
                ASSERT_EQ(a.data[x + y * w], Pixel(t[0], t[1], t[2], t[3])) << x << "," << y;
            }
    }
}

TEST_F(SpriteArrays, LoadImageToArrayIgnoresTheTransparentColour) {
    tvk::test::BmpSpec spec;
    spec.width = 2;
    spec.pixelRows = {{128, 0, 255, 1, 2, 3}};  // B, G, R: the default transparent colour, then 3, 2, 1
    std::vector<uint8_t> bytes = tvk::test::MakeBmp(spec);
    std::string path = tempDir_ + "/keyed.bmp";
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                 static_cast<std::streamsize>(bytes.size()));
    RtInt w = 0, h = 0;
    RtIntArray a;
    ASSERT_EQ(LoadImageToArray(path.c_str(), w, h, a), 1);
    ASSERT_EQ(a.size0, 2);
    EXPECT_EQ(a.data[0], Pixel(255, 0, 128, 255));
    EXPECT_EQ(a.data[1], Pixel(3, 2, 1, 255));
}

TEST_F(SpriteArrays, LoadImageToArrayFailures) {
    TVK_NEED_TESTDATA();
    RtInt w = 7, h = 8;
    RtIntArray a = ArrayOf({1});
    EXPECT_EQ(LoadImageToArray((tempDir_ + "/none.png").c_str(), w, h, a), 0);
    EXPECT_EQ(GetErrorCode(), 3);
    SetErrorCode(0);
    // Found but not a picture the decoders take: the user is told, under the name given.
    const std::string gif = tempDir_ + "/odd.gif";
    tvk::test::WriteBytes(gif, {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0});
    testing::internal::CaptureStderr();
    EXPECT_EQ(LoadImageToArray(gif.c_str(), w, h, a), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), gif + ": not a BMP, PNG or JPEG picture\n");
    EXPECT_EQ(GetErrorCode(), 0);
    EXPECT_EQ(w, 7);
    EXPECT_EQ(a.size0, 1);
}

}  // namespace
