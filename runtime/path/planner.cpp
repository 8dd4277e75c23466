#include "path/planner.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <new>

namespace tvk {
namespace {

bool ValidCell(int32_t x, int32_t y, const SearchConfig& config) {
    return x >= 0 && x < config.width && y >= 0 && y < config.height;
}

// Zero and negative sizes mean one per cell; more than one per cell is never needed.
int32_t PerCellSize(int32_t configured, int32_t cells) {
    return configured <= 0 ? cells : std::min(configured, cells);
}

// A map value as a grid cost before normalisation: positive, or kBlockedCost. NaN blocks
// too, and values beyond float range saturate instead of becoming infinite.
float RawCost(double value) {
    if (!(value > 0.0)) return kBlockedCost;
    const float cost = static_cast<float>(std::min(value, static_cast<double>(FLT_MAX)));
    return cost > 0.0f ? cost : kBlockedCost;
}

}  // namespace

Planner::~Planner() {
    Planner::ClearSearch();
}

bool Planner::Setup(const SearchConfig& config) {
    if (!ValidCell(config.startX, config.startY, config) ||
        !ValidCell(config.goalX, config.goalY, config)) {
        return false;
    }
    if (config.startX == config.goalX && config.startY == config.goalY) return false;
    const int64_t cells = int64_t{config.width} * config.height;
    if (cells > kMaxPlannerCells || !config.map) return false;

    initialised_ = false;
    pathHead_ = nullptr;
    grid_.reset(new (std::nothrow) float[cells]);
    if (!grid_) return false;
    float largest = 0.0f;
    for (int64_t i = 0; i < cells; ++i) {
        grid_[i] = RawCost(config.map[i]);
        largest = std::max(largest, grid_[i]);
    }
    if (!(largest > 0.0f)) {
        grid_.reset();
        return false;
    }
    for (int64_t i = 0; i < cells; ++i) {
        if (grid_[i] != kBlockedCost) grid_[i] = grid_[i] / largest + 1.0f;
    }

    const auto count = static_cast<int32_t>(cells);
    if (!nodes_.Resize(PerCellSize(config.nodePoolSize, count)) ||
        !open_.Resize(PerCellSize(config.openCapacity, count)) ||
        !closed_.Resize(config.hashSize)) {
        grid_.reset();
        return false;
    }
    config_ = config;
    // NaN would make every key unordered; it counts as 0.
    config_.weight = std::isnan(config.weight) ? 0.0f : std::clamp(config.weight, 0.0f, 1.0f);
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

}  // namespace tvk
