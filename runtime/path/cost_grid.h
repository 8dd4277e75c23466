// How map values become grid costs: walls, and passable cells scaled into (1, 2].
#pragma once

#include <algorithm>
#include <cfloat>
#include <cstdint>

#include "path/search_config.h"

namespace tvk {

// Cost of a cell that cannot be entered.
inline constexpr float kBlockedCost = -1.0f;

// Start and goal distinct and on the map, a map present and not too large to plan over.
bool AcceptableQuery(const SearchConfig& config);

// The heuristic weight limited to 0..1; NaN, which would leave every key unordered, is 0.
float ClampedWeight(double weight);

// A map value as a cost before scaling: positive, or kBlockedCost. NaN blocks too, and
// values beyond float range saturate instead of becoming infinite.
inline float RawCost(double value) {
    if (!(value > 0.0)) return kBlockedCost;
    const float cost = static_cast<float>(std::min(value, static_cast<double>(FLT_MAX)));
    return cost > 0.0f ? cost : kBlockedCost;
}

// The largest passable value on the map, or 0 when there is none.
float LargestCost(const double* map, int64_t cells);

// The cost of entering a cell with map value `value`: value / largest + 1, or kBlockedCost.
inline float NormalisedCost(double value, float largest) {
    const float cost = RawCost(value);
    return cost == kBlockedCost ? kBlockedCost : cost / largest + 1.0f;
}

}  // namespace tvk
