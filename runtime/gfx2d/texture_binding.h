// Binding sprite-slot textures for drawing.
#pragma once

#include <cstdint>

namespace tvk {

class OpenGLDodurudo;

// Slot -1 turns texturing off. With a second slot (multitexture only) the first slot goes
// to unit 1 and the second to unit 0. Unknown slots bind nothing. `names`, when given,
// replaces the slots' own texture names. The draw that follows sets unit 0's wrap mode.
void BindTexture(OpenGLDodurudo* r, int32_t slot, int32_t secondSlot, bool mipmapped,
                 const uint32_t* names = nullptr);
// Magnification and minification of the texture on unit 0 from the smoothing switch.
void ApplySmoothingFilter(const OpenGLDodurudo* r);

}  // namespace tvk
