// Masks, the frame rule and the overlap scan, all without GL.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "collision/alpha_mask.h"
#include "collision/frame_cell.h"
#include "collision/mask_overlap.h"

namespace {

using tvk::AlphaMask;
using tvk::PlacedMask;

// w × h RGBA pixels whose alpha is alphaAt(x, y).
template <typename F>
std::vector<uint8_t> Pixels(int w, int h, F alphaAt) {
    std::vector<uint8_t> p(size_t(w) * h * 4, 200);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) p[(size_t(y) * w + x) * 4 + 3] = alphaAt(x, y);
    return p;
}

template <typename F>
std::unique_ptr<AlphaMask> Mask(int w, int h, F alphaAt) {
    std::vector<uint8_t> p = Pixels(w, h, alphaAt);
    return AlphaMask::FromRgba(p.data(), w, h);
}

PlacedMask At(const AlphaMask* m, int64_t x, int64_t y) { return {m, x, y, m->Width(), m->Height(), 0, 0}; }

TEST(AlphaMask, KeepsEveryNonZeroAlphaAsOneBitAndNothingOutside) {
    // 11 wide: rows do not fill whole bytes, so a row's spare bits must not leak into the next.
    auto m = Mask(11, 3, [](int x, int y) { return (x + y) % 3 == 0 ? (x == 0 ? 1 : 255) : 0; });
    ASSERT_TRUE(m);
    EXPECT_EQ(m->Bytes(), 2u * 3u);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 11; ++x) EXPECT_EQ(m->Opaque(x, y), (x + y) % 3 == 0) << x << "," << y;
    EXPECT_FALSE(m->Opaque(-1, 0));
    EXPECT_FALSE(m->Opaque(11, 0));  // would be a spare bit of row 0
    EXPECT_FALSE(m->Opaque(0, 3));
    EXPECT_FALSE(m->Opaque(INT64_MIN, INT64_MAX));
}

TEST(AlphaMask, RefusesSizesThatAreNotPictures) {
    std::vector<uint8_t> p(64, 255);
    EXPECT_FALSE(AlphaMask::FromRgba(nullptr, 4, 4));
    EXPECT_FALSE(AlphaMask::FromRgba(p.data(), 0, 4));
    EXPECT_FALSE(AlphaMask::FromRgba(p.data(), 4, -1));
    EXPECT_FALSE(AlphaMask::FromRgba(p.data(), 32768, 1));
}

TEST(FrameCell, AcrossThenDownAndANarrowSheetIsOneRow) {
    auto cell = [](int iw, int fw, int k) {
        tvk::FrameCell c = tvk::FrameCellAt(iw, fw, k);
        return std::pair(c.column, c.row);
    };
    EXPECT_EQ(cell(96, 32, 2), std::pair(2, 0));
    EXPECT_EQ(cell(96, 32, 4), std::pair(1, 1));
    EXPECT_EQ(cell(32, 32, 3), std::pair(0, 3));   // one frame per row: down the column
    EXPECT_EQ(cell(16, 32, 3), std::pair(3, 0));   // narrower than a frame: the number is the column
    EXPECT_EQ(cell(16, 0, 5), std::pair(5, 0));
    EXPECT_EQ(cell(16, -1, 5), std::pair(5, 0));
    EXPECT_EQ(cell(16, 4, INT32_MIN), std::pair(0, INT32_MIN / 4));
}

TEST(MaskOverlap, NeedsOnePixelOpaqueInBothInsideBothRectangles) {
    auto full = Mask(16, 16, [](int, int) { return 255; });
    auto corner = Mask(16, 16, [](int x, int y) { return x == 0 && y == 0 ? 255 : 0; });
    EXPECT_FALSE(tvk::MasksOverlap(At(full.get(), 0, 0), At(full.get(), 16, 0)));  // edge to edge
    EXPECT_FALSE(tvk::MasksOverlap(At(full.get(), 0, 0), At(full.get(), 0, 16)));
    EXPECT_TRUE(tvk::MasksOverlap(At(full.get(), 0, 0), At(full.get(), 15, 15)));
    EXPECT_TRUE(tvk::MasksOverlap(At(full.get(), 0, 0), At(corner.get(), 15, 15)));
    EXPECT_FALSE(tvk::MasksOverlap(At(full.get(), 0, 0), At(corner.get(), 10, -5)));
    EXPECT_FALSE(tvk::MasksOverlap(At(full.get(), 0, 0), PlacedMask{}));

    // A frame rectangle shows only its own part of the picture: its right neighbour's opaque
    // column right beside it does not count, even where the rectangles touch.
    auto strip = Mask(8, 4, [](int x, int) { return x >= 4 ? 255 : 0; });
    PlacedMask frame0{strip.get(), 0, 0, 4, 4, 0, 0};
    PlacedMask frame1{strip.get(), 0, 0, 4, 4, 4, 0};
    EXPECT_FALSE(tvk::MasksOverlap(frame0, At(full.get(), 0, 0)));
    EXPECT_TRUE(tvk::MasksOverlap(frame1, At(full.get(), 0, 0)));
    EXPECT_FALSE(tvk::MasksOverlap(frame0, At(full.get(), 4, 0)));
    // Past the picture's edge there is nothing, wherever the offset points.
    PlacedMask beyond{strip.get(), 0, 0, 4, 4, INT64_C(4) * INT32_MAX, 0};
    EXPECT_FALSE(tvk::MasksOverlap(beyond, At(full.get(), 0, 0)));
}

TEST(MaskOverlap, PositionsAtTheIntegerLimitsDoNotWrap) {
    auto full = Mask(16, 16, [](int, int) { return 255; });
    EXPECT_TRUE(tvk::MasksOverlap(At(full.get(), INT32_MAX - 1, INT32_MAX - 1), At(full.get(), INT32_MAX, INT32_MAX)));
    EXPECT_FALSE(tvk::MasksOverlap(At(full.get(), INT32_MAX, 0), At(full.get(), INT32_MIN, 0)));
    EXPECT_FALSE(tvk::MasksOverlap(At(full.get(), INT32_MIN, INT32_MIN), At(full.get(), INT32_MAX, INT32_MAX)));
}

// The interleaved scan must still visit every pixel: random sparse masks at random offsets
// agree with a plain test of every pixel.
TEST(MaskOverlap, AgreesWithTestingEveryPixel) {
    std::mt19937 random(7);
    for (int round = 0; round < 300; ++round) {
        const int wa = 1 + random() % 13, ha = 1 + random() % 13, wb = 1 + random() % 13, hb = 1 + random() % 13;
        std::vector<uint8_t> pa = Pixels(wa, ha, [&](int, int) { return random() % 17 == 0 ? 255 : 0; });
        std::vector<uint8_t> pb = Pixels(wb, hb, [&](int, int) { return random() % 17 == 0 ? 255 : 0; });
        auto a = AlphaMask::FromRgba(pa.data(), wa, ha), b = AlphaMask::FromRgba(pb.data(), wb, hb);
        const int bx = int(random() % 25) - 12, by = int(random() % 25) - 12;
        bool expected = false;
        for (int y = 0; y < ha; ++y)
            for (int x = 0; x < wa; ++x)
                expected = expected || (pa[(size_t(y) * wa + x) * 4 + 3] && b->Opaque(x - bx, y - by));
        EXPECT_EQ(tvk::MasksOverlap(At(a.get(), 0, 0), At(b.get(), bx, by)), expected) << "round " << round;
    }
}

}  // namespace
