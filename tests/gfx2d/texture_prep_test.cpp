#include "gfx2d/texture_prep.h"

#include <gtest/gtest.h>

#include <vector>

#include "image_test_support.h"

namespace tvk {
namespace {

using test::At;
using test::Set;
using test::Texel;

// Every pixel distinct: red = x, green = y, blue = 200, alpha 255.
RgbaImage Numbered(int width, int height) {
    RgbaImage image;
    EXPECT_TRUE(image.Allocate(width, height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) Set(image, x, y, {uint8_t(x), uint8_t(y), 200, 255});
    }
    return image;
}

TEST(TextureDimension, PowersOfTwoFromSixteen) {
    EXPECT_EQ(TextureDimension(1), 16);
    EXPECT_EQ(TextureDimension(3), 16);
    EXPECT_EQ(TextureDimension(5), 16);
    EXPECT_EQ(TextureDimension(16), 16);
    EXPECT_EQ(TextureDimension(17), 32);
    EXPECT_EQ(TextureDimension(1024), 1024);
    EXPECT_EQ(TextureDimension(1025), 2048);
    EXPECT_EQ(TextureDimension(32767), 32768);
}

TEST(BuildTexture, FlipsIntoTheLowerLeftCornerOfAPowerOfTwoBuffer) {
    const RgbaImage image = Numbered(17, 5);
    RgbaImage texture;
    ASSERT_TRUE(BuildTexture(image, texture));
    ASSERT_EQ(texture.width, 32);
    ASSERT_EQ(texture.height, 16);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 32; ++x) {
            const Texel expected = x < 17 && y < 5 ? Texel{uint8_t(x), uint8_t(4 - y), 200, 255} : Texel{0, 0, 0, 0};
            ASSERT_EQ(At(texture, x, y), expected) << x << "," << y;
        }
    }
    const RgbaImage tiny = Numbered(3, 3);
    ASSERT_TRUE(BuildTexture(tiny, texture));
    EXPECT_EQ(texture.width, 16);
    EXPECT_EQ(texture.height, 16);
}

TEST(BuildTexture, RectanglesReachingPastThePictureStayTransparent) {
    const RgbaImage image = Numbered(3, 3);
    RgbaImage texture;
    ASSERT_TRUE(texture.Allocate(16, 16));
    texture.pixels[100] = 9;  // a reused buffer is cleared
    ASSERT_TRUE(BuildTexture(image, 2, 1, 4, 4, 16, 16, texture));
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            // Rectangle row r lands on texture row 3 − r; only column 0 and rows 0..1 lie in the picture.
            const bool inside = x == 0 && (y == 3 || y == 2);
            const Texel expected = inside ? Texel{2, uint8_t(4 - y), 200, 255} : Texel{0, 0, 0, 0};
            ASSERT_EQ(At(texture, x, y), expected) << x << "," << y;
        }
    }
    // Entirely outside, and partly left of and above the picture.
    ASSERT_TRUE(BuildTexture(image, 5, 5, 4, 4, 16, 16, texture));
    for (size_t i = 0; i < texture.ByteCount(); ++i) ASSERT_EQ(texture.pixels[i], 0);
    ASSERT_TRUE(BuildTexture(image, -1, -1, 2, 2, 16, 16, texture));
    EXPECT_EQ(At(texture, 1, 0), (Texel{0, 0, 200, 255}));
    EXPECT_EQ(At(texture, 0, 0), (Texel{0, 0, 0, 0}));
    EXPECT_EQ(At(texture, 1, 1), (Texel{0, 0, 0, 0}));
}

TEST(BleedTransparentEdges, TransparentNeighboursTakeTheMeanOfVisibleOnes) {
    RgbaImage texture;
    ASSERT_TRUE(texture.Allocate(16, 16));
    Set(texture, 5, 5, {100, 50, 10, 255});
    Set(texture, 6, 5, {201, 151, 31, 128});
    Set(texture, 1, 10, {90, 90, 90, 1});
    BleedTransparentEdges(texture);
    EXPECT_EQ(At(texture, 4, 5), (Texel{100, 50, 10, 0}));
    EXPECT_EQ(At(texture, 5, 6), (Texel{150, 100, 20, 0}));  // integer mean of both
    EXPECT_EQ(At(texture, 7, 4), (Texel{201, 151, 31, 0}));
    EXPECT_EQ(At(texture, 5, 5), (Texel{100, 50, 10, 255}));  // visible texels are kept
    EXPECT_EQ(At(texture, 8, 5), (Texel{0, 0, 0, 0}));        // two away: untouched
    EXPECT_EQ(At(texture, 0, 10), (Texel{90, 90, 90, 0}));    // border texels do take colour...
    EXPECT_EQ(At(texture, 2, 11), (Texel{90, 90, 90, 0}));
}

TEST(BleedTransparentEdges, TexelsOnTheOuterBorderAreNoSource) {
    RgbaImage texture;
    ASSERT_TRUE(texture.Allocate(16, 16));
    Set(texture, 0, 4, {60, 60, 60, 255});    // left column
    Set(texture, 9, 15, {70, 70, 70, 255});   // top row
    Set(texture, 15, 15, {80, 80, 80, 255});  // corner
    BleedTransparentEdges(texture);
    EXPECT_EQ(At(texture, 1, 4), (Texel{0, 0, 0, 0}));
    EXPECT_EQ(At(texture, 9, 14), (Texel{0, 0, 0, 0}));
    EXPECT_EQ(At(texture, 14, 14), (Texel{0, 0, 0, 0}));
}

// A 16 × 16 texture with blue = height(x, y), alpha = x + y, turned into a normal map.
template <class Height>
RgbaImage NormalMapOf(Height height) {
    RgbaImage texture;
    EXPECT_TRUE(texture.Allocate(16, 16));
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) Set(texture, x, y, {1, 2, uint8_t(height(x, y)), uint8_t(x + y)});
    }
    ConvertToNormalMap(texture);
    return texture;
}

TEST(ConvertToNormalMap, BlueSlopesTiltTheNormal) {
    const RgbaImage flat = NormalMapOf([](int, int) { return 128; });
    EXPECT_EQ(At(flat, 7, 7), (Texel{127, 127, 255, 14}));
    EXPECT_EQ(At(flat, 0, 15), (Texel{127, 127, 255, 15}));

    // Height rising to the right by 10/255 per texel: n = (−4·20/255, 0, 1) normalised. At column 0 the
    // left neighbour wraps round to column 15.
    const RgbaImage slope = NormalMapOf([](int x, int) { return 10 * x; });
    EXPECT_EQ(At(slope, 7, 3), (Texel{89, 127, 249, 10}));
    EXPECT_EQ(At(slope, 0, 3), (Texel{243, 127, 180, 3}));

    // Rising along the texture rows tilts green instead.
    const RgbaImage rows = NormalMapOf([](int, int y) { return 10 * y; });
    EXPECT_EQ(At(rows, 4, 6), (Texel{127, 165, 249, 10}));
}

TEST(MipmapChain, WeightsTheTwoByTwoBlock) {
    RgbaImage texture;
    ASSERT_TRUE(texture.Allocate(2, 2));
    Set(texture, 0, 0, {90, 0, 0, 0});
    Set(texture, 1, 0, {0, 90, 0, 0});
    Set(texture, 0, 1, {0, 0, 90, 0});
    Set(texture, 1, 1, {0, 0, 0, 90});
    MipmapChain chain(texture);
    EXPECT_EQ(chain.Level(), 0);
    EXPECT_EQ(At(chain.Image(), 1, 1), (Texel{0, 0, 0, 90}));
    ASSERT_TRUE(chain.Next());
    EXPECT_EQ(chain.Level(), 1);
    ASSERT_EQ(chain.Image().width, 1);
    EXPECT_EQ(At(chain.Image(), 0, 0), (Texel{40, 20, 20, 10}));  // 4:2:2:1 over 9, truncated
    EXPECT_FALSE(chain.Next());
    EXPECT_EQ(chain.Level(), 1);
}

TEST(MipmapChain, WideAndTallTexturesAreFirstMadeSquareByAveragingPairs) {
    RgbaImage wide;
    ASSERT_TRUE(wide.Allocate(4, 1));
    Set(wide, 0, 0, {10, 0, 255, 1});
    Set(wide, 1, 0, {21, 0, 254, 2});
    Set(wide, 2, 0, {30, 0, 0, 3});
    Set(wide, 3, 0, {30, 0, 0, 3});
    MipmapChain chain(wide);
    ASSERT_EQ(chain.Image().width, 1);
    ASSERT_EQ(chain.Image().height, 1);
    // (10 + 21) >> 1 = 15, then (15 + 30) >> 1 = 22.
    EXPECT_EQ(At(chain.Image(), 0, 0), (Texel{22, 0, 127, 2}));
    EXPECT_FALSE(chain.Next());

    RgbaImage tall;
    ASSERT_TRUE(tall.Allocate(1, 2));
    Set(tall, 0, 0, {100, 3, 0, 0});
    Set(tall, 0, 1, {51, 4, 0, 0});
    EXPECT_EQ(At(MipmapChain(tall).Image(), 0, 0), (Texel{75, 3, 0, 0}));
}

TEST(MipmapChain, RunsDownToOneTexel) {
    RgbaImage texture;
    ASSERT_TRUE(texture.Allocate(32, 16));
    std::vector<int> sizes;
    MipmapChain chain(texture);
    do {
        ASSERT_EQ(chain.Image().width, chain.Image().height);
        sizes.push_back(chain.Image().width);
    } while (chain.Next());
    EXPECT_EQ(sizes, (std::vector<int>{16, 8, 4, 2, 1}));
    EXPECT_EQ(chain.Level(), 4);

    RgbaImage empty;
    MipmapChain none(empty);
    EXPECT_TRUE(none.Image().Empty());
    EXPECT_FALSE(none.Next());
}

}  // namespace
}  // namespace tvk
