#include "path/astar_planner.h"

namespace tvk {

AStarPlanner::~AStarPlanner() {
    Planner::ClearSearch();
}

void AStarPlanner::BeginSearch() {
    // Nodes of an earlier search on the same planner go back to the pool first.
    Planner::ClearSearch();
    ResetSearch();
    if (!grid_) return;
    Node* start = nodes_.Take();
    if (!start) return;
    start->parent = nullptr;
    start->x = config_.startX;
    start->y = config_.startY;
    start->g = 0.0f;
    start->f = SearchKey(0.0f, ManhattanDistance(start->x, start->y, config_.goalX, config_.goalY),
                         config_.weight);
    start->bucketNext = nullptr;
    if (!open_.push_back(start)) nodes_.Release(1);
}

int32_t AStarPlanner::FindOpen(int32_t x, int32_t y) const {
    for (int32_t i = open_.size() - 1; i >= 0; --i) {
        if (open_[i]->x == x && open_[i]->y == y) return i;
    }
    return -1;
}

void AStarPlanner::InsertSorted(Node* node) {
    int32_t lo = 0;
    int32_t hi = open_.size();
    while (lo < hi) {
        const int32_t mid = lo + (hi - lo) / 2;
        if (open_[mid]->f > node->f) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    open_.insert(lo, node);
}

// A full pool or open list ends the search; the current node joins the closed set so
// that ClearSearch still accounts for every node taken.
bool AStarPlanner::Abandon(Node* current) {
    closed_.Insert(current);
    pathHead_ = nullptr;
    return false;
}

bool AStarPlanner::Search() {
    ++searchCount_;
    if (!grid_) return false;
    const int32_t width = config_.width;
    const int32_t height = config_.height;
    const int32_t goalX = config_.goalX;
    const int32_t goalY = config_.goalY;
    const float weight = config_.weight;
    const float diagonalFactor = config_.diagonalCostFactor ? kDiagonalStepFactor : 1.0f;

    while (!open_.empty()) {
        Node* current = open_.back();
        open_.pop_back();
        if (current->x == goalX && current->y == goalY) {
            closed_.Insert(current);
            pathHead_ = current;
            initialised_ = true;
            return true;
        }
        for (const NeighbourStep& step : kNeighbourSteps) {
            if (step.diagonal && !config_.diagonalMoves) continue;
            const int32_t x = current->x + step.dx;
            const int32_t y = current->y + step.dy;
            if (x < 0 || x >= width || y < 0 || y >= height) continue;
            const float cost = CellCost(x, y);
            if (cost == kBlockedCost) continue;
            const float g = current->g + (step.diagonal ? cost * diagonalFactor : cost);
            const float f = SearchKey(g, ManhattanDistance(x, y, goalX, goalY), weight);

            if (Node* node = closed_.Find(x, y)) {
                if (node->g > g) {
                    if (open_.full()) return Abandon(current);
                    closed_.RemoveFound();
                    node->parent = current;
                    node->g = g;
                    node->f = f;
                    InsertSorted(node);
                }
                continue;
            }
            const int32_t index = FindOpen(x, y);
            if (index >= 0) {
                Node* node = open_[index];
                if (node->g > g) {
                    open_.erase(index);
                    node->parent = current;
                    node->g = g;
                    node->f = f;
                    InsertSorted(node);
                }
                continue;
            }
            if (open_.full()) return Abandon(current);
            Node* node = nodes_.Take();
            if (!node) return Abandon(current);
            node->parent = current;
            node->x = x;
            node->y = y;
            node->g = g;
            node->f = f;
            node->bucketNext = nullptr;
            InsertSorted(node);
        }
        closed_.Insert(current);
    }
    initialised_ = open_.empty();
    return true;
}

}  // namespace tvk
