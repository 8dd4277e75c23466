#include "gl/quad_batch.h"

#include <GL/gl.h>

#include <vector>

#include "gl/gl_state.h"

namespace tvk::gl {
namespace {

static_assert(sizeof(QuadCorner) == 20);

// Four corners per quad and six indices naming its two triangles: the driver shades each corner
// once, as it would for a GL quad.
struct Batch {
    std::vector<QuadCorner> corners;
    std::vector<uint32_t> indices;
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
    Batch& b = TheBatch();
    const uint32_t first = static_cast<uint32_t>(b.corners.size());
    b.corners.insert(b.corners.end(), corners, corners + 4);
    for (int i = 0; i < 6; ++i) b.indices.push_back(first + static_cast<uint32_t>(order[i]));
}

void FinishQuads() {
    Batch& b = TheBatch();
    if (b.corners.empty()) return;
    SetClientArrays({.vertices = true, .textureCoordinates = true});
    glVertexPointer(3, GL_FLOAT, sizeof(QuadCorner), &b.corners[0].x);
    glTexCoordPointer(2, GL_FLOAT, sizeof(QuadCorner), &b.corners[0].s);
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(b.indices.size()), GL_UNSIGNED_INT, b.indices.data());
    b.corners.clear();
    b.indices.clear();
    ++b.draws;
}

bool QuadsWaiting() { return !TheBatch().corners.empty(); }

uint64_t TakeQuadDrawCount() {
    uint64_t n = TheBatch().draws;
    TheBatch().draws = 0;
    return n;
}

}  // namespace tvk::gl
