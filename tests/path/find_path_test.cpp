// The FindPath commands: array shapes in and out, and what each outcome leaves in the path.
#include <gtest/gtest.h>

#include <vector>

#include "tarnvik/path.h"

namespace {

// A width x height map filled with `fill`, the listed cells set to other values.
struct MapCell {
    RtInt x;
    RtInt y;
    RtNumber value;
};
template <class T = RtNumber>
RtArray<T> Map(RtInt width, RtInt height, std::initializer_list<MapCell> cells = {},
               T fill = 1) {
    RtArray<T> map;
    DimArray(map, width, height);
    for (RtInt y = 0; y < height; ++y) {
        for (RtInt x = 0; x < width; ++x) ArrayElement(map, x, y) = fill;
    }
    for (const MapCell& c : cells) ArrayElement(map, c.x, c.y) = static_cast<T>(c.value);
    return map;
}

template <class T>
std::vector<std::pair<T, T>> Rows(const RtArray<T>& path) {
    std::vector<std::pair<T, T>> rows;
    for (RtInt i = 0; i < ArraySize(path, 0); ++i) {
        rows.push_back({ArrayElement(path, i, 0), ArrayElement(path, i, 1)});
    }
    return rows;
}

// An int path that already holds something, to see whether a call touched it.
RtIntArray Untouched() {
    RtIntArray path;
    const RtInt values[] = {7, 8, 9};
    FillArray(path, 3, values);
    return path;
}

TEST(FindPath, FillsOneRowPerCellFromStartToGoal) {
    RtIntArray path = Untouched();
    EXPECT_EQ(FindPath(Map(3, 1), path, 0.5, 0, 0, 2, 0), 3);
    EXPECT_EQ(path.dimensions, 2);
    EXPECT_EQ(ArraySize(path, 0), 3);
    EXPECT_EQ(ArraySize(path, 1), 2);
    EXPECT_EQ(Rows(path), (std::vector<std::pair<RtInt, RtInt>>{{0, 0}, {1, 0}, {2, 0}}));

    // Around a wall column with one gap at the bottom.
    const RtNumberArray walled = Map(3, 3, {{1, 0, 0}, {1, 1, -5}});
    EXPECT_EQ(FindPath(walled, path, 0.5, 0, 0, 2, 0), 7);
    EXPECT_EQ(Rows(path), (std::vector<std::pair<RtInt, RtInt>>{
                              {0, 0}, {0, 1}, {0, 2}, {1, 2}, {2, 2}, {2, 1}, {2, 0}}));
}

TEST(FindPath, UnreachableGoalEmptiesThePath) {
    RtIntArray path = Untouched();
    const RtNumberArray map = Map(3, 3, {{1, 0, 0}, {1, 1, 0}, {1, 2, 0}});
    EXPECT_EQ(FindPath(map, path, 0.5, 0, 1, 2, 1), 0);
    EXPECT_EQ(ArraySize(path, 0), 0);
    EXPECT_EQ(path.dimensions, 0);
}

TEST(FindPath, RefusedQueriesLeaveThePathAlone) {
    const RtNumberArray map = Map(4, 3);
    RtNumberArray oneDimensional;
    FillArray(oneDimensional, 5, std::vector<RtNumber>(5, 1.0).data());
    const RtNumberArray empty;
    RtIntArray path = Untouched();
    EXPECT_EQ(FindPath(map, path, 0.5, 1, 1, 1, 1), 0);   // start is the goal
    EXPECT_EQ(FindPath(map, path, 0.5, 0, 0, 4, 0), 0);   // goal off the map
    EXPECT_EQ(FindPath(map, path, 0.5, 0, -1, 1, 1), 0); // start off the map
    EXPECT_EQ(FindPath(Map(4, 3, {}, -1.0), path, 0.5, 0, 0, 1, 0), 0);  // no positive cell
    EXPECT_EQ(FindPath(oneDimensional, path, 0.5, 0, 0, 1, 0), 0);
    EXPECT_EQ(FindPath(empty, path, 0.5, 0, 0, 1, 0), 0);
    EXPECT_EQ(path.dimensions, 1);
    EXPECT_EQ(ArraySize(path, 0), 3);
    EXPECT_EQ(ArrayElement(path, 2), 9);
}

TEST(FindPath, OversizedMapsAreRefusedBeforeAnyCopy) {
    // Sizes far beyond the one element behind them: any read or copy would be caught.
    RtInt one = 1;
    RtIntArray huge;
    huge.data = &one;
    huge.size0 = huge.stride1 = 8193;
    huge.size1 = 8193;
    huge.dimensions = 2;
    RtIntArray path = Untouched();
    EXPECT_EQ(FindPath(huge, path, 0.5, 0, 0, 1, 0), 0);
    EXPECT_EQ(ArraySize(path, 0), 3);
    huge.data = nullptr;  // not the array's to free
}

TEST(FindPath, NumberPathsAndIntegerMapsGiveTheSameCells) {
    const RtNumberArray numbers = Map(5, 3, {{1, 1, 10}, {2, 1, 10}, {3, 1, 10}, {2, 2, -1}});
    const RtIntArray integers = Map<RtInt>(5, 3, {{1, 1, 10}, {2, 1, 10}, {3, 1, 10}, {2, 2, -1}});
    RtIntArray fromNumbers, fromIntegers;
    RtNumberArray asNumbers;
    const RtInt count = FindPath(numbers, fromNumbers, 0.5, 0, 1, 4, 1);
    ASSERT_EQ(count, 7);  // round the costly middle row, along the top
    EXPECT_EQ(FindPath(integers, fromIntegers, 0.5, 0, 1, 4, 1), count);
    EXPECT_EQ(FindPath(numbers, asNumbers, 0.5, 0, 1, 4, 1), count);
    EXPECT_EQ(Rows(fromIntegers), Rows(fromNumbers));
    ASSERT_EQ(ArraySize(asNumbers, 0), count);
    ASSERT_EQ(ArraySize(asNumbers, 1), 2);
    for (RtInt i = 0; i < count; ++i) {
        EXPECT_EQ(ArrayElement(asNumbers, i, 0), ArrayElement(fromNumbers, i, 0));
        EXPECT_EQ(ArrayElement(asNumbers, i, 1), ArrayElement(fromNumbers, i, 1));
    }
}

TEST(FindPath, AnIntegerMapMayReceiveItsOwnPath) {
    RtIntArray map = Map<RtInt>(4, 1);
    EXPECT_EQ(FindPath(map, map, 0.5, 3, 0, 0, 0), 4);
    EXPECT_EQ(Rows(map), (std::vector<std::pair<RtInt, RtInt>>{{3, 0}, {2, 0}, {1, 0}, {0, 0}}));
}

TEST(FindPath, DeeperMapsUseTheirFirstLayer) {
    RtNumberArray map;
    DimArray(map, 3, 2, 2);
    for (RtInt y = 0; y < 2; ++y) {
        for (RtInt x = 0; x < 3; ++x) ArrayElement(map, x, y, 0) = 1;
    }
    ArrayElement(map, 1, 0, 0) = 0;  // the second layer stays all walls
    RtIntArray path;
    EXPECT_EQ(FindPath(map, path, 0.5, 0, 0, 2, 0), 5);
}

}  // namespace
