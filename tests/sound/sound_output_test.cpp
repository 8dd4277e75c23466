// The effects mixer on a real audio device: the silent driver, the driver that writes a file, and
// no driver at all.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "platform/audio.h"
#include "platform/system.h"
#include "sound/sound_device.h"
#include "sound/wav_builder.h"

namespace tvk {
namespace {

class SoundOutputTest : public ::testing::Test {
protected:
    void TearDown() override {
        slot.reset();
        if (device) ReleaseSoundDevice(device.get());
        device.reset();
        setenv("SDL_AUDIODRIVER", "dummy", 1);
    }
    void Open(const char* driver) {
        setenv("SDL_AUDIODRIVER", driver, 1);
        device.reset(CreateSoundDevice());
        slot = std::make_unique<SoundSlot>();
    }
    int LoadConstant(int16_t value, size_t frames) {
        std::vector<uint8_t> bytes = test::MakeWav(test::WavSpec{}, test::ConstantStereo(value, frames));
        return LoadSlotFromBytes(*slot, device.get(), bytes.data(), bytes.size(), 1);
    }
    // Waits (at most ten seconds) for the voice to play out.
    bool WaitForEnd() {
        for (int i = 0; i < 10000 && IsVoicePlaying(*slot, 0); ++i) platform::SleepMs(1);
        return IsVoicePlaying(*slot, 0) == 0;
    }

    std::unique_ptr<SoundDevice> device;
    std::unique_ptr<SoundSlot> slot;
};

TEST_F(SoundOutputTest, PlaysThroughTheSilentDriver) {
    Open("dummy");
    ASSERT_EQ(InitSoundDevice(device.get(), nullptr), 1);
    EXPECT_TRUE(platform::AudioIsOpen());
    EXPECT_EQ(InitSoundDevice(device.get(), nullptr), 1);  // again after a screen change
    ASSERT_EQ(LoadConstant(100, 1100), 1);
    EXPECT_EQ(PlaySlot(*slot, 0, 100, false), 0);
    EXPECT_TRUE(WaitForEnd());
    ReleaseSoundDevice(device.get());
    EXPECT_FALSE(platform::AudioIsOpen());
    EXPECT_FALSE(device->hasOutput);
}

TEST_F(SoundOutputTest, MixedSamplesReachTheDevice) {
    const std::string capture = test::TempPath("capture.raw");
    setenv("SDL_DISKAUDIOFILE", capture.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "1", 1);
    Open("disk");
    ASSERT_EQ(InitSoundDevice(device.get(), nullptr), 1);
    ASSERT_EQ(LoadConstant(1234, 2205), 1);
    ASSERT_EQ(PlaySlot(*slot, 10000, 100, false), 0);  // right only
    ASSERT_TRUE(WaitForEnd());
    ReleaseSoundDevice(device.get());

    std::ifstream in(capture, std::ios::binary);
    std::vector<char> raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::remove(capture.c_str());
    const auto* frames = reinterpret_cast<const int16_t*>(raw.data());
    size_t heard = 0, leftHeard = 0;
    for (size_t i = 0; i + 1 < raw.size() / 2; i += 2) {
        if (frames[i + 1] == 1234) ++heard;
        if (frames[i] != 0) ++leftHeard;
    }
    EXPECT_EQ(heard, 2205u);
    EXPECT_EQ(leftHeard, 0u);
}

TEST_F(SoundOutputTest, NoDeviceMeansNothingLoads) {
    Open("no-such-driver");
    EXPECT_EQ(InitSoundDevice(device.get(), nullptr), 0);
    EXPECT_FALSE(device->hasOutput);
    EXPECT_EQ(LoadConstant(1, 10), 0);
    EXPECT_EQ(PlaySlot(*slot, 0, 100, false), -1);
    ReleaseSoundDevice(device.get());
}

}  // namespace
}  // namespace tvk
