// Cost maps for the path tests and checks on the paths found over them.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "path/grid_path.h"
#include "path/search_config.h"

namespace tvk::test {

struct TestMap {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<double> cells;

    double& At(int32_t x, int32_t y) { return cells[x + static_cast<size_t>(y) * width]; }
    double At(int32_t x, int32_t y) const { return cells[x + static_cast<size_t>(y) * width]; }
    bool Inside(PathCell c) const { return c.x >= 0 && c.x < width && c.y >= 0 && c.y < height; }
    CostMap View() const { return {width, height, cells.data()}; }
};

TestMap UniformMap(int32_t width, int32_t height, double value = 1.0);
// Whole-number costs 1..maxCost; each cell a wall (0 or a negative value) with the given
// probability.
TestMap RandomMap(std::mt19937& rng, int32_t width, int32_t height, double wallFraction,
                  int maxCost = 10);
PathCell RandomCell(std::mt19937& rng, const TestMap& map);

// FindPath's settings for a search over `map`.
SearchConfig ConfigFor(const TestMap& map, PathCell start, PathCell goal, float weight = 0.5f);

// What the planner charges for entering each cell, in double precision: c / M + 1 with M
// the largest value on the map, or -1 for a wall.
std::vector<double> EnteringCosts(const TestMap& map);
// Summed entering cost of every cell after the first.
double PathCost(const std::vector<PathCell>& path, const std::vector<double>& costs, int32_t width);

// Runs from start to goal in four-neighbour steps and never enters a wall.
::testing::AssertionResult IsWalkablePath(const std::vector<PathCell>& path, const TestMap& map,
                                          PathCell start, PathCell goal);

}  // namespace tvk::test
