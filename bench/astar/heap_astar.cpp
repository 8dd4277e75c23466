#include "heap_astar.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <queue>
#include <utility>

namespace tvk::bench {

void HeapAStar(const CostMap& map, PathCell start, PathCell goal, std::vector<PathCell>& path) {
    const int32_t w = map.width, h = map.height;
    const size_t cells = static_cast<size_t>(w) * h;
    std::vector<float> cost(cells);
    float largest = 0.0f;
    for (size_t i = 0; i < cells; ++i) {
        cost[i] = map.cells[i] > 0 ? static_cast<float>(map.cells[i]) : -1.0f;
        largest = std::max(largest, cost[i]);
    }
    for (float& c : cost) {
        if (c > 0) c = c / largest + 1.0f;
    }

    std::vector<float> g(cells, -1.0f);
    std::vector<int32_t> parent(cells, -1);
    std::vector<bool> closed(cells, false);
    using Entry = std::pair<float, int32_t>;  // f, cell
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> open;
    const int32_t startIndex = start.x + start.y * w;
    const int32_t goalIndex = goal.x + goal.y * w;
    g[startIndex] = 0.0f;
    open.push({0.0f, startIndex});
    path.clear();
    while (!open.empty()) {
        const int32_t index = open.top().second;
        open.pop();
        if (closed[index]) continue;
        closed[index] = true;
        if (index == goalIndex) {
            for (int32_t i = goalIndex; i >= 0; i = parent[i]) path.push_back({i % w, i / w});
            std::reverse(path.begin(), path.end());
            return;
        }
        const int32_t x = index % w, y = index / w;
        const PathCell next[4] = {{x, y - 1}, {x + 1, y}, {x - 1, y}, {x, y + 1}};
        for (const PathCell n : next) {
            if (n.x < 0 || n.x >= w || n.y < 0 || n.y >= h) continue;
            const int32_t ni = n.x + n.y * w;
            if (cost[ni] < 0 || closed[ni]) continue;
            const float ng = g[index] + cost[ni];
            if (g[ni] >= 0 && g[ni] <= ng) continue;
            g[ni] = ng;
            parent[ni] = index;
            open.push({ng + std::abs(goal.x - n.x) + std::abs(goal.y - n.y), ni});
        }
    }
}

}  // namespace tvk::bench
