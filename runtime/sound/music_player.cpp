// The runtime's music player: the audio device's music channel.
#include <memory>
#include <string>

#include "files/file_names.h"
#include "files/memory_names.h"
#include "platform/audio.h"
#include "platform/files.h"
#include "sound/music.h"

namespace tvk {
namespace {

class DeviceMusicPlayer final : public MusicPlayer {
public:
    ~DeviceMusicPlayer() override { Close(); }
    // A path is matched on disk as the file commands match it; a mem:// name plays from memory.
    bool Open(const char* path) override {
        Close();
        MemoryRegion region;
        if (IsMemoryName(path)) {
            if (!FindMemoryRegion(path, region)) return false;
            track_ = platform::OpenMusicTrackFromMemory(region.base, region.size);
            if (track_) held_ = region.owner;
            return track_ != nullptr;
        }
        std::string systemPath;
        if (!ToSystemPath(path, systemPath)) return false;
        std::string found = platform::FindPath(systemPath);
        track_ = platform::OpenMusicTrack(found.empty() ? systemPath.c_str() : found.c_str());
        return track_ != nullptr;
    }
    void Close() override {
        if (!track_) return;
        platform::HaltMusic();
        platform::CloseMusicTrack(track_);
        track_ = nullptr;
        held_.reset();
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
    std::shared_ptr<const void> held_;  // the memory a mem:// track plays from
};

}  // namespace

MusicPlayer& DeviceMusic() {
    static DeviceMusicPlayer player;
    return player;
}

}  // namespace tvk
