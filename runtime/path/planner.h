// The planner base: set-up of the cost grid and node storage shared by every search kind.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "path/cost_grid.h"
#include "path/fixed_deque.h"
#include "path/grid_path.h"
#include "path/node.h"
#include "path/node_factory.h"
#include "path/node_hash_table.h"
#include "path/search_config.h"

namespace tvk {

// Neighbour offsets in the order they are visited. The order decides between paths of equal
// cost, so it is part of the result.
struct NeighbourStep {
    int8_t dx;
    int8_t dy;
    bool diagonal;
};
inline constexpr NeighbourStep kNeighbourSteps[8] = {
    {-1, -1, true}, {0, -1, false}, {1, -1, true},  {1, 0, false},
    {-1, 0, false}, {-1, 1, true},  {0, 1, false},  {1, 1, true},
};

// The ordering key: weight 0 orders by cost so far, 1 by distance left, 0.5 as classic A*.
inline float SearchKey(float g, int32_t distance, float weight) {
    return g + weight * (static_cast<float>(distance) - g);
}

inline int32_t ManhattanDistance(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    return std::abs(x1 - x0) + std::abs(y1 - y0);
}

class Planner {
public:
    Planner() = default;
    Planner(const Planner&) = delete;
    Planner& operator=(const Planner&) = delete;
    virtual ~Planner();

    // Checks the configuration, builds the normalised cost grid (passable cells in (1, 2],
    // blocked ones kBlockedCost) and sizes the node storage. False leaves nothing usable.
    bool Setup(const SearchConfig& config);
    virtual void BeginSearch();
    // True when the search ran to its end, with or without a path.
    virtual bool Search();
    // Hands every node of the last search back to the pool.
    virtual void ClearSearch();

    // The goal node of the last path found, or null; the path runs back through parents.
    const Node* PathHead() const { return pathHead_; }
    int32_t PathLength() const;
    // The cells from start to goal of the last path found, or nothing.
    void ReadPath(std::vector<PathCell>& path) const;

    const SearchConfig& Config() const { return config_; }
    // Normalised cost of cell (x, y); the caller keeps it on the map.
    float CellCost(int32_t x, int32_t y) const { return grid_[x + int64_t{y} * config_.width]; }
    int32_t SearchCount() const { return searchCount_; }
    bool Initialised() const { return initialised_; }

protected:
    void ResetSearch();

    bool initialised_ = false;
    NodeFactory nodes_;
    SearchConfig config_;
    std::unique_ptr<float[]> grid_;
    int32_t searchCount_ = 0;
    FixedDeque<Node*> open_;
    NodeHashTable closed_;
    Node* pathHead_ = nullptr;
};

}  // namespace tvk
