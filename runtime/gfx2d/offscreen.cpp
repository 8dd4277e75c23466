#include "gfx2d/offscreen.h"

namespace tvk {

void FinishOffscreenTarget(OpenGLDodurudo*) {}
void SelectBackBuffer(OpenGLDodurudo*) {}
void PrepareFramebufferSupport(OpenGLDodurudo*) {}
void ReleaseOffscreenScreens() {}

}  // namespace tvk
