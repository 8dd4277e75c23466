#include "gfx2d/fonts.h"

#include "gfx2d/sprite_slots.h"
#include "gfx2d/texture_prep.h"

namespace tvk {
namespace {

Font g_fonts[kFontCount];
int32_t g_currentFont = 0;

bool ColumnHasInk(const RgbaImage& picture, int32_t x, int32_t y0, int32_t height) {
    for (int32_t y = y0; y < y0 + height; ++y)
        if (picture.Pixel(x, y)[3] != 0) return true;
    return false;
}

}  // namespace

Font* FindFont(int32_t font) { return font >= 0 && font < kFontCount ? &g_fonts[font] : nullptr; }
int32_t CurrentFont() { return g_currentFont; }
void SetCurrentFont(int32_t font) {
    if (FindFont(font)) g_currentFont = font;
}

FontLayout LayoutOf(int32_t pictureWidth, int32_t pictureHeight) {
    FontLayout layout;
    if (pictureHeight > pictureWidth) {
        layout.glyphCount = 256;
        layout.rows = 16;
        layout.cellHeight = pictureHeight >> 4;
    } else {
        layout.cellHeight = pictureHeight >> 3;
    }
    layout.cellWidth = pictureWidth >> 4;
    return layout;
}

void MeasureGlyphs(const RgbaImage& picture, Font& font) {
    const FontLayout layout = LayoutOf(picture.width, picture.height);
    const float textureWidth = static_cast<float>(TextureDimension(picture.width));
    const int32_t cw = layout.cellWidth, ch = layout.cellHeight;
    for (int32_t c = 0; c < layout.glyphCount; ++c) {
        const int32_t column = c & 15, row = c >> 4;
        const int32_t x0 = column * cw, y0 = row * ch;
        int32_t left = 0;
        while (left < cw && !ColumnHasInk(picture, x0 + left, y0, ch)) ++left;
        Glyph& g = font.glyphs[c];
        if (left < cw) {
            int32_t right = cw - 1;
            while (right > left && !ColumnHasInk(picture, x0 + right, y0, ch)) --right;
            int32_t width = right - left + 1;
            if (left + width < cw) ++width;  // one pixel of spacing
            g.left = static_cast<uint8_t>(left);
            g.width = static_cast<uint8_t>(width);
        } else {
            g.left = 0;
            g.width = static_cast<uint8_t>(cw);
        }
        g.s0 = static_cast<float>(x0 + g.left) / textureWidth;
        g.s1 = static_cast<float>(x0 + g.left + g.width) / textureWidth;
        if (c == 'j') {  // a kerned space is as wide as "j" and draws nothing visible
            Glyph& space = font.glyphs[static_cast<unsigned char>(' ')];
            space.width = g.width;
            space.s0 = 0;
            space.s1 = g.s1 - g.s0;
        }
        if (layout.glyphCount == 128) font.glyphs[c + 128] = g;
    }
}

}  // namespace tvk
