#include "sound/sound_device.h"

namespace tvk {

SoundDevice* g_sound = nullptr;
SoundSlot* g_soundSlots = nullptr;

SoundDevice* CreateSoundDevice() { return new SoundDevice; }
bool InitSoundDevice(SoundDevice*, platform::GlWindow*) { return true; }
void ReleaseSoundDevice(SoundDevice*) {}

}  // namespace tvk
