// The runtime's music player: the audio device's music channel.
#include "platform/audio.h"
#include "sound/music.h"

namespace tvk {
namespace {

class DeviceMusicPlayer final : public MusicPlayer {
public:
    ~DeviceMusicPlayer() override { Close(); }
    bool Open(const char* path) override {
        Close();
        track_ = platform::OpenMusicTrack(path);
        return track_ != nullptr;
    }
    void Close() override {
        if (!track_) return;
        platform::HaltMusic();
        platform::CloseMusicTrack(track_);
        track_ = nullptr;
    }
    bool IsOpen() const override { return track_ != nullptr; }
    double LengthMs() override { return platform::MusicTrackLengthMs(track_); }
    bool Finished() override { return !track_ || !platform::MusicIsActive(); }
    void PlayFromStart() override { platform::PlayMusicTrack(track_); }
    void Pause() override { platform::PauseMusic(); }
    void Resume() override { platform::ResumeMusic(); }
    void SetVolume(int32_t volume) override { platform::SetMusicLevel(MusicLevelFor(volume)); }

private:
    platform::MusicTrack* track_ = nullptr;
};

}  // namespace

MusicPlayer& DeviceMusic() {
    static DeviceMusicPlayer player;
    return player;
}

}  // namespace tvk
