#include "core/frame_limiter.h"

namespace tvk {

namespace {
// A nap between message pumps in the last milliseconds: short enough to keep the
// slot accurate, long enough not to burn a core.
constexpr double kNapMs = 0.2;
}  // namespace

SlotWait DecideSlotWait(double remaining) {
    if (remaining > 7.0) return {SlotWaitAction::Sleep, static_cast<double>(static_cast<long long>(remaining - 3.0))};
    if (remaining > 1.0) return {SlotWaitAction::Nap, kNapMs};
    return {SlotWaitAction::Done, 0.0};
}

double NextFrameSlot(double period, double next, double now) {
    if (period <= 0) return next;
    if (now <= next + period) return next + period;
    if (now <= next + 2 * period) return next + 2 * period;
    return now + period;
}

}  // namespace tvk
