#include <gtest/gtest.h>

#include "path/node_factory.h"

namespace tvk {
namespace {

TEST(NodeFactory, HandsOutEachNodeOnceAndTakesThemBackInBulk) {
    NodeFactory factory;
    ASSERT_TRUE(factory.Resize(3));
    Node* a = factory.Take();
    Node* b = factory.Take();
    Node* c = factory.Take();
    ASSERT_TRUE(a && b && c);
    EXPECT_NE(a, b);
    EXPECT_NE(b, c);
    EXPECT_EQ(factory.Take(), nullptr);

    factory.Release(2);
    EXPECT_EQ(factory.Taken(), 1);
    EXPECT_EQ(factory.Take(), b);
    factory.Release(10);  // never below empty
    EXPECT_EQ(factory.Taken(), 0);
    EXPECT_EQ(factory.Take(), a);
}

TEST(NodeFactory, EmptyPool) {
    NodeFactory factory;
    EXPECT_EQ(factory.Take(), nullptr);
    EXPECT_TRUE(factory.Resize(0));
    EXPECT_EQ(factory.Take(), nullptr);
    EXPECT_FALSE(factory.Resize(-1));
}

}  // namespace
}  // namespace tvk
