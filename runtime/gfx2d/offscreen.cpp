#include "gfx2d/offscreen.h"

#include <GL/gl.h>

#include <algorithm>

#include "gfx2d/background_images.h"
#include "gfx2d/image.h"
#include "gfx2d/renderer.h"

namespace tvk {

void FinishOffscreenTarget(OpenGLDodurudo*) {}
void SelectBackBuffer(OpenGLDodurudo*) {}
void PrepareFramebufferSupport(OpenGLDodurudo*) {}
void ReleaseOffscreenScreens() {}
int CurrentTargetHeight(const OpenGLDodurudo* renderer) { return renderer->height; }

bool ReadBackBuffer(const OpenGLDodurudo* renderer, RgbaImage& image) {
    if (!renderer || !renderer->window || !image.Allocate(renderer->width, renderer->height)) return false;
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glPixelStorei(GL_PACK_SKIP_ROWS, 0);
    glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, image.width, image.height, GL_RGBA, GL_UNSIGNED_BYTE, image.pixels);
    // GL gives the bottom row first.
    for (int32_t top = 0, bottom = image.height - 1; top < bottom; ++top, --bottom)
        std::swap_ranges(image.Row(top), image.Row(top) + image.RowBytes(), image.Row(bottom));
    // The buffer's alpha is whatever was last written (clearing writes 0); a grabbed screen is opaque.
    for (size_t n = 3; n < image.ByteCount(); n += 4) image.pixels[n] = 255;
    return true;
}

bool GrabScreenToBackground(const OpenGLDodurudo* renderer, int32_t index) {
    RgbaImage image;
    return ReadBackBuffer(renderer, image) && SetBackgroundImage(index, image);
}

}  // namespace tvk
