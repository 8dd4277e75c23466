#include "gfx2d/quad.h"

#include <GL/gl.h>

#include "gfx2d/renderer.h"
#include "gfx2d/texture_binding.h"

namespace tvk {

static_assert(sizeof(QuadVertex) == 16);

void DrawQuad(const QuadVertex (&corners)[4]) {
    if (g_renderer) ApplySmoothingFilter(g_renderer);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(2, GL_FLOAT, sizeof(QuadVertex), &corners[0].x);
    glTexCoordPointer(2, GL_FLOAT, sizeof(QuadVertex), &corners[0].s);
    glDrawArrays(GL_TRIANGLE_FAN, 0, 4);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
}

}  // namespace tvk
