#include <gtest/gtest.h>

#include "path/node_hash_table.h"

namespace tvk {
namespace {

Node MakeNode(int32_t x, int32_t y) {
    Node node{};
    node.x = x;
    node.y = y;
    return node;
}

TEST(NodeHashTable, BucketsTakeLowBitsOfXAndY) {
    NodeHashTable table;
    ASSERT_TRUE(table.Resize(8));
    EXPECT_EQ(table.BucketCount(), 256);
    EXPECT_EQ(table.BucketOf(3, 5), 3 | (5 << 4));
    EXPECT_EQ(table.BucketOf(19, 37), 3 | (5 << 4));
    EXPECT_EQ(table.BucketOf(15, 15), 255);

    ASSERT_TRUE(table.Resize(9));  // odd sizes round down
    EXPECT_EQ(table.BucketCount(), 256);
    ASSERT_TRUE(table.Resize(-4));
    EXPECT_EQ(table.BucketCount(), 1);
    EXPECT_EQ(table.BucketOf(1234, -7), 0);
}

TEST(NodeHashTable, CollidingCellsShareAChainAndUnlinkAnywhere) {
    NodeHashTable table;
    ASSERT_TRUE(table.Resize(8));
    Node a = MakeNode(1, 2), b = MakeNode(17, 2), c = MakeNode(1, 18), d = MakeNode(2, 2);
    for (Node* n : {&a, &b, &c, &d}) table.Insert(n);
    table.Insert(&b);  // already present: not linked twice
    EXPECT_EQ(table.Count(), 4);

    EXPECT_EQ(table.Find(17, 2), &b);  // middle of the chain c -> b -> a
    table.RemoveFound();
    EXPECT_EQ(table.Count(), 3);
    EXPECT_EQ(table.Find(17, 2), nullptr);
    EXPECT_EQ(table.Find(1, 2), &a);
    EXPECT_EQ(table.Find(1, 18), &c);
    table.RemoveFound();
    EXPECT_EQ(table.Find(1, 2), &a);
    EXPECT_EQ(table.Find(2, 2), &d);

    table.RemoveFound();
    table.RemoveFound();  // nothing found any more: no effect
    EXPECT_EQ(table.Count(), 1);

    table.Clear();
    EXPECT_EQ(table.Count(), 0);
    EXPECT_EQ(table.Find(1, 2), nullptr);
}

}  // namespace
}  // namespace tvk
