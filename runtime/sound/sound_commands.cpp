// The sound effect commands over the slot table.
#include <cmath>
#include <string>

#include "base/error_codes.h"
#include "base/error_log.h"
#include "files/resolver.h"
#include "sound/sound_device.h"
#include "tarnvik/core.h"
#include "tarnvik/sound.h"

namespace {

bool InTable(RtInt slot) { return slot >= 0 && slot < tvk::kSoundSlotCount && tvk::g_soundSlots; }

// Number → whole units, truncated, within limits; not-a-number counts as zero.
int32_t Scaled(RtNumber value, double factor, int32_t low, int32_t high) {
    double scaled = value * factor;
    if (std::isnan(scaled)) return 0;
    if (scaled <= low) return low;
    if (scaled >= high) return high;
    return int32_t(scaled);
}

}  // namespace

RtInt FindFreeSound() {
    SetErrorCode(tvk::kErrorSuccess);
    if (tvk::g_soundSlots)
        for (RtInt slot = tvk::kSoundSlotCount - 1; slot >= 0; --slot)
            if (tvk::g_soundSlots[slot].voiceCount == 0) return slot;
    SetErrorCode(tvk::kErrorOutOfRange);
    return -1;
}

void LoadSound(const RtString& file, RtInt slot, RtInt voices) {
    SetErrorCode(tvk::kErrorSuccess);
    if (!InTable(slot)) {
        SetErrorCode(tvk::kErrorOutOfRange);
        return;
    }
    const char* resolved = tvk::ResolveFileName(tvk::g_memoryResolver, file.c_str());
    std::string problem;
    if (!tvk::LoadSlot(tvk::g_soundSlots[slot], tvk::g_sound, resolved ? resolved : file.c_str(), voices, &problem)) {
        // The code stays "no such file" for programs that test it; the user learns what is wrong.
        SetErrorCode(tvk::kErrorNoSuchFile);
        if (!problem.empty()) tvk::ReportToUser(std::string(file.c_str()) + ": " + problem);
    }
}

RtInt PlaySound(RtInt slot, RtNumber pan, RtNumber volume) {
    if (!InTable(slot)) {
        SetErrorCode(tvk::kErrorOutOfRange);
        return 0;
    }
    const RtInt voice = tvk::PlaySlot(tvk::g_soundSlots[slot], Scaled(pan, 10000, -10000, 10000),
                                      Scaled(volume, 100, 0, 100), false);
    return voice < 0 ? voice : slot * 256 + voice;
}

void StopSound(RtInt channel) {
    if (channel < 0 || !InTable(channel >> 8)) return;
    tvk::StopSlot(tvk::g_soundSlots[channel >> 8], channel & 255);
}

RtInt IsSoundPlaying(RtInt channel) {
    if (!InTable(channel >> 8)) {
        SetErrorCode(tvk::kErrorOutOfRange);
        return 0;
    }
    return tvk::IsVoicePlaying(tvk::g_soundSlots[channel >> 8], channel & 255);
}

void StopAllSounds() {
    if (!tvk::g_soundSlots) return;
    for (int slot = 0; slot < tvk::kSoundSlotCount; ++slot) tvk::StopSlot(tvk::g_soundSlots[slot], -1);
}
