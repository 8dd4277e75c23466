// Turning WAV sample data into the device format: 22050 Hz, 16-bit signed, interleaved stereo.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sound/wav_reader.h"

namespace tvk {

// The longest sound once converted: half an hour.
constexpr uint64_t kMaxSoundFrames = uint64_t(22050) * 60 * 30;

// The file's format is taken as PCM whatever its tag says: 8-bit unsigned or 16-bit signed
// samples, frames of blockAlign bytes. One channel plays on both sides; of two or more the first
// two are used. Other rates are resampled linearly. False (out empty) when the format cannot be
// played, there is not one whole frame of data, or the result would be longer than kMaxSoundFrames.
bool ConvertToDeviceFormat(const WavContents& wav, std::vector<int16_t>& out);
// Why ConvertToDeviceFormat refuses the sound, for the user ("unsupported WAV format (24 bits per
// sample)"); empty when it converts it.
std::string DeviceFormatProblem(const WavContents& wav);

}  // namespace tvk
