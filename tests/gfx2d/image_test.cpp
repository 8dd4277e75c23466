#include "gfx2d/image.h"

#include <gtest/gtest.h>

#include <cstring>
#include <utility>

namespace tvk {
namespace {

TEST(RgbaImage, FreshBuffersAreZeroedAndLargeEnoughOnesReused) {
    RgbaImage image;
    ASSERT_TRUE(image.Allocate(3, 2));
    EXPECT_EQ(image.capacity, 24);
    for (size_t i = 0; i < image.ByteCount(); ++i) ASSERT_EQ(image.pixels[i], 0);
    image.pixels[0] = 7;
    const uint8_t* buffer = image.pixels;
    ASSERT_TRUE(image.Allocate(2, 3));  // same byte count
    EXPECT_EQ(image.pixels, buffer);
    ASSERT_TRUE(image.Allocate(1, 1));
    EXPECT_EQ(image.pixels, buffer);
    EXPECT_EQ(image.capacity, 24);
    ASSERT_TRUE(image.Allocate(5, 5));
    EXPECT_EQ(image.capacity, 100);
    for (size_t i = 0; i < image.ByteCount(); ++i) ASSERT_EQ(image.pixels[i], 0);
}

TEST(RgbaImage, ImpossibleSizesLeaveItEmpty) {
    RgbaImage image;
    ASSERT_TRUE(image.Allocate(2, 2));
    EXPECT_FALSE(image.Allocate(0, 5));
    EXPECT_TRUE(image.Empty());
    EXPECT_EQ(image.ByteCount(), 0u);
    EXPECT_FALSE(image.Allocate(-1, 5));
    EXPECT_FALSE(image.Allocate(40000, 40000));  // more bytes than a 32-bit capacity counts
    EXPECT_TRUE(image.Empty());
}

TEST(RgbaImage, MovingHandsOverTheBuffer) {
    RgbaImage a;
    ASSERT_TRUE(a.Allocate(2, 2));
    uint8_t* buffer = a.pixels;
    RgbaImage b(std::move(a));
    EXPECT_EQ(b.pixels, buffer);
    EXPECT_EQ(a.pixels, nullptr);
    EXPECT_TRUE(a.Empty());
    a = std::move(b);
    EXPECT_EQ(a.pixels, buffer);
    EXPECT_EQ(a.width, 2);
    std::swap(a, b);
    EXPECT_EQ(b.pixels, buffer);
}

TEST(ColourKey, ClearsExactMatchesOnly) {
    RgbaImage image;
    ASSERT_TRUE(image.Allocate(3, 1));
    const uint8_t pixels[12] = {255, 0, 128, 255, 255, 0, 129, 255, 0, 0, 0, 255};
    std::memcpy(image.pixels, pixels, sizeof pixels);
    ApplyColourKey(image, 0x8000FF);
    const uint8_t expected[12] = {0, 0, 0, 0, 255, 0, 129, 255, 0, 0, 0, 255};
    EXPECT_EQ(0, std::memcmp(image.pixels, expected, sizeof expected));

    ApplyColourKey(image, kNoColourKey);
    ApplyColourKey(image, 0x1000000);  // wider than 24 bits: matches nothing, not black
    EXPECT_EQ(image.Pixel(2, 0)[3], 255);
    ApplyColourKey(image, 0);
    EXPECT_EQ(image.Pixel(2, 0)[3], 0);
}

}  // namespace
}  // namespace tvk
