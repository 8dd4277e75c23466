#include <gtest/gtest.h>

#include <cmath>

#include "base/last_error.h"
#include "files/memory_names.h"
#include "sound/sound_device.h"
#include "sound/wav_builder.h"
#include "tarnvik/core.h"
#include "tarnvik/sound.h"

namespace tvk {
namespace {

// The commands over the global table, with a device that has output but no audio thread.
class SoundCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_sound = CreateSoundDevice();
        g_sound->hasOutput = true;
        g_soundSlots = new SoundSlot[kSoundSlotCount];
        path = test::TempPath("cmd.wav");
        test::WriteFile(path, test::MakeWav(test::WavSpec{}, test::ConstantStereo(1000, 2000)));
        file = path.c_str();
    }
    void TearDown() override {
        delete[] g_soundSlots;
        g_soundSlots = nullptr;
        delete g_sound;
        g_sound = nullptr;
        std::remove(path.c_str());
    }
    static int32_t Error() { return LastError().code; }

    std::string path;
    RtString file;
};

TEST_F(SoundCommandsTest, FindFreeSoundCountsDownFromTheTop) {
    EXPECT_EQ(FindFreeSound(), 4095);
    LoadSound(file, 4095, 1);
    EXPECT_EQ(FindFreeSound(), 4094);
    // A full table.
    std::vector<uint8_t> tiny = test::MakeWav(test::WavSpec{}, test::ConstantStereo(1, 1));
    for (int s = 0; s < kSoundSlotCount; ++s) LoadSlotFromBytes(g_soundSlots[s], g_sound, tiny.data(), tiny.size(), 1);
    EXPECT_EQ(FindFreeSound(), -1);
    EXPECT_EQ(Error(), 7);
}

TEST_F(SoundCommandsTest, LoadSoundRecordsWhatWentWrong) {
    LoadSound(file, 4096, 1);
    EXPECT_EQ(Error(), 7);
    LoadSound(file, -1, 1);
    EXPECT_EQ(Error(), 7);
    LoadSound("no such sound.wav", 3, 1);
    EXPECT_EQ(Error(), 3);
    EXPECT_EQ(g_soundSlots[3].voiceCount, 0);
    LoadSound(file, 3, 2);
    EXPECT_EQ(Error(), 0);
    EXPECT_EQ(g_soundSlots[3].voiceCount, 2);
}

TEST_F(SoundCommandsTest, LoadSoundSaysWhatItCannotPlay) {
    const std::string odd = test::TempPath("odd.wav");
    struct Case {
        test::WavSpec spec;
        const char* said;
    };
    const Case cases[] = {
        {{.bits = 24}, "unsupported WAV format (24 bits per sample)"},
        {{.channels = 0}, "unsupported WAV format (0 channels)"},
        {{.channels = 0, .blockAlign = 4}, "unsupported WAV format (0 channels)"},
        {{.channels = 2, .blockAlign = 1}, "unsupported WAV format (block align of 1 bytes)"},
        {{.rate = 0}, "unsupported WAV format (0 samples per second)"},
        {{.rate = 250000}, "unsupported WAV format (250000 samples per second)"},
        {{.bits = 0, .blockAlign = 4}, "unsupported WAV format (0 bits per sample)"},
        {{.bits = 40, .blockAlign = 10}, "unsupported WAV format (40 bits per sample)"},
        {{.channels = 9, .blockAlign = 18}, "unsupported WAV format (9 channels)"},
    };
    for (const Case& c : cases) {
        test::WriteFile(odd, test::MakeWav(c.spec, std::vector<uint8_t>(720, 0)));
        testing::internal::CaptureStderr();
        LoadSound(odd.c_str(), 5, 1);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), odd + ": " + c.said + "\n");
        EXPECT_EQ(Error(), 3) << c.said;  // the code programs test stays
        EXPECT_EQ(g_soundSlots[5].voiceCount, 0) << c.said;
    }
    test::WriteFile(odd, {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'});
    testing::internal::CaptureStderr();
    LoadSound(odd.c_str(), 5, 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), odd + ": damaged WAV file (a chunk is missing or cut short)\n");
    std::remove(odd.c_str());

    // A missing file says nothing beyond its code.
    testing::internal::CaptureStderr();
    LoadSound(odd.c_str(), 5, 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(Error(), 3);
    LoadSound(file, 5, 1);
    EXPECT_EQ(Error(), 0);
}

TEST_F(SoundCommandsTest, LoadSoundReadsMemoryNames) {
    auto bytes = std::make_shared<std::vector<uint8_t>>(test::MakeWav(test::WavSpec{.channels = 1}, {1, 0, 2, 0}));
    ASSERT_TRUE(RegisterMemoryRegion(bytes->data(), bytes->size(), bytes));
    LoadSound(RtString(MemoryName(bytes->data(), bytes->size()).c_str()), 10, 1);
    EXPECT_EQ(Error(), 0);
    EXPECT_EQ(g_soundSlots[10].voiceCount, 1);
    EXPECT_EQ(g_soundSlots[10].voices[0].frameCount, 2);
    ForgetMemoryRegion(bytes->data());
    // A name of memory nobody registered reads as a missing file.
    LoadSound(RtString(MemoryName(bytes->data(), bytes->size()).c_str()), 10, 1);
    EXPECT_EQ(Error(), 3);
}

TEST_F(SoundCommandsTest, PlaySoundGivesChannels) {
    LoadSound(file, 7, 3);
    EXPECT_EQ(PlaySound(7, 0, 1), 7 * 256);
    EXPECT_EQ(PlaySound(7, 0, 1), 7 * 256 + 1);
    EXPECT_EQ(PlaySound(7, 0, 1), 7 * 256 + 2);
    EXPECT_EQ(PlaySound(7, 0, 1), 7 * 256);
    EXPECT_EQ(IsSoundPlaying(7 * 256 + 1), 1);

    SetErrorCode(0);
    EXPECT_EQ(PlaySound(8, 0, 1), -1);  // a free slot: no error
    EXPECT_EQ(Error(), 0);
    EXPECT_EQ(PlaySound(4096, 0, 1), 0);
    EXPECT_EQ(Error(), 7);
    EXPECT_EQ(PlaySound(-5, 0, 1), 0);
}

TEST_F(SoundCommandsTest, VolumeAndPanAreTakenFromTheirScales) {
    LoadSound(file, 1, 4);
    PlaySound(1, 5, 2);  // fully right, full volume
    EXPECT_EQ(g_soundSlots[1].voices[0].gains.left, 0);
    EXPECT_EQ(g_soundSlots[1].voices[0].gains.right, kUnityGain);
    PlaySound(1, 0, -1);  // silent
    EXPECT_EQ(g_soundSlots[1].voices[1].gains.right, 0);
    PlaySound(1, -0.2, 0.999);  // 99 %: 1 dB down; 2000 to the left
    EXPECT_EQ(g_soundSlots[1].voices[2].gains.left, HundredthsToGain(-100));
    EXPECT_EQ(g_soundSlots[1].voices[2].gains.right, HundredthsToGain(-2100));
    PlaySound(1, std::nan(""), std::nan(""));
    EXPECT_EQ(g_soundSlots[1].voices[3].gains.left, 0);
}

TEST_F(SoundCommandsTest, StopAndQueryIgnoreChannelsOutsideTheTable) {
    LoadSound(file, 2, 2);
    RtInt first = PlaySound(2, 0, 1);
    RtInt second = PlaySound(2, 0, 1);
    SetErrorCode(0);
    for (RtInt channel : {-1, 4096 * 256, 0x7FFFFFFF, int32_t(0x80000000)}) StopSound(channel);
    EXPECT_EQ(Error(), 0);
    EXPECT_EQ(IsSoundPlaying(first), 1);
    EXPECT_EQ(IsSoundPlaying(-1), 0);
    EXPECT_EQ(Error(), 7);
    SetErrorCode(0);
    EXPECT_EQ(IsSoundPlaying(4096 * 256), 0);
    EXPECT_EQ(Error(), 7);

    StopSound(second);
    EXPECT_EQ(IsSoundPlaying(first), 1);
    EXPECT_EQ(IsSoundPlaying(second), 0);
    PlaySound(2, 0, 1);
    StopSound(2 * 256 + 200);
    EXPECT_EQ(IsSoundPlaying(first), 0);
    EXPECT_EQ(IsSoundPlaying(second), 0);

    LoadSound(file, 4095, 1);
    PlaySound(2, 0, 1);
    RtInt top = PlaySound(4095, 0, 1);
    EXPECT_EQ(top, 4095 * 256);
    StopAllSounds();
    EXPECT_EQ(IsSoundPlaying(top), 0);
    EXPECT_EQ(g_sound->mixer.PlayingCount(), 0u);
}

TEST(SoundCommandsWithoutDevice, NothingLoadsOrPlays) {
    ASSERT_EQ(g_soundSlots, nullptr);
    EXPECT_EQ(FindFreeSound(), -1);
    LoadSound("x.wav", 1, 1);
    EXPECT_EQ(LastError().code, 7);
    EXPECT_EQ(IsSoundPlaying(0), 0);
    StopSound(0);
    StopAllSounds();

    g_soundSlots = new SoundSlot[kSoundSlotCount];
    g_sound = CreateSoundDevice();  // never opened: no output
    std::string path = test::TempPath("none.wav");
    test::WriteFile(path, test::MakeWav(test::WavSpec{}, test::ConstantStereo(1, 10)));
    LoadSound(path.c_str(), 1, 1);
    EXPECT_EQ(LastError().code, 3);
    EXPECT_EQ(PlaySound(1, 0, 1), -1);
    std::remove(path.c_str());
    delete[] g_soundSlots;
    g_soundSlots = nullptr;
    delete g_sound;
    g_sound = nullptr;
}

}  // namespace
}  // namespace tvk
