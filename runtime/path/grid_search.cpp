#include "path/grid_search.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <new>

#include "path/cost_grid.h"
#include "path/planner.h"

namespace tvk {
namespace {

// Keys are never negative, so their bit patterns order as the floats do; the arrival
// number below them breaks ties.
uint64_t HeapKey(float key, uint32_t arrival) {
    const uint32_t bits = key > 0.0f ? std::bit_cast<uint32_t>(key) : 0u;
    return (uint64_t{bits} << 32) | arrival;
}

}  // namespace

bool GridSearch::Setup(const SearchConfig& config) {
    found_ = -1;
    if (!AcceptableQuery(config)) return false;
    const int64_t mapCells = int64_t{config.width} * config.height;
    const float largest = LargestCost(config.map, mapCells);
    if (!(largest > 0.0f)) return false;

    stride_ = config.width + 2;
    const int64_t total = int64_t{stride_} * (config.height + 2);
    cells_.reset(new (std::nothrow) Cell[total]);
    if (!cells_) return false;
    // Walls and the border get g = -infinity: no way in is ever cheaper, which spares the
    // search loop a test for them.
    const Cell border{kBlockedCost, -std::numeric_limits<float>::infinity(), -1, 0};
    const Cell unreached{0.0f, std::numeric_limits<float>::infinity(), -1, 0};
    std::fill_n(cells_.get(), stride_, border);
    for (int32_t y = 0; y < config.height; ++y) {
        Cell* row = &cells_[IndexOf(-1, y)];
        const double* values = config.map + int64_t{y} * config.width;
        row[0] = border;
        for (int32_t x = 0; x < config.width; ++x) {
            const float cost = NormalisedCost(values[x], largest);
            row[x + 1] = cost == kBlockedCost ? border : unreached;
            row[x + 1].cost = cost;
        }
        row[config.width + 1] = border;
    }
    std::fill_n(&cells_[IndexOf(-1, config.height)], stride_, border);

    config_ = config;
    config_.weight = ClampedWeight(config.weight);
    return true;
}

// A four-way heap, popped Floyd's way: the hole sinks to a leaf along the smaller
// children without comparing against the moved entry, which then rises from there. Child
// selection is branch-free, with sentinels past the end standing in for missing children.
inline void GridSearch::SiftUp(int64_t hole, Entry entry) {
    while (hole > 0) {
        const int64_t parent = (hole - 1) / 4;
        if (heap_[parent].key <= entry.key) break;
        heap_[hole] = heap_[parent];
        hole = parent;
    }
    heap_[hole] = entry;
}

inline bool GridSearch::Push(Entry entry) {
    if (heapSize_ + 4 > heapCapacity_ && !GrowHeap()) [[unlikely]] return false;
    SiftUp(heapSize_++, entry);
    return true;
}

inline GridSearch::Entry GridSearch::PopTop() {
    const Entry top = heap_[0];
    const Entry last = heap_[--heapSize_];
    for (int64_t i = heapSize_; i < heapSize_ + 3; ++i) heap_[i].key = UINT64_MAX;
    int64_t hole = 0;
    for (;;) {
        const int64_t first = 4 * hole + 1;
        if (first >= heapSize_) break;
        const int64_t a = first + (heap_[first + 1].key < heap_[first].key);
        const int64_t b = first + 2 + (heap_[first + 3].key < heap_[first + 2].key);
        const int64_t child = heap_[b].key < heap_[a].key ? b : a;
        heap_[hole] = heap_[child];
        hole = child;
    }
    SiftUp(hole, last);
    return top;
}

inline uint32_t GridSearch::NextArrival() {
    if (arrivals_ >= arrivalLimit_) [[unlikely]] Renumber();
    return ++arrivals_;
}

inline bool GridSearch::Enqueue(int32_t index, float g, int32_t parent, int32_t x, int32_t y) {
    Cell& cell = cells_[index];
    cell.g = g;
    cell.parent = parent;
    cell.queued = NextArrival();
    const float key =
        SearchKey(g, ManhattanDistance(x, y, config_.goalX, config_.goalY), config_.weight);
    return Push({HeapKey(key, cell.queued), index});
}

// Ends without a path only when the heap cannot grow.
bool GridSearch::Search() {
    found_ = -1;
    heapSize_ = 0;
    arrivals_ = 0;
    if (!cells_) return false;
    const int32_t goal = IndexOf(config_.goalX, config_.goalY);
    if (!Enqueue(IndexOf(config_.startX, config_.startY), 0.0f, -1, config_.startX,
                 config_.startY)) {
        return false;
    }

    struct Step {
        int32_t offset;
        int32_t dx;
        int32_t dy;
    };
    // The straight neighbours in AStarPlanner's order: up, right, left, down.
    const Step steps[4] = {{-stride_, 0, -1}, {1, 1, 0}, {-1, -1, 0}, {stride_, 0, 1}};
    while (heapSize_ > 0) {
        const Entry top = PopTop();
        Cell& current = cells_[top.cell];
        if (static_cast<uint32_t>(top.key) != current.queued) continue;  // superseded
        current.queued = 0;
        if (top.cell == goal) {
            found_ = goal;
            return true;
        }
        const int32_t x = top.cell % stride_ - 1;
        const int32_t y = top.cell / stride_ - 1;
        for (const Step& step : steps) {
            const int32_t index = top.cell + step.offset;
            const Cell& next = cells_[index];
            const float g = current.g + next.cost;
            // Unreached cells have infinite g; open and closed ones alike are taken again
            // only when this way is cheaper.
            if (next.g > g && !Enqueue(index, g, top.cell, x + step.dx, y + step.dy)) {
                return false;
            }
        }
    }
    return false;
}

void GridSearch::Path(std::vector<PathCell>& path) const {
    path.clear();
    if (found_ < 0) return;
    for (int32_t i = found_; i >= 0; i = cells_[i].parent) {
        path.push_back({i % stride_ - 1, i / stride_ - 1});
    }
    std::reverse(path.begin(), path.end());
}

// The heap holds the open cells, mostly a thin band of the map, so it starts small and
// doubles a few times in a large search. Keeps room for three sentinels past the end.
bool GridSearch::GrowHeap() {
    const int64_t capacity = std::max<int64_t>(64, 2 * heapCapacity_);
    std::unique_ptr<Entry[]> grown(new (std::nothrow) Entry[capacity]);
    if (!grown) return false;
    std::copy_n(heap_.get(), heapSize_, grown.get());
    heap_ = std::move(grown);
    heapCapacity_ = capacity;
    return true;
}

// Arrival numbers run out: drop the entries of cells queued again or closed since, and
// give the rest 1, 2, ... in their current order, which keeps every comparison as it was.
// Sorted, they form a valid heap.
void GridSearch::Renumber() {
    const auto live = [this](const Entry& e) {
        return static_cast<uint32_t>(e.key) == cells_[e.cell].queued;
    };
    Entry* end = std::partition(heap_.get(), heap_.get() + heapSize_, live);
    heapSize_ = end - heap_.get();
    std::sort(heap_.get(), end, [](const Entry& a, const Entry& b) { return a.key < b.key; });
    arrivals_ = 0;
    for (int64_t i = 0; i < heapSize_; ++i) {
        Entry& e = heap_[i];
        cells_[e.cell].queued = ++arrivals_;
        e.key = (e.key & ~uint64_t{0xFFFFFFFF}) | arrivals_;
    }
}

}  // namespace tvk
