#include "random_maps.h"

#include <algorithm>
#include <cstdlib>

namespace tvk::test {

TestMap UniformMap(int32_t width, int32_t height, double value) {
    return {width, height, std::vector<double>(static_cast<size_t>(width) * height, value)};
}

TestMap RandomMap(std::mt19937& rng, int32_t width, int32_t height, double wallFraction,
                  int maxCost) {
    TestMap map = UniformMap(width, height);
    std::bernoulli_distribution wall(wallFraction);
    std::uniform_int_distribution<int> cost(1, maxCost);
    std::uniform_int_distribution<int> wallValue(-5, 0);
    for (double& cell : map.cells) cell = wall(rng) ? wallValue(rng) : cost(rng);
    return map;
}

PathCell RandomCell(std::mt19937& rng, const TestMap& map) {
    std::uniform_int_distribution<int32_t> x(0, map.width - 1);
    std::uniform_int_distribution<int32_t> y(0, map.height - 1);
    const int32_t cx = x(rng);
    return {cx, y(rng)};
}

SearchConfig ConfigFor(const TestMap& map, PathCell start, PathCell goal, float weight) {
    SearchConfig config;
    config.startX = start.x;
    config.startY = start.y;
    config.goalX = goal.x;
    config.goalY = goal.y;
    config.weight = weight;
    config.width = map.width;
    config.height = map.height;
    config.map = map.cells.data();
    return config;
}

std::vector<double> EnteringCosts(const TestMap& map) {
    const double largest = *std::max_element(map.cells.begin(), map.cells.end());
    std::vector<double> costs(map.cells.size(), -1.0);
    for (size_t i = 0; i < costs.size(); ++i) {
        if (map.cells[i] > 0) costs[i] = map.cells[i] / largest + 1.0;
    }
    return costs;
}

double PathCost(const std::vector<PathCell>& path, const std::vector<double>& costs, int32_t width) {
    double sum = 0.0;
    for (size_t i = 1; i < path.size(); ++i) {
        sum += costs[path[i].x + static_cast<size_t>(path[i].y) * width];
    }
    return sum;
}

::testing::AssertionResult IsWalkablePath(const std::vector<PathCell>& path, const TestMap& map,
                                          PathCell start, PathCell goal) {
    if (path.empty()) return ::testing::AssertionFailure() << "empty path";
    if (path.front() != start || path.back() != goal) {
        return ::testing::AssertionFailure() << "path runs from (" << path.front().x << ","
                                             << path.front().y << ") to (" << path.back().x << ","
                                             << path.back().y << ")";
    }
    for (size_t i = 1; i < path.size(); ++i) {
        const PathCell a = path[i - 1], b = path[i];
        if (!map.Inside(b) || std::abs(a.x - b.x) + std::abs(a.y - b.y) != 1) {
            return ::testing::AssertionFailure() << "step " << i << " from (" << a.x << "," << a.y
                                                 << ") to (" << b.x << "," << b.y << ")";
        }
        if (map.At(b.x, b.y) <= 0) {
            return ::testing::AssertionFailure() << "step " << i << " enters the wall at (" << b.x
                                                 << "," << b.y << ")";
        }
    }
    return ::testing::AssertionSuccess();
}

}  // namespace tvk::test
