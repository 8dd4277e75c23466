// Bitmap fonts: 32 fonts whose pictures live in the last 32 sprite slots, and their glyph tables.
#pragma once

#include <cstdint>

#include "gfx2d/image.h"

namespace tvk {

constexpr int32_t kFontCount = 32;

struct Glyph {
    uint8_t left = 0;   // first cell column with a visible pixel
    uint8_t width = 0;  // kerned advance and drawn width
    float s0 = 0, s1 = 0;
};

struct Font {
    Glyph glyphs[256];
};

// The font for a number from a program, or null outside 0..31.
Font* FindFont(int32_t font);
int32_t CurrentFont();
void SetCurrentFont(int32_t font);

// Cell layout of a font picture: 16 columns; 8 rows (128 glyphs) when at least as wide as
// tall, else 16 rows (256 glyphs).
struct FontLayout {
    int32_t glyphCount = 128;
    int32_t rows = 8;
    int32_t cellWidth = 0;
    int32_t cellHeight = 0;
};
FontLayout LayoutOf(int32_t pictureWidth, int32_t pictureHeight);

// Where a character's cell lies in a font picture's texture: s left to right, t bottom to top.
// Code 0 (the byte modulo the glyph count) ends a line.
struct GlyphCell {
    int32_t code = 0;
    float s0 = 0, s1 = 0, tBottom = 0, tTop = 0;
};
struct SpriteSlot;
GlyphCell FixedPitchCell(const SpriteSlot& fontSlot, uint8_t character);

// Prints with font n at (x, y) (rounded up to whole pixels) and depth z; kerned or fixed pitch.
void PrintTextWithFont(int32_t font, const char* text, double x, double y, float z, bool kerned);

// Fills the glyph table from the picture's alpha channel.
void MeasureGlyphs(const RgbaImage& picture, Font& font);
// The 128 × 64 picture of the built-in 8 × 8 font.
RgbaImage BuiltinFontPicture();
// Builds the built-in font into font n (picture and glyph table).
void BuildBuiltinFont(int32_t font);

}  // namespace tvk
