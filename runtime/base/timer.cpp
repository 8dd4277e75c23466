#include "base/timer.h"

#include "platform/system.h"
#include "tarnvik/core.h"

namespace tvk {
namespace {
double g_origin = 0;  // raw time of the first query; 0 = not taken yet
double g_startOffset = 0;
}  // namespace

void InitTimer() {
    // The monotonic clock always exists on this platform; nothing to detect.
}

void SetTimerStartOffset(double milliseconds) { g_startOffset = milliseconds; }
double TimerStartOffset() { return g_startOffset; }

}  // namespace tvk

double ReadTimer() {
    double now = tvk::platform::MonotonicMs();
    if (tvk::g_origin == 0) tvk::g_origin = now;
    return now - tvk::g_origin;
}

RtNumber GetElapsedTime() { return ReadTimer() - tvk::TimerStartOffset(); }
