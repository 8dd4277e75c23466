// Path search over a plain cost map, the work behind the FindPath commands.
#pragma once

#include <cstdint>
#include <vector>

namespace tvk {

struct PathCell {
    int32_t x;
    int32_t y;
    bool operator==(const PathCell&) const = default;
};

// width * height map values, cell (x, y) at x + y * width; values <= 0 are walls.
struct CostMap {
    int32_t width;
    int32_t height;
    const double* cells;
};

// Searches the four-neighbourhood from start to goal. False when the query is refused
// (a cell off the map, start equal to goal, no positive cell, a map too large), leaving
// `path` untouched; otherwise true with `path` holding the cells from start to goal, or
// nothing when the goal cannot be reached.
bool FindGridPath(const CostMap& map, double weight, PathCell start, PathCell goal,
                  std::vector<PathCell>& path);

}  // namespace tvk
