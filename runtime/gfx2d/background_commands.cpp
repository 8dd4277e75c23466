// Loading the screen background and cross-fading the screen into a picture.
#include <GL/gl.h>

#include "base/error_codes.h"
#include "gfx2d/background_images.h"
#include "gfx2d/frame_assets.h"
#include "gfx2d/offscreen.h"
#include "gfx2d/renderer.h"
#include "tarnvik/core.h"
#include "tarnvik/gfx2d.h"
#include "gl/quad_batch.h"

namespace tvk {
namespace {

constexpr int32_t kScreenBackground = 0;
constexpr int32_t kFadeTarget = 1;
constexpr int32_t kFadeSource = 2;

// Frames are cleared to black from now on. The frame being drawn is left as it is.
void ClearFramesToBlack(OpenGLDodurudo* r) {
    gl::FinishQuads();
    r->clearColour = 0;
    r->clearEachFrame = true;
    glClearColor(0, 0, 0, 0);
}

void BackgroundFailed(OpenGLDodurudo* r) {
    SetErrorCode(kErrorNoSuchFile);
    FreeBackgroundImage(kScreenBackground);
    ClearFramesToBlack(r);
}

}  // namespace
}  // namespace tvk

void LoadBackground(const RtString& file) {
    using namespace tvk;
    if (!g_renderer) return;
    if (!LoadBackgroundFile(kScreenBackground, file.c_str())) {
        BackgroundFailed(g_renderer);
        return;
    }
    DrawBackgroundImage(kScreenBackground);
}

void FadeToImage(const RtString& file, RtInt milliseconds) {
    using namespace tvk;
    if (!g_renderer) return;
    if (!LoadBackgroundFile(kFadeTarget, file.c_str())) {
        BackgroundFailed(g_renderer);
        return;
    }
    GrabScreenToBackground(g_renderer, kFadeSource);
    FreeBackgroundImage(kScreenBackground);
    ClearFramesToBlack(g_renderer);

    const double start = ReadTimer();
    for (double h = 0.9; h > 0 && h < 1;) {
        SetAlphaMode(h);
        DrawBackgroundImage(kFadeSource);
        SetAlphaMode(1 - h);
        DrawBackgroundImage(kFadeTarget);
        ShowScreen();
        h = milliseconds > 0 ? (milliseconds - (ReadTimer() - start)) / milliseconds : 0;
    }
    SetAlphaMode(0);
    DrawBackgroundImage(kFadeTarget);
    GrabScreenToBackground(g_renderer, kScreenBackground);
    FreeBackgroundImage(kFadeTarget);
    FreeBackgroundImage(kFadeSource);
    ShowScreen();
}
