#include <gtest/gtest.h>

#include <cmath>

#include "base/frame_state.h"
#include "base/last_error.h"
#include "files/memory_names.h"
#include "platform/audio.h"
#include "sound/music.h"
#include "sound/sound_device.h"
#include "sound/wav_builder.h"
#include "tarnvik/sound.h"

namespace tvk {
namespace {

// Records what the commands ask of the player.
class FakePlayer final : public MusicPlayer {
public:
    bool Open(const char* path) override {
        open = std::string(path).find("bad") == std::string::npos;
        opened.push_back(path);
        return open;
    }
    void Close() override {
        open = false;
        ++closes;
    }
    bool IsOpen() const override { return open; }
    double LengthMs() override { return length; }
    bool Finished() override { return finished; }
    void PlayFromStart() override {
        ++plays;
        finished = false;
    }
    void Pause() override { ++pauses; }
    void Resume() override { ++resumes; }
    void SetVolume(int32_t volume) override { volumes.push_back(volume); }

    bool open = false;
    bool finished = true;
    double length = 200;
    int closes = 0, plays = 0, pauses = 0, resumes = 0;
    std::vector<std::string> opened;
    std::vector<int32_t> volumes;
};

class MusicTest : public ::testing::Test {
protected:
    void SetUp() override { SetMusicPlayer(&player); }
    void TearDown() override {
        StopMusic();
        SetMusicPlayer(nullptr);
    }
    FakePlayer player;
};

TEST_F(MusicTest, ShortLoopsRestartEveryHalfSecond) {
    StartMusicAt("song.wav", true, 1000);
    EXPECT_EQ(player.plays, 1);
    EXPECT_EQ(CurrentMusicState().loopDeadline, 1500);
    player.finished = true;  // the 200 ms have passed
    EXPECT_EQ(IsMusicPlaying(), 1);  // looping music counts as playing until restarted
    CheckMusicLoopAt(1499);
    EXPECT_EQ(player.plays, 1);
    CheckMusicLoopAt(1500);
    EXPECT_EQ(player.plays, 2);
    EXPECT_EQ(CurrentMusicState().loopDeadline, 2000);
    player.length = 3000;  // a longer file restarts after its own length
    CheckMusicLoopAt(2010);
    EXPECT_EQ(CurrentMusicState().loopDeadline, 5010);
}

TEST_F(MusicTest, PausingMovesTheRestartLater) {
    StartMusicAt("song.wav", true, 0);
    PauseMusicAt(true, 100);
    EXPECT_EQ(CurrentMusicState().loopDeadline, -500);
    CheckMusicLoopAt(1000);  // no restart while paused
    EXPECT_EQ(player.plays, 1);
    PauseMusicAt(false, 3100);
    EXPECT_EQ(CurrentMusicState().loopDeadline, 3500);
    EXPECT_EQ(player.pauses, 1);
    EXPECT_EQ(player.resumes, 1);
    // Music that does not loop is only paused and resumed.
    StartMusicAt("once.wav", false, 0);
    PauseMusicAt(true, 10);
    PauseMusicAt(false, 20);
    EXPECT_EQ(CurrentMusicState().loopDeadline, 0);
    EXPECT_EQ(player.pauses, 2);
}

TEST_F(MusicTest, OnceMusicPlaysUntilItsEnd) {
    StartMusicAt("once.wav", false, 0);
    EXPECT_EQ(IsMusicPlaying(), 1);
    CheckMusicLoopAt(100000);
    EXPECT_EQ(player.plays, 1);
    player.finished = true;
    EXPECT_EQ(IsMusicPlaying(), 0);
    StopMusic();
    EXPECT_EQ(IsMusicPlaying(), 0);
    EXPECT_EQ(CurrentMusicState().volume, -1);
}

TEST_F(MusicTest, UnknownLengthsRestartOnlyAfterTheEnd) {
    player.length = -1;
    StartMusicAt("tracker.mod", true, 0);
    EXPECT_EQ(CurrentMusicState().loopDeadline, 500);
    CheckMusicLoopAt(600);
    EXPECT_EQ(player.plays, 1);
    EXPECT_EQ(CurrentMusicState().loopDeadline, 1100);
    player.finished = true;
    CheckMusicLoopAt(1100);
    EXPECT_EQ(player.plays, 2);
}

TEST_F(MusicTest, FailuresStopWhatPlayedAndRecordCode3) {
    StartMusicAt("song.wav", true, 0);
    EXPECT_EQ(LastError().code, 0);
    StartMusicAt(nullptr, true, 0);  // the name resolved to nothing
    EXPECT_EQ(LastError().code, 3);
    EXPECT_FALSE(player.open);
    EXPECT_EQ(CurrentMusicState().loopDeadline, 0);

    StartMusicAt("bad.wav", true, 0);  // a file the player cannot play
    EXPECT_EQ(LastError().code, 3);
    EXPECT_EQ(IsMusicPlaying(), 0);
    PauseMusic(1);
    CheckMusicLoopAt(1e9);
    SetMusicVolume(0.3);
    EXPECT_EQ(player.pauses, 0);
    EXPECT_EQ(player.plays, 1);
    EXPECT_TRUE(player.volumes.size() == 1);  // only from the first start

    PlayMusic("no such music.ogg", 0);
    EXPECT_EQ(LastError().code, 3);
}

TEST_F(MusicTest, VolumeIsSentOnlyWhenItChanges) {
    StartMusicAt("song.wav", false, 0);
    ASSERT_EQ(player.volumes, std::vector<int32_t>{1000});  // every start sets full volume
    SetMusicVolume(0.5);
    SetMusicVolume(0.5);
    SetMusicVolume(1.0);
    EXPECT_EQ(player.volumes, (std::vector<int32_t>{1000, 500, 1000}));
    SetMusicVolume(std::nan(""));
    EXPECT_EQ(player.volumes.back(), 0);
    EXPECT_EQ(MusicLevelFor(1000), 128);
    EXPECT_EQ(MusicLevelFor(500), 64);
    EXPECT_EQ(MusicLevelFor(2000), 128);
    EXPECT_EQ(MusicLevelFor(-5), 0);
}

TEST_F(MusicTest, StartingMusicEndsAPause) {
    Frame().paused = 1;
    StartMusicAt("song.wav", false, 0);
    EXPECT_EQ(Frame().paused, 0);
}

// The runtime's own player on the silent driver, with a WAV file as music.
TEST(DeviceMusic, PlaysPausesAndStopsAWav) {
    SoundDevice device;
    ASSERT_EQ(InitSoundDevice(&device, nullptr), 1);
    const std::string path = test::TempPath("music.wav");
    test::WriteFile(path, test::MakeWav(test::WavSpec{.channels = 1, .rate = 8000, .bits = 8},
                                        std::vector<uint8_t>(8000 * 20, 0x90)));
    PlayMusic(path.c_str(), 1);
    EXPECT_EQ(LastError().code, 0);
    EXPECT_EQ(IsMusicPlaying(), 1);
    EXPECT_NEAR(CurrentMusicState().loopDeadline - ReadTimer(), 20000, 1000);
    SetMusicVolume(0.25);
    PauseMusic(1);
    EXPECT_LT(CurrentMusicState().loopDeadline, 0);
    EXPECT_EQ(IsMusicPlaying(), 1);  // paused music has not reached its end
    PauseMusic(0);
    PlayMusic(path.c_str(), 0);
    EXPECT_EQ(IsMusicPlaying(), 1);
    StopMusic();
    EXPECT_EQ(IsMusicPlaying(), 0);

    // Backslashes and another case find the file as the file commands would.
    std::string odd = path;
    for (char& c : odd) c = c == '/' ? '\\' : c;
    odd.replace(odd.size() - 3, 3, "WAV");
    PlayMusic(odd.c_str(), 0);
    EXPECT_EQ(LastError().code, 0);
    EXPECT_EQ(IsMusicPlaying(), 1);

    // A mem:// name plays from memory, kept alive while it plays.
    auto bytes = std::make_shared<std::vector<uint8_t>>(
        test::MakeWav(test::WavSpec{.channels = 1, .rate = 8000, .bits = 8}, std::vector<uint8_t>(80000, 0x70)));
    ASSERT_TRUE(RegisterMemoryRegion(bytes->data(), bytes->size(), bytes));
    const std::string memoryName = MemoryName(bytes->data(), bytes->size());
    ForgetMemoryRegion(bytes->data());
    PlayMusic(memoryName.c_str(), 0);
    EXPECT_EQ(LastError().code, 3);  // no longer registered
    ASSERT_TRUE(RegisterMemoryRegion(bytes->data(), bytes->size(), bytes));
    PlayMusic(memoryName.c_str(), 0);
    EXPECT_EQ(LastError().code, 0);
    ForgetMemoryRegion(bytes->data());
    bytes.reset();
    EXPECT_EQ(IsMusicPlaying(), 1);
    StopMusic();

    // Headers the music library would divide by zero on, and a device that never ends, are
    // refused before they reach it.
    for (uint16_t blockAlign : {uint16_t(0), uint16_t(2)}) {
        test::WriteFile(path, test::MakeWav(test::WavSpec{.channels = 0, .rate = 8000, .bits = 16, .blockAlign = blockAlign},
                                            std::vector<uint8_t>(800, 0)));
        testing::internal::CaptureStderr();
        PlayMusic(path.c_str(), 0);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), path + ": unsupported WAV format (0 channels)\n");
        EXPECT_EQ(LastError().code, 3);
        EXPECT_EQ(IsMusicPlaying(), 0);
    }
    // The music library keeps the channel count in a byte: 256 would become 0.
    test::WriteFile(path, test::MakeWav(test::WavSpec{.channels = 256, .rate = 8000, .bits = 8, .blockAlign = 256},
                                        std::vector<uint8_t>(2560, 0)));
    testing::internal::CaptureStderr();
    PlayMusic(path.c_str(), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), path + ": unsupported WAV format (256 channels)\n");
    EXPECT_EQ(LastError().code, 3);
    testing::internal::CaptureStderr();
    PlayMusic("/dev/zero", 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "/dev/zero: not a readable regular file\n");
    EXPECT_EQ(LastError().code, 3);
    EXPECT_EQ(IsMusicPlaying(), 0);

    test::WriteFile(path, {'n', 'o', 't', ' ', 'm', 'u', 's', 'i', 'c'});
    PlayMusic(path.c_str(), 0);
    EXPECT_EQ(LastError().code, 3);
    EXPECT_EQ(IsMusicPlaying(), 0);
    std::remove(path.c_str());
    ReleaseSoundDevice(&device);

    // No device: music cannot open either.
    PlayMusic(path.c_str(), 0);
    EXPECT_EQ(IsMusicPlaying(), 0);
}

}  // namespace
}  // namespace tvk
