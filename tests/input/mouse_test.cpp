// Mouse samples in both pointer modes, driven by events; and what counts as joystick input
// for the wait commands.
#include <gtest/gtest.h>

#include "input/input_devices.h"
#include "input/input_events.h"
#include "input/joystick_wait_check.h"
#include "tarnvik/input.h"

namespace {

using namespace tvk::test;

class MouseTest : public testing::Test {
protected:
    void SetUp() override {
        tvk::g_input = &input;
        input.pointerShown = true;
        input.pointerX = input.live.x = 100;
        input.pointerY = input.live.y = 100;
    }
    void TearDown() override { tvk::g_input = nullptr; }
    void Send(const Event& e) { tvk::InputHandleEvent(&input, e); }
    void Arm() { input.mouseSamplePending = true; }  // what ShowScreen does once per frame
    void Hide() { input.pointerShown = false; }

    tvk::InputDevices input;
};

TEST_F(MouseTest, ShownPointerFollowsTheSystemPointer) {
    Send(Motion(130, 90, 30, -10));
    EXPECT_EQ(GetMouseAxis(0), 30);
    EXPECT_EQ(GetMouseAxis(1), -10);
    EXPECT_EQ(input.pointerX, 130);
    // A position set by the program lasts only until the next sample in this mode.
    SetMousePosition(5, 5);
    Arm();
    EXPECT_EQ(GetMouseAxis(0), 125);
    EXPECT_EQ(input.pointerX, 130);
}

TEST_F(MouseTest, MotionIsTakenOncePerArmedSample) {
    Send(Motion(110, 100, 10, 0));
    EXPECT_EQ(GetMouseAxis(0), 10);
    EXPECT_EQ(GetMouseAxis(0), 10);  // the same frame reports the same motion
    Send(Motion(150, 100, 40, 0));
    EXPECT_EQ(GetMouseAxis(0), 10);
    EXPECT_EQ(input.pointerX, 110);
    Arm();
    EXPECT_EQ(GetMouseAxis(0), 40);
    Arm();
    EXPECT_EQ(GetMouseAxis(0), 0);  // no motion since
}

TEST_F(MouseTest, HiddenPointerAccumulatesRelativeMotion) {
    Hide();
    Send(Motion(0, 0, 5, -3));
    Send(Motion(0, 0, 7, -4));
    EXPECT_EQ(GetMouseAxis(0), 12);
    EXPECT_EQ(GetMouseAxis(1), -7);
    EXPECT_EQ(input.pointerX, 112);
    EXPECT_EQ(input.pointerY, 93);
    SetMousePosition(10, 20);  // lasting in this mode
    Arm();
    Send(Motion(0, 0, 1, 1));
    GetMouseAxis(0);
    EXPECT_EQ(input.pointerX, 11);
    EXPECT_EQ(input.pointerY, 21);
}

TEST_F(MouseTest, ShowingThePointerAgainStartsFromTheProgramsPosition) {
    tvk::SetPointerShown(&input, false);
    Send(Motion(0, 0, 25, 5));
    EXPECT_EQ(GetMouseAxis(0), 25);
    Send(Motion(0, 0, 3, 3));  // not taken before the switch
    ShowSystemPointer(1);
    EXPECT_TRUE(input.pointerShown);
    Arm();
    EXPECT_EQ(GetMouseAxis(0), 0);
    EXPECT_EQ(GetMouseAxis(1), 0);
    EXPECT_EQ(input.pointerX, 125);
    EXPECT_EQ(input.pointerY, 105);
    ShowSystemPointer(0);
    EXPECT_FALSE(input.pointerShown);
}

TEST_F(MouseTest, HugeMotionSaturatesInsteadOfTurningRound) {
    Hide();
    Send(Motion(0, 0, 40000, -40000));
    EXPECT_EQ(GetMouseAxis(0), 32767);
    EXPECT_EQ(GetMouseAxis(1), -32768);
    SetMousePosition(2147483000, 0);
    Arm();
    Send(Motion(0, 0, 30000, 0));
    GetMouseAxis(0);
    EXPECT_EQ(input.pointerX, 2147483647);
}

TEST_F(MouseTest, ButtonsAreReadOnEveryCall) {
    Send(Button(1, true));
    EXPECT_EQ(GetMouseAxis(3), 1);
    Send(Button(3, true));
    EXPECT_EQ(GetMouseAxis(4), 1);
    Send(Button(2, true));
    EXPECT_EQ(GetMouseAxis(5), 1);
    Send(Button(1, false));
    EXPECT_EQ(GetMouseAxis(3), 0);
    EXPECT_EQ(GetMouseAxis(4), 1);
    Send(Plain(EventType::FocusLost));  // released elsewhere
    EXPECT_EQ(GetMouseAxis(4), 0);
    EXPECT_EQ(GetMouseAxis(5), 0);
}

TEST_F(MouseTest, WheelGivesTheSignOfItsMotionInBothModes) {
    Send(Wheel(3));
    EXPECT_EQ(GetMouseAxis(2), 1);
    Arm();
    Send(Wheel(-7));
    Send(Wheel(2));
    EXPECT_EQ(GetMouseAxis(2), -1);
    Arm();
    EXPECT_EQ(GetMouseAxis(2), 0);
    Hide();
    Arm();
    Send(Wheel(1));
    EXPECT_EQ(GetMouseAxis(2), 1);
}

TEST_F(MouseTest, UnknownAxesAndButtonsGiveZero) {
    Send(Button(1, true));
    Send(Button(4, true));
    EXPECT_EQ(GetMouseAxis(6), 0);
    EXPECT_EQ(GetMouseAxis(-1), 0);
    EXPECT_EQ(GetMouseAxis(5), 0);
}

TEST_F(MouseTest, AnyMouseButtonArmsAFreshSample) {
    Send(Motion(120, 100, 20, 0));
    EXPECT_EQ(GetMouseAxis(0), 20);
    Send(Motion(125, 100, 5, 0));
    EXPECT_FALSE(tvk::AnyMouseButton(&input));
    EXPECT_EQ(GetMouseAxis(0), 5);
    Send(Button(3, true));
    EXPECT_TRUE(tvk::AnyMouseButton(&input));
}

TEST(JoystickWaitRule, SmallDeflectionsAndACentredHatAreNoInput) {
    tvk::JoystickWaitReading r;
    EXPECT_FALSE(tvk::JoystickReadingShowsInput(r));
    r.x = 1638;  // 0.05 of the range
    r.y = -3276;
    r.z = 3276;
    EXPECT_FALSE(tvk::JoystickReadingShowsInput(r));
    r.pov = 4501;  // not one of the eight directions
    EXPECT_FALSE(tvk::JoystickReadingShowsInput(r));
}

TEST(JoystickWaitRule, ButtonsAxesAndHatDirectionsAreInput) {
    tvk::JoystickWaitReading button;
    button.buttons[31] = true;
    EXPECT_TRUE(tvk::JoystickReadingShowsInput(button));
    tvk::JoystickWaitReading axis;
    axis.z = -32768;
    EXPECT_TRUE(tvk::JoystickReadingShowsInput(axis));
    axis.z = 0;
    axis.y = 3600;
    EXPECT_TRUE(tvk::JoystickReadingShowsInput(axis));
    for (int direction : {0, 4500, 9000, 13500, 18000, 22500, 27000, 31500}) {
        tvk::JoystickWaitReading hat;
        hat.pov = direction;
        EXPECT_TRUE(tvk::JoystickReadingShowsInput(hat)) << direction;
    }
}

}  // namespace
