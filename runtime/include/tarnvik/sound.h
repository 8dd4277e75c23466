// Commands of the sound subsystem.
//
// Sound effects live in slots 0 … 4095; a slot holds one WAV sound in one to four voices so that it
// can overlap itself. Playing gives a channel, slot × 256 + voice, which the stop and query commands
// take. Volume is 0.0 … 1.0, linear in decibels (0.5 is 50 dB down); pan is −1.0 (left) … 1.0
// (right). Error codes: 7 for a slot outside the table or a full table, 3 when a sound or music
// file cannot be loaded.
#pragma once

#include "tarnvik/rt_string.h"

/// Finds an empty sound slot, searching from the top of the table down.
/// Returns: the highest free slot (0 … 4095), or −1 when every slot holds a sound
/// Errors: 0 when a slot is free; 7 when every slot holds a sound (or there is no sound device)
RtInt FindFreeSound();
/// Loads a WAV file into a slot, replacing what it held.
/// file: the WAV file's name (a packed or mem:// file too)
/// slot: sound slot, 0 … 4095
/// voices: how many copies may play at once, taken as 1 … 4
/// Errors: 0 on success; 7 for a slot outside 0 … 4095; 3 when the file cannot be read or is not a WAV the
/// runtime plays (what is wrong is also told to the user)
void LoadSound(const RtString& file, RtInt slot, RtInt voices);
/// Plays a slot's sound once on its next voice.
/// slot: sound slot, 0 … 4095
/// pan: −1.0 (left) … 1.0 (right), clamped
/// volume: 0.0 … 1.0, linear in decibels, clamped
/// Returns: the channel (slot × 256 + voice); −1 when the slot is free or its only voice is still playing;
/// 0 for a slot outside the table
/// Errors: 7 for a slot outside 0 … 4095 (success leaves the error code as it was)
RtInt PlaySound(RtInt slot, RtNumber pan, RtNumber volume);
/// Stops one voice, or every voice of the slot when the voice is not one of the slot's.
/// channel: a channel PlaySound gave (slot × 256 + voice); negative or unknown channels are ignored
void StopSound(RtInt channel);
/// Tells whether a channel's voice is playing.
/// channel: a channel PlaySound gave (slot × 256 + voice)
/// Returns: 1 while it plays, else 0
/// Errors: 7 when the channel's slot is outside 0 … 4095
RtInt IsSoundPlaying(RtInt channel);
/// Stops every voice of every slot.
void StopAllSounds();

// Music: one file at a time, any format the audio library plays. A looping file restarts when
// its length (at least 500 ms) has passed on the runtime clock.

/// Starts a music file from its beginning at full volume, stopping the music playing.
/// Also ends a pause of the program.
/// file: the music file's name (not looked up in memory files)
/// loop: non-zero restarts the music whenever its length (at least 500 ms) has passed
/// Errors: 0 on success; 3 when the file cannot be found or the player cannot play it
void PlayMusic(const RtString& file, RtInt loop);
/// Stops the music and forgets its volume.
void StopMusic();
/// Tells whether music is playing.
/// Returns: 1 while looping music is not paused, or while other music has not reached its end; else 0
RtInt IsMusicPlaying();
/// Pauses or resumes the music; a paused loop's restart time moves on by the pause.
/// on: non-zero pauses, 0 resumes
void PauseMusic(RtInt on);
/// Sets the music's volume (1.0 is normal).
/// volume: 0.0 … 1.0; values outside are taken as the nearest end
void SetMusicVolume(RtNumber volume);
