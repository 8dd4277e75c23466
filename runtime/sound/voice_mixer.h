// The effects mixer: voices of 22050 Hz stereo samples added into the device's blocks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

namespace tvk {

// Gains are 16.16 fixed point: 65536 passes a sample unchanged.
constexpr int32_t kUnityGain = 65536;
// Hundredths of a decibel at and below which nothing is heard.
constexpr int32_t kSilentHundredths = -10000;

// 10^(hundredths / 2000) as a gain: 0 → unity, −600 → about half, −10000 or less → 0.
int32_t HundredthsToGain(int32_t hundredths);

struct VoiceGains {
    int32_t left = kUnityGain;
    int32_t right = kUnityGain;
};
// Volume in hundredths of a decibel (0 full … −10000 silent) and pan −10000 (left) … 10000 (right):
// panning attenuates the other side by the pan's size, as a volume would.
VoiceGains GainsFor(int32_t volumeHundredths, int32_t pan);

struct Voice {
    const int16_t* samples = nullptr;  // interleaved stereo frames
    int64_t frameCount = 0;
    int64_t position = 0;  // next frame to play
    VoiceGains gains;
    bool playing = false;
    bool looping = false;
    bool listed = false;  // in the mixer's list of playing voices
};

// Adds every playing voice into out (frameCount interleaved stereo frames), clipping the sums to
// 16 bits. Each voice moves on by what it played; one that reaches its end stops and rewinds to
// its start, unless it loops.
void MixVoices(int16_t* out, int frameCount, Voice* const* voices, size_t voiceCount);

// The voices being played, shared between the program's thread and the audio thread. Every
// change of a voice's playing state goes through here.
class EffectsMixer {
public:
    explicit EffectsMixer(size_t maxVoices);

    // Plays from the voice's current position.
    void Start(Voice& voice, VoiceGains gains, bool looping);
    // Stops and rewinds.
    void Stop(Voice& voice);
    bool IsPlaying(const Voice& voice);
    // One block of output: what the audio thread calls.
    void Render(int16_t* out, int frameCount);
    static void RenderInto(void* mixer, int16_t* out, int frameCount);
    size_t PlayingCount();

private:
    void Unlist(Voice& voice);

    std::mutex mutex_;
    std::vector<Voice*> playing_;  // capacity reserved up front: never grows on the audio thread
    size_t maxVoices_;
};

}  // namespace tvk
