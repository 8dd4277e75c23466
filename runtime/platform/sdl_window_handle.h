// The SDL window behind a GlWindow, for the other SDL parts of the platform layer.
#pragma once

struct SDL_Window;

namespace tvk::platform {

struct GlWindow;
SDL_Window* SdlWindowOf(GlWindow* window);

}  // namespace tvk::platform
