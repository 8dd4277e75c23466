// The FindPath commands: RtArray maps and paths around the map search.
#include <memory>
#include <new>
#include <vector>

#include "path/grid_path.h"
#include "path/search_config.h"
#include "tarnvik/path.h"

namespace {

using tvk::CostMap;
using tvk::PathCell;

// The map's first layer: width along the first index, height along the second.
bool MapShape(int32_t size0, int32_t size1, CostMap& map) {
    map.width = size0;
    map.height = size1;
    // Refused maps must not cost a copy either, so the size rule is checked up front too.
    return size0 > 0 && size1 > 0 && int64_t{size0} * size1 <= tvk::kMaxPlannerCells;
}

template <class T>
RtInt SearchInto(const CostMap& map, RtArray<T>& path, RtNumber weight, RtInt startX,
                 RtInt startY, RtInt goalX, RtInt goalY) {
    std::vector<PathCell> cells;
    if (!tvk::FindGridPath(map, weight, {startX, startY}, {goalX, goalY}, cells)) return 0;
    const auto count = static_cast<RtInt>(cells.size());
    if (count == 0) {
        DimArray(path, 0);
        return 0;
    }
    DimArray(path, count, 2);
    if (path.size0 != count) return 0;  // out of memory while the program is ending
    // Element (i, j) lives at i + j * count.
    for (RtInt i = 0; i < count; ++i) {
        path.data[i] = static_cast<T>(cells[i].x);
        path.data[i + count] = static_cast<T>(cells[i].y);
    }
    return count;
}

template <class T>
RtInt FindPathOnNumbers(const RtNumberArray& map, RtArray<T>& path, RtNumber weight,
                        RtInt startX, RtInt startY, RtInt goalX, RtInt goalY) {
    CostMap costs{0, 0, map.data};
    if (!MapShape(map.size0, map.size1, costs)) return 0;
    return SearchInto(costs, path, weight, startX, startY, goalX, goalY);
}

}  // namespace

RtInt FindPath(const RtNumberArray& map, RtIntArray& path, RtNumber weight, RtInt startX,
               RtInt startY, RtInt goalX, RtInt goalY) {
    return FindPathOnNumbers(map, path, weight, startX, startY, goalX, goalY);
}

RtInt FindPath(const RtNumberArray& map, RtNumberArray& path, RtNumber weight, RtInt startX,
               RtInt startY, RtInt goalX, RtInt goalY) {
    return FindPathOnNumbers(map, path, weight, startX, startY, goalX, goalY);
}

RtInt FindPath(const RtIntArray& map, RtIntArray& path, RtNumber weight, RtInt startX,
               RtInt startY, RtInt goalX, RtInt goalY) {
    CostMap costs{0, 0, nullptr};
    if (!MapShape(map.size0, map.size1, costs)) return 0;
    const int64_t cells = int64_t{costs.width} * costs.height;
    std::unique_ptr<double[]> numbers(new (std::nothrow) double[cells]);
    if (!numbers) return 0;
    for (int64_t i = 0; i < cells; ++i) numbers[i] = map.data[i];
    costs.cells = numbers.get();
    return SearchInto(costs, path, weight, startX, startY, goalX, goalY);
}
