// The four-neighbour search behind FindPath. It visits cells in exactly the order
// AStarPlanner does and so returns the same path, but finds a cell's state by index and
// keeps the open cells in a heap: ordering by (key, arrival number) gives the sorted
// list's order, equal keys first in, first out.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "path/grid_path.h"
#include "path/search_config.h"

namespace tvk {

class GridSearch {
public:
    // Arrival numbers restart from 1 once they reach `arrivalLimit`. Only tests lower it;
    // below the number of open cells it renumbers at every arrival, slowly but correctly.
    explicit GridSearch(uint32_t arrivalLimit = UINT32_MAX) : arrivalLimit_(arrivalLimit) {}
    GridSearch(const GridSearch&) = delete;
    GridSearch& operator=(const GridSearch&) = delete;

    // Takes start, goal, weight and map from the configuration; refuses what
    // Planner::Setup refuses.
    bool Setup(const SearchConfig& config);
    // True when the goal was reached.
    bool Search();
    // The cells from start to goal of the last search, or nothing.
    void Path(std::vector<PathCell>& path) const;

private:
    struct Cell {
        float cost;      // entering cost, or kBlockedCost (also on the border ring)
        float g;         // best cost so far; infinite until reached, -infinite on walls
        int32_t parent;  // index of the cell reached from, -1 for the start
        uint32_t queued; // arrival number of the live heap entry; 0 when not open
    };
    struct Entry {
        uint64_t key;    // key bits above the arrival number
        int32_t cell;
    };

    int32_t IndexOf(int32_t x, int32_t y) const { return (x + 1) + (y + 1) * stride_; }
    bool Enqueue(int32_t index, float g, int32_t parent, int32_t x, int32_t y);
    uint32_t NextArrival();
    void SiftUp(int64_t hole, Entry entry);
    bool Push(Entry entry);
    Entry PopTop();
    bool GrowHeap();
    void Renumber();

    SearchConfig config_;
    int32_t stride_ = 0;  // map width plus the border on both sides
    // The map with a ring of blocked cells around it, so neighbours need no bounds test.
    std::unique_ptr<Cell[]> cells_;
    std::unique_ptr<Entry[]> heap_;  // a four-way heap in [0, heapSize_)
    int64_t heapSize_ = 0;
    int64_t heapCapacity_ = 0;
    uint32_t arrivals_ = 0;
    uint32_t arrivalLimit_;
    int32_t found_ = -1;  // the goal's index after a successful search
};

}  // namespace tvk
