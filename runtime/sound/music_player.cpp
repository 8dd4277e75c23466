// The runtime's music player: the audio device's music channel.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/error_log.h"
#include "files/file_names.h"
#include "files/file_stream.h"
#include "files/memory_names.h"
#include "platform/audio.h"
#include "platform/files.h"
#include "sound/music.h"
#include "sound/wav_reader.h"

namespace tvk {
namespace {

// Only regular files reach the music library (a device such as /dev/zero would be read for
// ever), and a WAV only with a header the runtime's own reader accepts. Empty when the file may go
// on, else what is wrong with it.
std::string MusicFileProblem(const std::string& path) {
    constexpr const char* kNotRegular = "not a readable regular file";
    if (platform::GetPathKind(path) != platform::PathKind::File) return kNotRegular;
    FileStream in;
    if (!in.OpenRead(path.c_str())) return kNotRegular;  // the stream takes regular files only
    uint8_t head[12];
    if (in.ReadUpTo(head, sizeof head) != sizeof head || !LooksLikeWav(head, sizeof head)) return {};
    std::vector<uint8_t> bytes(static_cast<size_t>(in.Size()));
    if (!in.OpenRead(path.c_str()) || in.ReadUpTo(bytes.data(), bytes.size()) != bytes.size()) return kNotRegular;
    return WavPlayabilityProblem(bytes.data(), bytes.size());
}

// The name as the program gave it is not known here; the resolved one is what was refused.
void ReportRefusal(const char* path, const std::string& problem) {
    ReportToUser(std::string(path) + ": " + problem);
}

class DeviceMusicPlayer final : public MusicPlayer {
public:
    ~DeviceMusicPlayer() override { Close(); }
    // A path is matched on disk as the file commands match it; a mem:// name plays from memory.
    bool Open(const char* path) override {
        Close();
        MemoryRegion region;
        if (IsMemoryName(path)) {
            if (!FindMemoryRegion(path, region)) return false;
            const auto* bytes = static_cast<const uint8_t*>(region.base);
            if (LooksLikeWav(bytes, region.size)) {
                const std::string problem = WavPlayabilityProblem(bytes, region.size);
                if (!problem.empty()) {
                    ReportRefusal(path, problem);
                    return false;
                }
            }
            track_ = platform::OpenMusicTrackFromMemory(region.base, region.size);
            if (track_) held_ = region.owner;
            else ReportRefusal(path, "not a music file the player can open");
            return track_ != nullptr;
        }
        std::string systemPath;
        if (!ToSystemPath(path, systemPath)) return false;
        std::string found = platform::FindPath(systemPath);
        if (found.empty()) return false;
        const std::string problem = MusicFileProblem(found);
        if (!problem.empty()) {
            ReportRefusal(path, problem);
            return false;
        }
        track_ = platform::OpenMusicTrack(found.c_str());
        if (!track_) ReportRefusal(path, "not a music file the player can open");
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
