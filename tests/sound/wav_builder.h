// WAV files made by the tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tvk::test {

struct WavSpec {
    uint16_t formatTag = 1;
    uint16_t channels = 2;
    uint32_t rate = 22050;
    uint16_t bits = 16;
    uint16_t blockAlign = 0;  // 0: channels × bits / 8
};

// A chunk written as it stands: 8-byte header, body, no pad byte.
void AppendChunk(std::vector<uint8_t>& out, const char* id, const std::vector<uint8_t>& body);
std::vector<uint8_t> FormatChunkBody(const WavSpec& spec);
// "RIFF" size "WAVE", a format chunk and a data chunk.
std::vector<uint8_t> MakeWav(const WavSpec& spec, const std::vector<uint8_t>& data);
// 16-bit stereo frames at 22050 Hz, every sample the same value.
std::vector<uint8_t> ConstantStereo(int16_t value, size_t frames);
// 16-bit samples as little-endian bytes.
std::vector<uint8_t> Samples16(const std::vector<int16_t>& samples);
void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);
// A path in the temporary directory unique to this process.
std::string TempPath(const std::string& name);

}  // namespace tvk::test
