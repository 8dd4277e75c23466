// Paths on random maps against an exhaustive shortest-path search.
#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <optional>
#include <queue>
#include <utility>

#include "random_maps.h"

namespace tvk {
namespace {

using test::TestMap;

// Cheapest summed entering cost from start to goal over four-neighbour steps, or nothing
// when the goal cannot be reached. The start cell itself may be a wall.
std::optional<double> CheapestCost(const TestMap& map, PathCell start, PathCell goal) {
    const std::vector<double> costs = test::EnteringCosts(map);
    const double unreached = std::numeric_limits<double>::infinity();
    std::vector<double> best(costs.size(), unreached);
    using Entry = std::pair<double, int32_t>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> queue;
    const int32_t w = map.width;
    best[start.x + start.y * w] = 0.0;
    queue.push({0.0, start.x + start.y * w});
    while (!queue.empty()) {
        const auto [cost, index] = queue.top();
        queue.pop();
        if (cost > best[index]) continue;
        const int32_t x = index % w, y = index / w;
        if (x == goal.x && y == goal.y) return cost;
        const PathCell next[4] = {{x, y - 1}, {x + 1, y}, {x - 1, y}, {x, y + 1}};
        for (PathCell n : next) {
            if (!map.Inside(n) || costs[n.x + n.y * w] < 0) continue;
            const double reached = cost + costs[n.x + n.y * w];
            if (reached < best[n.x + n.y * w]) {
                best[n.x + n.y * w] = reached;
                queue.push({reached, n.x + n.y * w});
            }
        }
    }
    return std::nullopt;
}

bool AnyPassableCell(const TestMap& map) {
    for (double v : map.cells) {
        if (v > 0) return true;
    }
    return false;
}

TEST(GridPathRandom, PathsAreOptimalUnderCostWeightsAndConnectedWhenGreedy) {
    std::mt19937 rng(20240611);
    std::uniform_int_distribution<int32_t> side(1, 64);
    std::uniform_real_distribution<double> walls(0.0, 0.4);
    int reachable = 0, unreachable = 0;
    for (int round = 0; round < 200; ++round) {
        const TestMap map = test::RandomMap(rng, side(rng), side(rng), walls(rng));
        const PathCell start = test::RandomCell(rng, map);
        const PathCell goal = test::RandomCell(rng, map);
        SCOPED_TRACE(testing::Message() << "round " << round << ": " << map.width << "x"
                                        << map.height << " from (" << start.x << "," << start.y
                                        << ") to (" << goal.x << "," << goal.y << ")");

        if (start == goal || !AnyPassableCell(map)) {
            std::vector<PathCell> path{{-1, -1}};
            EXPECT_FALSE(FindGridPath(map.View(), 0.5, start, goal, path));
            EXPECT_EQ(path.size(), 1u);
            continue;
        }
        const std::optional<double> cheapest = CheapestCost(map, start, goal);
        cheapest ? ++reachable : ++unreachable;
        const std::vector<double> costs = test::EnteringCosts(map);

        for (double weight : {0.5, 0.0}) {
            std::vector<PathCell> path;
            ASSERT_TRUE(FindGridPath(map.View(), weight, start, goal, path));
            if (!cheapest) {
                EXPECT_TRUE(path.empty()) << "weight " << weight;
                continue;
            }
            ASSERT_TRUE(test::IsWalkablePath(path, map, start, goal)) << "weight " << weight;
            // Path costs are multiples of 1/M apart, far more than float rounding.
            EXPECT_NEAR(test::PathCost(path, costs, map.width), *cheapest, 1e-3)
                << "weight " << weight;
        }

        std::vector<PathCell> greedy;
        ASSERT_TRUE(FindGridPath(map.View(), 1.0, start, goal, greedy));
        if (cheapest) {
            EXPECT_TRUE(test::IsWalkablePath(greedy, map, start, goal)) << "weight 1";
        } else {
            EXPECT_TRUE(greedy.empty()) << "weight 1";
        }
    }
    // The random maps must exercise both outcomes.
    EXPECT_GT(reachable, 100);
    EXPECT_GT(unreachable, 10);
}

}  // namespace
}  // namespace tvk
