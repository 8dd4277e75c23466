// Binding sprite-slot textures for drawing.
#pragma once

#include <cstdint>

namespace tvk {

class OpenGLDodurudo;

// Slot -1 turns texturing off. With a second slot (multitexture only) the first slot goes
// to unit 1 and the second to unit 0. Unknown slots bind nothing. `names`, when given,
// replaces the slots' own texture names.
void BindTexture(OpenGLDodurudo* renderer, int32_t slot, int32_t secondSlot, bool mipmapped,
                 const uint32_t* names = nullptr);
// Magnification and minification of the bound texture from the smoothing switch.
void ApplySmoothingFilter(const OpenGLDodurudo* renderer);

}  // namespace tvk
