#include <gtest/gtest.h>

#include <array>
#include <set>

#include "tarnvik/arrays.h"

namespace {

template <class T>
std::ptrdiff_t StorageIndex(RtArray<T>& a, T& element) {
    return &element - a.data;
}

TEST(ArrayShape, DimensionsStridesAndLayout) {
    RtNumberArray a;
    EXPECT_EQ(a.dimensions, 0);
    DimArray(a, 3, 2, 0, 0);
    EXPECT_EQ(a.dimensions, 2);
    EXPECT_EQ(a.stride1, 3);
    EXPECT_EQ(a.stride2, 6);
    EXPECT_EQ(a.stride3, 0);
    EXPECT_EQ(StorageIndex(a, ArrayElement(a, 2, 1)), 5);
    DimArray(a, 2, 3, 4, 5);
    EXPECT_EQ(a.dimensions, 4);
    EXPECT_EQ(StorageIndex(a, ArrayElement(a, 1, 2, 3, 4)), 1 + 2 * 2 + 3 * 6 + 4 * 24);
    DimArray(a, 4, 0, 2, 0);
    EXPECT_EQ(a.dimensions, 3);
    EXPECT_EQ(ArraySize(a, 0), 4);
    EXPECT_EQ(ArraySize(a, 2), 2);
    EXPECT_EQ(ArraySize(a, 7), 0);
    EXPECT_EQ(ArraySize(a, -1), 0);
}

TEST(ArrayShape, AZeroFirstSizeKeepsTheOtherDimensions) {
    RtStringArray a;
    DimArray(a, 0, 5);
    EXPECT_EQ(a.dimensions, 2);  // so PushElement treats it as any two-dimensional array
    EXPECT_EQ(ArraySize(a, 0), 0);
    EXPECT_EQ(ArraySize(a, 1), 5);
    EXPECT_EQ(tvk::ArrayElementCount(a), 0);
    DimArray(a, 0, 0, 2, 3);
    EXPECT_EQ(a.dimensions, 4);
    RedimArray(a, 2, 2);  // nothing to keep from an empty array, and nothing read from it
    EXPECT_EQ(a.dimensions, 2);
    EXPECT_EQ(ArrayElement(a, 1, 1), RtString());
}

TEST(ArrayShape, EveryElementOwnsItsPlace) {
    // Gaps and negative inner sizes must not make two indices share storage.
    RtIntArray a;
    for (auto shape : {std::array<RtInt, 4>{2, 0, 3, 0}, {2, 3, 0, 2}, {2, -4, 3, 0}, {3, 2, 2, 2}}) {
        DimArray(a, shape[0], shape[1], shape[2], shape[3]);
        std::set<RtInt*> places;
        auto n = [](RtInt s) { return s > 0 ? s : 1; };
        for (RtInt l = 0; l < n(shape[3]); ++l)
            for (RtInt k = 0; k < n(shape[2]); ++k)
                for (RtInt j = 0; j < n(shape[1]); ++j)
                    for (RtInt i = 0; i < shape[0]; ++i) {
                        RtInt* p = &ArrayElement(a, i, j, k, l);
                        EXPECT_LT(p - a.data, a.capacity);
                        places.insert(p);
                    }
        EXPECT_EQ(places.size(), static_cast<size_t>(shape[0] * n(shape[1]) * n(shape[2]) * n(shape[3])));
    }
}

TEST(ArrayShape, NegativeFirstIndexCountsFromTheEnd) {
    RtIntArray a;
    DimArray(a, 10);
    ArrayElement(a, 9) = 99;
    EXPECT_EQ(ArrayElement(a, -1), 99);
    EXPECT_EQ(&ArrayElement(a, -10), &ArrayElement(a, 0));
    DimArray(a, 4, 3);
    EXPECT_EQ(&ArrayElement(a, -1, 2), &ArrayElement(a, 3, 2));
}

TEST(ArrayCapacity, RoundingPerElementType) {
    RtNumberArray numbers;
    DimArray(numbers, 7);
    EXPECT_EQ(numbers.capacity, 8);
    DimArray(numbers, 0);
    EXPECT_EQ(numbers.capacity, 8);  // number storage even for no elements
    EXPECT_NE(numbers.data, nullptr);
    RtIntArray ints;
    DimArray(ints, 8);
    EXPECT_EQ(ints.capacity, 16);
    RtStringArray strings;
    DimArray(strings, 63);
    EXPECT_EQ(strings.capacity, 64);
    DimArray(strings, 0);
    EXPECT_EQ(strings.capacity, 0);
    EXPECT_EQ(strings.data, nullptr);
    RtByteArray bytes;
    DimArray(bytes, 64);
    EXPECT_EQ(bytes.capacity, 128);
    DimArray(bytes, 10, 10);
    EXPECT_EQ(bytes.capacity, 128);  // reused
}

TEST(ArrayDim, AlwaysClearsAndReusesStorage) {
    RtNumberArray a;
    DimArray(a, 100);
    RtNumber* storage = a.data;
    for (RtInt i = 0; i < 100; ++i) ArrayElement(a, i) = i + 1;
    DimArray(a, 100);
    EXPECT_EQ(a.data, storage);
    EXPECT_EQ(ArrayElement(a, 50), 0.0);
    for (RtInt i = 0; i < 100; ++i) ArrayElement(a, i) = 7;
    DimArray(a, 10);
    DimArray(a, 60);  // regrown within the capacity: nothing left over
    EXPECT_EQ(a.data, storage);
    for (RtInt i = 0; i < 60; ++i) ASSERT_EQ(ArrayElement(a, i), 0.0) << i;
}

TEST(ArrayDim, StringElementsGiveTheirBuffersBack) {
    RtStringArray a;
    DimArray(a, 3);
    ArrayElement(a, 1) = "some text";
    DimArray(a, 3);
    EXPECT_EQ(ArrayElement(a, 1).capacity, 0u);
    EXPECT_EQ(ArrayElement(a, 1).buffer, RtString().buffer);
}

TEST(ArrayRedim, KeepsTheCommonIndices) {
    RtIntArray a;
    DimArray(a, 4, 4);
    for (RtInt j = 0; j < 4; ++j)
        for (RtInt i = 0; i < 4; ++i) ArrayElement(a, i, j) = 10 * i + j + 1;
    RedimArray(a, 2, 6);
    EXPECT_EQ(ArraySize(a, 0), 2);
    EXPECT_EQ(ArraySize(a, 1), 6);
    for (RtInt j = 0; j < 6; ++j)
        for (RtInt i = 0; i < 2; ++i) EXPECT_EQ(ArrayElement(a, i, j), j < 4 ? 10 * i + j + 1 : 0) << i << "," << j;
}

TEST(ArrayRedim, AddingAndDroppingDimensions) {
    RtIntArray a;
    DimArray(a, 3);
    for (RtInt i = 0; i < 3; ++i) ArrayElement(a, i) = i + 1;
    RedimArray(a, 3, 2, 2);
    EXPECT_EQ(a.dimensions, 3);
    EXPECT_EQ(ArrayElement(a, 2, 0, 0), 3);
    EXPECT_EQ(ArrayElement(a, 2, 1, 1), 0);
    ArrayElement(a, 1, 1, 1) = 50;
    RedimArray(a, 5);
    EXPECT_EQ(a.dimensions, 1);
    EXPECT_EQ(ArrayElement(a, 1), 2);
    EXPECT_EQ(ArrayElement(a, 4), 0);
}

TEST(ArrayRedim, OneDimensionalGrowthKeepsStrings) {
    RtStringArray a;
    DimArray(a, 2);
    ArrayElement(a, 0) = "first";
    ArrayElement(a, 1) = "second";
    RedimArray(a, 200);
    EXPECT_STREQ(ArrayElement(a, 0).c_str(), "first");
    EXPECT_STREQ(ArrayElement(a, 1).c_str(), "second");
    EXPECT_STREQ(ArrayElement(a, 199).c_str(), "");
    RedimArray(a, 1);
    RedimArray(a, 2);  // the dropped element does not come back
    EXPECT_STREQ(ArrayElement(a, 1).c_str(), "");
}

TEST(ArrayRedim, ToZeroEmptiesButKeepsStorage) {
    RtNumberArray a;
    DimArray(a, 10, 2);
    ArrayElement(a, 3, 1) = 5;
    RtNumber* storage = a.data;
    RedimArray(a, 0);
    EXPECT_EQ(ArraySize(a, 0), 0);
    EXPECT_EQ(ArraySize(a, 1), 0);
    EXPECT_EQ(a.dimensions, 0);
    EXPECT_EQ(a.data, storage);
    RedimArray(a, 20);
    EXPECT_EQ(ArrayElement(a, 13), 0.0);
}

TEST(ArrayCopyFill, CopiesAreDeep) {
    RtStringArray source;
    DimArray(source, 2, 2);
    ArrayElement(source, 1, 1) = "shared?";
    RtStringArray target;
    CopyArray(target, source);
    EXPECT_EQ(ArraySize(target, 1), 2);
    ArrayElement(target, 1, 1) += " no";
    EXPECT_STREQ(ArrayElement(source, 1, 1).c_str(), "shared?");
    EXPECT_STREQ(ArrayElement(target, 1, 1).c_str(), "shared? no");
    CopyArray(target, target);
    EXPECT_STREQ(ArrayElement(target, 1, 1).c_str(), "shared? no");
    RtStringArray constructed(source);
    EXPECT_STREQ(ArrayElement(constructed, 1, 1).c_str(), "shared?");
    RtStringArray moved(std::move(constructed));
    EXPECT_EQ(constructed.data, nullptr);
    EXPECT_STREQ(ArrayElement(moved, -1, 1).c_str(), "shared?");
}

TEST(ArrayCopyFill, FillFromValues) {
    const RtNumber values[] = {1.5, 2.5, 3.5};
    RtNumberArray a;
    FillArray(a, 3, values);
    EXPECT_EQ(ArraySize(a, 0), 3);
    EXPECT_EQ(ArrayElement(a, 2), 3.5);
    FillArray(a, 0, values);
    EXPECT_EQ(ArraySize(a, 0), 0);
    FillArray(a, -2, values);
    EXPECT_EQ(a.dimensions, 0);
}

TEST(ArrayPush, AppendsToStringArrays) {
    RtStringArray a;
    DimArray(a, 3);
    for (RtInt i = 0; i < 3; ++i) ArrayElement(a, i) = RtString(i);
    PushElement(a, RtString("new"));
    EXPECT_EQ(ArraySize(a, 0), 4);
    for (RtInt i = 0; i < 3; ++i) EXPECT_STREQ(ArrayElement(a, i).c_str(), RtString(i).c_str());
    EXPECT_STREQ(ArrayElement(a, 3).c_str(), "new");
}

TEST(ArrayPush, PushingItsOwnElementAcrossAGrowth) {
    RtStringArray a;
    PushElement(a, RtString("zero"));
    for (int i = 1; i < 200; ++i) PushElement(a, ArrayElement(a, 0));
    EXPECT_EQ(ArraySize(a, 0), 200);
    EXPECT_EQ(a.capacity, 256);
    EXPECT_STREQ(ArrayElement(a, 199).c_str(), "zero");
    EXPECT_STREQ(ArrayElement(a, 64).c_str(), "zero");
}

TEST(ArrayBytes, ByteArraysHoldBytes) {
    RtByteArray a;
    DimArray(a, 5);
    ArrayElement(a, 4) = 255;
    RedimArray(a, 70);
    EXPECT_EQ(ArrayElement(a, 4), 255);
    EXPECT_EQ(ArrayElement(a, 69), 0);
}

}  // namespace
