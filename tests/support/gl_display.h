// A real window with its GL context inside the test process (headless under the offscreen
// video driver), for tests that draw and read pixels back.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace tvk::test {

class GlDisplayTest : public ::testing::Test {
protected:
    static constexpr int kWidth = 320;
    static constexpr int kHeight = 240;
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;  // whole-window viewport, default state, cleared to black

    // The RGBA bytes at (x, y), y counted from the top.
    static uint32_t ReadRgba(int x, int y);
    static std::string tempDir_;
};

}  // namespace tvk::test
