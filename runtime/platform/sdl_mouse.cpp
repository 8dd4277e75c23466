// The system pointer over SDL2.
#include <SDL2/SDL.h>

#include "platform/mouse.h"
#include "platform/sdl_window_handle.h"
#include "platform/window.h"

namespace tvk::platform {

bool InputAvailable() { return InitVideo() && SDL_WasInit(SDL_INIT_EVENTS) != 0; }

void PointerPosition(GlWindow* window, int& x, int& y) {
    x = y = 0;
    SDL_Window* w = SdlWindowOf(window);
    if (!w) return;
    int globalX = 0, globalY = 0, windowX = 0, windowY = 0;
    SDL_GetGlobalMouseState(&globalX, &globalY);
    SDL_GetWindowPosition(w, &windowX, &windowY);
    x = globalX - windowX;
    y = globalY - windowY;
}

bool SetRelativePointerMode(bool on) {
    return InitVideo() && SDL_SetRelativeMouseMode(on ? SDL_TRUE : SDL_FALSE) == 0;
}

void ShowPointer(bool shown) {
    if (InitVideo()) SDL_ShowCursor(shown ? SDL_ENABLE : SDL_DISABLE);
}

void WarpPointer(GlWindow* window, int x, int y) {
    if (SDL_Window* w = SdlWindowOf(window)) SDL_WarpMouseInWindow(w, x, y);
}

}  // namespace tvk::platform
