// OpenGLDodurudo: the 2D renderer. It owns the main window with its GL context.
#pragma once

#include <cstdint>

namespace tvk {

namespace platform {
struct GlWindow;
}

class OpenGLDodurudo {
public:
    OpenGLDodurudo() = default;
    virtual ~OpenGLDodurudo();
    OpenGLDodurudo(const OpenGLDodurudo&) = delete;
    OpenGLDodurudo& operator=(const OpenGLDodurudo&) = delete;

    // Display.
    platform::GlWindow* window = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    int32_t bitsPerPixel = 0;
    bool fullscreenActive = false;
    int32_t multisample = 0;
    double framePeriod = 1000.0 / 60.0;  // ms
    double nextFrameTime = 0;            // ms, frame limiter schedule
    bool displayCreated = false;
    bool bgraSupported = false;

    // Per-frame clearing.
    bool clearEachFrame = true;
    bool clearDepthOnce = false;

    // Viewport in window pixels (top-left origin).
    int32_t viewX = 0, viewY = 0, viewW = 0, viewH = 0;
};

extern OpenGLDodurudo* g_renderer;

// Viewport and the default 2D state; zero width or height means the whole window.
void SetViewport(OpenGLDodurudo* renderer, int32_t x, int32_t y, int32_t w, int32_t h);
// The 2D state every frame starts from (blending off, alpha test on, white, full alpha).
void ResetFrameState(OpenGLDodurudo* renderer);

}  // namespace tvk
