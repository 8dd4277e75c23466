// Picture files written by the runtime: format choice by name, the exact BMP layout, PNG and JPEG
// read back, and where a picture may be written (files, registered memory blocks).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "files/memory_names.h"
#include "gfx2d/image_decode.h"
#include "gfx2d/image_writer.h"
#include "image_test_support.h"
#include "support/child_process.h"

namespace {

using tvk::ImageFileFormat;
using tvk::ImageFormatForName;
using tvk::RgbaImage;
using tvk::test::At;
using tvk::test::Texel;

RgbaImage Picture(int w, int h, const std::function<Texel(int, int)>& texelAt) {
    RgbaImage image;
    EXPECT_TRUE(image.Allocate(w, h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) tvk::test::Set(image, x, y, texelAt(x, y));
    return image;
}

// Every pixel different, alpha included.
Texel Varied(int x, int y) {
    return {uint8_t(x * 37 + y), uint8_t(y * 53 + 7), uint8_t(x * y + 3), uint8_t(x * 11 + y * 5 + 1)};
}

uint32_t Le32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t(b[at + 3]) << 24;
}
uint16_t Le16(const std::vector<uint8_t>& b, size_t at) { return uint16_t(b[at] | b[at + 1] << 8); }

class ImageWriter : public ::testing::Test {
protected:
    void SetUp() override { dir_ = tvk::test::MakeTempDir(); }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::string Path(const std::string& name) const { return dir_ + "/" + name; }
    std::string dir_;
};

TEST(ImageFormatChoice, FollowsTheEndOfTheName) {
    EXPECT_EQ(ImageFormatForName("shot.png"), ImageFileFormat::Png);
    EXPECT_EQ(ImageFormatForName("shot.Png"), ImageFileFormat::Png);
    EXPECT_EQ(ImageFormatForName("dir.png/shot.PNG"), ImageFileFormat::Png);
    EXPECT_EQ(ImageFormatForName("shot.JPG"), ImageFileFormat::Jpeg);
    EXPECT_EQ(ImageFormatForName("shot.jPg"), ImageFileFormat::Jpeg);
    EXPECT_EQ(ImageFormatForName("shotjpg"), ImageFileFormat::Jpeg);  // the dot is not needed
    EXPECT_EQ(ImageFormatForName("shot.jpeg"), ImageFileFormat::Bmp);
    EXPECT_EQ(ImageFormatForName("shotpng"), ImageFileFormat::Bmp);  // here it is
    EXPECT_EQ(ImageFormatForName("shot.bmp"), ImageFileFormat::Bmp);
    EXPECT_EQ(ImageFormatForName("png"), ImageFileFormat::Bmp);
    EXPECT_EQ(ImageFormatForName(""), ImageFileFormat::Bmp);
    EXPECT_EQ(ImageFormatForName(nullptr), ImageFileFormat::Bmp);
}

TEST(BmpEncoding, HeaderRowsPaddingAndSeeThroughPixels) {
    // 3 × 2: rows of 9 bytes padded to 12.
    RgbaImage image = Picture(3, 2, [](int x, int y) -> Texel {
        if (x == 1 && y == 0) return {10, 20, 30, 254};  // not quite opaque
        return {uint8_t(x * 50 + 1), uint8_t(y * 100 + 2), 200, 255};
    });
    std::vector<uint8_t> b;
    ASSERT_TRUE(tvk::EncodeBmp(image, b));
    ASSERT_EQ(b.size(), 54u + 12 * 2);
    EXPECT_EQ(b[0], 0x42);
    EXPECT_EQ(b[1], 0x4D);
    EXPECT_EQ(Le32(b, 2), 78u);
    EXPECT_EQ(Le32(b, 6), 0u);
    EXPECT_EQ(Le32(b, 10), 54u);
    EXPECT_EQ(Le32(b, 14), 40u);
    EXPECT_EQ(Le32(b, 18), 3u);
    EXPECT_EQ(Le32(b, 22), 2u);
    EXPECT_EQ(Le16(b, 26), 1);
    EXPECT_EQ(Le16(b, 28), 24);
    EXPECT_EQ(Le32(b, 30), 0u);
    EXPECT_EQ(Le32(b, 34), 0u);
    EXPECT_EQ(Le32(b, 38), 10000u);
    EXPECT_EQ(Le32(b, 42), 10000u);
    EXPECT_EQ(Le32(b, 46), 0u);
    EXPECT_EQ(Le32(b, 50), 0u);
    // The bottom picture row comes first, blue green red.
    const std::vector<uint8_t> bottom(b.begin() + 54, b.begin() + 66);
    EXPECT_EQ(bottom, (std::vector<uint8_t>{200, 102, 1, 200, 102, 51, 200, 102, 101, 0, 0, 0}));
    const std::vector<uint8_t> top(b.begin() + 66, b.end());
    EXPECT_EQ(top, (std::vector<uint8_t>{200, 2, 1, 255, 0, 128, 200, 2, 101, 0, 0, 0}));
}

TEST(BmpEncoding, EmptyPictureWritesNothing) {
    std::vector<uint8_t> b{1, 2, 3};
    EXPECT_FALSE(tvk::EncodeBmp(RgbaImage{}, b));
    EXPECT_TRUE(b.empty());
    EXPECT_FALSE(tvk::EncodePng(RgbaImage{}, b));
    EXPECT_FALSE(tvk::EncodeJpeg(RgbaImage{}, b));
}

TEST_F(ImageWriter, EachFormatReadsBackThroughTheRuntimesDecoders) {
    RgbaImage varied = Picture(13, 7, Varied);
    RgbaImage opaque = Picture(13, 7, [](int x, int y) -> Texel {
        Texel t = Varied(x, y);
        t[3] = 255;
        return t;
    });
    RgbaImage back;

    ASSERT_TRUE(tvk::WriteImageFile(Path("a.PNG").c_str(), varied));
    ASSERT_TRUE(tvk::DecodeImageFile(Path("a.PNG").c_str(), tvk::kNoColourKey, back));
    EXPECT_EQ(tvk::test::RgbaFingerprint(back), tvk::test::RgbaFingerprint(varied));  // exact, alpha too

    ASSERT_TRUE(tvk::WriteImageFile(Path("a.bmp").c_str(), opaque));
    ASSERT_TRUE(tvk::DecodeImageFile(Path("a.bmp").c_str(), tvk::kNoColourKey, back));
    EXPECT_EQ(tvk::test::RgbaFingerprint(back), tvk::test::RgbaFingerprint(opaque));
    EXPECT_EQ(std::filesystem::file_size(Path("a.bmp")), 54u + 40 * 7);

    // JPEG is lossy: a flat picture comes back close to its colour.
    RgbaImage flat = Picture(16, 16, [](int, int) -> Texel { return {200, 100, 50, 0}; });
    ASSERT_TRUE(tvk::WriteImageFile(Path("a.jpg").c_str(), flat));
    ASSERT_TRUE(tvk::DecodeImageFile(Path("a.jpg").c_str(), tvk::kNoColourKey, back));
    ASSERT_EQ(back.width, 16);
    Texel t = At(back, 8, 8);
    EXPECT_NEAR(t[0], 200, 3);
    EXPECT_NEAR(t[1], 100, 3);
    EXPECT_NEAR(t[2], 50, 3);
    EXPECT_EQ(t[3], 255);

    // A name ending in ".jpeg" is a BMP.
    ASSERT_TRUE(tvk::WriteImageFile(Path("b.jpeg").c_str(), opaque));
    EXPECT_EQ(tvk::test::ReadBytes(Path("b.jpeg"))[0], 0x42);
}

TEST_F(ImageWriter, JpegIsBaselineRgbAtQuality80) {
    if (!std::filesystem::exists("/usr/bin/identify")) GTEST_SKIP() << "no identify tool";
    RgbaImage image = Picture(40, 30, Varied);
    ASSERT_TRUE(tvk::WriteImageFile(Path("q.JPG").c_str(), image));
    std::string command = "/usr/bin/identify -format '%m %Q %[colorspace] %[interlace]' '" + Path("q.JPG") + "'";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    char text[128] = {};
    size_t got = fread(text, 1, sizeof text - 1, pipe);
    pclose(pipe);
    EXPECT_EQ(std::string(text, got), "JPEG 80 sRGB None");
}

TEST_F(ImageWriter, ReplacesAnOldFileAndRefusesUnwritablePlaces) {
    const std::string path = Path("old.bmp");
    {
        FILE* f = std::fopen(path.c_str(), "wb");
        std::vector<char> junk(5000, 'x');
        std::fwrite(junk.data(), 1, junk.size(), f);
        std::fclose(f);
    }
    RgbaImage image = Picture(2, 2, Varied);
    ASSERT_TRUE(tvk::WriteImageFile(path.c_str(), image));
    EXPECT_EQ(std::filesystem::file_size(path), 54u + 8 * 2);
    EXPECT_FALSE(tvk::WriteImageFile(Path("no/such/dir/x.png").c_str(), image));
    EXPECT_FALSE(tvk::WriteImageFile(dir_.c_str(), image));  // a directory
    EXPECT_FALSE(tvk::WriteImageFile("", image));
    EXPECT_FALSE(tvk::WriteImageFile(Path("empty.bmp").c_str(), RgbaImage{}));
    EXPECT_FALSE(std::filesystem::exists(Path("empty.bmp")));
}

TEST_F(ImageWriter, PngGoesIntoARegisteredMemoryBlockOnlyWhenItFits) {
    RgbaImage image = Picture(9, 5, Varied);
    std::vector<uint8_t> png;
    ASSERT_TRUE(tvk::EncodePng(image, png));

    std::vector<uint8_t> block(png.size() + 16, 0xAB);
    ASSERT_TRUE(tvk::RegisterMemoryRegion(block.data(), block.size()));
    const std::string whole = tvk::MemoryName(block.data(), block.size());
    EXPECT_TRUE(tvk::WriteImageFile((whole + ".png").c_str(), image));
    EXPECT_TRUE(std::equal(png.begin(), png.end(), block.begin()));
    EXPECT_EQ(block[png.size()], 0xAB);  // the rest of the block is left alone
    RgbaImage back;
    ASSERT_TRUE(tvk::DecodeImage(block.data(), block.size(), "block", tvk::kNoColourKey, back));
    EXPECT_EQ(tvk::test::RgbaFingerprint(back), tvk::test::RgbaFingerprint(image));

    // A block named one byte too short is not overrun, and keeps its bytes.
    std::fill(block.begin(), block.end(), 0xAB);
    const std::string tooShort = tvk::MemoryName(block.data(), png.size() - 1);
    EXPECT_FALSE(tvk::WriteImageFile((tooShort + ".Png").c_str(), image));
    EXPECT_EQ(std::count(block.begin(), block.end(), 0xAB), static_cast<long>(block.size()));
    // Only PNG goes to memory.
    EXPECT_FALSE(tvk::WriteImageFile(whole.c_str(), image));
    EXPECT_FALSE(tvk::WriteImageFile((whole + ".jpg").c_str(), image));
    EXPECT_EQ(std::count(block.begin(), block.end(), 0xAB), static_cast<long>(block.size()));
    tvk::ForgetMemoryRegion(block.data());

    // Memory the runtime never handed out is not written, registered or not once.
    EXPECT_FALSE(tvk::WriteImageFile((whole + ".png").c_str(), image));
    EXPECT_EQ(std::count(block.begin(), block.end(), 0xAB), static_cast<long>(block.size()));
}

}  // namespace
