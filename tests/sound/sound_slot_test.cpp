#include <gtest/gtest.h>

#include "sound/sound_device.h"
#include "sound/wav_builder.h"

namespace tvk {
namespace {

// A device with output but no audio thread: the tests move time on by rendering blocks themselves.
class SoundSlotTest : public ::testing::Test {
protected:
    void SetUp() override { device.hasOutput = true; }

    int Load(SoundSlot& slot, int voices, size_t frames = 1000, int16_t value = 1000) {
        std::vector<uint8_t> bytes = test::MakeWav(test::WavSpec{}, test::ConstantStereo(value, frames));
        return LoadSlotFromBytes(slot, &device, bytes.data(), bytes.size(), voices);
    }
    std::vector<int16_t> Render(int frames) {
        std::vector<int16_t> out(size_t(2 * frames), 0);
        device.mixer.Render(out.data(), frames);
        return out;
    }

    SoundDevice device;
    SoundSlot slot;  // destroyed before the device
};

TEST_F(SoundSlotTest, VoiceCountIsHeldToOneToFour) {
    ASSERT_EQ(Load(slot, 0), 1);
    EXPECT_EQ(slot.voiceCount, 1);
    ASSERT_EQ(Load(slot, 9), 1);
    EXPECT_EQ(slot.voiceCount, 4);
    ASSERT_EQ(Load(slot, -3), 1);
    EXPECT_EQ(slot.voiceCount, 1);
}

TEST_F(SoundSlotTest, OneVoiceIsNotRestartedWhilePlaying) {
    Load(slot, 1);
    EXPECT_EQ(PlaySlot(slot, 0, 100, false), 0);
    Render(100);
    EXPECT_EQ(PlaySlot(slot, 0, 100, false), -1);
    EXPECT_EQ(IsVoicePlaying(slot, 0), 1);
    EXPECT_EQ(slot.voices[0].position, 100);
    Render(900);  // the end: the voice stops and may play again
    EXPECT_EQ(IsVoicePlaying(slot, 0), 0);
    EXPECT_EQ(PlaySlot(slot, 0, 100, false), 0);
}

TEST_F(SoundSlotTest, VoicesAreTakenInTurnAndTheOldestIsCutShort) {
    Load(slot, 3);
    EXPECT_EQ(PlaySlot(slot, 0, 100, false), 0);
    Render(10);
    EXPECT_EQ(PlaySlot(slot, 0, 100, false), 1);
    EXPECT_EQ(PlaySlot(slot, 0, 100, false), 2);
    EXPECT_EQ(slot.voices[0].position, 10);
    EXPECT_EQ(PlaySlot(slot, 0, 100, false), 0);
    EXPECT_EQ(slot.voices[0].position, 0);  // restarted from its beginning
    for (int v = 0; v < 3; ++v) EXPECT_EQ(IsVoicePlaying(slot, v), 1) << v;
    EXPECT_EQ(device.mixer.PlayingCount(), 3u);
    // Three voices sum in the output.
    EXPECT_EQ(Render(1)[0], 3000);
}

TEST_F(SoundSlotTest, StoppingOneVoiceOrAll) {
    Load(slot, 2);
    PlaySlot(slot, 0, 100, false);
    PlaySlot(slot, 0, 100, false);
    EXPECT_EQ(StopSlot(slot, 1), 1);
    EXPECT_EQ(IsVoicePlaying(slot, 0), 1);
    EXPECT_EQ(IsVoicePlaying(slot, 1), 0);
    PlaySlot(slot, 0, 100, false);
    EXPECT_EQ(StopSlot(slot, 200), 1);  // not a voice of the slot: all of them
    EXPECT_EQ(IsVoicePlaying(slot, 0), 0);
    EXPECT_EQ(IsVoicePlaying(slot, 1), 0);
    EXPECT_EQ(device.mixer.PlayingCount(), 0u);
    EXPECT_EQ(IsVoicePlaying(slot, 2), 0);
    EXPECT_EQ(IsVoicePlaying(slot, -1), 0);
}

TEST_F(SoundSlotTest, VolumeAndPanReachTheVoice) {
    Load(slot, 4);
    PlaySlot(slot, 10000, 100, false);
    EXPECT_EQ(slot.voices[0].gains.left, 0);
    EXPECT_EQ(slot.voices[0].gains.right, kUnityGain);
    PlaySlot(slot, 0, 0, false);
    EXPECT_EQ(slot.voices[1].gains.left, 0);
    EXPECT_EQ(slot.voices[1].gains.right, 0);
    PlaySlot(slot, 0, 50, false);
    EXPECT_EQ(slot.voices[2].gains.left, HundredthsToGain(-5000));
    PlaySlot(slot, -99999, 400, false);  // held to the ends of the scales
    EXPECT_EQ(slot.voices[3].gains.left, kUnityGain);
    EXPECT_EQ(slot.voices[3].gains.right, 0);
    std::vector<int16_t> out = Render(1);
    EXPECT_EQ(out[0], 3 + 1000);  // the half-volume voice is 50 dB down
    EXPECT_EQ(out[1], 1000 + 3);
}

TEST_F(SoundSlotTest, AFreeSlotOrNoOutputPlaysNothing) {
    EXPECT_EQ(PlaySlot(slot, 0, 100, false), -1);
    EXPECT_EQ(StopSlot(slot, -1), 0);
    EXPECT_EQ(IsVoicePlaying(slot, 0), 0);

    SoundDevice silent;  // never opened
    std::vector<uint8_t> bytes = test::MakeWav(test::WavSpec{}, test::ConstantStereo(1, 10));
    SoundSlot other;
    EXPECT_EQ(LoadSlotFromBytes(other, &silent, bytes.data(), bytes.size(), 1), 0);
    EXPECT_EQ(other.voiceCount, 0);
    EXPECT_EQ(PlaySlot(other, 0, 100, false), -1);
    EXPECT_EQ(LoadSlotFromBytes(other, nullptr, bytes.data(), bytes.size(), 1), 0);
    EXPECT_EQ(LoadSlot(other, &silent, "/nonexistent/x.wav", 1), 0);
}

TEST_F(SoundSlotTest, FailedLoadsLeaveTheSlotFree) {
    Load(slot, 2);
    PlaySlot(slot, 0, 100, false);
    std::vector<uint8_t> junk = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
    EXPECT_EQ(LoadSlotFromBytes(slot, &device, junk.data(), junk.size(), 2), 0);
    EXPECT_EQ(slot.voiceCount, 0);
    EXPECT_EQ(slot.device, &device);
    EXPECT_EQ(device.mixer.PlayingCount(), 0u);  // the old sound was stopped before it went

    // A format nothing can play costs the slot its device until the next load.
    std::vector<uint8_t> odd = test::MakeWav(test::WavSpec{.bits = 12}, std::vector<uint8_t>(16, 0));
    EXPECT_EQ(LoadSlotFromBytes(slot, &device, odd.data(), odd.size(), 1), 0);
    EXPECT_EQ(slot.device, nullptr);
    EXPECT_EQ(Load(slot, 1), 1);
    EXPECT_EQ(slot.device, &device);
}

TEST_F(SoundSlotTest, ReloadingAPlayingSlotStopsTheOldSound) {
    Load(slot, 1, 1000, 500);
    PlaySlot(slot, 0, 100, false);
    Render(10);
    Load(slot, 1, 1000, 700);
    EXPECT_EQ(device.mixer.PlayingCount(), 0u);
    EXPECT_EQ(Render(1)[0], 0);
    PlaySlot(slot, 0, 100, false);
    EXPECT_EQ(Render(1)[0], 700);
}

TEST_F(SoundSlotTest, LoadsFromFilesAndMissesCleanly) {
    std::string path = test::TempPath("slot.wav");
    test::WriteFile(path, test::MakeWav(test::WavSpec{.channels = 1, .bits = 8}, std::vector<uint8_t>(50, 0xC0)));
    ASSERT_EQ(LoadSlot(slot, &device, path.c_str(), 2), 1);
    PlaySlot(slot, 0, 100, false);
    EXPECT_EQ(Render(1)[1], 0x40 * 256);
    std::remove(path.c_str());
    EXPECT_EQ(LoadSlot(slot, &device, path.c_str(), 2), 0);
    EXPECT_EQ(slot.voiceCount, 0);
}

}  // namespace
}  // namespace tvk
