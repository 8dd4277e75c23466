#include "gfx2d/jpeg_decoder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <jpeglib.h>

#include "image_test_support.h"
#include "support/testdata.h"

namespace tvk {
namespace {

std::vector<uint8_t> JpegFile(const char* name) { return test::ReadBytes(test::TestDataPath(std::string("jpeg/") + name)); }

void ExpectSamePixels(const RgbaImage& actual, const RgbaImage& expected, const char* what) {
    ASSERT_FALSE(expected.Empty()) << what;
    ASSERT_EQ(actual.width, expected.width) << what;
    ASSERT_EQ(actual.height, expected.height) << what;
    for (size_t i = 0; i < expected.ByteCount(); ++i) {
        ASSERT_EQ(actual.pixels[i], expected.pixels[i]) << what << " byte " << i;
    }
}

TEST(JpegDecoder, DecodesExactlyLikeLibjpegsOwnTool) {
    TVK_NEED_TESTDATA();
    const struct {
        const char* jpeg;
        const char* ppm;
    } cases[] = {
        {"testorig.jpg", "testorig-decoded.ppm"},
        {"testimgint.jpg", "testimgint-decoded.ppm"},
    };
    for (const auto& c : cases) {
        const auto bytes = JpegFile(c.jpeg);
        RgbaImage image;
        ASSERT_TRUE(DecodeJpeg(bytes.data(), bytes.size(), image)) << c.jpeg;
        ExpectSamePixels(image, test::ReadPpm(test::TestDataPath(std::string("jpeg/") + c.ppm)), c.jpeg);
    }
}

TEST(JpegDecoder, ArithmeticCodingDecodesAsLibjpegDoes) {
    TVK_NEED_TESTDATA();
    // The same picture as testimgint.jpg with arithmetic instead of Huffman coding.
    const auto bytes = JpegFile("testimgari.jpg");
    RgbaImage image;
    ASSERT_TRUE(DecodeJpeg(bytes.data(), bytes.size(), image));
    ExpectSamePixels(image, test::ReadPpm(test::TestDataPath("jpeg/testimgint-decoded.ppm")), "testimgari.jpg");
}

TEST(JpegDecoder, TwelveBitSamplesAreRefusedQuietly) {
    TVK_NEED_TESTDATA();
    const auto bytes = JpegFile("monkey12.jpg");
    RgbaImage image;
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    EXPECT_FALSE(DecodeJpeg(bytes.data(), bytes.size(), image));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_TRUE(image.Empty());
}

// A grey JPEG made here with libjpeg's encoder, sample(x, y) at each pixel.
template <typename Sample>
std::vector<uint8_t> EncodeGrey(int width, int height, Sample sample, bool progressive = false) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    jpeg_mem_dest(&info, &out, &outSize);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = 1;
    info.in_color_space = JCS_GRAYSCALE;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 100, TRUE);
    if (progressive) jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(static_cast<size_t>(width));
    while (info.next_scanline < info.image_height) {
        for (int x = 0; x < width; ++x) row[size_t(x)] = JSAMPLE(sample(x, int(info.next_scanline)));
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::vector<uint8_t> bytes(out, out + outSize);
    std::free(out);
    return bytes;
}

// A horizontal ramp.
std::vector<uint8_t> EncodeGreyRamp(int width, int height) {
    return EncodeGrey(width, height, [width](int x, int) { return x * 255 / (width - 1); });
}

TEST(JpegDecoder, GreyPicturesBecomeOpaqueGreyPixels) {
    const auto bytes = EncodeGreyRamp(64, 8);
    RgbaImage image;
    ASSERT_TRUE(DecodeJpeg(bytes.data(), bytes.size(), image));
    ASSERT_EQ(image.width, 64);
    ASSERT_EQ(image.height, 8);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 64; ++x) {
            const uint8_t* p = image.Pixel(x, y);
            ASSERT_EQ(p[0], p[1]);
            ASSERT_EQ(p[0], p[2]);
            ASSERT_EQ(p[3], 255);
            ASSERT_NEAR(p[0], x * 255 / 63, 3);
        }
    }
}

std::vector<uint8_t> Cut(const std::vector<uint8_t>& bytes, size_t length) {
    return std::vector<uint8_t>(bytes.begin(), bytes.begin() + std::ptrdiff_t(length));
}

TEST(JpegDecoder, PicturesCutShortAreRefused) {
    for (bool progressive : {false, true}) {
        const auto bytes = EncodeGrey(160, 96, [](int x, int y) { return (x * 7) ^ (y * 13); }, progressive);
        RgbaImage whole, image;
        ASSERT_TRUE(DecodeJpeg(bytes.data(), bytes.size(), whole)) << progressive;
        for (size_t length : {bytes.size() / 4, bytes.size() / 2, bytes.size() * 3 / 4, bytes.size() - 40}) {
            const auto cut = Cut(bytes, length);
            std::string problem;
            EXPECT_FALSE(DecodeJpeg(cut.data(), cut.size(), image, &problem)) << progressive << " cut to " << length;
            EXPECT_EQ(problem, "damaged or unsupported JPEG (Premature end of JPEG file)") << progressive;
            EXPECT_TRUE(image.Empty());
        }
        if (progressive) continue;
        // Every row is there when only the end marker is missing.
        const auto noEnd = Cut(bytes, bytes.size() - 2);
        ASSERT_TRUE(DecodeJpeg(noEnd.data(), noEnd.size(), image));
        ExpectSamePixels(image, whole, "without the end marker");
    }
}

TEST(JpegDecoder, TestImageCutShortIsRefused) {
    TVK_NEED_TESTDATA();
    const auto bytes = JpegFile("testorig.jpg");
    ASSERT_EQ(bytes.size(), 5770u);
    RgbaImage image;
    for (size_t length : {size_t(1442), bytes.size() / 2, bytes.size() * 3 / 4}) {
        const auto cut = Cut(bytes, length);
        EXPECT_FALSE(DecodeJpeg(cut.data(), cut.size(), image)) << length;
        EXPECT_TRUE(image.Empty());
    }
}

TEST(JpegDecoder, DamagedDataNeverEscapesTheBuffer) {
    TVK_NEED_TESTDATA();
    // libjpeg makes do with a truncated stream; whatever it returns, it stays inside the data.
    const auto bytes = JpegFile("testorig.jpg");
    RgbaImage image;
    testing::internal::CaptureStderr();
    for (size_t length = 0; length < bytes.size(); length += 97) {
        std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + std::ptrdiff_t(length));
        if (DecodeJpeg(cut.data(), cut.size(), image)) {
            EXPECT_EQ(image.width, 227);
        } else {
            EXPECT_TRUE(image.Empty());
        }
    }
    const uint8_t png[] = {0x89, 'P', 'N', 'G'};
    EXPECT_FALSE(DecodeJpeg(png, sizeof png, image));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

}  // namespace
}  // namespace tvk
