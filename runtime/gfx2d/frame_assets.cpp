#include "gfx2d/frame_assets.h"

namespace tvk {

void DeleteBackgroundTextures() {}
void DrawBackgroundImage(int) {}
void FreeBackgroundImage(int) {}
void DisableActiveShader() {}
void BuildBuiltinFont() {}
bool LoadDefaultFont(const std::string&) { return false; }
void SelectCurrentFont(int) {}

}  // namespace tvk
