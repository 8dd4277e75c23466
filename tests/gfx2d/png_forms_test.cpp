// Every PNG colour type and bit depth, written here with libpng or by ImageMagick, loads as 8-bit RGBA.
#include "gfx2d/png_decoder.h"

#include <gtest/gtest.h>
#include <png.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "gfx2d/image_decode.h"
#include "image_test_support.h"

namespace tvk {
namespace {

using test::At;
using test::Texel;

struct PngSpec {
    int width = 5;
    int height = 3;
    int colourType = PNG_COLOR_TYPE_RGB;
    int bitDepth = 8;
    bool interlaced = false;
    std::vector<png_color> palette;
    std::vector<png_byte> paletteAlpha;  // tRNS for palettes
    bool transparentColour = false;      // tRNS for grey and RGB
    png_color_16 transparent{};
    std::vector<uint16_t> samples;  // row after row, channel after channel, each within the depth
};

int Channels(int colourType) {
    switch (colourType) {
        case PNG_COLOR_TYPE_GRAY_ALPHA: return 2;
        case PNG_COLOR_TYPE_RGB: return 3;
        case PNG_COLOR_TYPE_RGB_ALPHA: return 4;
        default: return 1;
    }
}

void AppendToVector(png_structp png, png_bytep data, size_t length) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

std::vector<uint8_t> WritePng(const PngSpec& spec) {
    std::vector<uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &out, AppendToVector, nullptr);
    png_set_IHDR(png, info, png_uint_32(spec.width), png_uint_32(spec.height), spec.bitDepth, spec.colourType,
                 spec.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!spec.palette.empty()) png_set_PLTE(png, info, spec.palette.data(), int(spec.palette.size()));
    if (!spec.paletteAlpha.empty()) {
        png_set_tRNS(png, info, spec.paletteAlpha.data(), int(spec.paletteAlpha.size()), nullptr);
    } else if (spec.transparentColour) {
        png_set_tRNS(png, info, nullptr, 0, &spec.transparent);
    }
    png_write_info(png, info);
    // Samples packed by hand: big-endian 16-bit, several per byte below 8 bits, leftmost first.
    const int perRow = spec.width * Channels(spec.colourType);
    std::vector<std::vector<png_byte>> rows(size_t(spec.height));
    for (int y = 0; y < spec.height; ++y) {
        std::vector<png_byte>& row = rows[size_t(y)];
        row.assign(size_t((perRow * spec.bitDepth + 7) / 8), 0);
        for (int i = 0; i < perRow; ++i) {
            const uint16_t v = spec.samples[size_t(y * perRow + i)];
            if (spec.bitDepth == 16) {
                row[size_t(2 * i)] = png_byte(v >> 8);
                row[size_t(2 * i + 1)] = png_byte(v);
            } else {
                const int bit = i * spec.bitDepth;
                row[size_t(bit / 8)] |= png_byte(v << (8 - spec.bitDepth - bit % 8));
            }
        }
    }
    std::vector<png_bytep> pointers;
    for (auto& row : rows) pointers.push_back(row.data());
    png_write_image(png, pointers.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

// The sample of channel c at pixel i, spread over the depth's whole range.
uint16_t SampleFor(int i, int c, int bitDepth) {
    const uint32_t top = (1u << bitDepth) - 1;
    return uint16_t((uint32_t(i) * 37u + uint32_t(c) * 101u + 13u) % (top + 1));
}

// A sample widened to 8 bits: low depths scaled to the full range, 16 bits cut to their high byte.
uint8_t Widened(uint16_t v, int bitDepth) {
    if (bitDepth == 16) return uint8_t(v >> 8);
    return uint8_t(v * 255u / ((1u << bitDepth) - 1));
}

PngSpec WithSamples(int colourType, int bitDepth) {
    PngSpec spec;
    spec.colourType = colourType;
    spec.bitDepth = bitDepth;
    const int channels = Channels(colourType);
    for (int i = 0; i < spec.width * spec.height; ++i)
        for (int c = 0; c < channels; ++c) spec.samples.push_back(SampleFor(i, c, bitDepth));
    return spec;
}

Texel Expected(const PngSpec& spec, int i) {
    const int channels = Channels(spec.colourType);
    const uint16_t* s = &spec.samples[size_t(i * channels)];
    const int d = spec.bitDepth;
    switch (spec.colourType) {
        case PNG_COLOR_TYPE_GRAY: {
            const uint8_t g = Widened(s[0], d);
            const bool clear = spec.transparentColour && s[0] == spec.transparent.gray;
            return {g, g, g, uint8_t(clear ? 0 : 255)};
        }
        case PNG_COLOR_TYPE_GRAY_ALPHA: {
            const uint8_t g = Widened(s[0], d);
            return {g, g, g, Widened(s[1], d)};
        }
        case PNG_COLOR_TYPE_RGB: {
            const bool clear = spec.transparentColour && s[0] == spec.transparent.red &&
                               s[1] == spec.transparent.green && s[2] == spec.transparent.blue;
            return {Widened(s[0], d), Widened(s[1], d), Widened(s[2], d), uint8_t(clear ? 0 : 255)};
        }
        case PNG_COLOR_TYPE_RGB_ALPHA:
            return {Widened(s[0], d), Widened(s[1], d), Widened(s[2], d), Widened(s[3], d)};
        default: {
            const png_color& entry = spec.palette[s[0]];
            const uint8_t alpha = s[0] < spec.paletteAlpha.size() ? spec.paletteAlpha[s[0]] : 255;
            return {entry.red, entry.green, entry.blue, alpha};
        }
    }
}

void ExpectDecodesAsWritten(const PngSpec& spec, const std::string& label) {
    const std::vector<uint8_t> bytes = WritePng(spec);
    ASSERT_FALSE(bytes.empty()) << label;
    RgbaImage image;
    std::string problem;
    testing::internal::CaptureStdout();
    const bool decoded = DecodePng(bytes.data(), bytes.size(), label.c_str(), kNoColourKey, image, &problem);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << label;
    ASSERT_TRUE(decoded) << label << ": " << problem;
    ASSERT_EQ(image.width, spec.width) << label;
    ASSERT_EQ(image.height, spec.height) << label;
    for (int y = 0; y < spec.height; ++y)
        for (int x = 0; x < spec.width; ++x)
            ASSERT_EQ(At(image, x, y), Expected(spec, y * spec.width + x)) << label << " at " << x << "," << y;
}

std::string Label(int colourType, int bitDepth, const char* extra = "") {
    return "type " + std::to_string(colourType) + " depth " + std::to_string(bitDepth) + extra;
}

TEST(PngForms, GreyAtEveryDepthWithAndWithoutATransparentValue) {
    for (int depth : {1, 2, 4, 8, 16}) {
        PngSpec spec = WithSamples(PNG_COLOR_TYPE_GRAY, depth);
        ExpectDecodesAsWritten(spec, Label(spec.colourType, depth));
        spec.transparentColour = true;
        spec.transparent.gray = spec.samples[4];
        ExpectDecodesAsWritten(spec, Label(spec.colourType, depth, " with tRNS"));
        spec.interlaced = true;
        ExpectDecodesAsWritten(spec, Label(spec.colourType, depth, " with tRNS, interlaced"));
    }
}

TEST(PngForms, GreyWithAlphaRgbAndRgbaAtEightAndSixteenBits) {
    for (int type : {PNG_COLOR_TYPE_GRAY_ALPHA, PNG_COLOR_TYPE_RGB, PNG_COLOR_TYPE_RGB_ALPHA}) {
        for (int depth : {8, 16}) {
            PngSpec spec = WithSamples(type, depth);
            ExpectDecodesAsWritten(spec, Label(type, depth));
            spec.interlaced = true;
            ExpectDecodesAsWritten(spec, Label(type, depth, " interlaced"));
        }
    }
    for (int depth : {8, 16}) {
        PngSpec spec = WithSamples(PNG_COLOR_TYPE_RGB, depth);
        spec.transparentColour = true;
        spec.transparent.red = spec.samples[6];  // pixel 2
        spec.transparent.green = spec.samples[7];
        spec.transparent.blue = spec.samples[8];
        ExpectDecodesAsWritten(spec, Label(spec.colourType, depth, " with tRNS"));
    }
}

TEST(PngForms, PalettesAtEveryDepthWithAndWithoutTransparentEntries) {
    for (int depth : {1, 2, 4, 8}) {
        PngSpec spec = WithSamples(PNG_COLOR_TYPE_PALETTE, depth);
        const int entries = 1 << depth;
        for (int e = 0; e < entries; ++e)
            spec.palette.push_back({png_byte(e * 7 + 1), png_byte(255 - e * 3), png_byte(e * 11 % 256)});
        ExpectDecodesAsWritten(spec, Label(spec.colourType, depth));
        // Fewer alpha values than entries: the rest are opaque.
        spec.paletteAlpha = {0, 128};
        ExpectDecodesAsWritten(spec, Label(spec.colourType, depth, " with tRNS"));
        spec.interlaced = true;
        ExpectDecodesAsWritten(spec, Label(spec.colourType, depth, " with tRNS, interlaced"));
    }
}

TEST(PngForms, ColourKeyAppliesToPalettePicturesAsToRgb) {
    PngSpec spec = WithSamples(PNG_COLOR_TYPE_PALETTE, 2);
    spec.palette = {{10, 20, 30}, {40, 50, 60}, {70, 80, 90}, {100, 110, 120}};
    const std::vector<uint8_t> bytes = WritePng(spec);
    RgbaImage image;
    ASSERT_TRUE(DecodePng(bytes.data(), bytes.size(), "palette", 40 | 50 << 8 | 60 << 16, image));
    for (int i = 0; i < spec.width * spec.height; ++i) {
        const Texel want = spec.samples[size_t(i)] == 1 ? Texel{0, 0, 0, 0} : Expected(spec, i);
        ASSERT_EQ(At(image, i % spec.width, i / spec.width), want) << i;
    }
}

TEST(PngForms, WhatLibpngRefusesIsNamed) {
    std::vector<uint8_t> bytes = WritePng(WithSamples(PNG_COLOR_TYPE_RGB, 8));
    bytes[29] ^= 0xFF;  // inside the IHDR checksum
    RgbaImage image;
    std::string problem;
    testing::internal::CaptureStdout();
    EXPECT_FALSE(DecodePng(bytes.data(), bytes.size(), "broken", kNoColourKey, image, &problem));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(problem, "damaged or unsupported PNG (IHDR: CRC error)");
    EXPECT_TRUE(image.Empty());

    bytes = WritePng(WithSamples(PNG_COLOR_TYPE_RGB, 8));
    bytes.resize(bytes.size() - 20);
    EXPECT_FALSE(DecodePng(bytes.data(), bytes.size(), "cut", kNoColourKey, image, &problem));
    EXPECT_EQ(problem, "damaged or unsupported PNG (file cut short)");
}

// ImageMagick's own files, made at test time from raw RGBA pixels.
class MagickPngs : public ::testing::Test {
protected:
    void SetUp() override {
        if (access("/usr/bin/convert", X_OK) != 0) GTEST_SKIP() << "/usr/bin/convert (ImageMagick) is not installed";
        dir_ = std::filesystem::temp_directory_path() / ("tvk_png_forms_" + std::to_string(getpid()));
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override {
        if (!dir_.empty()) std::filesystem::remove_all(dir_);
    }

    // Runs convert on the 4 × 2 pixels with the given output options; checks that the file has the
    // colour type and depth asked for.
    std::string Make(const std::vector<Texel>& pixels, const std::string& options, int colourType, int bitDepth,
                     bool transparencyChunk) {
        const std::string raw = (dir_ / "source.rgba").string();
        std::vector<uint8_t> bytes;
        for (const Texel& t : pixels) bytes.insert(bytes.end(), t.begin(), t.end());
        test::WriteBytes(raw, bytes);
        const std::string out = (dir_ / "picture.png").string();
        // A format prefix such as "PNG8:" sticks to the output name.
        const std::string target = !options.empty() && options.back() == ':' ? options + out : options + " " + out;
        const std::string command = "/usr/bin/convert -size 4x2 -depth 8 rgba:" + raw + " " + target;
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        const std::vector<uint8_t> made = test::ReadBytes(out);
        EXPECT_GT(made.size(), 33u) << options;
        if (made.size() > 33) {
            EXPECT_EQ(made[25], colourType) << options;
            EXPECT_EQ(made[24], bitDepth) << options;
            const std::string text(made.begin(), made.end());
            EXPECT_EQ(text.find("tRNS") != std::string::npos, transparencyChunk) << options;
        }
        return out;
    }

    static void ExpectPixels(const std::string& file, const std::vector<Texel>& pixels, const std::string& label) {
        RgbaImage image;
        testing::internal::CaptureStdout();
        const bool decoded = DecodeImageFile(file.c_str(), kNoColourKey, image);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << label;
        ASSERT_TRUE(decoded) << label;
        ASSERT_EQ(image.width, 4);
        ASSERT_EQ(image.height, 2);
        for (int i = 0; i < 8; ++i) {
            const Texel got = At(image, i % 4, i / 4);
            if (pixels[size_t(i)][3] == 0) EXPECT_EQ(got[3], 0) << label << " pixel " << i;  // colour is free
            else EXPECT_EQ(got, pixels[size_t(i)]) << label << " pixel " << i;
        }
    }

    std::filesystem::path dir_;
};

TEST_F(MagickPngs, ASolidColourIsAOneBitPalette) {
    const std::string out = (dir_ / "red.png").string();
    ASSERT_EQ(std::system(("/usr/bin/convert -size 8x8 xc:red " + out).c_str()), 0);
    const std::vector<uint8_t> made = test::ReadBytes(out);
    ASSERT_GT(made.size(), 26u);
    EXPECT_EQ(made[25], PNG_COLOR_TYPE_PALETTE);
    RgbaImage image;
    ASSERT_TRUE(DecodeImageFile(out.c_str(), kNoColourKey, image));
    ASSERT_EQ(image.width, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) ASSERT_EQ(At(image, x, y), (Texel{255, 0, 0, 255}));
}

TEST_F(MagickPngs, GreyAndGreyWithAlpha) {
    const std::vector<Texel> twoLevels = {{0, 0, 0, 255},       {255, 255, 255, 255}, {0, 0, 0, 255},
                                          {255, 255, 255, 255}, {255, 255, 255, 255}, {0, 0, 0, 255},
                                          {0, 0, 0, 255},       {255, 255, 255, 255}};
    ExpectPixels(Make(twoLevels, "-define png:color-type=0 -define png:bit-depth=1", 0, 1, false), twoLevels, "grey 1");
    std::vector<Texel> fourLevels;
    for (uint8_t v : {0, 85, 170, 255, 255, 170, 85, 0}) fourLevels.push_back({v, v, v, 255});
    for (int depth : {2, 4, 8, 16}) {
        const std::string options = "-define png:color-type=0 -define png:bit-depth=" + std::to_string(depth);
        ExpectPixels(Make(fourLevels, options, 0, depth, false), fourLevels, "grey " + std::to_string(depth));
    }
    std::vector<Texel> greyAlpha;
    const uint8_t values[8][2] = {{0, 255}, {85, 128}, {170, 1}, {255, 255}, {17, 34}, {51, 68}, {119, 255}, {238, 1}};
    for (const auto& v : values) greyAlpha.push_back({v[0], v[0], v[0], v[1]});
    for (int depth : {8, 16}) {
        const std::string options = "-define png:color-type=4 -define png:bit-depth=" + std::to_string(depth);
        ExpectPixels(Make(greyAlpha, options, 4, depth, false), greyAlpha, "grey alpha " + std::to_string(depth));
    }
}

TEST_F(MagickPngs, ColourPalettesAndTransparency) {
    const std::vector<Texel> opaque = {{255, 0, 0, 255},     {0, 255, 0, 255}, {0, 0, 255, 255},     {10, 20, 30, 255},
                                       {255, 255, 255, 255}, {0, 0, 0, 255},   {100, 150, 200, 255}, {1, 2, 3, 255}};
    std::vector<Texel> oneClear = opaque;
    oneClear[5] = {0, 0, 0, 0};
    const std::vector<Texel> blended = {{255, 0, 0, 255},     {0, 255, 0, 128}, {0, 0, 255, 1},      {10, 20, 30, 255},
                                        {255, 255, 255, 255}, {0, 0, 0, 255},   {100, 150, 200, 64}, {1, 2, 3, 255}};
    for (int depth : {8, 16}) {
        const std::string d = std::to_string(depth);
        ExpectPixels(Make(opaque, "-define png:color-type=2 -define png:bit-depth=" + d, 2, depth, false), opaque,
                     "rgb " + d);
        ExpectPixels(Make(oneClear, "-define png:color-type=2 -define png:bit-depth=" + d, 2, depth, true), oneClear,
                     "rgb with tRNS " + d);
        ExpectPixels(Make(blended, "-define png:color-type=6 -define png:bit-depth=" + d, 6, depth, false), blended,
                     "rgba " + d);
    }
    ExpectPixels(Make(opaque, "-define png:color-type=3 -define png:bit-depth=4", 3, 4, false), opaque, "palette");
    ExpectPixels(Make(oneClear, "PNG8:", 3, 8, true), oneClear, "palette with tRNS");
}

}  // namespace
}  // namespace tvk
