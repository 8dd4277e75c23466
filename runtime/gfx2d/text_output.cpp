// Printing text with the bitmap fonts, measuring it, and the font commands.
#include <cmath>
#include <cstring>

#include "base/error_codes.h"
#include "gfx2d/fonts.h"
#include "gfx2d/frame_assets.h"
#include "gfx2d/quad.h"
#include "gfx2d/renderer.h"
#include "gfx2d/sprite_slots.h"
#include "gfx2d/sprite_upload.h"
#include "gfx2d/texture_binding.h"
#include "tarnvik/core.h"
#include "tarnvik/gfx2d.h"

namespace tvk {
namespace {

const SpriteSlot* FontSlot(int32_t font) { return FindFont(font) ? FindSlot(kFirstFontSlot + font) : nullptr; }

FontLayout SlotLayout(const SpriteSlot& s) { return LayoutOf(s.imageWidth, s.imageHeight); }

}  // namespace

GlyphCell FixedPitchCell(const SpriteSlot& s, uint8_t character) {
    const FontLayout layout = SlotLayout(s);
    GlyphCell cell;
    cell.code = character % layout.glyphCount;
    const int32_t row = cell.code >> 4, column = cell.code & 15;
    const float rowHeight = s.tExtent / static_cast<float>(layout.rows);
    cell.tBottom = rowHeight * static_cast<float>(layout.rows - 1 - row);
    cell.tTop = cell.tBottom + rowHeight;
    cell.s0 = static_cast<float>(column) * s.sExtent / 16.0f;
    cell.s1 = static_cast<float>(column + 1) * s.sExtent / 16.0f;
    return cell;
}

void PrintTextWithFont(int32_t font, const char* text, double x, double y, float z, bool kerned) {
    const Font* f = FindFont(font);
    const SpriteSlot* s = FontSlot(font);
    if (!f || !s || !text || !*text || !g_renderer || !g_renderer->window || !s->Loaded()) return;
    const FontLayout layout = SlotLayout(*s);
    const float cellHeight = static_cast<float>(s->imageHeight / layout.rows);
    const float cellWidth = static_cast<float>(s->imageWidth >> 4);
    const float y0 = static_cast<float>(std::ceil(y));
    float pen = static_cast<float>(std::ceil(x));

    for (const char* p = text; *p; ++p) {
        GlyphCell cell = FixedPitchCell(*s, static_cast<uint8_t>(*p));
        if (cell.code == 0) break;
        if (p == text) {  // a line that ends before its first glyph binds nothing
            BindTexture(g_renderer, kFirstFontSlot + font, -1, false);
            ApplySmoothingFilter(g_renderer);
        }
        float width = cellWidth;
        if (kerned) {
            width = f->glyphs[cell.code].width;
            cell.s0 = f->glyphs[cell.code].s0;
            cell.s1 = f->glyphs[cell.code].s1;
        }
        // Split as the glyphs of a line used to be sent: one triangle strip.
        DrawRepeatingQuad({{pen, y0 + cellHeight, z, cell.s0, cell.tBottom},
                           {pen, y0, z, cell.s0, cell.tTop},
                           {pen + width, y0 + cellHeight, z, cell.s1, cell.tBottom},
                           {pen + width, y0, z, cell.s1, cell.tTop}},
                          gl::QuadSplit::Strip);
        pen += width;
    }
}

int32_t TextWidthWithFont(int32_t font, const char* text, bool kerned) {
    const Font* f = FindFont(font);
    const SpriteSlot* s = FontSlot(font);
    if (!f || !s || !text) return 0;
    if (!kerned) return static_cast<int32_t>(std::strlen(text)) * (s->imageWidth >> 4);
    int32_t width = 0;
    for (const char* p = text; *p; ++p) width += f->glyphs[static_cast<uint8_t>(*p)].width;
    return width;
}

bool LoadFontFile(const char* name, int32_t font) {
    Font* f = FindFont(font);
    if (!f) return false;
    RgbaImage picture;
    int32_t key = g_renderer ? g_renderer->fontColourKey : 0;
    if (!DecodeProgramFile(name, key, picture, true)) return false;
    MeasureGlyphs(picture, *f);
    return UploadImageToSlot(kFirstFontSlot + font, picture, false);
}

// Start-up's font steps: the built-in font as font 0, then a default font file if there is one.
void BuildBuiltinFont() { BuildBuiltinFont(0); }
bool LoadDefaultFont(const std::string& resolvedName) { return LoadFontFile(resolvedName.c_str(), 0); }
void SelectCurrentFont(int font) { SetCurrentFont(font); }

}  // namespace tvk

void LoadFont(const RtString& file, RtInt font) {
    if (file.Empty()) {
        if (tvk::FindFont(font)) tvk::ResetSlot(tvk::kFirstFontSlot + font);
        return;
    }
    if (!tvk::FindFont(font)) {  // negative numbers too: never outside the table
        SetErrorCode(tvk::kErrorOutOfRange);
        return;
    }
    tvk::SetCurrentFont(font);
    if (!tvk::LoadFontFile(file.c_str(), font)) {
        SetErrorCode(tvk::kErrorNoSuchFile);
        tvk::BuildBuiltinFont(font);
    }
}

void SetFont(RtInt font) {
    if (!tvk::FindFont(font)) {
        SetErrorCode(tvk::kErrorOutOfRange);
        return;
    }
    tvk::SetCurrentFont(font);
}

RtInt FindFreeFont() {
    for (int32_t n = 0; n < tvk::kFontCount - 1; ++n)
        if ((tvk::FindSlot(tvk::kFirstFontSlot + n)->imageWidth >> 4) == 0) return n;
    return -1;
}

void PrintText(const RtString& text, RtNumber x, RtNumber y, RtInt kerned) {
    tvk::PrintTextWithFont(tvk::CurrentFont(), text.c_str(), x, y, 0.0f, kerned != 0);
}

RtInt GetTextWidth(const RtString& text, RtInt kerned) {
    return tvk::TextWidthWithFont(tvk::CurrentFont(), text.c_str(), kerned != 0);
}

void GetTextWidth(const RtString& text, RtInt kerned, RtNumber& width) { width = GetTextWidth(text, kerned); }

void GetFontSize(RtInt& width, RtInt& height) {
    const tvk::SpriteSlot* s = tvk::FindSlot(tvk::kFirstFontSlot + tvk::CurrentFont());
    tvk::FontLayout layout = tvk::LayoutOf(s->imageWidth, s->imageHeight);
    width = layout.cellWidth;
    height = layout.cellHeight;
}

void GetFontSize(RtNumber& width, RtNumber& height) {
    RtInt w, h;
    GetFontSize(w, h);
    width = w;
    height = h;
}
