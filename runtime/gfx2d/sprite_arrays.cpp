// Sprites built from arrays, sprites read into arrays, pictures decoded into arrays.
#include "gfx2d/sprite_arrays.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstring>

#include "base/error_codes.h"
#include "files/resolver.h"
#include "gfx2d/image_decode.h"
#include "gfx2d/renderer.h"
#include "gfx2d/sprite_slots.h"
#include "gfx2d/sprite_upload.h"
#include "tarnvik/core.h"
#include "tarnvik/gfx2d.h"
#include "gl/gl_state.h"
#include "gl/quad_batch.h"

namespace tvk {

void ImageToArray(const RgbaImage& image, RtIntArray& array) {
    const int64_t count = int64_t(image.width) * image.height;
    DimArray(array, static_cast<RtInt>(count));
    if (array.size0 != count) return;  // out of memory: the program is ending
    for (int64_t n = 0; n < count; ++n) array.data[n] = PackPixel(image.pixels + n * 4);
}

bool ArrayToImage(const RtIntArray& array, int32_t width, int32_t height, RgbaImage& image) {
    if (width <= 0 || height <= 0 || width > kMaxImageDimension || height > kMaxImageDimension) return false;
    const int64_t count = int64_t(width) * height;
    if (ArrayElementCount(array) != count || !image.Allocate(width, height)) return false;
    for (int64_t n = 0; n < count; ++n) UnpackPixel(array.data[n], image.pixels + n * 4);
    return true;
}

bool ReadSpriteImage(int32_t slot, RgbaImage& image) {
    const SpriteSlot* s = FindSlot(slot);
    if (!s || !s->Loaded() || !s->plainTexture || !g_renderer || !g_renderer->window) return false;
    RgbaImage texture;
    if (!texture.Allocate(s->textureWidth, s->textureHeight) || !image.Allocate(s->imageWidth, s->imageHeight))
        return false;
    while (glGetError() != GL_NO_ERROR) {
    }
    gl::FinishQuads();  // an off-screen screen's sprite holds what was drawn into it
    gl::BindTextureName(0, s->plainTexture);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glPixelStorei(GL_PACK_SKIP_ROWS, 0);
    glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texture.pixels);
    // Whatever the renderer had bound is bound again at its next draw; leave nothing bound.
    gl::BindTextureName(0, 0);
    if (glGetError() != GL_NO_ERROR) return false;
    // The texture stores the picture bottom-up in its lower-left corner.
    for (int32_t y = 0; y < image.height; ++y)
        std::memcpy(image.Row(y), texture.Row(image.height - 1 - y), image.RowBytes());
    return true;
}

}  // namespace tvk

RtInt CreateSpriteFromArray(const RtIntArray& array, RtInt slot, RtInt width, RtInt height) {
    tvk::RgbaImage image;
    if (!tvk::FindSlot(slot) || !tvk::ArrayToImage(array, width, height, image)) return 0;
    return tvk::UploadImageToSlot(slot, image, false) ? 1 : 0;
}

RtInt SpriteToArray(RtIntArray& array, RtInt slot) {
    const tvk::SpriteSlot* s = tvk::FindSlot(slot);
    if (!s || !s->Loaded()) return 0;
    tvk::RgbaImage image;
    if (tvk::ReadSpriteImage(slot, image)) {
        tvk::ImageToArray(image, array);
        return 1;
    }
    // Unreadable: the array still takes the sprite's size, all zeros.
    DimArray(array, s->imageWidth * s->imageHeight);
    return 0;
}

RtInt LoadImageToArray(const RtString& file, RtInt& width, RtInt& height, RtIntArray& array) {
    const char* resolved = tvk::ResolveFileName(tvk::g_memoryResolver, file.c_str());
    if (!resolved) {
        SetErrorCode(tvk::kErrorNoSuchFile);
        return 0;
    }
    tvk::RgbaImage image;
    if (!tvk::DecodeImageFile(resolved, tvk::kNoColourKey, image, tvk::ImageFormats::All, file.c_str())) return 0;
    width = image.width;
    height = image.height;
    tvk::ImageToArray(image, array);
    return 1;
}
