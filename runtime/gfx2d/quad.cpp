#include "gfx2d/quad.h"

#include <GL/gl.h>

#include "gfx2d/renderer.h"
#include "gfx2d/texture_binding.h"
#include "gl/gl_state.h"

namespace tvk {

void DrawQuad(const QuadVertex (&c)[4]) {
    if (g_renderer) ApplySmoothingFilter(g_renderer);
    gl::SetTextureWrap(0, GL_CLAMP_TO_EDGE);
    gl::AddQuad({{c[0].x, c[0].y, 0, c[0].s, c[0].t},
                 {c[1].x, c[1].y, 0, c[1].s, c[1].t},
                 {c[2].x, c[2].y, 0, c[2].s, c[2].t},
                 {c[3].x, c[3].y, 0, c[3].s, c[3].t}},
                gl::QuadSplit::Fan);
}

void DrawRepeatingQuad(const gl::QuadCorner (&corners)[4], gl::QuadSplit split) {
    gl::SetTextureWrap(0, GL_REPEAT);
    gl::AddQuad(corners, split);
}

}  // namespace tvk
