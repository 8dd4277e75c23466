// The sound device and its table of sound slots.
#pragma once

namespace tvk {

namespace platform {
struct GlWindow;
}

constexpr int kSoundSlotCount = 4096;

struct SoundSlot {};
struct SoundDevice {};

extern SoundDevice* g_sound;
extern SoundSlot* g_soundSlots;

SoundDevice* CreateSoundDevice();
// Opens the audio device; the window is the one the program runs in.
bool InitSoundDevice(SoundDevice* device, platform::GlWindow* window);
void ReleaseSoundDevice(SoundDevice* device);

}  // namespace tvk
