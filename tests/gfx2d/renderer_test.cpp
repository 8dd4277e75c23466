// Pixels drawn by the renderer's state commands, flat primitives and vertex batches.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "gfx2d/renderer.h"
#include "support/gl_display.h"
#include "tarnvik/gfx2d.h"

namespace {

using tvk::test::GlDisplayTest;
class Renderer : public GlDisplayTest {
protected:
    // Which of the pixels in the box are lit (non-black), as rows of '#' and '.'.
    static std::string Picture(int x0, int y0, int w, int h) {
        std::string out;
        for (int y = y0; y < y0 + h; ++y) {
            for (int x = x0; x < x0 + w; ++x) out += (ReadRgba(x, y) & 0xFFFFFF) ? '#' : '.';
            out += '\n';
        }
        return out;
    }
};

constexpr RtInt kRed = 255;
constexpr RtInt kGrey = 6579300;  // 100, 100, 100

TEST_F(Renderer, PixelReadsBackItsColour) {
    SetPixel(5, 7, 0x123456);
    EXPECT_EQ(GetPixel(5, 7), 0x123456);
    EXPECT_EQ(GetPixel(6, 7), 0);
    EXPECT_EQ(GetPixel(-1, 7), 0);  // outside the target: nothing read
    EXPECT_EQ(GetPixel(5, 100000), 0);
}

TEST_F(Renderer, LineLightsBothEndsAndAPointLineOnePixel) {
    DrawLine(2, 1, 6, 1, kRed);
    EXPECT_EQ(Picture(0, 0, 9, 3), ".........\n..#####..\n.........\n");
    glClear(GL_COLOR_BUFFER_BIT);
    DrawLine(4, 4, 4, 4, kRed);
    EXPECT_EQ(Picture(3, 3, 3, 3), "...\n.#.\n...\n");
}

TEST_F(Renderer, RectanglesWithNegativeSizesExtendBackFromThePoint) {
    DrawRect(10, 10, -5, 3, kRed);  // x 6..10, y 10..12
    EXPECT_EQ(Picture(5, 9, 7, 5), ".......\n.#####.\n.#####.\n.#####.\n.......\n");
    glClear(GL_COLOR_BUFFER_BIT);
    DrawRect(3, 3, 2, -2, kRed);  // x 3..4, y 2..3
    EXPECT_EQ(Picture(2, 1, 4, 4), "....\n.##.\n.##.\n....\n");
}

TEST_F(Renderer, TheTransparentColourDrawsAlphaZero) {
    SetPixel(1, 1, kRed);
    EXPECT_EQ(ReadRgba(1, 1) >> 24, 255u);
    SetTransparentColour(kRed);
    SetPixel(2, 1, kRed);
    EXPECT_EQ(ReadRgba(2, 1), 0x000000FFu);  // red, alpha 0
}

TEST_F(Renderer, AlphaModesBlendBySignAndOpacityByMagnitude) {
    DrawRect(0, 0, 40, 10, kGrey);
    SetAlphaMode(-0.5);  // normal translucency at half strength
    DrawRect(0, 0, 10, 10, 0xFFFFFF);
    SetAlphaMode(0.5);  // additive at half strength
    DrawRect(10, 0, 10, 10, kGrey);
    SetAlphaMode(-3);  // clamped to fully opaque normal blending
    DrawRect(20, 0, 10, 10, kRed);
    SetAlphaMode(0);
    DrawRect(30, 0, 10, 10, kRed);
    EXPECT_NEAR(GetPixel(5, 5) & 255, (100 + 255) / 2, 2);
    EXPECT_NEAR(GetPixel(15, 5) & 255, 150, 2);
    EXPECT_EQ(GetPixel(25, 5), kRed);
    EXPECT_EQ(GetPixel(35, 5), kRed);
}

TEST_F(Renderer, ViewportMovesTheOriginAndZeroRestoresTheWindow) {
    SetViewport(100, 50, 20, 20);
    RtInt x, y, w, h;
    GetViewport(x, y, w, h);
    EXPECT_EQ((std::array<RtInt, 4>{x, y, w, h}), (std::array<RtInt, 4>{100, 50, 20, 20}));
    SetPixel(0, 0, kRed);
    SetViewport(0, 0, 0, 0);
    EXPECT_EQ(GetPixel(100, 50), kRed);
    GetViewport(x, y, w, h);
    EXPECT_EQ((std::array<RtInt, 4>{x, y, w, h}), (std::array<RtInt, 4>{0, 0, kWidth, kHeight}));
    GetScreenSize(w, h);
    EXPECT_EQ(w, kWidth);
    EXPECT_EQ(h, kHeight);
}

TEST_F(Renderer, BatchesDrawFansAndJoinStrips) {
    StartPoly(-1, 0);
    AddPolyVertex(0, 0, 0, 0, kRed);
    AddPolyVertex(10, 0, 0, 0, kRed);
    AddPolyVertex(10, 10, 0, 0, kRed);
    AddPolyVertex(0, 10, 0, 0, kRed);
    EndPoly();
    EXPECT_EQ(GetPixel(5, 5), kRed);

    // Two separate quads in one strip, joined by degenerate triangles: the gap stays empty.
    StartPoly(-1, 2);
    for (float x0 : {20.0f, 40.0f}) {
        AddPolyVertex(x0, 0, 0, 0, kGrey);
        AddPolyVertex(x0, 10, 0, 0, kGrey);
        AddPolyVertex(x0 + 10, 0, 0, 0, kGrey);
        AddPolyVertex(x0 + 10, 10, 0, 0, kGrey);
        NextPolyStrip();
    }
    EndPoly();
    EXPECT_EQ(GetPixel(25, 5), kGrey);
    EXPECT_EQ(GetPixel(35, 5), 0);
    EXPECT_EQ(GetPixel(45, 5), kGrey);

    StartPoly(-1, 7);  // an unknown mode draws nothing
    AddPolyVertex(60, 0, 0, 0, kRed);
    AddPolyVertex(70, 0, 0, 0, kRed);
    AddPolyVertex(70, 10, 0, 0, kRed);
    EndPoly();
    EXPECT_EQ(GetPixel(67, 2), 0);
}

TEST_F(Renderer, ClearColourClearsAndMinusOneStopsClearing) {
    SetClearColour(kGrey);
    EXPECT_EQ(GetPixel(0, 0), kGrey);
    EXPECT_TRUE(tvk::g_renderer->clearEachFrame);
    SetClearColour(-1);
    EXPECT_FALSE(tvk::g_renderer->clearEachFrame);
    SetClearColour(0);
}

}  // namespace
