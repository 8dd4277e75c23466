// Everything one path search needs to know, copied whole into the planner.
#pragma once

#include <bit>
#include <cstdint>

namespace tvk {

// The cost factor of a diagonal step, a hair above the square root of two.
inline constexpr float kDiagonalStepFactor = std::bit_cast<float>(0x3FB504F4u);

struct SearchConfig {
    int32_t startX = 0;
    int32_t startY = 0;
    int32_t goalX = 0;
    int32_t goalY = 0;
    uint8_t diagonalCostFactor = 1;  // 1: a diagonal step costs kDiagonalStepFactor times more
    uint8_t diagonalMoves = 0;       // 1: the four diagonal neighbours are searched too
    int32_t nodePoolSize = 0;        // 0: one node per map cell
    int32_t openCapacity = 0;        // 0: one entry per map cell
    int32_t hashSize = 8;            // log2 of the closed set's bucket count
    float weight = 0.5f;             // 0: cost so far only, 1: distance to the goal only
    int32_t width = 0;
    int32_t height = 0;
    const double* map = nullptr;     // width * height values, cell (x, y) at x + y * width
};

// The larger maps are refused: the planner keeps several words per cell, and the count
// must stay far from 32-bit overflow.
inline constexpr int64_t kMaxPlannerCells = int64_t{1} << 26;

}  // namespace tvk
