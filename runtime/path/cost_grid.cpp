#include "path/cost_grid.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace tvk {
namespace {

bool OnMap(int32_t x, int32_t y, const SearchConfig& config) {
    return x >= 0 && x < config.width && y >= 0 && y < config.height;
}

}  // namespace

bool AcceptableQuery(const SearchConfig& config) {
    if (!OnMap(config.startX, config.startY, config) || !OnMap(config.goalX, config.goalY, config)) {
        return false;
    }
    if (config.startX == config.goalX && config.startY == config.goalY) return false;
    return int64_t{config.width} * config.height <= kMaxPlannerCells && config.map;
}

float ClampedWeight(double weight) {
    return std::isnan(weight) ? 0.0f : static_cast<float>(std::clamp(weight, 0.0, 1.0));
}

float LargestCost(const double* map, int64_t cells) {
    // NaN and non-positive values never compare greater.
    double largest = 0.0;
    for (int64_t i = 0; i < cells; ++i) {
        if (map[i] > largest) largest = map[i];
    }
    return static_cast<float>(std::min(largest, static_cast<double>(FLT_MAX)));
}

}  // namespace tvk
