// Frame choice of object animation: the documented cases, clamping, and numbers no program
// should pass but some will.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "gfx3d/frame_blend.h"

namespace {

using tvk::ChooseFrames;
using tvk::FrameBlend;

void ExpectBlend(const FrameBlend& b, int first, int second, float weight) {
    EXPECT_EQ(b.first, first);
    EXPECT_EQ(b.second, second);
    EXPECT_FLOAT_EQ(b.weight, weight);
}

TEST(FrameBlend, AnimationRunsFromTheFirstFrameNumberToTheSecondInEitherDirection) {
    ExpectBlend(ChooseFrames(5, 0, 4, 0.5, true), 2, 2, 0);  // frame 2 exactly
    ExpectBlend(ChooseFrames(5, 0, 4, 0.625, true), 2, 3, 0.5f);
    ExpectBlend(ChooseFrames(5, 4, 0, 0.5, true), 2, 2, 0);
    ExpectBlend(ChooseFrames(5, 4, 0, 1.25, true), 3, 3, 0);  // weight 0.25: 4 - 4 × 0.25
    ExpectBlend(ChooseFrames(5, 4, 0, 0.625, true), 1, 2, 0.5f);
    ExpectBlend(ChooseFrames(5, 3, 3, 0.7, true), 3, 3, 0);
    ExpectBlend(ChooseFrames(5, 0, 4, -0.25, true), 1, 1, 0);  // |fmod(-0.25, 1)|
}

TEST(FrameBlend, WithoutAnimationTheWeightGoesFromOneFrameToTheOther) {
    ExpectBlend(ChooseFrames(5, 1, 3, 0, false), 1, 1, 0);
    ExpectBlend(ChooseFrames(5, 1, 3, 1, false), 3, 3, 0);
    ExpectBlend(ChooseFrames(5, 1, 3, 0.25, false), 1, 3, 0.25f);
}

TEST(FrameBlend, FramesOutsideTheObjectAndHostileNumbersStayInside) {
    ExpectBlend(ChooseFrames(5, 9, 9, 0, false), 4, 4, 0);
    ExpectBlend(ChooseFrames(5, -3, 2, 0, false), 0, 0, 0);
    ExpectBlend(ChooseFrames(5, 3, 4, 0.5, true), 3, 4, 0.5f);
    ExpectBlend(ChooseFrames(5, 3.5, 5, 0.99, true), 4, 4, 0);  // past the last frame: clamped
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    ExpectBlend(ChooseFrames(5, nan, 2, 0.5, true), 0, 0, 0);
    ExpectBlend(ChooseFrames(5, 1, 2, nan, false), 0, 0, 0);
    ExpectBlend(ChooseFrames(5, inf, -inf, 0.5, false), 4, 0, 0.5f);
    ExpectBlend(ChooseFrames(5, 0, 1e300, 0.5, true), 4, 4, 0);
    ExpectBlend(ChooseFrames(5, inf, -inf, 0.5, true), 0, 0, 0);  // the way between them is NaN
    ExpectBlend(ChooseFrames(0, 2, 3, 0.5, true), 0, 0, 0);
}

}  // namespace
