#include "gfx2d/offscreen.h"

#include "gfx2d/renderer.h"

namespace tvk {

void FinishOffscreenTarget(OpenGLDodurudo*) {}
void SelectBackBuffer(OpenGLDodurudo*) {}
void PrepareFramebufferSupport(OpenGLDodurudo*) {}
void ReleaseOffscreenScreens() {}
int CurrentTargetHeight(const OpenGLDodurudo* renderer) { return renderer->height; }

}  // namespace tvk
