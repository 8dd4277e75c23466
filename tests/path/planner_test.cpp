// The planner classes driven directly, with the settings FindPath never changes.
#include <gtest/gtest.h>

#include <limits>

#include "path/astar_planner.h"
#include "random_maps.h"

namespace tvk {
namespace {

using test::ConfigFor;
using test::TestMap;
using Path = std::vector<PathCell>;

Path SearchOnce(Planner& planner) {
    planner.BeginSearch();
    planner.Search();
    Path path;
    planner.ReadPath(path);
    return path;
}

TEST(Planner, SetupNormalisesCostsAgainstTheLargest) {
    TestMap map = test::UniformMap(4, 1);
    map.cells = {2.0, 0.0, 4.0, -1.0};
    Planner planner;
    ASSERT_TRUE(planner.Setup(ConfigFor(map, {0, 0}, {2, 0})));
    EXPECT_FLOAT_EQ(planner.CellCost(0, 0), 1.5f);
    EXPECT_EQ(planner.CellCost(1, 0), kBlockedCost);
    EXPECT_FLOAT_EQ(planner.CellCost(2, 0), 2.0f);
    EXPECT_EQ(planner.CellCost(3, 0), kBlockedCost);
    EXPECT_TRUE(planner.Initialised());
}

TEST(Planner, SetupClampsTheWeight) {
    const TestMap map = test::UniformMap(2, 1);
    Planner planner;
    const float weights[][2] = {{5.0f, 1.0f}, {-2.0f, 0.0f}, {0.25f, 0.25f},
                                {std::numeric_limits<float>::quiet_NaN(), 0.0f}};
    for (const auto& [given, used] : weights) {
        ASSERT_TRUE(planner.Setup(ConfigFor(map, {0, 0}, {1, 0}, given)));
        EXPECT_EQ(planner.Config().weight, used);
    }
}

TEST(AStarPlanner, SearchWithoutSetupFindsNothing) {
    AStarPlanner planner;
    planner.BeginSearch();
    EXPECT_FALSE(planner.Search());
    EXPECT_EQ(planner.PathHead(), nullptr);
}

TEST(AStarPlanner, GoalNodeCarriesTheSummedCost) {
    const TestMap map = test::UniformMap(5, 1, 3.0);  // every cell costs 2 after normalising
    AStarPlanner planner;
    ASSERT_TRUE(planner.Setup(ConfigFor(map, {4, 0}, {0, 0})));
    EXPECT_EQ(SearchOnce(planner).size(), 5u);
    EXPECT_FLOAT_EQ(planner.PathHead()->g, 8.0f);
    EXPECT_EQ(planner.SearchCount(), 1);
}

TEST(AStarPlanner, DiagonalStepsWhenEnabled) {
    const TestMap map = test::UniformMap(3, 3);
    SearchConfig config = ConfigFor(map, {0, 0}, {2, 2});
    config.diagonalMoves = 1;
    AStarPlanner planner;
    ASSERT_TRUE(planner.Setup(config));
    EXPECT_EQ(SearchOnce(planner), (Path{{0, 0}, {1, 1}, {2, 2}}));
    EXPECT_FLOAT_EQ(planner.PathHead()->g, 2 * (2.0f * kDiagonalStepFactor));

    config.diagonalCostFactor = 0;
    ASSERT_TRUE(planner.Setup(config));
    EXPECT_EQ(SearchOnce(planner), (Path{{0, 0}, {1, 1}, {2, 2}}));
    EXPECT_FLOAT_EQ(planner.PathHead()->g, 4.0f);
}

TEST(AStarPlanner, SearchesAgainWithTheSameResult) {
    std::mt19937 rng(7);
    const TestMap map = test::RandomMap(rng, 30, 20, 0.25);
    AStarPlanner planner;
    ASSERT_TRUE(planner.Setup(ConfigFor(map, {0, 0}, {29, 19})));
    const Path first = SearchOnce(planner);
    ASSERT_FALSE(first.empty());
    planner.ClearSearch();
    EXPECT_EQ(SearchOnce(planner), first);
    EXPECT_EQ(SearchOnce(planner), first);  // without clearing in between
}

// A pool or open list too small for the search ends it without a path; one just large
// enough does not.
TEST(AStarPlanner, RunningOutOfRoomEndsTheSearchWithoutAPath) {
    const TestMap map = test::UniformMap(10, 1);
    struct Case {
        PathCell start;
        int32_t SearchConfig::*limit;
        int32_t tooSmall;
        int32_t enough;
        size_t length;
    };
    const Case cases[] = {
        {{0, 0}, &SearchConfig::nodePoolSize, 5, 10, 10},
        {{5, 0}, &SearchConfig::openCapacity, 1, 2, 5},  // two neighbours at the start
    };
    for (const Case& c : cases) {
        SearchConfig config = ConfigFor(map, c.start, {9, 0});
        config.*c.limit = c.tooSmall;
        AStarPlanner planner;
        ASSERT_TRUE(planner.Setup(config));
        planner.BeginSearch();
        EXPECT_FALSE(planner.Search());
        EXPECT_EQ(planner.PathHead(), nullptr);

        config.*c.limit = c.enough;
        ASSERT_TRUE(planner.Setup(config));
        EXPECT_EQ(SearchOnce(planner).size(), c.length);
    }
}

}  // namespace
}  // namespace tvk
