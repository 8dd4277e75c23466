#include "gfx2d/background_images.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstring>

#include "gfx2d/frame_assets.h"
#include "gfx2d/quad.h"
#include "gfx2d/renderer.h"
#include "gfx2d/sprite_upload.h"
#include "gfx2d/texture_binding.h"
#include "gfx2d/texture_prep.h"
#include "gl/gl_state.h"

namespace tvk {
namespace {

BackgroundImage g_backgrounds[kBackgroundCount];

bool ContextLive() { return g_renderer && g_renderer->window; }

BackgroundImage* Background(int32_t index) {
    return index >= 0 && index < kBackgroundCount ? &g_backgrounds[index] : nullptr;
}

int32_t TileSize() {
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    return std::clamp<int32_t>(maxSize, 16, kMaxBackgroundTileSize);
}

void DrawTiles(const BackgroundImage& b) {
    OpenGLDodurudo* r = g_renderer;
    gl::SetAlphaTest(false);
    // Tiles meet edge to edge: filtering would blend in texels from beyond a tile's border.
    const bool smoothing = r->smoothing;
    r->smoothing = false;
    float y = 0;
    for (int32_t row = 0; row < b.rows; ++row) {
        float x = 0;
        for (int32_t column = 0; column < b.columns; ++column) {
            float w = static_cast<float>(b.usedWidth[column][row]);
            float h = static_cast<float>(b.usedHeight[column][row]);
            float s = w / static_cast<float>(b.textureWidth[column][row]);
            float t = h / static_cast<float>(b.textureHeight[column][row]);
            BindTexture(r, 0, -1, false, &b.tiles[column][row]);
            DrawQuad({{x, y + h, 0, 0}, {x + w, y + h, s, 0}, {x + w, y, s, t}, {x, y, 0, t}});
            x += w;
        }
        y += static_cast<float>(b.usedHeight[0][row]);
    }
    r->smoothing = smoothing;
    ApplySmoothingFilter(r);
    gl::SetAlphaTest(true);
    BindTexture(r, -1, -1, false);
}

}  // namespace

const BackgroundImage* FindBackground(int32_t index) { return Background(index); }
BackgroundImage* FindBackgroundForUpdate(int32_t index) { return Background(index); }

bool SetBackgroundImage(int32_t index, const RgbaImage& image) {
    BackgroundImage* b = Background(index);
    if (!b) return false;
    FreeBackgroundImage(index);
    if (image.Empty() || !ContextLive()) return false;
    const int32_t tile = TileSize();
    const int32_t columns = std::min((image.width + tile - 1) / tile, kMaxBackgroundTiles);
    const int32_t rows = std::min((image.height + tile - 1) / tile, kMaxBackgroundTiles);
    for (int32_t column = 0; column < columns; ++column)
        for (int32_t row = 0; row < rows; ++row) {
            // Edge tiles hold only what is left of the picture, so nothing beyond it is drawn.
            int32_t x = column * tile, y = row * tile;
            int32_t w = std::min(tile, image.width - x), h = std::min(tile, image.height - y);
            if (!UploadSubImage(image, x, y, w, h, b->tiles[column][row], nullptr, false)) {
                FreeBackgroundImage(index);
                return false;
            }
            b->textureWidth[column][row] = TextureDimension(w);
            b->textureHeight[column][row] = TextureDimension(h);
            b->usedWidth[column][row] = w;
            b->usedHeight[column][row] = h;
            b->columns = std::max(b->columns, column + 1);
            b->rows = std::max(b->rows, row + 1);
        }
    if (glGetError() != GL_NO_ERROR) {
        FreeBackgroundImage(index);
        return false;
    }
    return true;
}

bool LoadBackgroundFile(int32_t index, const char* name) {
    RgbaImage image;
    if (!DecodeProgramFile(name, kNoColourKey, image)) {
        FreeBackgroundImage(index);
        return false;
    }
    return SetBackgroundImage(index, image);
}

void DrawBackgroundImage(int index) {
    const BackgroundImage* b = Background(index);
    if (!b || b->columns == 0 || b->rows == 0 || !ContextLive()) return;
    DrawTiles(*b);
}

void FreeBackgroundImage(int index) {
    BackgroundImage* b = Background(index);
    if (!b) return;
    if (ContextLive())
        for (auto& column : b->tiles)
            for (uint32_t name : column) gl::DeleteTexture(name);
    std::memset(b, 0, sizeof *b);
}

void DeleteBackgroundTextures() {
    for (int32_t index = 0; index < kBackgroundCount; ++index) FreeBackgroundImage(index);
}

}  // namespace tvk
