// Sums of program coordinates stay finite and exact in the range a screen can use.
#include "gfx2d/coordinate_clamp.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

TEST(CoordinateClamp, ExtremeSumsAreHeldFarOffScreen) {
    const int64_t big = INT32_MAX;
    EXPECT_EQ(tvk::ClampedCoordinate(10 + big), 16777216.0f);
    EXPECT_EQ(tvk::ClampedCoordinate(int64_t(INT32_MIN) - big), -16777216.0f);
    EXPECT_EQ(tvk::ClampedCoordinate(799), 799.0f);
    EXPECT_EQ(tvk::ClampedCoordinate(-5), -5.0f);
}

}  // namespace
