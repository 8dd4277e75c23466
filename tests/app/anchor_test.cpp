// The demo's label anchors on an 800 × 640 screen, for the nine labels at all four angles.
// Expected values were worked out by hand from the layout tables, with m = 5, a 16 × 24 font
// cell and a three-character text 30 pixels wide.
#include <gtest/gtest.h>

#include "gfx2d/fonts.h"
#include "gfx2d/renderer.h"
#include "zelmor_globals.h"

namespace {

struct Case {
    const char* label;
    double x, y;
};
// The nine labels with m = 5.
const Case kLabels[9] = {{"Up Left", 5, 1},      {"Up Right", -5, 1},     {"North", 0, 5},
                         {"Botton Left", 5, -1}, {"Botton Right", -5, -1}, {"South", 0, -5},
                         {"West", 5, 0},         {"Center", 0, 0},         {"East", -5, 0}};

struct Point {
    double x, y;
};

// [angle 0, 90, 180, 270][label]
const Point kAnchor[4][9] = {
    {{5, 1}, {794, 1}, {400, 5}, {5, 638}, {794, 638}, {400, 634}, {5, 320}, {400, 320}, {794, 320}},
    {{798, 5}, {798, 634}, {794, 320}, {1, 5}, {1, 634}, {5, 320}, {400, 5}, {400, 320}, {400, 634}},
    {{794, 638}, {5, 638}, {400, 634}, {794, 1}, {5, 1}, {400, 5}, {794, 320}, {400, 320}, {5, 320}},
    {{1, 634}, {1, 5}, {5, 320}, {798, 634}, {798, 5}, {794, 320}, {400, 634}, {400, 320}, {400, 5}},
};

const Point kAdjusted[4][9] = {
    {{5, 1}, {761.3333, 1}, {385, 5}, {5, 614}, {764, 614}, {385, 610}, {4.1111, 308}, {385, 308}, {763, 308}},
    {{778, 2.3333}, {778, 601.3333}, {774, 303}, {7, 2.3333}, {7, 600}, {11, 301.8}, {392.8, 3}, {394, 305},
     {392, 600}},
    {{778, 614}, {19, 614}, {408, 610}, {778, 3.6667}, {19, 4}, {408, 7.4}, {778, 309.0909}, {412.8, 310.4},
     {20.4545, 309.0909}},
    {{5.8, 615.3333}, {5.8, 19}, {9.8, 323.2}, {778, 614.8}, {778, 19}, {773.6610, 324}, {390.4, 616.4},
     {392, 328}, {392, 19}},
};

class Anchors : public ::testing::Test {
protected:
    void SetUp() override {
        screen_.width = 800;
        screen_.height = 640;
        tvk::g_renderer = &screen_;
        tvk::Font* font = tvk::FindFont(1);
        for (tvk::Glyph& g : font->glyphs) g.width = 10;
        tvk::SetCurrentFont(1);
        zelmor::r_width = 16;
        zelmor::r_height = 24;
    }
    void TearDown() override { tvk::g_renderer = nullptr; }
    tvk::OpenGLDodurudo screen_;  // a screen size without a window
};

TEST_F(Anchors, ComputeAnchorFollowsTheLayoutTable) {
    for (int a = 0; a < 4; ++a)
        for (int i = 0; i < 9; ++i) {
            zelmor::r_x = zelmor::r_y = -1;
            zelmor::ComputeAnchor(kLabels[i].x, kLabels[i].y, 90 * a);
            EXPECT_NEAR(zelmor::r_x, kAnchor[a][i].x, 1e-3) << kLabels[i].label << " at " << 90 * a;
            EXPECT_NEAR(zelmor::r_y, kAnchor[a][i].y, 1e-3) << kLabels[i].label << " at " << 90 * a;
        }
}

TEST_F(Anchors, AdjustTextAnchorShiftsByFontAndTextMetrics) {
    for (int a = 0; a < 4; ++a)
        for (int i = 0; i < 9; ++i) {
            zelmor::an = 90 * a;  // the lower rows of the table read the program's angle
            zelmor::AdjustTextAnchor(kLabels[i].x, kLabels[i].y, 90 * a, "abc");
            EXPECT_NEAR(zelmor::r_x, kAdjusted[a][i].x, 1e-3) << kLabels[i].label << " at " << 90 * a;
            EXPECT_NEAR(zelmor::r_y, kAdjusted[a][i].y, 1e-3) << kLabels[i].label << " at " << 90 * a;
        }
}

TEST_F(Anchors, OtherAnglesKeepTheAnchorExceptAtTheCentre) {
    zelmor::r_x = 11;
    zelmor::r_y = 22;
    zelmor::ComputeAnchor(5, 1, 45);
    EXPECT_EQ(zelmor::r_x, 11);
    EXPECT_EQ(zelmor::r_y, 22);
    zelmor::ComputeAnchor(0, 0, 45);
    EXPECT_EQ(zelmor::r_x, 400);
    EXPECT_EQ(zelmor::r_y, 320);
    zelmor::ComputeAnchor(5, 1, 450);  // angles wrap at 360
    EXPECT_EQ(zelmor::r_x, 798);
    EXPECT_EQ(zelmor::r_y, 5);
}

}  // namespace
