// Saving the window or a sprite as a picture file.
#include "base/error_codes.h"
#include "gfx2d/image.h"
#include "gfx2d/image_writer.h"
#include "gfx2d/offscreen.h"
#include "gfx2d/renderer.h"
#include "gfx2d/sprite_arrays.h"
#include "tarnvik/core.h"
#include "tarnvik/gfx2d.h"

namespace {

RtInt Saved(bool written) {
    if (!written) SetErrorCode(tvk::kErrorNoSuchFile);
    return written ? 1 : 0;
}

}  // namespace

RtInt SaveScreen(const RtString& file) {
    tvk::RgbaImage image;
    return Saved(tvk::ReadBackBuffer(tvk::g_renderer, image) && tvk::WriteImageFile(file.c_str(), image));
}

RtInt SaveSprite(RtInt slot, const RtString& file) {
    tvk::RgbaImage image;
    return Saved(tvk::ReadSpriteImage(slot, image) && tvk::WriteImageFile(file.c_str(), image));
}
