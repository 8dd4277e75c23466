#include <gtest/gtest.h>

#include "sound/sample_conversion.h"
#include "sound/wav_builder.h"

namespace tvk {
namespace {

using test::Samples16;
using test::WavSpec;

// Parses a made file and converts it; the conversion's answer is in ok.
std::vector<int16_t> Convert(const WavSpec& spec, const std::vector<uint8_t>& data, bool& ok) {
    std::vector<uint8_t> bytes = test::MakeWav(spec, data);
    WavContents wav;
    std::vector<int16_t> out;
    ok = ParseWav(bytes.data(), bytes.size(), wav) && ConvertToDeviceFormat(wav, out);
    return out;
}

TEST(SampleConversion, EightBitMonoIsCentredAndPlaysOnBothSides) {
    bool ok = false;
    std::vector<int16_t> out = Convert(WavSpec{.channels = 1, .bits = 8}, {0x80, 0xFF, 0x00}, ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(out, (std::vector<int16_t>{0, 0, 32512, 32512, -32768, -32768}));
}

TEST(SampleConversion, SixteenBitStereoAtDeviceRatePassesUnchanged) {
    bool ok = false;
    std::vector<int16_t> samples = {1, -1, 32767, -32768, 300, 400};
    EXPECT_EQ(Convert(WavSpec{}, Samples16(samples), ok), samples);
    EXPECT_TRUE(ok);
}

TEST(SampleConversion, ExtraChannelsAreDroppedUsingTheFilesBlockAlign) {
    bool ok = false;
    WavSpec four{.channels = 4};
    std::vector<int16_t> out = Convert(four, Samples16({1, 2, 3, 4, 5, 6, 7, 8}), ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(out, (std::vector<int16_t>{1, 2, 5, 6}));
    // A partial frame at the end is not played.
    out = Convert(WavSpec{.channels = 1}, {1, 0, 2, 0, 3}, ok);
    EXPECT_EQ(out, (std::vector<int16_t>{1, 1, 2, 2}));
}

TEST(SampleConversion, LowerRatesAreInterpolated) {
    bool ok = false;
    std::vector<int16_t> out = Convert(WavSpec{.channels = 1, .rate = 11025}, Samples16({0, 1000, -1000}), ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(out, (std::vector<int16_t>{0, 0, 500, 500, 1000, 1000, 0, 0, -1000, -1000, -1000, -1000}));
}

TEST(SampleConversion, HigherRatesKeepTheDuration) {
    bool ok = false;
    std::vector<int16_t> in;
    for (int i = 0; i < 100; ++i) in.insert(in.end(), {int16_t(i * 10), int16_t(-i * 10)});
    std::vector<int16_t> out = Convert(WavSpec{.rate = 44100}, Samples16(in), ok);
    ASSERT_TRUE(ok);
    ASSERT_EQ(out.size(), 100u);
    EXPECT_EQ(out[2 * 10], 200);
    EXPECT_EQ(out[2 * 10 + 1], -200);
    // 8000 Hz to 22050 Hz: the length scales with the rates.
    out = Convert(WavSpec{.channels = 1, .rate = 8000}, Samples16(std::vector<int16_t>(800, 7)), ok);
    EXPECT_EQ(out.size(), 2u * 2205);
    EXPECT_EQ(out.back(), 7);
}

TEST(SampleConversion, RefusesWhatCannotBePlayed) {
    bool ok = true;
    Convert(WavSpec{.bits = 24}, std::vector<uint8_t>(12, 0), ok);
    EXPECT_FALSE(ok);
    Convert(WavSpec{.rate = 50}, std::vector<uint8_t>(8, 0), ok);
    EXPECT_FALSE(ok);
    Convert(WavSpec{.rate = 400000}, std::vector<uint8_t>(8, 0), ok);
    EXPECT_FALSE(ok);
    Convert(WavSpec{.channels = 2, .blockAlign = 2}, std::vector<uint8_t>(8, 0), ok);
    EXPECT_FALSE(ok);
    Convert(WavSpec{.channels = 0, .blockAlign = 0}, std::vector<uint8_t>(8, 0), ok);
    EXPECT_FALSE(ok);
    Convert(WavSpec{.channels = 0, .blockAlign = 2}, std::vector<uint8_t>(8, 0), ok);
    EXPECT_FALSE(ok);
    Convert(WavSpec{}, {1, 2, 3}, ok);  // less than one frame
    EXPECT_FALSE(ok);
    // Two megabytes at 100 Hz would become hours of samples.
    Convert(WavSpec{.channels = 1, .rate = 100, .bits = 8}, std::vector<uint8_t>(2000000, 0x80), ok);
    EXPECT_FALSE(ok);
    // Block sizes big enough for any count, but more channels than a WAV player takes.
    Convert(WavSpec{.channels = 9, .blockAlign = 18}, std::vector<uint8_t>(36, 0), ok);
    EXPECT_FALSE(ok);
    Convert(WavSpec{.channels = 65535, .blockAlign = 4}, std::vector<uint8_t>(8, 0), ok);
    EXPECT_FALSE(ok);
}

TEST(SampleConversion, SaysWhyItRefuses) {
    auto problem = [](const WavSpec& spec, std::vector<uint8_t> data) {
        const std::vector<uint8_t> bytes = test::MakeWav(spec, data);
        WavContents wav;
        EXPECT_TRUE(ParseWav(bytes.data(), bytes.size(), wav));
        std::vector<int16_t> out;
        EXPECT_EQ(ConvertToDeviceFormat(wav, out), DeviceFormatProblem(wav).empty());
        return DeviceFormatProblem(wav);
    };
    EXPECT_EQ(problem(WavSpec{}, std::vector<uint8_t>(8, 0)), "");
    EXPECT_EQ(problem(WavSpec{.bits = 24}, std::vector<uint8_t>(12, 0)), "unsupported WAV format (24 bits per sample)");
    EXPECT_EQ(problem(WavSpec{.channels = 0}, std::vector<uint8_t>(8, 0)), "unsupported WAV format (0 channels)");
    EXPECT_EQ(problem(WavSpec{}, {1, 2, 3}), "no whole frame of sound data");
    EXPECT_EQ(problem(WavSpec{.channels = 1, .rate = 100, .bits = 8}, std::vector<uint8_t>(2000000, 0x80)),
              "sound longer than half an hour");
}

}  // namespace
}  // namespace tvk
