// Copying pictures out of the current target: into a sprite, or the whole window into a background.
#include <GL/gl.h>

#include <algorithm>
#include <cstring>

#include "gfx2d/background_images.h"
#include "gfx2d/frame_assets.h"
#include "gfx2d/image.h"
#include "gfx2d/offscreen.h"
#include "gfx2d/renderer.h"
#include "gfx2d/sprite_slots.h"
#include "gfx2d/sprite_upload.h"
#include "gfx2d/texture_prep.h"
#include "tarnvik/gfx2d.h"
#include "gl/gl_state.h"
#include "gl/quad_batch.h"

namespace tvk {
namespace {

constexpr int32_t kScreenBackground = 0;
constexpr int32_t kFirstTileSize = 128;
// Grabs larger than this either way are refused: the read-back buffer would be huge.
constexpr int32_t kMaxGrabDimension = 8192;

// Reused by every read-back so that grabbing each frame does not allocate.
RgbaImage& ReadBuffer() {
    static RgbaImage buffer;
    return buffer;
}

void PackRowsTight() {
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glPixelStorei(GL_PACK_SKIP_ROWS, 0);
    glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
}

void UnpackRowsTight() {
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
}

GLenum TextureDataFormat(const OpenGLDodurudo* r) { return r->bgraSupported ? GL_BGRA : GL_RGBA; }

// GL row of program row y of the viewport in the current target (GL counts rows from the bottom).
GLint ViewportRow(const OpenGLDodurudo* r, int32_t y) { return CurrentTargetHeight(r) - 1 - (r->viewY + y); }

// What the target really stores for the transparent colour (a 16-bit buffer rounds it): a test
// pixel in that colour at (4, 4), read back, and the old pixel put back exactly. In a viewport too
// small for that the pixel moves inside it, where drawing is not clipped away.
void MeasureTransparentColour(OpenGLDodurudo* r, uint8_t measured[3]) {
    const int32_t px = std::clamp(4, 0, std::max(r->viewW - 1, 0));
    const int32_t py = std::clamp(4, 0, std::max(r->viewH - 1, 0));
    const GLint x = r->viewX + px, row = ViewportRow(r, py);
    uint8_t before[4] = {0, 0, 0, 0}, after[4] = {0, 0, 0, 0};
    PackRowsTight();
    UnpackRowsTight();
    glReadPixels(x, row, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, before);
    glPushAttrib(GL_COLOR_BUFFER_BIT | GL_ENABLE_BIT | GL_CURRENT_BIT);
    glDisable(GL_BLEND);  // a see-through colour blended in would leave the pixel as it was
    SetPixel(px, py, r->transparentColour);
    glReadPixels(x, row, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, after);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    // Just inside the lower-left corner of the pixel, y running downwards.
    glRasterPos2f(static_cast<float>(px) + 0.25f, static_cast<float>(py) + 0.75f);
    glDrawPixels(1, 1, GL_RGBA, GL_UNSIGNED_BYTE, before);
    glPopAttrib();
    gl::ForgetState();  // the restored state is not what the layer last set
    std::memcpy(measured, after, 3);
}

// Fills the read buffer with the w × h rectangle whose lowest GL row is `row`, bottom row first,
// opaque except for pixels in the transparent colour.
bool ReadRectangle(OpenGLDodurudo* r, int32_t x, GLint row, int32_t w, int32_t h) {
    const int32_t key = r->transparentColour;
    uint8_t measured[3] = {0, 0, 0};
    const bool keyed = key >= 0 && key <= 0xFFFFFF;
    // Black is stored exactly by every buffer.
    if (keyed && key != 0) MeasureTransparentColour(r, measured);
    RgbaImage& buffer = ReadBuffer();
    if (!buffer.Allocate(w, h)) return false;
    PackRowsTight();
    glReadPixels(x, row, w, h, GL_RGBA, GL_UNSIGNED_BYTE, buffer.pixels);
    const size_t bytes = buffer.ByteCount();
    for (size_t n = 0; n < bytes; n += 4) {
        uint8_t* p = buffer.pixels + n;
        p[3] = keyed && std::memcmp(p, measured, 3) == 0 ? 0 : 255;
    }
    return true;
}

// The record's tile at (column, row) as a tile × tile texture, bound; made anew unless one fits.
void PrepareTile(const OpenGLDodurudo* r, BackgroundImage& b, int32_t column, int32_t row, int32_t tile) {
    uint32_t& name = b.tiles[column][row];
    if (name && b.textureWidth[column][row] == tile && b.textureHeight[column][row] == tile) {
        gl::BindTextureName(0, name);
        return;
    }
    gl::DeleteTexture(name);
    name = NewRepeatingTexture(GL_LINEAR, GL_LINEAR);
    // A grabbed screen is opaque: without an alpha channel the tiles also fade as a whole.
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB8, tile, tile, 0, TextureDataFormat(r), GL_UNSIGNED_BYTE, nullptr);
    b.textureWidth[column][row] = b.textureHeight[column][row] = tile;
}

void DropTilesOutside(BackgroundImage& b, int32_t columns, int32_t rows) {
    for (int32_t column = 0; column < kMaxBackgroundTiles; ++column)
        for (int32_t row = 0; row < kMaxBackgroundTiles; ++row) {
            if (column < columns && row < rows) continue;
            gl::DeleteTexture(b.tiles[column][row]);
            b.tiles[column][row] = 0;
            b.textureWidth[column][row] = b.textureHeight[column][row] = 0;
            b.usedWidth[column][row] = b.usedHeight[column][row] = 0;
        }
}

}  // namespace

bool GrabRectangle(OpenGLDodurudo* r, int32_t slot, int32_t x, int32_t y, int32_t w, int32_t h) {
    gl::FinishQuads();  // the picture read includes every sprite drawn so far
    SpriteSlot* s = FindSlot(slot);
    if (!s || !r || !r->window || w <= 0 || h <= 0) return false;
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    const int32_t limit = std::min<int32_t>(maxSize, kMaxGrabDimension);
    if (w > limit || h > limit) return false;
    s->frameWidth = s->frameHeight = 0;
    s->alphaMask.reset();

    // Counted from the target's top-left corner (not the viewport's); GL counts rows from the bottom.
    const GLint row = CurrentTargetHeight(r) - h - y;
    const GLint left = x;
    const bool copy = AlphaCopyAvailable();
    if (!copy && !ReadRectangle(r, left, row, w, h)) return false;

    while (glGetError() != GL_NO_ERROR) {
    }
    const int32_t textureW = TextureDimension(w), textureH = TextureDimension(h);
    // The picture changes, so a mipmapped twin from an earlier load would show the old one.
    gl::DeleteTexture(s->mipmappedTexture);
    if (!s->plainTexture || s->textureWidth != textureW || s->textureHeight != textureH) {
        gl::DeleteTexture(s->plainTexture);
        s->plainTexture = NewRepeatingTexture(GL_LINEAR, GL_LINEAR);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, textureW, textureH, 0, TextureDataFormat(r), GL_UNSIGNED_BYTE,
                     nullptr);
    } else {
        gl::BindTextureName(0, s->plainTexture);
    }
    SetPictureSizes(*s, w, h, textureW, textureH);

    if (copy) {
        // The copy keeps the alpha drawing wrote: pixels drawn in the transparent colour stay see-through.
        glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, left, row, w, h);
    } else {
        UnpackRowsTight();
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, ReadBuffer().pixels);
    }
    gl::BindTextureName(0, 0);
    if (glGetError() != GL_NO_ERROR) {
        ResetSlot(slot);
        return false;
    }
    return true;
}

bool ReadBackBuffer(const OpenGLDodurudo* r, RgbaImage& image) {
    gl::FinishQuads();  // the picture read includes every sprite drawn so far
    if (!r || !r->window || !image.Allocate(r->width, r->height)) return false;
    WindowReading fromWindow;
    PackRowsTight();
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, image.width, image.height, GL_RGBA, GL_UNSIGNED_BYTE, image.pixels);
    // GL gives the bottom row first.
    for (int32_t top = 0, bottom = image.height - 1; top < bottom; ++top, --bottom)
        std::swap_ranges(image.Row(top), image.Row(top) + image.RowBytes(), image.Row(bottom));
    // The buffer's alpha is whatever was last written (clearing writes 0); a picture of the screen is opaque.
    for (size_t n = 3; n < image.ByteCount(); n += 4) image.pixels[n] = 255;
    return true;
}

bool GrabScreenToBackground(const OpenGLDodurudo* r, int32_t index) {
    gl::FinishQuads();  // the picture read includes every sprite drawn so far
    BackgroundImage* b = FindBackgroundForUpdate(index);
    if (!b || !r || !r->window || r->width <= 0 || r->height <= 0) return false;
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    const int32_t larger = std::max(r->width, r->height);
    int32_t tile = kFirstTileSize;
    while (tile < larger && tile < maxSize) tile *= 2;
    const int32_t columns = std::min((r->width + tile - 1) / tile, kMaxBackgroundTiles);
    const int32_t rows = std::min((r->height + tile - 1) / tile, kMaxBackgroundTiles);
    const bool copy = TileCopyAvailable(r);

    WindowReading fromWindow;
    while (glGetError() != GL_NO_ERROR) {
    }
    DropTilesOutside(*b, columns, rows);
    for (int32_t column = 0; column < columns; ++column)
        for (int32_t row = 0; row < rows; ++row) {
            const int32_t left = column * tile, top = row * tile;
            const int32_t usedW = std::min(tile, r->width - left), usedH = std::min(tile, r->height - top);
            const GLint bottomRow = r->height - top - usedH;
            if (!copy) {
                RgbaImage& buffer = ReadBuffer();
                if (!buffer.Allocate(usedW, usedH)) {
                    FreeBackgroundImage(index);
                    return false;
                }
                PackRowsTight();
                glReadPixels(left, bottomRow, usedW, usedH, GL_RGBA, GL_UNSIGNED_BYTE, buffer.pixels);
            }
            PrepareTile(r, *b, column, row, tile);
            if (copy) {
                glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, left, bottomRow, usedW, usedH);
            } else {
                UnpackRowsTight();
                glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, usedW, usedH, GL_RGBA, GL_UNSIGNED_BYTE, ReadBuffer().pixels);
            }
            b->usedWidth[column][row] = usedW;
            b->usedHeight[column][row] = usedH;
        }
    b->columns = columns;
    b->rows = rows;
    gl::BindTextureName(0, 0);
    if (glGetError() != GL_NO_ERROR) {
        FreeBackgroundImage(index);
        return false;
    }
    return true;
}

}  // namespace tvk

RtInt GrabSprite(RtInt slot, RtInt x, RtInt y, RtInt width, RtInt height) {
    return tvk::GrabRectangle(tvk::g_renderer, slot, x, y, width, height) ? 1 : 0;
}

void GrabScreenAsBackground() { tvk::GrabScreenToBackground(tvk::g_renderer, tvk::kScreenBackground); }
