// The clock, frame-rate setting and starting other programs.
#include <gtest/gtest.h>

#include "base/frame_state.h"
#include "gfx2d/renderer.h"
#include "tarnvik/core.h"

namespace {

TEST(Timer, StartsAtZeroAndNeverGoesBack) {
    double first = ReadTimer();
    EXPECT_LT(first, 50.0);  // the first call of the process is the origin
    double previous = first;
    for (int i = 0; i < 1000; ++i) {
        double now = ReadTimer();
        ASSERT_GE(now, previous);
        previous = now;
    }
}

TEST(Timer, FrameTimeIsOneWhenBothFrameTimesAreEqual) {
    tvk::Frame().currentFrameTime = tvk::Frame().previousFrameTime = 250;
    EXPECT_EQ(GetFrameTime(), 1);
    tvk::Frame().currentFrameTime = 266.5;
    EXPECT_DOUBLE_EQ(GetFrameTime(), 16.5);
}

TEST(FrameRate, RatesAreTruncatedAndNonPositiveMeansTwoMilliseconds) {
    tvk::OpenGLDodurudo renderer;
    tvk::g_renderer = &renderer;
    SetFrameRate(30.9);
    EXPECT_NEAR(renderer.framePeriod, 1000.0 / 30, 1e-9);
    for (double rate : {0.0, -5.0, 0.5, 1e300, -1e300}) {
        SetFrameRate(rate);
        EXPECT_DOUBLE_EQ(renderer.framePeriod, 2.0) << rate;
    }
    renderer.nextFrameTime = 1234;
    SetFrameRate(60);
    EXPECT_EQ(renderer.nextFrameTime, 1234);  // the next slot stays where it was
    tvk::g_renderer = nullptr;
}

TEST(RunProcess, WaitsAndReportsTheExitCode) {
    RtNumber code = -1;
    EXPECT_EQ(RunProcess("sh -c 'exit 3'", 1, 0, code), 1);
    EXPECT_EQ(code, 3);
    EXPECT_EQ(RunProcess("exit 0", 1, 0, code), 1);
    EXPECT_EQ(code, 0);
}

TEST(RunProcess, WithoutWaitingReturnsAtOnceAndLeavesTheCodeAtZero) {
    RtNumber code = -1;
    double before = ReadTimer();
    EXPECT_EQ(RunProcess("sleep 2", 0, 1, code), 1);
    EXPECT_LT(ReadTimer() - before, 1000);
    EXPECT_EQ(code, 0);
}

TEST(RunProcess, AProgramThatCannotStartGivesZero) {
    RtNumber code = -1;
    EXPECT_EQ(RunProcess("/no/such/program --flag", 1, 0, code), 0);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(RunProcess("no-such-program-anywhere", 1, 0, code), 0);
    EXPECT_EQ(RunProcess("", 1, 0, code), 0);
}

}  // namespace
