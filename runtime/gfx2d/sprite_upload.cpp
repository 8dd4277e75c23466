#include "gfx2d/sprite_upload.h"

#include <GL/gl.h>

#include <algorithm>

#include "files/resolver.h"
#include "gfx2d/image_decode.h"
#include "gfx2d/renderer.h"
#include "gfx2d/sprite_slots.h"
#include "gfx2d/texture_prep.h"
#include "gl/gl_state.h"

namespace tvk {

uint32_t NewRepeatingTexture(int32_t magnification, int32_t minification) {
    uint32_t name = gl::CreateTexture();
    gl::SetTextureWrap(0, GL_REPEAT);
    gl::SetTextureFilter(0, minification, magnification);
    return name;
}

namespace {

uint32_t CreateTexture(const RgbaImage& texture, GLint filter) {
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    GLuint name = NewRepeatingTexture(filter, filter);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, texture.width, texture.height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 texture.pixels);
    return name;
}

uint32_t CreateMipmappedTexture(const RgbaImage& texture) {
    GLuint name = NewRepeatingTexture(GL_LINEAR, GL_LINEAR_MIPMAP_LINEAR);
    for (MipmapChain chain(texture);;) {
        const RgbaImage& level = chain.Image();
        if (level.Empty()) break;
        glTexImage2D(GL_TEXTURE_2D, chain.Level(), GL_RGBA8, level.width, level.height, 0, GL_RGBA,
                     GL_UNSIGNED_BYTE, level.pixels);
        if (!chain.Next()) break;
    }
    return name;
}

bool ContextLive() { return g_renderer && g_renderer->window; }

}  // namespace

bool UploadImageToSlot(int32_t slot, const RgbaImage& image, bool normalMap) {
    SpriteSlot* s = FindSlot(slot);
    if (!s) return false;
    ResetSlot(slot);
    if (image.Empty() || !ContextLive()) return false;
    const bool fontSlot = slot >= kFirstFontSlot;
    RgbaImage texture;
    if (!BuildTexture(image, texture)) return false;
    if (!fontSlot) BleedTransparentEdges(texture);
    if (normalMap) ConvertToNormalMap(texture);
    s->plainTexture = CreateTexture(texture, fontSlot ? GL_NEAREST : GL_LINEAR);
    if (!fontSlot) s->mipmappedTexture = CreateMipmappedTexture(texture);
    s->textureWidth = static_cast<int16_t>(std::min(texture.width, 32767));
    s->textureHeight = static_cast<int16_t>(std::min(texture.height, 32767));
    s->imageWidth = static_cast<int16_t>(image.width);
    s->imageHeight = static_cast<int16_t>(image.height);
    s->sExtent = static_cast<float>(image.width) / static_cast<float>(texture.width);
    s->tExtent = static_cast<float>(image.height) / static_cast<float>(texture.height);
    s->alphaMask = AlphaMask::FromRgba(image.pixels, image.width, image.height);
    if (glGetError() != GL_NO_ERROR) {
        ResetSlot(slot);
        return false;
    }
    return true;
}

bool UploadSubImage(const RgbaImage& image, int32_t x, int32_t y, int32_t width, int32_t height,
                    uint32_t& plainName, uint32_t* mipmappedName, bool normalMap) {
    plainName = 0;
    if (mipmappedName) *mipmappedName = 0;
    if (!ContextLive() || width <= 0 || height <= 0) return false;
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    width = std::min(width, maxSize);
    height = std::min(height, maxSize);
    RgbaImage texture;
    if (!BuildTexture(image, x, y, width, height, TextureDimension(width), TextureDimension(height), texture))
        return false;
    BleedTransparentEdges(texture);
    if (normalMap) ConvertToNormalMap(texture);
    plainName = CreateTexture(texture, GL_LINEAR);
    if (mipmappedName) *mipmappedName = CreateMipmappedTexture(texture);
    return true;
}

bool DecodeProgramFile(const char* name, int32_t colourKey, RgbaImage& image, bool fontFormatsOnly) {
    const char* resolved = ResolveFileName(g_memoryResolver, name);
    if (!resolved) return false;
    return DecodeImageFile(resolved, colourKey, image, fontFormatsOnly ? ImageFormats::BmpAndPng : ImageFormats::All,
                           name);
}

}  // namespace tvk
