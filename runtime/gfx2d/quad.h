// The textured quads of 2D drawing: every sprite, animation frame, background tile and glyph.
#pragma once

#include "gl/quad_batch.h"

namespace tvk {

struct QuadVertex {
    float x, y, s, t;
};

// A stretched, zoomed or rotated quad: edges clamped, the texture on unit 0 filtered by the
// smoothing switch, split as a triangle fan of the four corners.
void DrawQuad(const QuadVertex (&corners)[4]);
// A quad at its picture's own size: the texture repeats, as the bind left it.
void DrawRepeatingQuad(const gl::QuadCorner (&corners)[4], gl::QuadSplit split);

}  // namespace tvk
