// A plain A* with a binary heap, the yardstick for the planner's speed.
#pragma once

#include <cstdint>
#include <vector>

#include "path/grid_path.h"

namespace tvk::bench {

// Same costs as the planner (c / M + 1 per entered cell, values <= 0 are walls) and the
// same four neighbours; fills `path` from start to goal, empty when there is none.
void HeapAStar(const CostMap& map, PathCell start, PathCell goal, std::vector<PathCell>& path);

}  // namespace tvk::bench
