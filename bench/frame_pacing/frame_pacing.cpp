// A blank 60 fps program for five seconds: how many frames it shows, how evenly, and
// what it costs the processor.
//   SDL_VIDEODRIVER=offscreen TVK_SHOW=0 build/bench/frame_pacing/bench_frame_pacing
#include <sys/resource.h>
#include <tarnvik.h>

#include <algorithm>
#include <cstdio>
#include <vector>

void ApplySettings() {
    RuntimeSettings& s = GetRuntimeSettings();
    s.screenWidth = 320;
    s.screenHeight = 240;
    s.frameRate = 60;
    s.windowTitle = "frame pacing";
}

namespace {
double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}
}  // namespace

int AppMain() {
    const double runMs = 5000;
    ShowScreen();  // settle on the schedule
    std::vector<double> stamps;
    double cpuStart = CpuSeconds();
    double start = ReadTimer();
    while (ReadTimer() - start < runMs) {
        ShowScreen();
        stamps.push_back(ReadTimer());
    }
    double cpu = CpuSeconds() - cpuStart;
    double wall = (stamps.back() - start) / 1000.0;
    double worst = 0, sum = 0;
    for (size_t i = 1; i < stamps.size(); ++i) {
        double gap = stamps[i] - stamps[i - 1];
        worst = std::max(worst, gap);
        sum += gap;
    }
    std::printf("frames shown:   %zu (of %.0f slots)\n", stamps.size(), runMs / (1000.0 / 60.0));
    std::printf("mean interval:  %.3f ms\n", sum / static_cast<double>(stamps.size() - 1));
    std::printf("worst interval: %.3f ms\n", worst);
    std::printf("cpu used:       %.3f s in %.3f s (%.1f %% of one core)\n", cpu, wall, 100.0 * cpu / wall);
    return 0;
}

const NameEntry AppNameTable[] = {{nullptr, nullptr}};

int main(int argc, char** argv) { RunProgram(argc, argv); }
