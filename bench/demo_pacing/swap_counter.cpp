// Loaded into a running program with LD_PRELOAD: counts the frames it shows (buffer swaps),
// keeps their intervals and the processor time between the first and the last, and prints
// the figures when the program ends. The program itself is not changed in any way.
#include <SDL2/SDL.h>
#include <dlfcn.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

double NowMs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

struct SwapLog {
    std::vector<double> stamps;
    double cpuAtFirst = 0, cpuAtLast = 0;

    ~SwapLog() {
        if (stamps.size() < 2) {
            std::fprintf(stderr, "swap counter: fewer than two frames shown\n");
            return;
        }
        double worst = 0;
        size_t worstAt = 0, over20 = 0;
        for (size_t i = 1; i < stamps.size(); ++i) {
            double interval = stamps[i] - stamps[i - 1];
            if (interval > 20) ++over20;
            if (interval > worst) worst = interval, worstAt = i;
        }
        double seconds = (stamps.back() - stamps.front()) / 1e3;
        double cpu = cpuAtLast - cpuAtFirst;
        std::fprintf(stderr,
                     "frames shown: %zu in %.3f s (%.2f per second)\n"
                     "interval: mean %.3f ms, worst %.3f ms (frame %zu), %zu over 20 ms\n"
                     "processor: %.3f s (%.1f %% of one core)\n",
                     stamps.size(), seconds, double(stamps.size() - 1) / seconds,
                     (stamps.back() - stamps.front()) / double(stamps.size() - 1), worst, worstAt, over20, cpu,
                     100.0 * cpu / seconds);
    }
};

SwapLog g_log;

}  // namespace

extern "C" void SDL_GL_SwapWindow(SDL_Window* window) {
    using Swap = void (*)(SDL_Window*);
    static Swap real = reinterpret_cast<Swap>(dlsym(RTLD_NEXT, "SDL_GL_SwapWindow"));
    real(window);
    g_log.stamps.push_back(NowMs());
    double cpu = CpuSeconds();
    if (g_log.stamps.size() == 1) g_log.cpuAtFirst = cpu;
    g_log.cpuAtLast = cpu;
}
