// The sound device and its table of sound slots.
//
// A slot holds one loaded sound in one to four voices that share its samples, so that an effect
// can overlap itself. Voices play through the device's mixer, which the audio thread runs.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "sound/voice_mixer.h"

namespace tvk {

namespace platform {
struct GlWindow;
}

constexpr int kSoundSlotCount = 4096;
constexpr int kMaxVoices = 4;

struct SoundDevice {
    SoundDevice() : mixer(size_t(kSoundSlotCount) * kMaxVoices) {}
    ~SoundDevice();
    SoundDevice(const SoundDevice&) = delete;
    SoundDevice& operator=(const SoundDevice&) = delete;

    // False while there is no audio output: nothing loads then.
    bool hasOutput = false;
    // True when this device opened the platform's audio and must close it.
    bool ownsPlatformAudio = false;
    EffectsMixer mixer;
};

struct SoundSlot {
    SoundSlot() = default;
    ~SoundSlot();
    SoundSlot(const SoundSlot&) = delete;
    SoundSlot& operator=(const SoundSlot&) = delete;

    int32_t voiceCount = 0;  // 0: free
    int32_t currentVoice = 0;  // the voice used by the last play
    SoundDevice* device = nullptr;
    std::shared_ptr<const std::vector<int16_t>> samples;  // 22050 Hz stereo frames
    Voice voices[kMaxVoices];
};

extern SoundDevice* g_sound;
extern SoundSlot* g_soundSlots;

SoundDevice* CreateSoundDevice();
// Opens the audio output and joins the mixer to it: 1, or 0 when there is no audio output. Calling
// it again on an open device (after a screen change) keeps what is playing.
int InitSoundDevice(SoundDevice* device, platform::GlWindow* window);
// Stops the mixer and closes the audio output; the slots must have been freed.
void ReleaseSoundDevice(SoundDevice* device);

// Frees the slot, then reads the WAV file name (a path or a mem:// name) into count voices
// (clamped to 1 … 4). 1 when loaded. When the file was read but cannot be played, *problem (if
// given) says why, for the user.
int LoadSlot(SoundSlot& slot, SoundDevice* device, const char* name, int32_t count,
             std::string* problem = nullptr);
// Same from bytes already in memory.
int LoadSlotFromBytes(SoundSlot& slot, SoundDevice* device, const uint8_t* bytes, size_t size, int32_t count,
                      std::string* problem = nullptr);
// pan −10000 … 10000, volume 0 … 100 (percent, linear in decibels). The voice index, or −1 when the
// slot is free or its only voice is still playing.
int32_t PlaySlot(SoundSlot& slot, int32_t pan, int32_t volume, bool looping);
// voice outside 0 … voiceCount − 1: every voice. 1 when stopped, 0 for a free slot.
int32_t StopSlot(SoundSlot& slot, int32_t voice);
int32_t IsVoicePlaying(SoundSlot& slot, int32_t voice);
// Stops every voice and lets go of the samples.
void FreeSlot(SoundSlot& slot);

}  // namespace tvk
