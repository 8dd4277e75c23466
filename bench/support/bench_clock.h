// The clocks the benchmarks time with, the end of a timed frame, and the timed run of frames.
#pragma once

#include <GL/gl.h>
#include <sys/resource.h>

#include <chrono>

#include "tarnvik/core.h"

namespace tvk::bench {

// CPU time of the whole process: the rasteriser runs on its own threads.
inline double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

inline double WallSeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Ends a frame the way a program does, then waits until the frame is really drawn: the hidden
// offscreen window's swap does not wait for the rasteriser, a shown window's would.
inline void PresentAndFinish() {
    ShowScreen();
    glFinish();
}

struct Timing {
    double wall = 0, cpu = 0;
};

// Runs `warmUp` untimed frames of `frame(f)`, which settle the driver, then times `frames` more.
// `frame` draws a whole frame and ends it.
template <class Frame>
Timing TimeFrames(int frames, int warmUp, Frame frame) {
    for (int f = 0; f < warmUp; ++f) frame(f);
    Timing t;
    const double wall0 = WallSeconds(), cpu0 = CpuSeconds();
    for (int f = 0; f < frames; ++f) frame(f);
    t.wall = WallSeconds() - wall0;
    t.cpu = CpuSeconds() - cpu0;
    return t;
}

}  // namespace tvk::bench
