// Fonts cut from a picture made here, the built-in font, and text placement.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "gfx2d/fonts.h"
#include "gfx2d/renderer.h"
#include "gfx2d/sprite_slots.h"
#include "image_test_support.h"
#include "support/gl_display.h"
#include "tarnvik/core.h"
#include "tarnvik/gfx2d.h"

namespace {

using tvk::test::GlDisplayTest;

class Fonts : public GlDisplayTest {
protected:
    void SetUp() override {
        GlDisplayTest::SetUp();
        SetSmoothing(0);
        tvk::g_renderer->fontColourKey = 0;  // black until the program sets a transparent colour
        tvk::SetCurrentFont(0);
        SetErrorCode(0);
    }
    // A 24-bit BMP font picture on black (the font colour key), ink where `ink(x, y)` says.
    static std::string WriteFontPicture(const char* name, int w, int h, const std::function<bool(int, int)>& ink) {
        tvk::test::BmpSpec spec;
        spec.width = w;
        spec.height = -h;  // top-down rows
        for (int y = 0; y < h; ++y) {
            std::vector<uint8_t> row;
            for (int x = 0; x < w; ++x)
                for (int c = 0; c < 3; ++c) row.push_back(ink(x, y) ? 255 : 0);
            spec.pixelRows.push_back(row);
        }
        return tvk::test::WriteBmpFile(tempDir_ + "/" + name, spec);
    }
    // 256 × 128: 128 glyphs in 16 × 16 cells. "A" has ink in cell columns 3..6, "B" fills its cell,
    // "j" is two columns wide; every other cell is empty.
    static std::string StandardFont() {
        return WriteFontPicture("font.bmp", 256, 128, [](int x, int y) {
            int code = (y / 16) * 16 + x / 16, cx = x % 16;
            if (code == 'A') return cx >= 3 && cx <= 6;
            if (code == 'B') return true;
            if (code == 'j') return cx >= 5 && cx <= 6;
            return false;
        });
    }
};

TEST_F(Fonts, GlyphsAreMeasuredFromTheirInk) {
    LoadFont(StandardFont().c_str(), 1);
    ASSERT_EQ(GetErrorCode(), 0);
    EXPECT_EQ(tvk::CurrentFont(), 1);
    const tvk::Font* f = tvk::FindFont(1);
    EXPECT_EQ(f->glyphs['A'].left, 3);
    EXPECT_EQ(f->glyphs['A'].width, 5);  // four columns of ink and one of spacing
    EXPECT_EQ(f->glyphs['B'].width, 16);  // a full cell gets no spacing
    EXPECT_EQ(f->glyphs['C'].width, 16);  // an empty cell prints as a full cell of nothing
    EXPECT_EQ(f->glyphs[' '].width, f->glyphs['j'].width);
    EXPECT_EQ(f->glyphs['A' + 128].width, 5);  // a 128-glyph font repeats in the upper half
    RtInt w = 0, h = 0;
    GetFontSize(w, h);
    EXPECT_EQ(w, 16);
    EXPECT_EQ(h, 16);
    EXPECT_EQ(GetTextWidth(" ", 1), GetTextWidth("j", 1));
    EXPECT_EQ(GetTextWidth("AB", 1), 21);
    EXPECT_EQ(GetTextWidth("AB", 0), 32);
}

TEST_F(Fonts, TallPicturesHold256GlyphsAndFixedPitchAdvancesByTheCell) {
    LoadFont(WriteFontPicture("tall.bmp", 128, 256, [](int, int) { return false; }).c_str(), 2);
    RtInt w = 0, h = 0;
    GetFontSize(w, h);
    EXPECT_EQ(w, 8);
    EXPECT_EQ(h, 16);
    EXPECT_EQ(GetTextWidth("abc", 0), 24);
}

TEST_F(Fonts, FontNumbersOutsideTheTableKeepTheCurrentFont) {
    SetFont(3);
    for (RtInt bad : {32, -1, 1 << 20}) {
        SetErrorCode(0);
        SetFont(bad);
        EXPECT_EQ(GetErrorCode(), 7);
        SetErrorCode(0);
        LoadFont(StandardFont().c_str(), bad);
        EXPECT_EQ(GetErrorCode(), 7);
        EXPECT_EQ(tvk::CurrentFont(), 3);
    }
}

TEST_F(Fonts, AMissingFontFileGivesCode3AndTheBuiltInFont) {
    LoadFont("no-such-font.png", 4);
    EXPECT_EQ(GetErrorCode(), 3);
    EXPECT_EQ(tvk::FindSlot(tvk::kFirstFontSlot + 4)->imageWidth, 128);
    EXPECT_EQ(GetTextWidth("Hi", 1), 16);
}

TEST_F(Fonts, TextStartsAtTheNextWholePixelAndStopsAtACodeOfZero) {
    LoadFont(StandardFont().c_str(), 1);
    PrintText("B", 10.2, 20, 1);
    EXPECT_EQ(GetPixel(10, 25), 0);
    EXPECT_EQ(GetPixel(11, 25), 0xFFFFFF);
    EXPECT_EQ(GetPixel(26, 35), 0xFFFFFF);
    EXPECT_EQ(GetPixel(27, 25), 0);
    std::string text = "B";
    text += static_cast<char>(128);  // 128 mod 128 glyphs = 0: the end
    text += "B";
    glClear(GL_COLOR_BUFFER_BIT);
    PrintText(text.c_str(), 0, 0, 1);
    EXPECT_EQ(GetPixel(8, 8), 0xFFFFFF);
    EXPECT_EQ(GetPixel(24, 8), 0);
}

TEST_F(Fonts, TheBuiltInAMatchesItsGlyphWord) {
    tvk::BuildBuiltinFont(0);
    PrintText("A", 0, 0, 0);
    const uint32_t word = 0xA5394E;  // "A": code 65, word 33 of the table
    auto ink = [&](int x, int y) {
        int column = x - 1, row = y - 1;
        return column >= 0 && column < 5 && row >= 0 && row < 6 && ((word >> (5 * row + column)) & 1);
    };
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            RtInt expected = 0;
            if (ink(x, y)) expected = 0xFFFFFF;
            else if (x < 7 && (ink(x - 1, y) || ink(x + 1, y) || ink(x, y - 1) || ink(x, y + 1))) expected = 0x080808;
            EXPECT_EQ(GetPixel(x, y), expected) << x << "," << y;
        }
}

}  // namespace
