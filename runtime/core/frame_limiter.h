// The frame limiter's rules, kept free of clocks so they can be checked on their own.
#pragma once

namespace tvk {

enum class SlotWaitAction { Sleep, Nap, Done };

struct SlotWait {
    SlotWaitAction action;
    double milliseconds;  // how long to sleep or nap
};

// What to do with `remaining` ms left before the next frame slot: sleep while more than
// 7 ms remain (waking 3 ms early), then pump-and-nap until at most 1 ms is left.
SlotWait DecideSlotWait(double remaining);

// The next frame slot after one presented at `now`, given the slot `next` that was
// waited for and the frame period. A late frame skips at most one slot; later than
// that the schedule restarts from now. Frames are never run back to back.
double NextFrameSlot(double period, double next, double now);

}  // namespace tvk
