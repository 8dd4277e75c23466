// Textured quads wait here and go to GL as one draw of triangles until the state they are drawn
// with changes (gl_state.h) or someone needs the picture: sprites, animation frames and text
// each cost a few stores instead of a draw of their own.
#pragma once

#include <cstdint>

namespace tvk::gl {

struct QuadCorner {
    float x, y, z, s, t;
};

// The two triangles a quad's corners are split into, as the primitive each drawing command used to
// be sent as split them: the same split (same corners, same order) keeps every pixel in place.
enum class QuadSplit : uint8_t {
    Fan,    // a triangle fan of the four corners: (0 1 2) (0 2 3)
    Quad,   // a GL quad: (0 1 3) (1 2 3)
    Strip,  // a triangle strip: (0 1 2) (2 1 3)
};

// Appends a quad drawn with the state now set: texture, parameters, blending, colour, matrices.
void AddQuad(const QuadCorner (&corners)[4], QuadSplit split);
// Draws the waiting quads. Every GL call outside this layer that draws, reads pixels or changes
// what the waiting quads depend on (matrices, viewport, shaders, frame buffers) comes after it.
void FinishQuads();
// Quads waiting, and draws sent since the counter was last read (for tests and benchmarks).
bool QuadsWaiting();
uint64_t TakeQuadDrawCount();

}  // namespace tvk::gl
