// The window with its OpenGL context, and the display it sits on.
// One backend implements this (SDL2 over Mesa); nothing above this layer sees SDL.
#pragma once

#include <string>

namespace tvk::platform {

struct GlWindow;  // opaque: a window together with its GL context

struct WindowRequest {
    int width = 0;   // drawing-area size; 0 = the backend's default
    int height = 0;
    int samples = 0;  // multisample samples; 0 = plain pixel format
    const char* title = "";
};

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
};

// Starts the video subsystem once per process; false when no display can be used.
bool InitVideo();
void QuitVideo();
std::string VideoError();

// Creates a hidden window with an RGBA 8-8-8-8, depth 24, stencil 8, double-buffered
// compatibility-profile context, current on return. Null when the pixel format or the
// context cannot be had.
GlWindow* CreateGlWindow(const WindowRequest& request);
void DestroyGlWindow(GlWindow* window);
bool MakeCurrent(GlWindow* window);
void SwapBuffers(GlWindow* window);
void* GlProcAddress(const char* name);
// Whether a GL context made by CreateGlWindow is current on this thread.
bool GlContextCurrent();

void SetWindowTitle(GlWindow* window, const char* title);
std::string WindowTitle(GlWindow* window);
void ShowWindow(GlWindow* window);
void HideWindow(GlWindow* window);
bool WindowShown(GlWindow* window);
void RaiseWindow(GlWindow* window);
// Windowed presentation: a normal window with a caption at the given drawing-area rectangle.
void PlaceWindowed(GlWindow* window, const Rect& drawingArea);
// Fullscreen at the display mode closest to the size; false when no mode fits.
bool EnterFullscreenMode(GlWindow* window, int width, int height, int bitsPerPixel);
void LeaveFullscreenMode(GlWindow* window);
void DrawingAreaSize(GlWindow* window, int& width, int& height);

// The display the window is on (or the first display without one).
void DesktopSize(int& width, int& height);
int DesktopBitsPerPixel();
Rect UsableBounds(GlWindow* window);
void DisableScreenSaver();

}  // namespace tvk::platform
