// The map search as the FindPath commands use it: results, refusals and tie order.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

#include "random_maps.h"

namespace tvk {
namespace {

using test::TestMap;
using Path = std::vector<PathCell>;

Path Search(const TestMap& map, double weight, PathCell start, PathCell goal) {
    Path path{{-7, -7}};
    EXPECT_TRUE(FindGridPath(map.View(), weight, start, goal, path));
    return path;
}

// The 5 x 3 map with a costly middle row: going round is cheaper than going through.
TestMap CostlyMiddleRow() {
    TestMap map = test::UniformMap(5, 3);
    for (int32_t x = 1; x <= 3; ++x) map.At(x, 1) = 10;
    return map;
}

TEST(GridPath, StraightCorridor) {
    EXPECT_EQ(Search(test::UniformMap(3, 1), 0.5, {0, 0}, {2, 0}),
              (Path{{0, 0}, {1, 0}, {2, 0}}));
    EXPECT_EQ(Search(test::UniformMap(3, 1), 0.5, {2, 0}, {0, 0}),
              (Path{{2, 0}, {1, 0}, {0, 0}}));
}

TEST(GridPath, EqualKeysLeaveInArrivalOrder) {
    // Right is tried before down, and of the two equal candidates the first one queued
    // is expanded first, so the path runs along the top row.
    EXPECT_EQ(Search(test::UniformMap(3, 3), 0.5, {0, 0}, {2, 2}),
              (Path{{0, 0}, {1, 0}, {2, 0}, {2, 1}, {2, 2}}));
    EXPECT_EQ(Search(test::UniformMap(3, 3), 0.5, {2, 2}, {0, 0}),
              (Path{{2, 2}, {2, 1}, {2, 0}, {1, 0}, {0, 0}}));
}

TEST(GridPath, WallsOfAnyNonPositiveValueBlock) {
    TestMap map = test::UniformMap(3, 3);
    map.At(1, 0) = -5;
    map.At(1, 1) = 0;
    map.At(1, 2) = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(Search(map, 0.5, {0, 1}, {2, 1}).empty());
    map.At(1, 2) = 3;
    EXPECT_EQ(Search(map, 0.5, {0, 1}, {2, 1}),
              (Path{{0, 1}, {0, 2}, {1, 2}, {2, 2}, {2, 1}}));
}

TEST(GridPath, BlockedStartIsLeftButBlockedGoalIsNeverReached) {
    TestMap map = test::UniformMap(3, 1);
    map.At(0, 0) = 0;
    EXPECT_EQ(Search(map, 0.5, {0, 0}, {2, 0}).size(), 3u);
    EXPECT_TRUE(Search(map, 0.5, {2, 0}, {0, 0}).empty());
}

TEST(GridPath, DetoursOnlyWhenCheaper) {
    const Path around{{0, 1}, {0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {4, 1}};
    EXPECT_EQ(Search(CostlyMiddleRow(), 0.5, {0, 1}, {4, 1}), around);

    TestMap shortWall = test::UniformMap(3, 3);
    shortWall.At(1, 1) = 10;  // through: 2.0 + 1.1; round: 4 * 1.1
    EXPECT_EQ(Search(shortWall, 0.5, {0, 1}, {2, 1}), (Path{{0, 1}, {1, 1}, {2, 1}}));
}

TEST(GridPath, WeightIsClampedToZeroToOne) {
    const TestMap map = CostlyMiddleRow();
    const Path byCost = Search(map, 0.0, {0, 1}, {4, 1});
    const Path byDistance = Search(map, 1.0, {0, 1}, {4, 1});
    ASSERT_NE(byCost, byDistance);
    EXPECT_EQ(byDistance, (Path{{0, 1}, {1, 1}, {2, 1}, {3, 1}, {4, 1}}));
    EXPECT_EQ(Search(map, -3.0, {0, 1}, {4, 1}), byCost);
    EXPECT_EQ(Search(map, 7.0, {0, 1}, {4, 1}), byDistance);
    EXPECT_EQ(Search(map, std::numeric_limits<double>::quiet_NaN(), {0, 1}, {4, 1}), byCost);
}

TEST(GridPath, ValuesBeyondFloatRangeActAsTheLargestCost) {
    TestMap huge = CostlyMiddleRow();
    huge.At(2, 1) = 1e300;
    huge.At(3, 1) = std::numeric_limits<double>::infinity();
    TestMap capped = huge;
    capped.At(2, 1) = FLT_MAX;
    capped.At(3, 1) = FLT_MAX;
    const Path path = Search(huge, 0.5, {0, 1}, {4, 1});
    EXPECT_TRUE(test::IsWalkablePath(path, huge, {0, 1}, {4, 1}));
    EXPECT_EQ(path, Search(capped, 0.5, {0, 1}, {4, 1}));
}

TEST(GridPath, ClosedCellsReachedMoreCheaplyAreReopened) {
    // With weight 0.9 the search closes (2,3) by way of (0,3) and (1,3) first; the cheaper
    // way along the bottom row reaches it later and must replace that parent.
    TestMap map = test::UniformMap(4, 6);
    map.cells = {7, 2, 10, 9,  //
                 2, 0, 9,  9,  //
                 0, 0, 0,  1,  //
                 7, 8, 3,  4,  //
                 7, 8, 1,  4,  //
                 7, 6, 6,  3};
    EXPECT_EQ(Search(map, 0.9, {0, 4}, {0, 0}),
              (Path{{0, 4}, {1, 4}, {2, 4}, {2, 3}, {3, 3}, {3, 2}, {3, 1}, {3, 0}, {2, 0}, {1, 0},
                    {0, 0}}));
}

TEST(GridPath, RefusedQueriesLeaveThePathAlone) {
    const TestMap map = test::UniformMap(4, 3);
    const Path before{{5, 5}};
    const PathCell refused[][2] = {
        {{1, 1}, {1, 1}},   // start is the goal
        {{-1, 0}, {2, 2}},  {{0, 0}, {4, 0}}, {{0, 3}, {1, 1}}, {{0, 0}, {0, -1}},
    };
    for (const auto& query : refused) {
        Path path = before;
        EXPECT_FALSE(FindGridPath(map.View(), 0.5, query[0], query[1], path));
        EXPECT_EQ(path, before);
    }

    Path path = before;
    EXPECT_FALSE(FindGridPath(test::UniformMap(4, 3, 0.0).View(), 0.5, {0, 0}, {1, 0}, path));
    EXPECT_FALSE(FindGridPath(test::UniformMap(4, 3, -2.0).View(), 0.5, {0, 0}, {1, 0}, path));
    EXPECT_FALSE(FindGridPath({0, 3, map.cells.data()}, 0.5, {0, 0}, {0, 1}, path));
    EXPECT_FALSE(FindGridPath({4, 3, nullptr}, 0.5, {0, 0}, {1, 0}, path));
    EXPECT_EQ(path, before);
}

TEST(GridPath, OversizedMapsAreRefusedBeforeAnyCellIsRead) {
    // Only one value exists behind these maps; reading a second would be caught.
    const double one = 1.0;
    Path path;
    EXPECT_FALSE(FindGridPath({65536, 65536, &one}, 0.5, {0, 0}, {1, 0}, path));
    EXPECT_FALSE(FindGridPath({46341, 46341, &one}, 0.5, {0, 0}, {1, 0}, path));
    EXPECT_FALSE(FindGridPath({8193, 8193, &one}, 0.5, {0, 0}, {1, 0}, path));
    EXPECT_FALSE(FindGridPath({INT32_MAX, 2, &one}, 0.5, {0, 0}, {1, 0}, path));
    EXPECT_TRUE(path.empty());
}

}  // namespace
}  // namespace tvk
