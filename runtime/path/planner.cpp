#include "path/planner.h"

#include <algorithm>
#include <new>

namespace tvk {
namespace {

// Zero and negative sizes mean one per cell; more than one per cell is never needed.
int32_t PerCellSize(int32_t configured, int32_t cells) {
    return configured <= 0 ? cells : std::min(configured, cells);
}

}  // namespace

Planner::~Planner() {
    Planner::ClearSearch();
}

bool Planner::Setup(const SearchConfig& config) {
    if (!AcceptableQuery(config)) return false;
    const int64_t cells = int64_t{config.width} * config.height;
    const float largest = LargestCost(config.map, cells);
    if (!(largest > 0.0f)) return false;

    initialised_ = false;
    pathHead_ = nullptr;
    grid_.reset(new (std::nothrow) float[cells]);
    if (!grid_) return false;
    for (int64_t i = 0; i < cells; ++i) grid_[i] = NormalisedCost(config.map[i], largest);

    const auto count = static_cast<int32_t>(cells);
    if (!nodes_.Resize(PerCellSize(config.nodePoolSize, count)) ||
        !open_.Resize(PerCellSize(config.openCapacity, count)) ||
        !closed_.Resize(config.hashSize)) {
        grid_.reset();
        return false;
    }
    config_ = config;
    config_.weight = ClampedWeight(config.weight);
    searchCount_ = 0;
    initialised_ = true;
    return true;
}

void Planner::ResetSearch() {
    initialised_ = false;
    searchCount_ = 0;
    pathHead_ = nullptr;
}

void Planner::BeginSearch() {
    ResetSearch();
}

bool Planner::Search() {
    return false;
}

void Planner::ClearSearch() {
    nodes_.Release(open_.size());
    open_.clear();
    nodes_.Release(closed_.Count());
    closed_.Clear();
    pathHead_ = nullptr;
    initialised_ = true;
}

int32_t Planner::PathLength() const {
    int32_t length = 0;
    for (const Node* n = pathHead_; n; n = n->parent) ++length;
    return length;
}

void Planner::ReadPath(std::vector<PathCell>& path) const {
    path.resize(PathLength());
    size_t row = path.size();
    for (const Node* n = pathHead_; n; n = n->parent) path[--row] = {n->x, n->y};
}

}  // namespace tvk
