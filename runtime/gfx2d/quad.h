// The four-corner textured quad every stretched, zoomed or rotated draw uses.
#pragma once

namespace tvk {

struct QuadVertex {
    float x, y, s, t;
};

// Draws the four corners as a triangle fan from a client array, edges clamped, with the
// bound texture filtered by the smoothing switch.
void DrawQuad(const QuadVertex (&corners)[4]);

}  // namespace tvk
