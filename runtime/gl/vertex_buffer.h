// A GL buffer object holding vertex data, owned by whatever draws from it (a mesh frame). Without
// buffer objects in the driver it holds nothing and the owner draws from its own memory.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tvk::gl {

class VertexBuffer {
public:
    VertexBuffer() = default;
    ~VertexBuffer();
    VertexBuffer(const VertexBuffer&) = delete;
    VertexBuffer& operator=(const VertexBuffer&) = delete;
    VertexBuffer(VertexBuffer&& other) noexcept;
    VertexBuffer& operator=(VertexBuffer&& other) noexcept;

    // Whether the driver offers buffer objects (looked up with the context).
    static bool Available();
    // Replaces the contents; `changing` data is given to GL as drawn once and replaced often.
    // False (and nothing held) without buffer objects or when GL refuses the size.
    bool Upload(const void* data, size_t bytes, bool changing);
    // Makes this buffer the source of the array pointers that follow (their pointers are then
    // offsets into it); Unbind returns them to client memory.
    void Bind() const;
    static void Unbind();
    // Frees the buffer; also done by the destructor. Call while the context that made it lives.
    void Release();
    // Lets go of the buffer without telling GL: for when its context is already gone.
    void Abandon() {
        name_ = 0;
        bytes_ = 0;
    }

    bool Holds() const { return name_ != 0; }
    size_t Bytes() const { return bytes_; }

private:
    uint32_t name_ = 0;
    size_t bytes_ = 0;
};

}  // namespace tvk::gl
