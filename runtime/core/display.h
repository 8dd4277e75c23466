// The main window and its GL context: creation, windowed and fullscreen presentation, teardown.
#pragma once

#include <cstdint>

namespace tvk {

class OpenGLDodurudo;

bool CreateDisplay(OpenGLDodurudo* renderer, int32_t width, int32_t height, int32_t bitsPerPixel,
                   int32_t frameRate, int32_t multisample);
int EnterWindowed(OpenGLDodurudo* renderer);
bool EnterFullscreen(OpenGLDodurudo* renderer);
int HideDisplay(OpenGLDodurudo* renderer);

// Desktop size captured when the window was made.
void GetCapturedDesktopSize(int32_t& width, int32_t& height);

// A run started hidden stays hidden: nothing shows the window.
void SetHiddenRun(bool hidden);
bool HiddenRun();

}  // namespace tvk
