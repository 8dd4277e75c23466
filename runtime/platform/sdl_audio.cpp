// The audio device through the mixer library: it owns the device, plays music, and hands every
// mixed block to the effects mixer through its post-mix hook.
#include <SDL.h>
#include <SDL_mixer.h>

#include <utility>

#include "platform/audio.h"

namespace tvk::platform {
namespace {

constexpr int kBlockFrames = 512;  // about 23 ms: effects start without a noticeable delay

bool g_open = false;
bool g_subsystemStarted = false;

void PostMix(void* user, Uint8* stream, int length) {
    auto* entry = static_cast<std::pair<AudioMixFunction, void*>*>(user);
    if (entry->first)
        entry->first(entry->second, reinterpret_cast<int16_t*>(stream),
                     length / int(kAudioChannels * sizeof(int16_t)));
}

std::pair<AudioMixFunction, void*> g_mixer{nullptr, nullptr};

}  // namespace

struct MusicTrack {
    Mix_Music* music;
};

bool OpenAudio() {
    if (g_open) return true;
    if (!SDL_WasInit(SDL_INIT_AUDIO)) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
        g_subsystemStarted = true;
    }
    // No changes allowed: the library converts to whatever the hardware wants.
    if (Mix_OpenAudioDevice(kAudioRate, AUDIO_S16SYS, kAudioChannels, kBlockFrames, nullptr, 0) != 0) {
        if (g_subsystemStarted) SDL_QuitSubSystem(SDL_INIT_AUDIO);
        g_subsystemStarted = false;
        return false;
    }
    Mix_AllocateChannels(0);
    Mix_SetPostMix(PostMix, &g_mixer);
    g_open = true;
    return true;
}

void CloseAudio() {
    if (!g_open) return;
    Mix_HaltMusic();
    Mix_SetPostMix(nullptr, nullptr);
    Mix_CloseAudio();
    if (g_subsystemStarted) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    g_subsystemStarted = false;
    g_open = false;
}

bool AudioIsOpen() { return g_open; }

void SetAudioMixFunction(AudioMixFunction function, void* user) {
    // Setting the hook takes the device's lock: once it is off, the old function is no longer running.
    if (g_open) Mix_SetPostMix(nullptr, nullptr);
    g_mixer = {function, user};
    if (g_open) Mix_SetPostMix(PostMix, &g_mixer);
}

MusicTrack* OpenMusicTrack(const char* path) {
    if (!g_open || !path) return nullptr;
    Mix_Music* music = Mix_LoadMUS(path);
    if (!music) return nullptr;
    return new MusicTrack{music};
}

MusicTrack* OpenMusicTrackFromMemory(const void* bytes, size_t size) {
    if (!g_open || !bytes || size > size_t(INT32_MAX)) return nullptr;
    SDL_RWops* source = SDL_RWFromConstMem(bytes, int(size));
    if (!source) return nullptr;
    Mix_Music* music = Mix_LoadMUS_RW(source, 1);
    if (!music) return nullptr;
    return new MusicTrack{music};
}

void CloseMusicTrack(MusicTrack* track) {
    if (!track) return;
    Mix_FreeMusic(track->music);  // halts it first when it is playing
    delete track;
}

double MusicTrackLengthMs(MusicTrack* track) {
    double seconds = track ? Mix_MusicDuration(track->music) : -1.0;
    return seconds < 0 ? -1.0 : seconds * 1000.0;
}

double MusicTrackPositionMs(MusicTrack* track) {
    double seconds = track ? Mix_GetMusicPosition(track->music) : -1.0;
    return seconds < 0 ? -1.0 : seconds * 1000.0;
}

bool PlayMusicTrack(MusicTrack* track) { return track && Mix_PlayMusic(track->music, 0) == 0; }
void PauseMusic() { if (g_open) Mix_PauseMusic(); }
void ResumeMusic() { if (g_open) Mix_ResumeMusic(); }
void HaltMusic() { if (g_open) Mix_HaltMusic(); }
bool MusicIsActive() { return g_open && Mix_PlayingMusic() != 0; }

void SetMusicLevel(int level) {
    if (g_open) Mix_VolumeMusic(level < 0 ? 0 : level > MIX_MAX_VOLUME ? MIX_MAX_VOLUME : level);
}

}  // namespace tvk::platform
