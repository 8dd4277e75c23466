// The built-in 8 × 8 font: 96 glyphs of 5 × 6 pixels with a dark outline, for codes 32 to 127.
#include "gfx2d/fonts.h"
#include "gfx2d/sprite_slots.h"
#include "gfx2d/sprite_upload.h"

namespace tvk {
namespace {

// Bit 5·row + column of a word is the glyph pixel at that row (0 = top) and column (0 = left).
constexpr uint32_t kGlyphWords[96] = {
    0x0,       0x8021080, 0x2940,    0x15F57D40, 0x8E619C4, 0x14222140, 0xED114E0, 0x1080,    0x8210880,
    0x4421040, 0x9575480, 0x8471080, 0x4400000,  0x70000,   0x8000000,  0x4222100, 0xE5294E,  0x4210C4,
    0xE1390E,  0xE4390E,  0x84394A,  0xE4384E,   0xE5384E,  0x42210E,   0xE5394E,  0xE4394E,  0x20080,
    0x220080,  0x820888,  0x701C0,   0x222082,   0x40310E,  0xE0B526,   0xA5394E,  0xE5194E,  0xE5094E,
    0xE52946,  0xE1384E,  0x21384E,  0xE5284E,   0xA5394A,  0xE2108E,   0xE5210C,  0xA5194A,  0xE10842,
    0x15AD6BF, 0xA5294E,  0xE5294E,  0x21394E,   0xF294A7,  0xA5194E,   0xE4384E,  0x42108E,  0xE5294A,
    0x45294A,  0x1FAD6B5, 0xA5114A,  0x42394A,   0xE1110E,  0x610846,   0x1041041, 0x621086,  0x144,
    0xE00000,  0x82,      0xE53000,  0xE53842,   0xE13800,  0xE53908,   0x8273800, 0x423888,  0x8873800,
    0xA51842,  0x421004,  0x4421004, 0xA32842,   0x421084,  0x15ABC00,  0xA51800,  0xE53800,  0x4E51800,
    0x10E53000, 0x253800, 0xE409C0,  0xC23884,   0xC52800,  0x452800,   0xEAD400,  0xA22800,  0x1C872800,
    0xE121C0,  0x821888,  0x421084,  0x223082,   0x2A800,   0x3F18C63F,
};

// Whether the glyph has ink at cell pixel (x, y); the glyph sits one pixel in from the cell's corner.
bool Ink(uint32_t word, int x, int y) {
    int column = x - 1, row = y - 1;
    if (column < 0 || column > 4 || row < 0 || row > 5) return false;
    return (word >> (5 * row + column)) & 1;
}

}  // namespace

RgbaImage BuiltinFontPicture() {
    RgbaImage picture;
    if (!picture.Allocate(128, 64)) return picture;
    for (int code = 32; code < 128; ++code) {
        uint32_t word = kGlyphWords[code - 32];
        int cellX = (code & 15) * 8, cellY = (code >> 4) * 8;
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 7; ++x) {
                uint8_t* p = picture.Pixel(cellX + x, cellY + y);
                bool outline = Ink(word, x - 1, y) || Ink(word, x + 1, y) || Ink(word, x, y - 1) || Ink(word, x, y + 1);
                uint8_t value = Ink(word, x, y) ? 255 : outline ? 8 : 0;
                p[0] = p[1] = p[2] = value;
                p[3] = value ? 255 : 0;
            }
    }
    return picture;
}

void BuildBuiltinFont(int32_t font) {
    Font* f = FindFont(font);
    if (!f) return;
    RgbaImage picture = BuiltinFontPicture();
    UploadImageToSlot(kFirstFontSlot + font, picture, false);
    for (int c = 0; c < 256; ++c) {
        Glyph& g = f->glyphs[c];
        g.left = 0;
        g.width = 8;
        g.s0 = 8.0f * static_cast<float>(c & 15) / 128.0f;
        g.s1 = g.s0 + 8.0f / 128.0f;
    }
}

}  // namespace tvk
