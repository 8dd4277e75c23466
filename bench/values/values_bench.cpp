// Element access through ArrayElement against a plain vector, and byte-by-byte string growth.
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "tarnvik/arrays.h"
#include "tarnvik/rt_string.h"

namespace {

using Clock = std::chrono::steady_clock;

template <class F>
double BestMs(int runs, F&& work) {
    double best = 1e300;
    for (int r = 0; r < runs; ++r) {
        auto start = Clock::now();
        work();
        double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        if (ms < best) best = ms;
    }
    return best;
}

// Makes a result look used without letting its address escape.
template <class T>
void KeepAlive(const T& value) {
    asm volatile("" : : "g"(&value) : "memory");
}
void Use(double value) { asm volatile("" : : "x"(value)); }

constexpr RtInt kElements = 1 << 20;
constexpr int kPasses = 20;
constexpr int kRuns = 7;

void ElementAccess() {
    RtNumberArray array;
    DimArray(array, kElements);
    std::vector<RtNumber> plain(kElements);

    double arrayRead = BestMs(kRuns, [&] {
        double sum = 0;
        for (int p = 0; p < kPasses; ++p)
            for (RtInt i = 0; i < kElements; ++i) sum += ArrayElement(array, i);
        Use(sum);
    });
    double plainRead = BestMs(kRuns, [&] {
        double sum = 0;
        for (int p = 0; p < kPasses; ++p)
            for (RtInt i = 0; i < kElements; ++i) sum += plain[i];
        Use(sum);
    });
    double arrayWrite = BestMs(kRuns, [&] {
        for (int p = 0; p < kPasses; ++p)
            for (RtInt i = 0; i < kElements; ++i) ArrayElement(array, i) = i * 0.5 + p;
        KeepAlive(array.data);
    });
    double plainWrite = BestMs(kRuns, [&] {
        for (int p = 0; p < kPasses; ++p)
            for (RtInt i = 0; i < kElements; ++i) plain[i] = i * 0.5 + p;
        KeepAlive(plain);
    });

    RtNumberArray grid;
    DimArray(grid, 1024, 1024);
    std::vector<RtNumber> plainGrid(1024 * 1024);
    double arrayGrid = BestMs(kRuns, [&] {
        double sum = 0;
        for (int p = 0; p < kPasses; ++p)
            for (RtInt j = 0; j < 1024; ++j)
                for (RtInt i = 0; i < 1024; ++i) sum += ArrayElement(grid, i, j);
        Use(sum);
    });
    double plainGridMs = BestMs(kRuns, [&] {
        double sum = 0;
        for (int p = 0; p < kPasses; ++p)
            for (RtInt j = 0; j < 1024; ++j)
                for (RtInt i = 0; i < 1024; ++i) sum += plainGrid[i + j * 1024];
        Use(sum);
    });

    double accesses = double(kElements) * kPasses;
    auto line = [&](const char* what, double arrayMs, double plainMs) {
        std::printf("%-26s ArrayElement %7.2f ms (%5.2f ns/access)   vector %7.2f ms (%5.2f ns/access)   ratio %.2f\n",
                    what, arrayMs, arrayMs * 1e6 / accesses, plainMs, plainMs * 1e6 / accesses, arrayMs / plainMs);
    };
    std::printf("element access, %d elements x %d passes, best of %d runs\n", kElements, kPasses, kRuns);
    line("read (sum), 1 index", arrayRead, plainRead);
    line("write, 1 index", arrayWrite, plainWrite);
    line("read (sum), 2 indices", arrayGrid, plainGridMs);
}

void StringAppend() {
    constexpr int kBytes = 1 << 20;
    RtString grown;
    double rtMs = BestMs(kRuns, [&] {
        RtString s;
        for (int i = 0; i < kBytes; ++i) s += "x";
        KeepAlive(s);
        grown = std::move(s);
    });
    double stdMs = BestMs(kRuns, [&] {
        std::string s;
        for (int i = 0; i < kBytes; ++i) s += "x";
        KeepAlive(s);
    });
    std::printf("append one byte at a time to 1 MB: RtString %.2f ms (%.2f ns/byte, capacity %u)   std::string %.2f ms\n",
                rtMs, rtMs * 1e6 / kBytes, grown.capacity, stdMs);
}

}  // namespace

int main() {
    ElementAccess();
    StringAppend();
    return 0;
}
