#include "sound/sample_conversion.h"

#include <algorithm>

#include "platform/audio.h"

namespace tvk {
namespace {

int16_t ReadSample(const uint8_t* p, int bytesPerSample) {
    if (bytesPerSample == 1) return int16_t((int(p[0]) - 128) * 256);
    return int16_t(uint16_t(p[0] | (p[1] << 8)));
}

// Frames at the file's rate, stereo.
void DecodeFrames(const WavContents& wav, int bytesPerSample, bool stereo, size_t frames,
                  std::vector<int16_t>& out) {
    out.resize(frames * 2);
    const uint8_t* p = wav.data;
    for (size_t i = 0; i < frames; ++i, p += wav.format.blockAlign) {
        int16_t left = ReadSample(p, bytesPerSample);
        out[2 * i] = left;
        out[2 * i + 1] = stereo ? ReadSample(p + bytesPerSample, bytesPerSample) : left;
    }
}

uint64_t ResampledFrames(uint64_t inFrames, uint32_t fromRate) {
    return std::max<uint64_t>(1, inFrames * uint64_t(platform::kAudioRate) / fromRate);
}

// Linear interpolation between neighbouring source frames, in 32.32 fixed point.
void Resample(const std::vector<int16_t>& in, uint32_t fromRate, std::vector<int16_t>& out) {
    const uint64_t inFrames = in.size() / 2;
    const uint64_t outFrames = ResampledFrames(inFrames, fromRate);
    const uint64_t step = (uint64_t(fromRate) << 32) / uint64_t(platform::kAudioRate);
    out.resize(outFrames * 2);
    uint64_t position = 0;
    for (uint64_t i = 0; i < outFrames; ++i, position += step) {
        uint64_t index = position >> 32;
        if (index >= inFrames) index = inFrames - 1;
        const uint64_t next = index + 1 < inFrames ? index + 1 : index;
        const int64_t fraction = int64_t(position & 0xFFFFFFFFu);
        for (int c = 0; c < 2; ++c) {
            const int64_t a = in[2 * index + c];
            const int64_t b = in[2 * next + c];
            out[2 * i + c] = int16_t(a + (((b - a) * fraction) >> 32));
        }
    }
}

}  // namespace

std::string DeviceFormatProblem(const WavContents& wav) {
    const WavFormat& f = wav.format;
    std::string problem = WavFormatProblem(f);
    if (problem.empty() && f.bitsPerSample != 8 && f.bitsPerSample != 16)
        problem = std::to_string(f.bitsPerSample) + " bits per sample";
    if (!problem.empty()) return "unsupported WAV format (" + problem + ")";
    const size_t frames = wav.size / f.blockAlign;
    if (frames == 0 || !wav.data) return "no whole frame of sound data";
    if (ResampledFrames(frames, f.samplesPerSecond) > kMaxSoundFrames) return "sound longer than half an hour";
    return {};
}

bool ConvertToDeviceFormat(const WavContents& wav, std::vector<int16_t>& out) {
    out.clear();
    if (!DeviceFormatProblem(wav).empty()) return false;
    const WavFormat& f = wav.format;
    const int bytesPerSample = f.bitsPerSample / 8;
    const bool stereo = f.channels > 1;
    const size_t frames = wav.size / f.blockAlign;
    if (f.samplesPerSecond == uint32_t(platform::kAudioRate)) {
        DecodeFrames(wav, bytesPerSample, stereo, frames, out);
        return true;
    }
    std::vector<int16_t> decoded;
    DecodeFrames(wav, bytesPerSample, stereo, frames, decoded);
    Resample(decoded, f.samplesPerSecond, out);
    return true;
}

}  // namespace tvk
