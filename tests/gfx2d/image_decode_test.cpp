#include "gfx2d/image_decode.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

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

TEST(ImageDecode, RefusedPicturesSayWhatIsWrong) {
    const std::string path = std::filesystem::temp_directory_path() / ("tvk_refused_" + std::to_string(getpid()));
    auto said = [&](const std::vector<uint8_t>& bytes, ImageFormats formats = ImageFormats::All) {
        test::WriteBytes(path, bytes);
        RgbaImage image;
        testing::internal::CaptureStderr();
        EXPECT_FALSE(DecodeImageFile(path.c_str(), kNoColourKey, image, formats, "shown.pic"));
        EXPECT_TRUE(image.Empty());
        return testing::internal::GetCapturedStderr();
    };
    test::BmpSpec rle;
    rle.bitsPerPixel = 8;
    rle.compression = 1;
    rle.palette = {0x112233};
    rle.pixelRows = {{0, 0, 0, 0}};
    EXPECT_EQ(said(test::MakeBmp(rle)), "shown.pic: unsupported BMP compression 1 (run-length encoded)\n");
    test::BmpSpec deep;
    deep.bitsPerPixel = 2;
    deep.palette = {0, 0, 0, 0};
    deep.pixelRows = {{0}};
    EXPECT_EQ(said(test::MakeBmp(deep)), "shown.pic: unsupported BMP depth of 2 bits per pixel\n");
    const std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
    EXPECT_EQ(said(png), "shown.pic: damaged or unsupported PNG (file cut short)\n");
    EXPECT_EQ(said({'G', 'I', 'F', '8', '9', 'a'}), "shown.pic: not a BMP, PNG or JPEG picture\n");
    EXPECT_EQ(said({0xFF, 0xD8, 0xFF, 0xE0}, ImageFormats::BmpAndPng), "shown.pic: not a BMP or PNG picture\n");
    std::filesystem::remove(path);

    // A missing file is left to the caller's error code.
    TVK_NEED_TESTDATA();
    RgbaImage image;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(DecodeImageFile(path.c_str(), kNoColourKey, image));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

}  // namespace
}  // namespace tvk
