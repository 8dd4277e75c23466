// Paths per second of FindPath against a plain binary-heap A*, corner to corner on random
// maps with 30 % walls and costs 1..10, weight 0.5.
//   astar_bench [seconds per figure] [--planner]
// --planner also times AStarPlanner, the sorted-list search the results are defined by
// (minutes on the large map).
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

#include "heap_astar.h"
#include "path/astar_planner.h"
#include "path/grid_path.h"
#include "tarnvik/path.h"

namespace {

using tvk::CostMap;
using tvk::PathCell;
using Clock = std::chrono::steady_clock;

struct BenchMap {
    int32_t size;
    std::vector<double> cells;
    RtNumberArray array;  // the same cells for FindPath
    CostMap View() const { return {size, size, cells.data()}; }
};

// A random map whose corners are open and joined by some path.
BenchMap MakeMap(int32_t size, std::mt19937& rng) {
    std::bernoulli_distribution wall(0.3);
    std::uniform_int_distribution<int> cost(1, 10);
    for (;;) {
        BenchMap map{size, std::vector<double>(static_cast<size_t>(size) * size), {}};
        for (double& c : map.cells) c = wall(rng) ? 0.0 : cost(rng);
        map.cells.front() = map.cells.back() = 1.0;
        std::vector<PathCell> path;
        tvk::bench::HeapAStar(map.View(), {0, 0}, {size - 1, size - 1}, path);
        if (path.empty()) continue;
        DimArray(map.array, size, size);
        std::copy(map.cells.begin(), map.cells.end(), map.array.data);
        return map;
    }
}

double Cost(const BenchMap& map, const std::vector<PathCell>& path) {
    const double largest = *std::max_element(map.cells.begin(), map.cells.end());
    double sum = 0;
    for (size_t i = 1; i < path.size(); ++i) {
        sum += map.cells[path[i].x + static_cast<size_t>(path[i].y) * map.size] / largest + 1;
    }
    return sum;
}

// The sorted-list planner with FindPath's settings.
void PlannerPath(const BenchMap& map, std::vector<PathCell>& path) {
    tvk::SearchConfig config;
    config.goalX = config.goalY = map.size - 1;
    config.width = config.height = map.size;
    config.map = map.cells.data();
    tvk::AStarPlanner planner;
    planner.Setup(config);
    planner.BeginSearch();
    planner.Search();
    planner.ReadPath(path);
}

// Paths per second over about `seconds`, at least one run.
template <typename Search>
double Rate(double seconds, Search search) {
    int runs = 0;
    const Clock::time_point begin = Clock::now();
    double elapsed = 0;
    do {
        search();
        ++runs;
        elapsed = std::chrono::duration<double>(Clock::now() - begin).count();
    } while (elapsed < seconds);
    return runs / elapsed;
}

}  // namespace

int main(int argc, char** argv) {
    double seconds = 2.0;
    bool withPlanner = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--planner") == 0) {
            withPlanner = true;
        } else {
            seconds = std::atof(argv[i]);
        }
    }
    // Other work on the machine only ever slows a run down: the best of several short
    // rounds, taken in turn, is the steadiest figure.
    const int rounds = 5;
    std::mt19937 rng(12345);
    std::printf("%-10s %6s %9s %12s %12s %7s", "map", "cells", "cost", "FindPath/s", "heap A*/s",
                "ratio");
    std::printf(withPlanner ? " %12s %7s\n" : "\n", "planner/s", "ratio");
    for (int32_t size : {256, 1024}) {
        const BenchMap map = MakeMap(size, rng);
        const PathCell start{0, 0}, goal{size - 1, size - 1};
        RtIntArray path;
        FindPath(map.array, path, 0.5, start.x, start.y, goal.x, goal.y);
        std::vector<PathCell> found, reference;
        for (RtInt i = 0; i < ArraySize(path, 0); ++i) {
            found.push_back({ArrayElement(path, i, 0), ArrayElement(path, i, 1)});
        }
        tvk::bench::HeapAStar(map.View(), start, goal, reference);
        if (std::abs(Cost(map, found) - Cost(map, reference)) > 1e-3) {
            std::printf("%dx%d: path costs differ: %.4f against %.4f\n", size, size,
                        Cost(map, found), Cost(map, reference));
            return 1;
        }
        double fast = 0, heap = 0;
        for (int r = 0; r < rounds; ++r) {
            fast = std::max(fast, Rate(seconds / rounds, [&] {
                FindPath(map.array, path, 0.5, start.x, start.y, goal.x, goal.y);
            }));
            heap = std::max(heap, Rate(seconds / rounds, [&] {
                tvk::bench::HeapAStar(map.View(), start, goal, reference);
            }));
        }
        std::printf("%4dx%-5d %6zu %9.1f %12.2f %12.2f %7.3f", size, size, found.size(),
                    Cost(map, found), fast, heap, fast / heap);
        if (withPlanner) {
            std::vector<PathCell> sorted;
            const double planner = Rate(seconds, [&] { PlannerPath(map, sorted); });
            if (sorted != found) {
                std::printf("\nthe planner's path differs\n");
                return 1;
            }
            std::printf(" %12.3f %7.4f", planner, planner / heap);
        }
        std::printf("\n");
        std::fflush(stdout);
    }
    return 0;
}
