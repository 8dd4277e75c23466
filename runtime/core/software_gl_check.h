// Warns once per process when OpenGL runs on a software rasteriser.
#pragma once

namespace tvk {

// True when the renderer string names a software implementation.
bool IsSoftwareRenderer(const char* rendererString);
void CheckSoftwareRenderer();

}  // namespace tvk
