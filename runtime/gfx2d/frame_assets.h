// Sprite slots, background images, fonts and shaders as the frame loop and
// start-up see them. The drawing subsystems fill these in.
#pragma once

#include <string>

namespace tvk {

void DeleteBackgroundTextures();
void DrawBackgroundImage(int index);
void FreeBackgroundImage(int index);
void DisableActiveShader();

void BuildBuiltinFont();
// Loads a font picture into font slot 0; false if it cannot be read.
bool LoadDefaultFont(const std::string& resolvedName);
void SelectCurrentFont(int font);

}  // namespace tvk
