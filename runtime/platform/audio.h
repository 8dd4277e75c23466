// The one audio output device and the music player that shares it.
//
// The device always runs at 22050 Hz, 16-bit signed, stereo (the library converts for the hardware).
// Music plays through the library's own music channel; sound effects are added by a mixing function
// that the device calls on its own thread after the music has been mixed into each block.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tvk::platform {

constexpr int kAudioRate = 22050;
constexpr int kAudioChannels = 2;

// Adds into frameCount interleaved stereo frames; runs on the audio thread, so it must not block long.
using AudioMixFunction = void (*)(void* user, int16_t* frames, int frameCount);

// Opens the device (a second call while it is open succeeds without doing anything). False when
// there is no audio output: then nothing plays, and every other call here is harmless.
bool OpenAudio();
void CloseAudio();
bool AudioIsOpen();
// The function the device calls for every block, or null for none.
void SetAudioMixFunction(AudioMixFunction function, void* user);

// Music: one file at a time, opened from a path on disk.
struct MusicTrack;
// Null when the device is closed or the file cannot be played.
MusicTrack* OpenMusicTrack(const char* path);
// The same from bytes that stay alive until the track is closed.
MusicTrack* OpenMusicTrackFromMemory(const void* bytes, size_t size);
// Stops the track when it is the one playing.
void CloseMusicTrack(MusicTrack* track);
// Milliseconds; negative when the format cannot tell.
double MusicTrackLengthMs(MusicTrack* track);
double MusicTrackPositionMs(MusicTrack* track);
// Plays once from the start.
bool PlayMusicTrack(MusicTrack* track);
void PauseMusic();
void ResumeMusic();
void HaltMusic();
// True from a play until the track ends or is halted, paused or not.
bool MusicIsActive();
// 0 … 128.
void SetMusicLevel(int level);

}  // namespace tvk::platform
