#include "sound/wav_builder.h"

#include <cstdio>
#include <cstring>

#include "platform/system.h"
#include "support/little_endian.h"

namespace tvk::test {

void AppendChunk(std::vector<uint8_t>& out, const char* id, const std::vector<uint8_t>& body) {
    out.insert(out.end(), id, id + 4);
    Put32(out, uint32_t(body.size()));
    out.insert(out.end(), body.begin(), body.end());
}

std::vector<uint8_t> FormatChunkBody(const WavSpec& spec) {
    const uint16_t align = spec.blockAlign ? spec.blockAlign : uint16_t(spec.channels * spec.bits / 8);
    std::vector<uint8_t> body;
    Put16(body, spec.formatTag);
    Put16(body, spec.channels);
    Put32(body, spec.rate);
    Put32(body, spec.rate * align);
    Put16(body, align);
    Put16(body, spec.bits);
    return body;
}

std::vector<uint8_t> MakeWav(const WavSpec& spec, const std::vector<uint8_t>& data) {
    std::vector<uint8_t> out = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
    AppendChunk(out, "fmt ", FormatChunkBody(spec));
    AppendChunk(out, "data", data);
    const uint32_t riff = uint32_t(out.size() - 8);
    std::memcpy(&out[4], &riff, 4);
    return out;
}

std::vector<uint8_t> Samples16(const std::vector<int16_t>& samples) {
    std::vector<uint8_t> out;
    for (int16_t s : samples) Put16(out, uint16_t(s));
    return out;
}

std::vector<uint8_t> ConstantStereo(int16_t value, size_t frames) {
    return Samples16(std::vector<int16_t>(frames * 2, value));
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

std::string TempPath(const std::string& name) {
    return platform::TempDirectory() + "tvk_sound_" + std::to_string(platform::CurrentThreadId()) + "_" + name;
}

}  // namespace tvk::test
