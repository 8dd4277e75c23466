#include "sound/music.h"

#include <algorithm>
#include <cmath>

#include "base/error_codes.h"
#include "base/frame_state.h"
#include "files/resolver.h"
#include "tarnvik/core.h"
#include "tarnvik/sound.h"

namespace tvk {

MusicPlayer& DeviceMusic();

namespace {

MusicState g_music;
MusicPlayer* g_player = nullptr;

MusicPlayer& Player() { return g_player ? *g_player : DeviceMusic(); }

// The time until the next start: the music's length, at least kMinMusicLengthMs.
double LoopLength(MusicPlayer& player) { return std::max(player.LengthMs(), kMinMusicLengthMs); }

void SendVolume(MusicPlayer& player, double volume) {
    const double scaled = volume * 1000;
    player.SetVolume(std::isnan(scaled) ? 0 : int32_t(std::clamp(scaled, -1.0e9, 1.0e9)));
}

}  // namespace

void SetMusicPlayer(MusicPlayer* player) {
    if (Player().IsOpen()) Player().Close();
    g_player = player;
}

const MusicState& CurrentMusicState() { return g_music; }

int MusicLevelFor(int32_t volume) { return std::clamp(volume, 0, 1000) * 128 / 1000; }

void StopMusic() {
    MusicPlayer& player = Player();
    if (player.IsOpen()) player.Close();
    g_music.loopDeadline = 0;
    g_music.volume = -1;
}

void StartMusicAt(const char* resolvedName, bool loop, double now) {
    SetErrorCode(tvk::kErrorSuccess);
    StopMusic();
    if (!resolvedName) {
        SetErrorCode(tvk::kErrorNoSuchFile);
        return;
    }
    g_music.name = resolvedName;
    MusicPlayer& player = Player();
    if (!player.Open(resolvedName)) {
        SetErrorCode(tvk::kErrorNoSuchFile);  // not a file the player can play: nothing plays, and the program can tell
        return;
    }
    g_music.loopDeadline = loop ? now + LoopLength(player) : 0;
    player.PlayFromStart();
    g_music.volume = 1.0;
    SendVolume(player, 1.0);
    FrameState& frame = Frame();
    if (frame.paused) {
        frame.paused = 0;
        CallByName("TVK_ON_RESUME");
    }
}

void CheckMusicLoopAt(double now) {
    if (g_music.loopDeadline <= 0 || now < g_music.loopDeadline) return;
    MusicPlayer& player = Player();
    if (!player.IsOpen()) return;
    // A format that cannot tell its length restarts only once it has really ended.
    if (player.LengthMs() < 0 && !player.Finished()) {
        g_music.loopDeadline = now + kMinMusicLengthMs;
        return;
    }
    g_music.loopDeadline = now + LoopLength(player);
    player.PlayFromStart();
}

void PauseMusicAt(bool on, double now) {
    MusicPlayer& player = Player();
    if (!player.IsOpen()) return;
    if (on) {
        if (g_music.loopDeadline > 0) {
            g_music.pauseTime = now;
            g_music.loopDeadline = -g_music.loopDeadline;
        }
        player.Pause();
    } else {
        if (g_music.loopDeadline < 0) g_music.loopDeadline = -g_music.loopDeadline + (now - g_music.pauseTime);
        player.Resume();
    }
}

void MusicLoopCheck() { CheckMusicLoopAt(ReadTimer()); }

}  // namespace tvk

void PlayMusic(const RtString& file, RtInt loop) {
    tvk::StartMusicAt(tvk::ResolveFileName(tvk::g_fileResolver, file.c_str()), loop != 0, ReadTimer());
}

void StopMusic() { tvk::StopMusic(); }

RtInt IsMusicPlaying() {
    tvk::MusicPlayer& player = tvk::Player();
    if (!player.IsOpen()) return 0;
    if (tvk::g_music.loopDeadline > 0) return 1;
    return player.Finished() ? 0 : 1;
}

void PauseMusic(RtInt on) { tvk::PauseMusicAt(on != 0, ReadTimer()); }

void SetMusicVolume(RtNumber volume) {
    if (volume == tvk::g_music.volume) return;
    tvk::g_music.volume = volume;
    tvk::MusicPlayer& player = tvk::Player();
    if (player.IsOpen()) tvk::SendVolume(player, volume);
}
