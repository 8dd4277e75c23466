// The idle step of the wait commands, fed through the real event queue.
#include <gtest/gtest.h>

#include <algorithm>

#include "input/input_devices.h"
#include "input/input_events.h"
#include "platform/system.h"

namespace {

using namespace tvk::test;

class WaitTest : public testing::Test {
protected:
    void SetUp() override {
        tvk::g_input = &input;
        input.pointerShown = true;
        tvk::platform::DiscardPendingEvents();
    }
    void TearDown() override {
        tvk::platform::DiscardPendingEvents();
        tvk::g_input = nullptr;
    }
    // Milliseconds one WaitForInputEvent takes.
    static double TimedWait() {
        double start = tvk::platform::MonotonicMs();
        tvk::WaitForInputEvent();
        return tvk::platform::MonotonicMs() - start;
    }

    tvk::InputDevices input;
};

TEST_F(WaitTest, ReturnsWithinAFewFramesWithoutInput) {
    double fastest = 1e9;
    for (int i = 0; i < 3; ++i) fastest = std::min(fastest, TimedWait());
    // Fifteen rounds of 5 ms: it does wait, and it comes back (the upper bound leaves room
    // for a loaded machine; the lower one cannot be cut short by load).
    EXPECT_LT(fastest, 1000.0);
    EXPECT_GE(fastest, 75.0);
}

TEST_F(WaitTest, ReturnsAtOnceWhenAKeyGoesDown) {
    tvk::platform::PushEvent(KeyDown(57, ' '));
    EXPECT_LT(TimedWait(), 70.0);  // under the 75 ms of a full wait
    EXPECT_TRUE(tvk::IsKeyDown(&input, 57));
}

TEST_F(WaitTest, ReturnsWhenThePointerMovesOrAButtonChanges) {
    TimedWait();
    tvk::platform::PushEvent(Motion(input.pointerX + 3, input.pointerY, 3, 0));
    EXPECT_LT(TimedWait(), 70.0);  // under the 75 ms of a full wait
    tvk::platform::PushEvent(Button(3, true));
    EXPECT_LT(TimedWait(), 70.0);  // under the 75 ms of a full wait
    tvk::platform::PushEvent(Button(2, true));  // the middle button is not watched
    EXPECT_GE(TimedWait(), 50.0);
}

}  // namespace
