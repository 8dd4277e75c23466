// The textured vertex batch: fans, triangle lists and strips drawn from one client array.
#include <GL/gl.h>

#include <cstring>
#include <memory>

#include "base/colour.h"
#include "gfx2d/renderer.h"
#include "gfx2d/sprite_slots.h"
#include "gfx2d/texture_binding.h"
#include "gl/gl_state.h"
#include "gl/quad_batch.h"
#include "tarnvik/gfx2d.h"

namespace tvk {
namespace {

#pragma pack(push, 1)
struct BatchVertex {
    float x, y, s, t;
    uint8_t rgba[4];
};
#pragma pack(pop)
static_assert(sizeof(BatchVertex) == 20);

constexpr uint32_t kGrowthChunk = 1024;  // vertices

struct Batch {
    std::unique_ptr<BatchVertex[]> vertices;
    uint32_t count = 0;
    uint32_t capacity = 0;
    GLenum mode = GL_TRIANGLE_FAN;
    bool drawable = false;  // an unknown mode draws nothing
    int32_t slot = -1;
    float invTextureWidth = 0, invTextureHeight = 0;
    float imageHeight = 0;
    bool ownColour = false;
    bool restartPending = false;

    void Append(const BatchVertex& v) {
        if (count == capacity) {
            uint32_t grown = capacity + kGrowthChunk;
            std::unique_ptr<BatchVertex[]> bigger(new BatchVertex[grown]);
            if (count) std::memcpy(bigger.get(), vertices.get(), count * sizeof(BatchVertex));
            vertices = std::move(bigger);
            capacity = grown;
        }
        vertices[count++] = v;
    }
};

Batch& TheBatch() {
    static Batch batch;
    return batch;
}

}  // namespace
}  // namespace tvk

void StartPoly(RtInt slot, RtInt mode) {
    tvk::Batch& b = tvk::TheBatch();
    b.count = 0;
    b.ownColour = false;
    b.restartPending = false;
    b.drawable = mode >= 0 && mode <= 2;
    b.mode = mode == 1 ? GL_TRIANGLES : mode == 2 ? GL_TRIANGLE_STRIP : GL_TRIANGLE_FAN;
    const tvk::SpriteSlot* s = slot >= 0 ? tvk::FindSlot(slot) : nullptr;
    b.slot = s ? slot : -1;  // a slot outside the table draws untextured
    if (s && s->textureWidth > 0 && s->textureHeight > 0) {
        b.invTextureWidth = 1.0f / s->textureWidth;
        b.invTextureHeight = 1.0f / s->textureHeight;
        b.imageHeight = s->imageHeight;
    } else {
        b.invTextureWidth = b.invTextureHeight = 0;
        b.imageHeight = 0;
    }
    if (tvk::g_renderer && tvk::g_renderer->window) tvk::BindTexture(tvk::g_renderer, b.slot, -1, false);
}

void AddPolyVertex(RtNumber x, RtNumber y, RtNumber tx, RtNumber ty, RtInt colour) {
    tvk::Batch& b = tvk::TheBatch();
    tvk::BatchVertex v{};
    v.x = static_cast<float>(x);
    v.y = static_cast<float>(y);
    if (b.slot >= 0) {
        v.s = static_cast<float>(tx) * b.invTextureWidth;
        v.t = (b.imageHeight - static_cast<float>(ty)) * b.invTextureHeight;
    }
    if (colour == 0xFFFFFF) {
        v.rgba[0] = v.rgba[1] = v.rgba[2] = 255;
    } else {
        const tvk::ColourBytes c = tvk::SplitColour(static_cast<uint32_t>(colour));
        v.rgba[0] = c.red;
        v.rgba[1] = c.green;
        v.rgba[2] = c.blue;
        b.ownColour = true;
    }
    const tvk::OpenGLDodurudo* r = tvk::g_renderer;
    float alpha = r ? r->currentAlpha : 1.0f;
    if (r && colour == r->transparentColour) v.rgba[3] = 0;
    else v.rgba[3] = alpha == 1.0f ? 255 : static_cast<uint8_t>(alpha * 255.0f);
    if (b.restartPending) {
        b.Append(v);  // the second half of the degenerate join between two strips
        b.restartPending = false;
    }
    b.Append(v);
}

void NextPolyStrip() {
    tvk::Batch& b = tvk::TheBatch();
    if (b.count == 0 || b.restartPending) return;
    tvk::BatchVertex last = b.vertices[b.count - 1];
    b.Append(last);
    b.restartPending = true;
}

void EndPoly() {
    tvk::Batch& b = tvk::TheBatch();
    tvk::OpenGLDodurudo* r = tvk::g_renderer;
    if (!r || !r->window || !b.drawable || b.count == 0) return;
    const bool textured = b.slot >= 0;
    const bool coloured = b.ownColour || r->currentAlpha != 1.0f;
    const GLsizei stride = sizeof(tvk::BatchVertex);
    tvk::gl::FinishQuads();  // sprites drawn before the batch stay under it
    tvk::gl::SetClientArrays({.vertices = true, .textureCoordinates = textured, .colours = coloured});
    glVertexPointer(2, GL_FLOAT, stride, &b.vertices[0].x);
    if (textured) {
        glTexCoordPointer(2, GL_FLOAT, stride, &b.vertices[0].s);
        tvk::ApplySmoothingFilter(r);
        tvk::gl::SetTextureWrap(0, GL_REPEAT);
    }
    if (coloured) {
        glEnable(GL_DITHER);
        glShadeModel(GL_SMOOTH);
        glColorPointer(4, GL_UNSIGNED_BYTE, stride, b.vertices[0].rgba);
    }
    glDrawArrays(b.mode, 0, static_cast<GLsizei>(b.count));
    if (coloured) {
        tvk::gl::ColourChangedByDraw();
        tvk::gl::SetColour(1, 1, 1, r->currentAlpha);
        glShadeModel(GL_FLAT);
        glDisable(GL_DITHER);
    }
}
