#include "core/display.h"

#include <GL/gl.h>

#include <cstdio>
#include <cstring>

#include "core/frame_loop.h"
#include "core/software_gl_check.h"
#include "gfx2d/frame_assets.h"
#include "gfx2d/offscreen.h"
#include "gfx2d/renderer.h"
#include "gfx2d/sprite_slots.h"
#include "gl/gl_extensions.h"
#include "gl/gl_state.h"
#include "platform/system.h"
#include "platform/window.h"
#include "tarnvik/core.h"

namespace tvk {
namespace {
int32_t g_desktopWidth = 0;
int32_t g_desktopHeight = 0;
bool g_hiddenRun = false;

// A multisampled window when the driver gives one, halving the samples while it refuses
// (6 tries 6, 3, 1); otherwise a plain one.
platform::GlWindow* CreateWindowWithSamples(int32_t width, int32_t height, int32_t samples) {
    platform::WindowRequest request;
    request.width = width;
    request.height = height;
    request.title = "Tarnvik";
    for (int32_t s = samples; s > 0; s /= 2) {
        request.samples = s;
        if (platform::GlWindow* w = platform::CreateGlWindow(request)) return w;
    }
    request.samples = 0;
    return platform::CreateGlWindow(request);
}

void ReportBgraSupport(OpenGLDodurudo* r) {
    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    r->bgraSupported = extensions && (std::strstr(extensions, "_texture_format_BGRA8888") ||
                                      std::strstr(extensions, "GL_EXT_bgra"));
    if (r->bgraSupported) std::puts("BGRA ext supported");
    else std::printf("BGRA ext NOT supported\n%s\n", extensions ? extensions : "");
}
}  // namespace

void SetHiddenRun(bool hidden) { g_hiddenRun = hidden; }
bool HiddenRun() { return g_hiddenRun; }

void GetCapturedDesktopSize(int32_t& width, int32_t& height) {
    width = g_desktopWidth;
    height = g_desktopHeight;
}

bool CreateDisplay(OpenGLDodurudo* r, int32_t width, int32_t height, int32_t bpp, int32_t frameRate,
                   int32_t multisample) {
    r->framePeriod = frameRate > 0 ? 1000.0 / frameRate : 2.0;
    if (!platform::InitVideo()) return false;
    r->multisample = multisample;
    platform::DesktopSize(g_desktopWidth, g_desktopHeight);

    platform::GlWindow* window = CreateWindowWithSamples(width, height, multisample);
    if (!window) return false;
    r->window = window;
    gl::ForgetState();  // a new context: nothing is known to be set yet
    if (bpp == 0) bpp = platform::DesktopBitsPerPixel();
    int drawW = 0, drawH = 0;
    platform::DrawingAreaSize(window, drawW, drawH);
    r->width = width != 0 ? width : drawW;
    r->height = height != 0 ? height : drawH;
    r->bitsPerPixel = bpp;
    r->fullscreenActive = false;
    r->multisample = 0;

    CheckSoftwareRenderer();

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    r->nextFrameTime = ReadTimer();
    PresentFrame(r, nullptr);

    gl::ProbeEntryPoints();
    ReportBgraSupport(r);
    PrepareFramebufferSupport(r);
    std::puts("Framebuffer is init");

    platform::HideWindow(window);
    SetViewport(r, 0, 0, 0, 0);
    r->displayCreated = true;
    return true;
}

int EnterWindowed(OpenGLDodurudo* r) {
    if (!r->window) return 1;
    if (r->fullscreenActive) {
        platform::LeaveFullscreenMode(r->window);
        platform::SleepMs(500);  // let the desktop settle after the mode change
    }
    platform::Rect work = platform::UsableBounds(r->window);
    platform::Rect area{work.x + (work.w - r->width) / 2, work.y + (work.h - r->height) / 2, r->width, r->height};
    if (!g_hiddenRun) {
        platform::PlaceWindowed(r->window, area);
        platform::RaiseWindow(r->window);
    }
    SetViewport(r, 0, 0, 0, 0);
    r->fullscreenActive = false;
    return 1;
}

bool EnterFullscreen(OpenGLDodurudo* r) {
    if (!r->window) return false;
    int desktopBpp = platform::DesktopBitsPerPixel();
    int bpp = (r->bitsPerPixel != 0 && r->bitsPerPixel != desktopBpp) ? r->bitsPerPixel : 0;
    bool ok = platform::EnterFullscreenMode(r->window, r->width, r->height, bpp);
    if (!ok && bpp != 0) ok = platform::EnterFullscreenMode(r->window, r->width, r->height, 0);
    if (!ok) {
        WriteErrorLog("No Fullscreen Mode available");
        EnterWindowed(r);
        return false;
    }
    // The display is made again at the whole-number rate of the current period
    // (a 60 Hz period comes back as 59 frames per second).
    int32_t frameRate = r->framePeriod > 0 ? static_cast<int32_t>(1000.0 / r->framePeriod) : 5;
    r->framePeriod = frameRate > 0 ? 1000.0 / frameRate : 2.0;
    SetViewport(r, 0, 0, 0, 0);
    if (g_hiddenRun) platform::HideWindow(r->window);
    else platform::RaiseWindow(r->window);
    r->fullscreenActive = true;
    return true;
}

int HideDisplay(OpenGLDodurudo* r) {
    if (r->fullscreenActive) platform::LeaveFullscreenMode(r->window);
    platform::HideWindow(r->window);
    r->fullscreenActive = false;
    return 1;
}

}  // namespace tvk

RtInt IsFullscreen() { return tvk::g_renderer && tvk::g_renderer->fullscreenActive ? 1 : 0; }

void GetDesktopSize(RtInt& width, RtInt& height) { tvk::GetCapturedDesktopSize(width, height); }
