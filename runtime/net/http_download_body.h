// The two halves of an HTTP response as a download sees them: header bytes to skip, and body
// bytes, optionally gathered as text. Both work chunk by chunk and keep no header bytes, so a
// response of any size and shape passes through fixed state.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tvk {

// Finds the end of the headers: two line feeds in a row, carriage returns between them allowed.
class HttpHeaderSkipper {
public:
    // How many leading bytes of the chunk belong to the headers (all of them while the end has not
    // come); the bytes after those are body.
    size_t Consume(const char* bytes, size_t count);
    bool Finished() const { return finished_; }
    // Header bytes seen so far.
    uint64_t HeaderBytes() const { return headerBytes_; }

private:
    int lineFeeds_ = 0;
    bool finished_ = false;
    uint64_t headerBytes_ = 0;
};

// Body text of at most capacity - 1 characters. A chunk is taken whole only when it is shorter
// than the capacity still free, so a chunk too big is left out and a later, smaller one may come
// in. The text ends at the first zero byte it takes.
class HttpBodyText {
public:
    explicit HttpBodyText(int64_t capacity) : free_(capacity) {}
    void Add(const char* bytes, size_t count);
    const std::string& Text() const { return text_; }

private:
    std::string text_;
    int64_t free_;
    bool ended_ = false;
};

}  // namespace tvk
