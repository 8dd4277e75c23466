// Window, GL context and display over SDL2.
#include <SDL2/SDL.h>

#include "platform/events.h"
#include "platform/sdl_window_handle.h"
#include "platform/text_encoding.h"
#include "platform/window.h"

namespace tvk::platform {

struct GlWindow {
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
};

namespace {
bool g_videoStarted = false;
constexpr int kDefaultWidth = 640;
constexpr int kDefaultHeight = 480;

void SetPixelFormatAttributes(int samples) {
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, samples > 0 ? 1 : 0);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, samples > 0 ? samples : 0);
}

int DisplayOf(GlWindow* window) {
    int index = window ? SDL_GetWindowDisplayIndex(window->window) : 0;
    return index < 0 ? 0 : index;
}
}  // namespace

SDL_Window* SdlWindowOf(GlWindow* window) { return window ? window->window : nullptr; }

bool InitVideo() {
    if (g_videoStarted) return true;
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) return false;
    g_videoStarted = true;
    return true;
}

void QuitVideo() {
    if (!g_videoStarted) return;
    DiscardPendingEvents();
    SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
    g_videoStarted = false;
}

std::string VideoError() { return SDL_GetError(); }

GlWindow* CreateGlWindow(const WindowRequest& request) {
    if (!InitVideo()) return nullptr;
    SetPixelFormatAttributes(request.samples);
    int width = request.width > 0 ? request.width : kDefaultWidth;
    int height = request.height > 0 ? request.height : kDefaultHeight;
    std::string title = Latin1ToUtf8(request.title);
    SDL_Window* sdlWindow = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width,
                                             height, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (!sdlWindow) return nullptr;
    SDL_GLContext context = SDL_GL_CreateContext(sdlWindow);
    if (!context) {
        SDL_DestroyWindow(sdlWindow);
        return nullptr;
    }
    if (request.samples > 0) {
        int buffers = 0;
        SDL_GL_GetAttribute(SDL_GL_MULTISAMPLEBUFFERS, &buffers);
        if (buffers == 0) {  // the driver quietly gave a plain format: count it as refused
            SDL_GL_DeleteContext(context);
            SDL_DestroyWindow(sdlWindow);
            return nullptr;
        }
    }
    SDL_GL_SetSwapInterval(0);  // the runtime's own limiter paces frames
    return new GlWindow{sdlWindow, context};
}

void DestroyGlWindow(GlWindow* window) {
    if (!window) return;
    if (SDL_GL_GetCurrentContext() == window->context) SDL_GL_MakeCurrent(window->window, nullptr);
    SDL_GL_DeleteContext(window->context);
    SDL_DestroyWindow(window->window);
    delete window;
}

bool MakeCurrent(GlWindow* window) {
    return window && SDL_GL_MakeCurrent(window->window, window->context) == 0;
}

void SwapBuffers(GlWindow* window) {
    if (window) SDL_GL_SwapWindow(window->window);
}

void* GlProcAddress(const char* name) { return SDL_GL_GetProcAddress(name); }

bool GlContextCurrent() { return SDL_GL_GetCurrentContext() != nullptr; }

void SetWindowTitle(GlWindow* window, const char* title) {
    if (window) SDL_SetWindowTitle(window->window, Latin1ToUtf8(title).c_str());
}

std::string WindowTitle(GlWindow* window) {
    return window ? Utf8ToLatin1(SDL_GetWindowTitle(window->window)) : std::string();
}

void ShowWindow(GlWindow* window) {
    if (window) SDL_ShowWindow(window->window);
}

void HideWindow(GlWindow* window) {
    if (window) SDL_HideWindow(window->window);
}

bool WindowShown(GlWindow* window) {
    return window && (SDL_GetWindowFlags(window->window) & SDL_WINDOW_SHOWN) != 0;
}

void RaiseWindow(GlWindow* window) {
    if (window) SDL_RaiseWindow(window->window);
}

void PlaceWindowed(GlWindow* window, const Rect& area) {
    if (!window) return;
    if (SDL_GetWindowFlags(window->window) & SDL_WINDOW_FULLSCREEN) SDL_SetWindowFullscreen(window->window, 0);
    SDL_SetWindowBordered(window->window, SDL_TRUE);
    SDL_SetWindowSize(window->window, area.w, area.h);
    SDL_SetWindowPosition(window->window, area.x, area.y);
    SDL_ShowWindow(window->window);
}

bool EnterFullscreenMode(GlWindow* window, int width, int height, int bitsPerPixel) {
    if (!window) return false;
    SDL_DisplayMode want{};
    want.w = width;
    want.h = height;
    if (bitsPerPixel == 16) want.format = SDL_PIXELFORMAT_RGB565;
    else if (bitsPerPixel == 24 || bitsPerPixel == 32) want.format = SDL_PIXELFORMAT_RGB888;
    SDL_DisplayMode closest{};
    if (!SDL_GetClosestDisplayMode(DisplayOf(window), &want, &closest)) return false;
    if (bitsPerPixel != 0 && static_cast<int>(SDL_BITSPERPIXEL(closest.format)) != bitsPerPixel &&
        !(bitsPerPixel == 32 && SDL_BITSPERPIXEL(closest.format) == 24))
        return false;
    if (SDL_SetWindowDisplayMode(window->window, &closest) != 0) return false;
    SDL_SetWindowSize(window->window, width, height);
    SDL_ShowWindow(window->window);
    return SDL_SetWindowFullscreen(window->window, SDL_WINDOW_FULLSCREEN) == 0;
}

void LeaveFullscreenMode(GlWindow* window) {
    if (window) SDL_SetWindowFullscreen(window->window, 0);
}

void DrawingAreaSize(GlWindow* window, int& width, int& height) {
    width = height = 0;
    if (window) SDL_GL_GetDrawableSize(window->window, &width, &height);
}

void DesktopSize(int& width, int& height) {
    SDL_DisplayMode mode{};
    if (InitVideo() && SDL_GetDesktopDisplayMode(0, &mode) == 0) {
        width = mode.w;
        height = mode.h;
    } else {
        width = height = 0;
    }
}

int DesktopBitsPerPixel() {
    SDL_DisplayMode mode{};
    if (!InitVideo() || SDL_GetDesktopDisplayMode(0, &mode) != 0) return 32;
    int bits = SDL_BITSPERPIXEL(mode.format);
    return bits == 24 ? 32 : bits;  // 24-bit colour is stored in 32-bit pixels
}

Rect UsableBounds(GlWindow* window) {
    SDL_Rect r{};
    if (SDL_GetDisplayUsableBounds(DisplayOf(window), &r) != 0) {
        int w = 0, h = 0;
        DesktopSize(w, h);
        r = SDL_Rect{0, 0, w, h};
    }
    return Rect{r.x, r.y, r.w, r.h};
}

void DisableScreenSaver() { SDL_DisableScreenSaver(); }

}  // namespace tvk::platform
