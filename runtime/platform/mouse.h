// The system pointer over the main window.
#pragma once

namespace tvk::platform {

struct GlWindow;

// True when the window system's input (keyboard, pointer, events) can be used.
bool InputAvailable();
// Where the system pointer is, in the window's drawing-area pixels; it may lie outside the window.
void PointerPosition(GlWindow* window, int& x, int& y);
// Relative mode hides and holds the pointer so that motion keeps coming at the window's edges.
// False when the window system has no such mode.
bool SetRelativePointerMode(bool on);
void ShowPointer(bool shown);
// Moves the system pointer to a drawing-area position of the window.
void WarpPointer(GlWindow* window, int x, int y);

}  // namespace tvk::platform
