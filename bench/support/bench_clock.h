// The clocks the benchmarks time with, and the end of a timed frame.
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

}  // namespace tvk::bench
