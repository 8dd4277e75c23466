// Off-screen drawing targets. Until they exist the window is always the target.
#pragma once

#include <cstdint>

namespace tvk {

class OpenGLDodurudo;

// If an off-screen screen is the current target, finishes it and returns drawing to the window.
void FinishOffscreenTarget(OpenGLDodurudo* renderer);
void SelectBackBuffer(OpenGLDodurudo* renderer);
void PrepareFramebufferSupport(OpenGLDodurudo* renderer);
void ReleaseOffscreenScreens();
// Height of what is drawn into: the window, or the sprite behind an off-screen screen.
int CurrentTargetHeight(const OpenGLDodurudo* renderer);

struct RgbaImage;
// The window's back buffer as a picture, top row first, every pixel opaque. False when there is
// no display or memory runs out.
bool ReadBackBuffer(const OpenGLDodurudo* renderer, RgbaImage& image);
// The back buffer cut into the tiles of background image `index`.
bool GrabScreenToBackground(const OpenGLDodurudo* renderer, int32_t index);

}  // namespace tvk
