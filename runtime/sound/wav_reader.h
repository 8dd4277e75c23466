// Reading the sound of a RIFF/WAVE file held in memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tvk {

// Rates a sound may have; others cannot be played.
constexpr uint32_t kMinSoundRate = 100;
constexpr uint32_t kMaxSoundRate = 200000;
// More channels than this no player takes (the music library keeps the count in a byte).
constexpr uint16_t kMaxWavChannels = 8;
constexpr uint16_t kMaxWavBits = 32;

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
// What in a format no player can take, as a phrase such as "24 bits per sample" or "0 channels":
// no channels or more than kMaxWavChannels, a rate outside kMinSoundRate … kMaxSoundRate, no bits or
// more than kMaxWavBits, a block align too small for one sample of each channel played. Empty when
// there is nothing wrong.
std::string WavFormatProblem(const WavFormat& format);
// Why a block that begins as a WAV file cannot be played: "unsupported WAV format (…)", a damaged
// file, or empty when it can. The music library divides by the format's numbers, so a WAV that
// fails here never reaches it.
std::string WavPlayabilityProblem(const uint8_t* bytes, size_t size);
bool WavHeaderIsPlayable(const uint8_t* bytes, size_t size);
bool LooksLikeWav(const uint8_t* bytes, size_t size);

}  // namespace tvk
