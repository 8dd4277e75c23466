#include "gl/vertex_buffer.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <utility>

#include "gl/gl_extensions.h"
#include "gl/quad_batch.h"

namespace tvk::gl {

VertexBuffer::~VertexBuffer() { Release(); }

VertexBuffer::VertexBuffer(VertexBuffer&& other) noexcept
    : name_(std::exchange(other.name_, 0)), bytes_(std::exchange(other.bytes_, 0)) {}

VertexBuffer& VertexBuffer::operator=(VertexBuffer&& other) noexcept {
    if (this != &other) {
        Release();
        name_ = std::exchange(other.name_, 0);
        bytes_ = std::exchange(other.bytes_, 0);
    }
    return *this;
}

bool VertexBuffer::Available() {
    return glGenBuffersARB && glBindBufferARB && glBufferDataARB && glDeleteBuffersARB;
}

bool VertexBuffer::Upload(const void* data, size_t bytes, bool changing) {
    if (!Available()) return false;
    FinishQuads();  // waiting quads draw from client memory; nothing of theirs is bound here
    if (!name_) glGenBuffersARB(1, &name_);
    while (glGetError() != GL_NO_ERROR) {
    }
    glBindBufferARB(GL_ARRAY_BUFFER_ARB, name_);
    glBufferDataARB(GL_ARRAY_BUFFER_ARB, static_cast<GLsizeiptrARB>(bytes), data,
                    changing ? GL_STREAM_DRAW_ARB : GL_STATIC_DRAW_ARB);
    const bool stored = glGetError() == GL_NO_ERROR;
    glBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);
    if (!stored) {
        Release();
        return false;
    }
    bytes_ = bytes;
    return true;
}

void VertexBuffer::Bind() const {
    FinishQuads();
    if (name_) glBindBufferARB(GL_ARRAY_BUFFER_ARB, name_);
}

void VertexBuffer::Unbind() {
    if (glBindBufferARB) glBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);
}

void VertexBuffer::Release() {
    if (name_ && glDeleteBuffersARB) glDeleteBuffersARB(1, &name_);
    name_ = 0;
    bytes_ = 0;
}

}  // namespace tvk::gl
