#include <gtest/gtest.h>

#include <vector>

#include "path/fixed_deque.h"

namespace tvk {
namespace {

std::vector<int> Contents(const FixedDeque<int>& deque) {
    std::vector<int> out;
    for (int32_t i = 0; i < deque.size(); ++i) out.push_back(deque[i]);
    return out;
}

TEST(FixedDeque, BothEndsWrapAroundTheRing) {
    FixedDeque<int> deque;
    ASSERT_TRUE(deque.Resize(4));
    EXPECT_TRUE(deque.empty());
    EXPECT_EQ(deque.size(), 0);

    EXPECT_TRUE(deque.push_back(1));
    EXPECT_TRUE(deque.push_back(2));
    EXPECT_TRUE(deque.push_front(0));  // head wraps to the last slot
    EXPECT_TRUE(deque.push_front(-1));
    EXPECT_TRUE(deque.full());
    EXPECT_EQ(deque.size(), 4);
    EXPECT_FALSE(deque.push_back(3));
    EXPECT_FALSE(deque.push_front(3));
    EXPECT_EQ(Contents(deque), (std::vector<int>{-1, 0, 1, 2}));
    EXPECT_EQ(deque.front(), -1);
    EXPECT_EQ(deque.back(), 2);

    deque.pop_back();
    deque.pop_front();
    EXPECT_EQ(Contents(deque), (std::vector<int>{0, 1}));
    EXPECT_TRUE(deque.push_back(7));  // tail wraps past the end
    EXPECT_TRUE(deque.push_back(8));
    EXPECT_EQ(Contents(deque), (std::vector<int>{0, 1, 7, 8}));

    for (int i = 0; i < 4; ++i) deque.pop_front();
    EXPECT_TRUE(deque.empty());
    deque.pop_front();  // popping nothing leaves it empty
    deque.pop_back();
    EXPECT_TRUE(deque.empty());
    EXPECT_EQ(deque.size(), 0);
}

TEST(FixedDeque, InsertAndEraseAtAnIndexKeepOrderAcrossTheWrap) {
    FixedDeque<int> deque;
    ASSERT_TRUE(deque.Resize(5));
    deque.push_back(2);
    deque.push_front(1);  // live elements straddle the end of the ring
    EXPECT_TRUE(deque.insert(0, 0));
    EXPECT_TRUE(deque.insert(3, 4));
    EXPECT_TRUE(deque.insert(3, 3));
    EXPECT_EQ(Contents(deque), (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_TRUE(deque.full());
    EXPECT_FALSE(deque.insert(2, 9));

    EXPECT_TRUE(deque.erase(2));
    EXPECT_TRUE(deque.erase(3));
    EXPECT_EQ(Contents(deque), (std::vector<int>{0, 1, 3}));
    EXPECT_EQ(deque.back(), 3);
    EXPECT_TRUE(deque.push_front(-1));
    EXPECT_TRUE(deque.push_back(5));
    EXPECT_EQ(Contents(deque), (std::vector<int>{-1, 0, 1, 3, 5}));

    for (int i = 0; i < 5; ++i) EXPECT_TRUE(deque.erase(0));
    EXPECT_TRUE(deque.empty());
    EXPECT_TRUE(deque.insert(0, 6));
    EXPECT_EQ(Contents(deque), (std::vector<int>{6}));
}

TEST(FixedDeque, RefusesIndicesOffTheLiveRange) {
    FixedDeque<int> deque;
    ASSERT_TRUE(deque.Resize(3));
    EXPECT_FALSE(deque.insert(1, 1));
    EXPECT_FALSE(deque.insert(-1, 1));
    EXPECT_FALSE(deque.erase(0));
    deque.push_back(1);
    EXPECT_FALSE(deque.erase(1));
    EXPECT_FALSE(deque.erase(-1));
    EXPECT_EQ(Contents(deque), (std::vector<int>{1}));
}

TEST(FixedDeque, ZeroCapacityHoldsNothing) {
    FixedDeque<int> deque;
    EXPECT_TRUE(deque.Resize(0));
    EXPECT_FALSE(deque.push_back(1));
    EXPECT_FALSE(deque.push_front(1));
    EXPECT_FALSE(deque.insert(0, 1));
    EXPECT_TRUE(deque.empty());
    EXPECT_FALSE(deque.Resize(-3));
    EXPECT_EQ(deque.capacity(), 0);
}

}  // namespace
}  // namespace tvk
