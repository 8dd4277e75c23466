// The fast map search must return exactly the cells AStarPlanner returns, in order.
#include <gtest/gtest.h>

#include "path/astar_planner.h"
#include "path/grid_search.h"
#include "random_maps.h"

namespace tvk {
namespace {

using test::ConfigFor;
using test::TestMap;
using Path = std::vector<PathCell>;

Path ReferencePath(const SearchConfig& config) {
    AStarPlanner planner;
    if (!planner.Setup(config)) return {{-1, -1}};
    planner.BeginSearch();
    planner.Search();
    Path path;
    planner.ReadPath(path);
    return path;
}

Path FastPath(const SearchConfig& config, uint32_t arrivalLimit) {
    GridSearch search(arrivalLimit);
    if (!search.Setup(config)) return {{-1, -1}};
    const bool found = search.Search();
    Path path;
    search.Path(path);
    EXPECT_EQ(found, !path.empty());
    return path;
}

// Few distinct costs give many equal keys, where only the tie order decides the path.
void ExpectSamePaths(int rounds, int maxSide, int maxCost, uint32_t seed,
                     uint32_t arrivalLimit = UINT32_MAX) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int32_t> side(1, maxSide);
    std::uniform_real_distribution<double> walls(0.0, 0.45);
    const float weights[] = {0.0f, 0.25f, 0.5f, 0.6f, 0.75f, 0.9f, 1.0f};
    int found = 0;
    for (int round = 0; round < rounds; ++round) {
        const TestMap map = test::RandomMap(rng, side(rng), side(rng), walls(rng), maxCost);
        const PathCell start = test::RandomCell(rng, map);
        const PathCell goal = test::RandomCell(rng, map);
        for (float weight : weights) {
            const SearchConfig config = ConfigFor(map, start, goal, weight);
            const Path expected = ReferencePath(config);
            ASSERT_EQ(FastPath(config, arrivalLimit), expected)
                << "round " << round << ", weight " << weight << ", " << map.width << "x"
                << map.height;
            found += expected.size() > 1;
        }
    }
    EXPECT_GT(found, rounds);  // most queries must reach their goal
}

TEST(GridSearch, SameCellsAsThePlannerOnRandomMaps) {
    ExpectSamePaths(150, 40, 10, 99);
}

TEST(GridSearch, SameCellsAsThePlannerWhenKeysTie) {
    ExpectSamePaths(150, 40, 2, 5);
    ExpectSamePaths(50, 40, 1, 6);
}

TEST(GridSearch, RenumberingArrivalsKeepsTheOrder) {
    ExpectSamePaths(100, 12, 3, 11, 1);
    ExpectSamePaths(100, 20, 10, 12, 40);
}

TEST(GridSearch, RefusesWhatThePlannerRefuses) {
    const TestMap map = test::UniformMap(3, 2);
    GridSearch search;
    EXPECT_FALSE(search.Setup(ConfigFor(map, {1, 1}, {1, 1}, 0.5f)));
    EXPECT_FALSE(search.Setup(ConfigFor(map, {0, 0}, {3, 0}, 0.5f)));
    EXPECT_FALSE(search.Setup(ConfigFor(test::UniformMap(3, 2, 0.0), {0, 0}, {1, 0}, 0.5f)));
    EXPECT_FALSE(search.Search());
    Path path{{1, 1}};
    search.Path(path);
    EXPECT_TRUE(path.empty());
}

}  // namespace
}  // namespace tvk
