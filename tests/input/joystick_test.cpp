// Joysticks read through a virtual device the window system's library provides for tests.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <string>

#include "input/input_devices.h"
#include "input/joystick.h"
#include "input/joystick_wait_check.h"
#include "tarnvik/input.h"

namespace {

class JoystickTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0) << SDL_GetError();
        device = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_UNKNOWN, 6, 32, 1);
        ASSERT_GE(device, 0) << SDL_GetError();
        tvk::g_input = &input;
        tvk::OpenJoystickDevices(&input);
        stick = SDL_JoystickOpen(device);
        ASSERT_NE(stick, nullptr);
    }
    void TearDown() override {
        if (stick) SDL_JoystickClose(stick);
        tvk::CloseJoystickDevices(&input);
        SDL_JoystickDetachVirtual(device);
        tvk::g_input = nullptr;
    }
    void Axis(int axis, Sint16 value) { SDL_JoystickSetVirtualAxis(stick, axis, value); }
    void Hat(Uint8 value) { SDL_JoystickSetVirtualHat(stick, 0, value); }
    void Button(int button, bool down) { SDL_JoystickSetVirtualButton(stick, button, down ? 1 : 0); }

    tvk::InputDevices input;
    int device = -1;
    SDL_Joystick* stick = nullptr;
};

TEST_F(JoystickTest, TheDeviceIsCountedAndNamed) {
    EXPECT_EQ(CountJoysticks(), 1);
    std::string name = GetJoystickName(0).c_str();
    EXPECT_FALSE(name.empty());
    EXPECT_NE(name.find(", "), std::string::npos) << name;
    EXPECT_STREQ(GetJoystickName(1).c_str(), "");
    EXPECT_STREQ(GetJoystickName(-1).c_str(), "");
}

TEST_F(JoystickTest, AxesReadMinusOneToOne) {
    Axis(0, -32768);
    Axis(1, 32767);
    Axis(2, 16384);
    Axis(3, -16384);
    EXPECT_DOUBLE_EQ(GetJoystickX(0), -1.0) << "-32768 / 32767 is clamped";
    EXPECT_DOUBLE_EQ(GetJoystickY(0), 1.0);
    EXPECT_NEAR(GetJoystickZ(0), 0.5, 0.001);
    EXPECT_NEAR(GetJoystickRX(0), -0.5, 0.001);
    EXPECT_DOUBLE_EQ(GetJoystickRY(0), 0.0);
}

TEST_F(JoystickTest, TheHatGivesDirections) {
    Hat(SDL_HAT_RIGHTUP);
    EXPECT_EQ(GetJoystickHatX(0), 1);
    EXPECT_EQ(GetJoystickHatY(0), -1);
    Hat(SDL_HAT_LEFTDOWN);
    EXPECT_EQ(GetJoystickHatX(0), -1);
    EXPECT_EQ(GetJoystickHatY(0), 1);
    Hat(SDL_HAT_CENTERED);
    EXPECT_EQ(GetJoystickHatX(0), 0);
    EXPECT_EQ(GetJoystickHatY(0), 0);
}

TEST_F(JoystickTest, ButtonsAndTheJoystickZeroSummary) {
    Button(1, true);
    Button(31, true);
    EXPECT_NE(GetJoystickButton(0, 1), 0);
    EXPECT_NE(GetJoystickButton(0, 31), 0);
    EXPECT_EQ(GetJoystickButton(0, 0), 0);
    EXPECT_EQ(GetJoystickButton(0, 32), 0);
    EXPECT_EQ(GetJoystickButton(0, -1), 0);

    RtInt x = 9, y = 9, b1 = 9, b2 = 9;
    Axis(0, 29999);
    Axis(1, -30000);
    GetJoystickState(x, y, b1, b2);
    EXPECT_EQ(x, 0) << "inside the dead band";
    EXPECT_EQ(y, -1);
    EXPECT_EQ(b1, 0);
    EXPECT_NE(b2, 0);
    Axis(0, 30000);
    RtNumber nx = 0, ny = 0, nb1 = 0, nb2 = 0;
    GetJoystickState(nx, ny, nb1, nb2);
    EXPECT_EQ(nx, 1.0);
}

TEST_F(JoystickTest, MissingJoysticksReadCentredWithNothingPressed) {
    for (RtInt index : {1, 9, 10, -1, 1 << 30}) {
        EXPECT_EQ(GetJoystickX(index), 0.0);
        EXPECT_EQ(GetJoystickHatX(index), 0.0);
        EXPECT_EQ(GetJoystickHatY(index), 0.0) << "a missing hat is centred, not pushed up";
        EXPECT_EQ(GetJoystickButton(index, 0), 0);
    }
    PlayJoystickForce(0, 500, 1, 1);  // the virtual device has no force feedback: nothing happens
    PlayJoystickForce(7, 500, 1, 1);
}

TEST_F(JoystickTest, TheWaitCommandsNoticeAPressedButton) {
    tvk::JoystickWaitReading reading;
    ASSERT_TRUE(tvk::SampleJoystickForWait(&input, 0, reading));
    EXPECT_FALSE(tvk::JoystickReadingShowsInput(reading));
    Button(4, true);
    EXPECT_TRUE(tvk::AnyJoystickShowsInput(&input));
}

TEST_F(JoystickTest, AnUnpluggedDeviceReadsAsMissing) {
    Axis(0, 32767);
    EXPECT_EQ(GetJoystickX(0), 1.0);
    SDL_JoystickClose(stick);
    stick = nullptr;
    SDL_JoystickDetachVirtual(device);
    EXPECT_EQ(GetJoystickX(0), 0.0);
    EXPECT_EQ(CountJoysticks(), 1) << "the count is taken once, when input starts";
}

}  // namespace
