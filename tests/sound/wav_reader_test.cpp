#include <gtest/gtest.h>

#include "sound/wav_builder.h"
#include "sound/wav_reader.h"

namespace tvk {
namespace {

using test::AppendChunk;
using test::FormatChunkBody;
using test::MakeWav;
using test::WavSpec;

std::vector<uint8_t> RiffHeader() { return {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'}; }

TEST(WavReader, ReadsFormatFieldsAndData) {
    WavSpec spec{.formatTag = 3, .channels = 1, .rate = 11025, .bits = 8};
    std::vector<uint8_t> data = {1, 2, 3, 4, 5};
    std::vector<uint8_t> bytes = MakeWav(spec, data);
    WavContents wav;
    ASSERT_TRUE(ParseWav(bytes.data(), bytes.size(), wav));
    EXPECT_EQ(wav.format.formatTag, 3);
    EXPECT_EQ(wav.format.channels, 1);
    EXPECT_EQ(wav.format.samplesPerSecond, 11025u);
    EXPECT_EQ(wav.format.bytesPerSecond, 11025u);
    EXPECT_EQ(wav.format.blockAlign, 1);
    EXPECT_EQ(wav.format.bitsPerSample, 8);
    ASSERT_EQ(wav.size, 5u);
    EXPECT_EQ(wav.data, bytes.data() + bytes.size() - 5);
}

TEST(WavReader, SkipsOtherChunksByTheirExactLength) {
    // An odd-length chunk before the format and one after it; no pad byte follows either, and
    // the format chunk carries four extra bytes that are skipped.
    std::vector<uint8_t> bytes = RiffHeader();
    AppendChunk(bytes, "LIST", {9, 9, 9});
    std::vector<uint8_t> format = FormatChunkBody(WavSpec{});
    format.insert(format.end(), {0, 0, 7, 7});
    AppendChunk(bytes, "fmt ", format);
    AppendChunk(bytes, "fact", {1, 2, 3, 4, 5});
    AppendChunk(bytes, "data", {10, 20, 30, 40});
    WavContents wav;
    ASSERT_TRUE(ParseWav(bytes.data(), bytes.size(), wav));
    EXPECT_EQ(wav.format.channels, 2);
    ASSERT_EQ(wav.size, 4u);
    EXPECT_EQ(wav.data[0], 10);
    EXPECT_EQ(wav.data[3], 40);
}

TEST(WavReader, DataBeforeTheFormatIsPassedOver) {
    std::vector<uint8_t> bytes = RiffHeader();
    AppendChunk(bytes, "data", {1, 1});
    AppendChunk(bytes, "fmt ", FormatChunkBody(WavSpec{}));
    AppendChunk(bytes, "data", {2, 2, 2, 2});
    WavContents wav;
    ASSERT_TRUE(ParseWav(bytes.data(), bytes.size(), wav));
    EXPECT_EQ(wav.size, 4u);
    EXPECT_EQ(wav.data[0], 2);
}

TEST(WavReader, RefusesFilesThatAreNotWholeWaves) {
    const std::vector<uint8_t> good = MakeWav(WavSpec{}, {1, 2, 3, 4});
    WavContents wav;
    auto refused = [&](std::vector<uint8_t> bytes) { return !ParseWav(bytes.data(), bytes.size(), wav); };

    std::vector<uint8_t> notRiff = good;
    notRiff[0] = 'X';
    EXPECT_TRUE(refused(notRiff));
    std::vector<uint8_t> notWave = good;
    notWave[11] = 'X';
    EXPECT_TRUE(refused(notWave));
    EXPECT_TRUE(refused({}));

    std::vector<uint8_t> noFormat = RiffHeader();
    AppendChunk(noFormat, "data", {1, 2, 3, 4});
    EXPECT_TRUE(refused(noFormat));

    std::vector<uint8_t> noData = RiffHeader();
    AppendChunk(noData, "fmt ", FormatChunkBody(WavSpec{}));
    EXPECT_TRUE(refused(noData));

    std::vector<uint8_t> shortFormat = RiffHeader();
    std::vector<uint8_t> body = FormatChunkBody(WavSpec{});
    body.resize(14);
    AppendChunk(shortFormat, "fmt ", body);
    AppendChunk(shortFormat, "data", {1, 2, 3, 4});
    EXPECT_TRUE(refused(shortFormat));

    // A data chunk claiming more than the file holds, up to the largest length.
    std::vector<uint8_t> longData = good;
    longData[longData.size() - 8] = 5;
    EXPECT_TRUE(refused(longData));
    for (int i = 1; i <= 4; ++i) longData[longData.size() - 4 - i] = 0xFF;
    EXPECT_TRUE(refused(longData));

    // A skipped chunk whose length runs past the end.
    std::vector<uint8_t> longSkip = RiffHeader();
    AppendChunk(longSkip, "LIST", {1});
    longSkip[16] = 0xFF;
    longSkip[19] = 0xFF;
    EXPECT_TRUE(refused(longSkip));
}

TEST(WavReader, PlayabilityNamesWhatIsWrong) {
    auto problem = [](const WavSpec& spec) {
        const std::vector<uint8_t> bytes = MakeWav(spec, std::vector<uint8_t>(64, 0));
        EXPECT_EQ(WavHeaderIsPlayable(bytes.data(), bytes.size()), WavPlayabilityProblem(bytes.data(), bytes.size()).empty());
        return WavPlayabilityProblem(bytes.data(), bytes.size());
    };
    EXPECT_EQ(problem(WavSpec{}), "");
    EXPECT_EQ(problem(WavSpec{.bits = 24}), "");  // the music library plays these
    EXPECT_EQ(problem(WavSpec{.channels = 8}), "");
    EXPECT_EQ(problem(WavSpec{.channels = 0}), "unsupported WAV format (0 channels)");
    // 256 channels would reach the music library as 0.
    EXPECT_EQ(problem(WavSpec{.channels = 256, .blockAlign = 4}), "unsupported WAV format (256 channels)");
    EXPECT_EQ(problem(WavSpec{.channels = 9}), "unsupported WAV format (9 channels)");
    EXPECT_EQ(problem(WavSpec{.rate = 0}), "unsupported WAV format (0 samples per second)");
    EXPECT_EQ(problem(WavSpec{.rate = 99}), "unsupported WAV format (99 samples per second)");
    EXPECT_EQ(problem(WavSpec{.rate = 200001}), "unsupported WAV format (200001 samples per second)");
    EXPECT_EQ(problem(WavSpec{.bits = 0, .blockAlign = 4}), "unsupported WAV format (0 bits per sample)");
    EXPECT_EQ(problem(WavSpec{.bits = 33, .blockAlign = 10}), "unsupported WAV format (33 bits per sample)");
    EXPECT_EQ(problem(WavSpec{.channels = 1, .blockAlign = 1}), "unsupported WAV format (block align of 1 bytes)");
    // Only the two channels played must fit in a frame.
    EXPECT_EQ(problem(WavSpec{.channels = 4, .blockAlign = 4}), "");

    std::vector<uint8_t> bytes = MakeWav(WavSpec{}, {1, 2, 3, 4});
    bytes.resize(bytes.size() - 1);
    EXPECT_EQ(WavPlayabilityProblem(bytes.data(), bytes.size()), "damaged WAV file (a chunk is missing or cut short)");
    const uint8_t text[] = "not a wave file";
    EXPECT_EQ(WavPlayabilityProblem(text, sizeof text), "not a WAV file");
}

TEST(WavReader, EveryTruncationEitherFailsOrStaysInside) {
    const std::vector<uint8_t> good = MakeWav(WavSpec{}, {1, 2, 3, 4, 5, 6, 7, 8});
    for (size_t n = 0; n < good.size(); ++n) {
        std::vector<uint8_t> cut(good.begin(), good.begin() + long(n));
        WavContents wav;
        EXPECT_FALSE(ParseWav(cut.data(), cut.size(), wav)) << n;
        EXPECT_EQ(wav.data, nullptr);
    }
}

}  // namespace
}  // namespace tvk
