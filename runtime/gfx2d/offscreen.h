// Off-screen drawing targets. Until they exist the window is always the target.
#pragma once

namespace tvk {

class OpenGLDodurudo;

// If an off-screen screen is the current target, finishes it and returns drawing to the window.
void FinishOffscreenTarget(OpenGLDodurudo* renderer);
void SelectBackBuffer(OpenGLDodurudo* renderer);
void PrepareFramebufferSupport(OpenGLDodurudo* renderer);
void ReleaseOffscreenScreens();
// Height of what is drawn into: the window, or the sprite behind an off-screen screen.
int CurrentTargetHeight(const OpenGLDodurudo* renderer);

}  // namespace tvk
