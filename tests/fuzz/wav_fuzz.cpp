// libFuzzer target: the WAV reader and the conversion of what it accepts to the device format.
// Build and run from the repository root (clang only, not part of the normal build):
//   clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -I runtime tests/fuzz/wav_fuzz.cpp \
//       runtime/sound/wav_reader.cpp runtime/sound/sample_conversion.cpp -o wav_fuzz
//   mkdir -p corpus && ./wav_fuzz -max_total_time=300 -max_len=4096 corpus
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "sound/sample_conversion.h"
#include "sound/wav_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tvk::WavContents wav;
    if (!tvk::ParseWav(data, size, wav)) return 0;
    // What was accepted lies inside the input.
    if (wav.data < data || wav.size > size || wav.data + wav.size > data + size) std::abort();
    std::vector<int16_t> samples;
    if (!tvk::ConvertToDeviceFormat(wav, samples)) {
        if (!samples.empty()) std::abort();
        return 0;
    }
    if (samples.empty() || samples.size() % 2 != 0) std::abort();
    return 0;
}
