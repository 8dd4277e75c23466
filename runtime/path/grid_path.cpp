#include "path/grid_path.h"

#include "path/cost_grid.h"
#include "path/grid_search.h"

namespace tvk {

bool FindGridPath(const CostMap& map, double weight, PathCell start, PathCell goal,
                  std::vector<PathCell>& path) {
    SearchConfig config;
    config.startX = start.x;
    config.startY = start.y;
    config.goalX = goal.x;
    config.goalY = goal.y;
    config.weight = ClampedWeight(weight);
    config.width = map.width;
    config.height = map.height;
    config.map = map.cells;

    GridSearch search;
    if (!search.Setup(config)) return false;
    search.Search();
    search.Path(path);
    return true;
}

}  // namespace tvk
