#include "gl/quad_batch.h"

#include <GL/gl.h>

#include <vector>

#include "gl/gl_state.h"

namespace tvk::gl {
namespace {

static_assert(sizeof(QuadCorner) == 20);

struct Batch {
    std::vector<QuadCorner> corners;  // six per quad: two triangles
    uint64_t draws = 0;
};

Batch& TheBatch() {
    static Batch batch;
    return batch;
}

// Corner order of the two triangles for each split.
constexpr int kOrder[3][6] = {
    {0, 1, 2, 0, 2, 3},  // fan
    {0, 1, 3, 1, 2, 3},  // quad
    {0, 1, 2, 2, 1, 3},  // strip
};

}  // namespace

void AddQuad(const QuadCorner (&corners)[4], QuadSplit split) {
    const int* order = kOrder[static_cast<int>(split)];
    std::vector<QuadCorner>& v = TheBatch().corners;
    for (int i = 0; i < 6; ++i) v.push_back(corners[order[i]]);
}

void FinishQuads() {
    Batch& b = TheBatch();
    if (b.corners.empty()) return;
    SetClientArrays({.vertices = true, .textureCoordinates = true});
    glVertexPointer(3, GL_FLOAT, sizeof(QuadCorner), &b.corners[0].x);
    glTexCoordPointer(2, GL_FLOAT, sizeof(QuadCorner), &b.corners[0].s);
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(b.corners.size()));
    b.corners.clear();
    ++b.draws;
}

bool QuadsWaiting() { return !TheBatch().corners.empty(); }

uint64_t TakeQuadDrawCount() {
    uint64_t n = TheBatch().draws;
    TheBatch().draws = 0;
    return n;
}

}  // namespace tvk::gl
