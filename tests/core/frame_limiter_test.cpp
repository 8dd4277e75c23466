// The frame limiter against a fake clock: where frames land for programs that draw
// quickly, slowly and very slowly.
#include <gtest/gtest.h>

#include <vector>

#include "core/frame_limiter.h"

namespace {

using tvk::DecideSlotWait;
using tvk::NextFrameSlot;
using tvk::SlotWaitAction;

// Runs `frames` frames that each take `drawMs`, waiting the way PresentFrame does, and
// returns the clock value at which each frame was presented.
std::vector<double> Simulate(double period, const std::vector<double>& drawMs, int* sleeps = nullptr) {
    double clock = 0;
    double next = 0;
    std::vector<double> shown;
    for (double draw : drawMs) {
        clock += draw;
        shown.push_back(clock);
        next = NextFrameSlot(period, next, clock);
        for (;;) {
            tvk::SlotWait w = DecideSlotWait(next - clock);
            if (w.action == SlotWaitAction::Done) break;
            if (sleeps && w.action == SlotWaitAction::Sleep) ++*sleeps;
            clock += w.milliseconds;
        }
    }
    return shown;
}

TEST(FrameLimiter, WaitDecisionsAtTheThresholds) {
    EXPECT_EQ(DecideSlotWait(16.6).action, SlotWaitAction::Sleep);
    EXPECT_EQ(DecideSlotWait(16.6).milliseconds, 13);  // wakes 3 ms early, whole milliseconds
    EXPECT_EQ(DecideSlotWait(7.0).action, SlotWaitAction::Nap);
    EXPECT_LT(DecideSlotWait(7.0).milliseconds, 0.5);
    EXPECT_EQ(DecideSlotWait(1.0).action, SlotWaitAction::Done);
    EXPECT_EQ(DecideSlotWait(-50).action, SlotWaitAction::Done);
}

TEST(FrameLimiter, NextSlotSkipsAtMostOneThenRestarts) {
    EXPECT_DOUBLE_EQ(NextFrameSlot(10, 100, 105), 110);  // on time
    EXPECT_DOUBLE_EQ(NextFrameSlot(10, 100, 110), 110);  // exactly at the following slot
    EXPECT_DOUBLE_EQ(NextFrameSlot(10, 100, 115), 120);  // one slot late
    EXPECT_DOUBLE_EQ(NextFrameSlot(10, 100, 121), 131);  // later: from now
    EXPECT_DOUBLE_EQ(NextFrameSlot(0, 100, 500), 100);   // no period: no schedule
    EXPECT_DOUBLE_EQ(NextFrameSlot(-1, 100, 500), 100);
}

std::vector<double> Simulate(double period, double drawMs, int frames, int* sleeps = nullptr) {
    return Simulate(period, std::vector<double>(static_cast<size_t>(frames), drawMs), sleeps);
}

TEST(FrameLimiter, QuickFramesLandOnEverySlot) {
    const double period = 1000.0 / 60.0;
    std::vector<double> shown = Simulate(period, 2, 120);
    for (size_t i = 2; i < shown.size(); ++i) EXPECT_NEAR(shown[i] - shown[i - 1], period, 1.0) << i;
}

TEST(FrameLimiter, TwentyMillisecondFramesLandOnEverySecondSlot) {
    const double period = 1000.0 / 60.0;
    std::vector<double> shown = Simulate(period, 20, 120);
    for (size_t i = 3; i < shown.size(); ++i) EXPECT_NEAR(shown[i] - shown[i - 1], 2 * period, 1.0) << i;
}

TEST(FrameLimiter, HundredMillisecondFramesRestartTheScheduleWithoutCatchingUp) {
    const double period = 1000.0 / 60.0;
    std::vector<double> draws(30, 2.0);
    for (size_t i = 10; i < 15; ++i) draws[i] = 100;
    std::vector<double> shown = Simulate(period, draws);
    // Each slow frame waits a whole period after it was shown; the quick frames after
    // them keep the slot spacing instead of running back to back to make up lost slots.
    for (size_t i = 11; i < 15; ++i) EXPECT_NEAR(shown[i] - shown[i - 1], 100 + period, 1.0) << i;
    for (size_t i = 17; i < shown.size(); ++i) EXPECT_NEAR(shown[i] - shown[i - 1], period, 1.0) << i;
}

TEST(FrameLimiter, WaitingSleepsRatherThanSpinning) {
    int sleeps = 0;
    Simulate(1000.0 / 60.0, 2, 60, &sleeps);
    EXPECT_GE(sleeps, 55);  // nearly every frame has a long sleep before the short naps
}

}  // namespace
