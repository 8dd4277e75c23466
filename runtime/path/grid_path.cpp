#include "path/grid_path.h"

#include <algorithm>
#include <cmath>

#include "path/astar_planner.h"

namespace tvk {

bool FindGridPath(const CostMap& map, double weight, PathCell start, PathCell goal,
                  std::vector<PathCell>& path) {
    SearchConfig config;
    config.startX = start.x;
    config.startY = start.y;
    config.goalX = goal.x;
    config.goalY = goal.y;
    config.diagonalCostFactor = 1;
    config.diagonalMoves = 0;
    config.hashSize = 8;
    config.weight = std::isnan(weight) ? 0.0f : static_cast<float>(std::clamp(weight, 0.0, 1.0));
    config.width = map.width;
    config.height = map.height;
    config.map = map.cells;

    AStarPlanner planner;
    if (!planner.Setup(config)) return false;
    planner.BeginSearch();
    planner.Search();
    const int32_t length = planner.PathLength();
    path.resize(length);
    int32_t row = length;
    for (const Node* n = planner.PathHead(); n; n = n->parent) path[--row] = {n->x, n->y};
    planner.ClearSearch();
    return true;
}

}  // namespace tvk
