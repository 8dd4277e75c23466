// OpenGLDodurudo: the 2D renderer. It owns the main window with its GL context and all
// GL state that 2D drawing touches.
#pragma once

#include <cstdint>

#include "gfx2d/shaders.h"

namespace tvk {

namespace platform {
struct GlWindow;
}

// Colours are 24-bit integers, red in the low byte; -1 means none where a key or clear colour is taken.
constexpr int32_t kNoColour = -1;
constexpr int32_t kDefaultTransparentColour = 0x8000FF;

class OpenGLDodurudo {
public:
    OpenGLDodurudo() = default;
    virtual ~OpenGLDodurudo();
    OpenGLDodurudo(const OpenGLDodurudo&) = delete;
    OpenGLDodurudo& operator=(const OpenGLDodurudo&) = delete;

    // Display.
    platform::GlWindow* window = nullptr;
    int32_t width = 0;  // drawing area in pixels
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
    int32_t clearColour = 0;

    // 2D state.
    int32_t viewX = 0, viewY = 0, viewW = 0, viewH = 0;  // last viewport, program coordinates
    float currentAlpha = 1.0f;
    bool smoothing = true;
    int32_t transparentColour = kDefaultTransparentColour;
    int32_t fontColourKey = 0;
    int32_t boundSlot = -1;
    int32_t boundSecondSlot = -1;
    bool boundMipmapped = false;
    // The shader pairs the program loaded, for 2D and 3D drawing alike; they live and die
    // with the context.
    ShaderTable shaders;
};

extern OpenGLDodurudo* g_renderer;

// Viewport and the default 2D state; zero or negative width or height means the whole window.
void SetViewport(OpenGLDodurudo* renderer, int32_t x, int32_t y, int32_t w, int32_t h);
// Releases the window with its context and everything made in it (sprite slots, background
// textures); the renderer keeps working without a window. Returns 0.
int DestroyDisplay(OpenGLDodurudo* renderer);
// The 2D state every frame starts from (blending off, alpha test on, white, full alpha).
void ResetFrameState(OpenGLDodurudo* renderer);
// The alpha byte a colour is drawn with: 0 for the transparent colour, else the current alpha.
uint8_t DrawAlpha(const OpenGLDodurudo* renderer, int32_t colour);

}  // namespace tvk
