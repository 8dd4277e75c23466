// Music playback as the frame loop and shutdown see it.
//
// One file plays at a time. Looping music is restarted by MusicLoopCheck once its length (at least
// 500 ms) has passed on the runtime clock; pausing it moves that deadline on by the time spent
// paused.
#pragma once

#include <cstdint>
#include <string>

namespace tvk {

// What the music commands drive: the audio library's music channel in the runtime.
class MusicPlayer {
public:
    virtual ~MusicPlayer() = default;
    // Closes what was open first. False when the file cannot be played.
    virtual bool Open(const char* path) = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    // Milliseconds; negative when the format cannot tell.
    virtual double LengthMs() = 0;
    // True once the music played to its end or was never started.
    virtual bool Finished() = 0;
    virtual void PlayFromStart() = 0;
    virtual void Pause() = 0;
    virtual void Resume() = 0;
    // 0 … 1000, 1000 being normal.
    virtual void SetVolume(int32_t volume) = 0;
};

// Null puts the runtime's own player back.
void SetMusicPlayer(MusicPlayer* player);

struct MusicState {
    // > 0: looping, restart due then (ms of the runtime clock); 0: not looping; < 0: looping and
    // paused (the deadline negated).
    double loopDeadline = 0;
    double pauseTime = 0;
    double volume = -1;  // the last volume set; −1: none yet
    std::string name;    // the resolved name of the last music played
};
const MusicState& CurrentMusicState();

// The shortest time between two starts of looping music.
constexpr double kMinMusicLengthMs = 500;

// A volume on the 0 … 1000 scale as the audio library's 0 … 128.
int MusicLevelFor(int32_t volume);

// The commands with the clock passed in.
void StartMusicAt(const char* resolvedName, bool loop, double now);
void CheckMusicLoopAt(double now);
void PauseMusicAt(bool on, double now);

// Restarts looping music once its loop deadline has passed.
void MusicLoopCheck();
void StopMusic();

}  // namespace tvk
