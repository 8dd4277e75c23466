// libFuzzer target: the check that decides whether a block goes to the music library, with the WAV
// reader under it. No audio is opened. Built by scripts/fuzz (clang only, not part of the normal build).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "sound/wav_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string problem = tvk::WavPlayabilityProblem(data, size);
    const bool playable = tvk::WavHeaderIsPlayable(data, size);
    if (playable != problem.empty()) std::abort();
    tvk::WavContents wav;
    const bool parsed = tvk::ParseWav(data, size, wav);
    if (parsed && (wav.data < data || wav.size > size || wav.data + wav.size > data + size)) std::abort();
    if (!playable) return 0;
    // What goes to the music library has numbers it can divide by and a channel count that fits a byte.
    const tvk::WavFormat& f = wav.format;
    if (!parsed || f.channels == 0 || f.channels > tvk::kMaxWavChannels || f.blockAlign == 0 ||
        f.samplesPerSecond < tvk::kMinSoundRate || f.samplesPerSecond > tvk::kMaxSoundRate ||
        f.bitsPerSample == 0 || f.bitsPerSample > tvk::kMaxWavBits)
        std::abort();
    return 0;
}
