// The normal table must match the published table entry for entry: files written by other tools
// name normals by index, so one wrong entry lights every vertex that uses it wrongly.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

#include "mesh/mesh_normals.h"
#include "support/testdata.h"

namespace {

TEST(MeshNormals, MatchThePublishedTableAndAreUnitVectors) {
    TVK_NEED_REFDATA();
    std::ifstream in(TVK_REFDATA_DIR "/md2_normals.txt");
    ASSERT_TRUE(in) << "cannot open md2_normals.txt";
    int count = 0;
    for (double x, y, z; in >> x >> y >> z; ++count) {
        ASSERT_LT(count, tvk::kMeshNormalCount) << "the shared table has more entries";
        const float* n = tvk::kMeshNormals[count];
        EXPECT_FLOAT_EQ(n[0], float(x)) << "entry " << count;
        EXPECT_FLOAT_EQ(n[1], float(y)) << "entry " << count;
        EXPECT_FLOAT_EQ(n[2], float(z)) << "entry " << count;
    }
    EXPECT_EQ(count, tvk::kMeshNormalCount);
}

TEST(MeshNormals, EveryEntryIsAUnitVectorAndDiffersFromTheOthers) {
    for (int i = 0; i < tvk::kMeshNormalCount; ++i) {
        const float* a = tvk::kMeshNormals[i];
        EXPECT_NEAR(std::sqrt(a[0] * a[0] + a[1] * a[1] + a[2] * a[2]), 1.0, 2e-6) << "entry " << i;
        for (int j = 0; j < i; ++j) {
            const float* b = tvk::kMeshNormals[j];
            EXPECT_FALSE(a[0] == b[0] && a[1] == b[1] && a[2] == b[2]) << i << " repeats " << j;
        }
    }
    EXPECT_FLOAT_EQ(tvk::kMeshNormals[161][2], -0.425325f);
}

}  // namespace
