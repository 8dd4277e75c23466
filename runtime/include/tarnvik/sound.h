// Commands of the sound subsystem.
//
// Sound effects live in slots 0 … 4095; a slot holds one WAV sound in one to four voices so that it
// can overlap itself. Playing gives a channel, slot × 256 + voice, which the stop and query commands
// take. Volume is 0.0 … 1.0, linear in decibels (0.5 is 50 dB down); pan is −1.0 (left) … 1.0
// (right). Error codes: 7 for a slot outside the table or a full table, 3 when a sound or music
// file cannot be loaded.
#pragma once

#include "tarnvik/rt_string.h"

// The highest free slot, or −1 (error 7) when every slot holds a sound.
RtInt FindFreeSound();
// Loads a WAV file into a slot with voices voices (taken as 1 … 4), replacing what it held.
void LoadSound(const RtString& file, RtInt slot, RtInt voices);
// Plays once; the channel, or −1 when the slot is free or its only voice is still playing.
RtInt PlaySound(RtInt slot, RtNumber pan, RtNumber volume);
// A voice outside the slot's voices stops them all; negative or unknown channels are ignored.
void StopSound(RtInt channel);
RtInt IsSoundPlaying(RtInt channel);
void StopAllSounds();

// Music: one file at a time, any format the audio library plays. A looping file restarts when
// its length (at least 500 ms) has passed on the runtime clock.
void PlayMusic(const RtString& file, RtInt loop);
void StopMusic();
// 1 while looping music is not paused, or while other music has not reached its end.
RtInt IsMusicPlaying();
void PauseMusic(RtInt on);
// 1.0 is normal; taken as 0.0 … 1.0.
void SetMusicVolume(RtNumber volume);
