#include "gfx2d/frame_assets.h"

namespace tvk {

void DeleteBackgroundTextures() {}
void DrawBackgroundImage(int) {}
void FreeBackgroundImage(int) {}
void DisableActiveShader() {}

}  // namespace tvk
