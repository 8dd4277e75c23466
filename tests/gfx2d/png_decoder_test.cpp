#include "gfx2d/png_decoder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <map>
#include <string>

#include "image_test_support.h"
#include "support/testdata.h"

namespace tvk {
namespace {

std::vector<uint8_t> SuiteFile(const std::string& name) {
    return test::ReadBytes(test::TestDataPath("pngsuite/" + name));
}

struct Reference {
    uint64_t fingerprint;
    bool withAlpha;  // fingerprint over R, G, B, A; otherwise over R, G, B with alpha 255 expected
};

// ImageMagick 6.9.11's decode (`convert FILE -depth 8 rgb:-`, or rgba:- for the alpha files) of copies
// without the gAMA chunk, so that the stored samples are compared rather than gamma-corrected ones.
// Each interlaced file (i...) holds the same picture as its plain twin.
const std::map<std::string, Reference>& AcceptedFiles() {
    static const std::map<std::string, Reference> files = {
        {"basn0g08.png", {0x2baa095f16b61881ull, false}},   {"ibasn0g08.png", {0x2baa095f16b61881ull, false}},
        {"basn2c08.png", {0x20362d9a3ff2e125ull, false}},   {"ibasn2c08.png", {0x20362d9a3ff2e125ull, false}},
        {"basn6a08.png", {0xf9ed41b6375b125dull, true}},    {"ibasn6a08.png", {0xf9ed41b6375b125dull, true}},
        {"ftbrn2c08.png", {0x4c1736df857f8937ull, false}},  {"iftbrn2c08.png", {0x4c1736df857f8937ull, false}},
        {"ftp0n0g08.png", {0x5bbdf96013aceffeull, false}},  {"iftp0n0g08.png", {0x5bbdf96013aceffeull, false}},
        {"ftp0n2c08.png", {0xa64ba09becb56ab7ull, false}},  {"iftp0n2c08.png", {0xa64ba09becb56ab7ull, false}},
    };
    return files;
}

std::vector<std::string> SuiteFileNames() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(test::TestDataPath("pngsuite"))) {
        if (entry.path().extension() == ".png") names.push_back(entry.path().filename().string());
    }
    return names;
}

TEST(PngSuite, EightBitGreyRgbAndRgbaLoadExactly) {
    TVK_NEED_TESTDATA();
    for (const auto& [file, reference] : AcceptedFiles()) {
        const auto bytes = SuiteFile(file);
        RgbaImage image;
        testing::internal::CaptureStdout();
        const bool decoded = DecodePng(bytes.data(), bytes.size(), file.c_str(), kNoColourKey, image);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << file;
        ASSERT_TRUE(decoded) << file;
        EXPECT_EQ(image.width, 32);
        EXPECT_EQ(image.height, 32);
        if (reference.withAlpha) {
            EXPECT_EQ(test::RgbaFingerprint(image), reference.fingerprint) << file;
        } else {
            EXPECT_EQ(test::RgbFingerprint(image), reference.fingerprint) << file;
            // A transparency chunk (the ftbr files carry one) clears the pixels of its colour only.
            size_t clear = 0;
            for (size_t i = 3; i < image.ByteCount(); i += 4) {
                ASSERT_TRUE(image.pixels[i] == 255 || image.pixels[i] == 0) << file;
                clear += image.pixels[i] == 0;
            }
            EXPECT_EQ(clear > 0, file.find("ftbr") != std::string::npos) << file;
        }
    }
}

TEST(PngSuite, EveryOtherTypeAndDepthLoadsWithoutNotes) {
    TVK_NEED_TESTDATA();
    const auto names = SuiteFileNames();
    ASSERT_GT(names.size(), 40u);
    for (const std::string& file : names) {
        if (AcceptedFiles().count(file)) continue;
        const auto bytes = SuiteFile(file);
        const int colourType = bytes[25];  // from the IHDR chunk
        RgbaImage image;
        testing::internal::CaptureStdout();
        EXPECT_TRUE(DecodePng(bytes.data(), bytes.size(), file.c_str(), kNoColourKey, image)) << file;
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << file;
        EXPECT_EQ(image.width, 32) << file;
        EXPECT_EQ(image.height, 32) << file;
        // Only files with an alpha channel or a transparency chunk have pixels that are not opaque.
        const std::string text(bytes.begin(), bytes.end());
        const bool mayBeClear = (colourType & 4) || text.find("tRNS") != std::string::npos;
        size_t clear = 0;
        for (size_t i = 3; i < image.ByteCount(); i += 4) clear += image.pixels[i] != 255;
        if (!mayBeClear) {
            EXPECT_EQ(clear, 0u) << file;
        }
    }
    // A 16-bit picture gives the high bytes of its samples: its interlaced twin gives the same.
    for (const char* pair : {"basn0g16.png", "basn2c16.png", "basn4a16.png", "basn6a16.png", "basn3p08.png"}) {
        RgbaImage plain, interlaced;
        const auto a = SuiteFile(pair), b = SuiteFile(std::string("i") + pair);
        ASSERT_TRUE(DecodePng(a.data(), a.size(), pair, kNoColourKey, plain));
        ASSERT_TRUE(DecodePng(b.data(), b.size(), pair, kNoColourKey, interlaced));
        EXPECT_EQ(test::RgbaFingerprint(plain), test::RgbaFingerprint(interlaced)) << pair;
    }
}

TEST(PngDecoder, ColourKeyAppliesToColourPicturesWithoutAlpha) {
    TVK_NEED_TESTDATA();
    RgbaImage image;
    auto rgb = SuiteFile("basn2c08.png");
    ASSERT_TRUE(DecodePng(rgb.data(), rgb.size(), "rgb", kNoColourKey, image));
    const uint8_t* first = image.Pixel(0, 0);
    const int32_t key = first[0] | first[1] << 8 | first[2] << 16;
    size_t matching = 0;
    for (size_t i = 0; i < image.ByteCount(); i += 4) {
        matching += (image.pixels[i] | image.pixels[i + 1] << 8 | image.pixels[i + 2] << 16) == key;
    }
    ASSERT_TRUE(DecodePng(rgb.data(), rgb.size(), "rgb", key, image));
    size_t cleared = 0;
    for (size_t i = 0; i < image.ByteCount(); i += 4) {
        const uint32_t word = image.pixels[i] | image.pixels[i + 1] << 8 | image.pixels[i + 2] << 16 |
                              uint32_t(image.pixels[i + 3]) << 24;
        if (word == 0) ++cleared;
        else ASSERT_EQ(image.pixels[i + 3], 255);
    }
    EXPECT_EQ(cleared, matching);
    EXPECT_GT(cleared, 0u);

    // A grey pixel equal to the key stays opaque, and alpha pictures are copied as they are.
    for (const char* file : {"basn0g08.png", "basn6a08.png"}) {
        const auto bytes = SuiteFile(file);
        RgbaImage plain, keyed;
        ASSERT_TRUE(DecodePng(bytes.data(), bytes.size(), file, kNoColourKey, plain));
        const uint8_t* p = plain.Pixel(5, 5);
        ASSERT_TRUE(DecodePng(bytes.data(), bytes.size(), file, p[0] | p[1] << 8 | p[2] << 16, keyed));
        EXPECT_EQ(0, std::memcmp(plain.pixels, keyed.pixels, plain.ByteCount())) << file;
    }
}

TEST(PngDecoder, DamagedDataFailsQuietly) {
    TVK_NEED_TESTDATA();
    auto bytes = SuiteFile("basn6a08.png");
    RgbaImage image;
    testing::internal::CaptureStdout();
    // Any cut before the closing 12-byte IEND chunk loses picture data.
    for (size_t length = 0; length < bytes.size() - 12; length += 7) {
        std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + std::ptrdiff_t(length));
        EXPECT_FALSE(DecodePng(cut.data(), cut.size(), "cut", kNoColourKey, image)) << length;
        EXPECT_TRUE(image.Empty());
    }
    // A changed byte inside the compressed data breaks its checksum.
    bytes[bytes.size() / 2] ^= 0x55;
    EXPECT_FALSE(DecodePng(bytes.data(), bytes.size(), "damaged", kNoColourKey, image));
    const uint8_t bmp[] = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_FALSE(DecodePng(bmp, sizeof bmp, "bmp", kNoColourKey, image));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

TEST(PngDecoder, ReusesALargeEnoughBuffer) {
    TVK_NEED_TESTDATA();
    const auto bytes = SuiteFile("basn2c08.png");
    RgbaImage image;
    ASSERT_TRUE(image.Allocate(64, 64));
    const uint8_t* buffer = image.pixels;
    ASSERT_TRUE(DecodePng(bytes.data(), bytes.size(), "rgb", kNoColourKey, image));
    EXPECT_EQ(image.pixels, buffer);
    EXPECT_EQ(image.capacity, 64 * 64 * 4);
}

}  // namespace
}  // namespace tvk
