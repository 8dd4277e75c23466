#include "gfx2d/image_decode.h"

#include <gtest/gtest.h>

#include "image_test_support.h"
#include "support/testdata.h"

namespace tvk {
namespace {

int32_t ColourAt(const RgbaImage& image, int x, int y) {
    const uint8_t* p = image.Pixel(x, y);
    return p[0] | p[1] << 8 | p[2] << 16;
}

TEST(ImageDecode, EachFormatIsRecognisedFromItsData) {
    TVK_NEED_TESTDATA();
    const struct {
        const char* file;
        int width, height;
    } cases[] = {
        {"bmpsuite/g/rgb24.bmp", 127, 64},
        {"jpeg/shira_bird8.bmp", 192, 144},
        {"pngsuite/basn2c08.png", 32, 32},
        {"jpeg/testorig.jpg", 227, 149},
    };
    for (const auto& c : cases) {
        const auto bytes = test::ReadBytes(test::TestDataPath(c.file));
        RgbaImage image;
        ASSERT_TRUE(DecodeImage(bytes.data(), bytes.size(), c.file, kNoColourKey, image)) << c.file;
        EXPECT_EQ(image.width, c.width) << c.file;
        EXPECT_EQ(image.height, c.height) << c.file;
    }
}

TEST(ImageDecode, ColourKeyMakesBmpPixelsTransparentButLeavesJpegOpaque) {
    TVK_NEED_TESTDATA();
    RgbaImage image;
    ASSERT_TRUE(DecodeImageFile(test::TestDataPath("bmpsuite/g/rgb24.bmp").c_str(), kNoColourKey, image));
    const int32_t key = ColourAt(image, 0, 0);
    ASSERT_TRUE(DecodeImageFile(test::TestDataPath("bmpsuite/g/rgb24.bmp").c_str(), key, image));
    EXPECT_EQ(image.Pixel(0, 0)[3], 0);
    EXPECT_EQ(ColourAt(image, 0, 0), 0);

    const std::string jpeg = test::TestDataPath("jpeg/testorig.jpg");
    ASSERT_TRUE(DecodeImageFile(jpeg.c_str(), kNoColourKey, image));
    const int32_t jpegKey = ColourAt(image, 0, 0);
    ASSERT_TRUE(DecodeImageFile(jpeg.c_str(), jpegKey, image));
    EXPECT_EQ(image.Pixel(0, 0)[3], 255);
    EXPECT_EQ(ColourAt(image, 0, 0), jpegKey);
}

TEST(ImageDecode, FontPicturesAreNotTriedAsJpeg) {
    TVK_NEED_TESTDATA();
    RgbaImage image;
    const std::string jpeg = test::TestDataPath("jpeg/testorig.jpg");
    EXPECT_FALSE(DecodeImageFile(jpeg.c_str(), kNoColourKey, image, ImageFormats::BmpAndPng));
    EXPECT_TRUE(DecodeImageFile(test::TestDataPath("pngsuite/basn0g08.png").c_str(), kNoColourKey, image,
                                ImageFormats::BmpAndPng));
}

TEST(ImageDecode, UnreadableOrUnknownFilesFail) {
    TVK_NEED_TESTDATA();
    RgbaImage image;
    ASSERT_TRUE(image.Allocate(4, 4));
    EXPECT_FALSE(DecodeImageFile(test::TestDataPath("no-such-picture.png").c_str(), kNoColourKey, image));
    EXPECT_TRUE(image.Empty());
    EXPECT_FALSE(DecodeImageFile(test::TestDataPath("jpeg").c_str(), kNoColourKey, image));
    EXPECT_FALSE(DecodeImageFile(test::TestDataPath("README.md").c_str(), kNoColourKey, image));
    EXPECT_FALSE(DecodeImageFile(nullptr, kNoColourKey, image));
    EXPECT_FALSE(DecodeImage(nullptr, 0, "empty", kNoColourKey, image));
}

TEST(ImageDecode, PngNotesNameTheFile) {
    TVK_NEED_TESTDATA();
    RgbaImage image;
    const std::string path = test::TestDataPath("pngsuite/basn0g16.png");
    testing::internal::CaptureStdout();
    EXPECT_FALSE(DecodeImageFile(path.c_str(), kNoColourKey, image));
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "File " + path + " has bit depth 16.\nOnly bit depth of 8 is supported.\n");
}

}  // namespace
}  // namespace tvk
