// Reading the sound of a RIFF/WAVE file held in memory.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tvk {

struct WavFormat {
    uint16_t formatTag = 0;
    uint16_t channels = 0;
    uint32_t samplesPerSecond = 0;
    uint32_t bytesPerSecond = 0;
    uint16_t blockAlign = 0;
    uint16_t bitsPerSample = 0;
};

struct WavContents {
    WavFormat format;
    const uint8_t* data = nullptr;  // points into the parsed bytes
    size_t size = 0;
};

// "RIFF" … "WAVE", then chunks: the first "fmt " (at least 16 bytes), then the first "data" after
// it. Other chunks are skipped by exactly their length, with no pad byte after odd lengths. False
// when a header, the format or the whole data chunk does not fit inside the bytes.
bool ParseWav(const uint8_t* bytes, size_t size, WavContents& out);
// For bytes that begin as a WAV file: whether the header describes sound that can be played
// (channels, block size and rate above 0, a data chunk inside the file). The music library
// divides by these numbers, so a WAV that fails here never reaches it.
bool WavHeaderIsPlayable(const uint8_t* bytes, size_t size);
bool LooksLikeWav(const uint8_t* bytes, size_t size);

}  // namespace tvk
