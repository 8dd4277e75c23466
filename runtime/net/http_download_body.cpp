#include "net/http_download_body.h"

#include <cstring>

namespace tvk {

size_t HttpHeaderSkipper::Consume(const char* bytes, size_t count) {
    if (finished_) return 0;
    for (size_t i = 0; i < count; ++i) {
        if (bytes[i] == '\n') ++lineFeeds_;
        else if (bytes[i] != '\r') lineFeeds_ = 0;
        if (lineFeeds_ == 2) {
            finished_ = true;
            headerBytes_ += i + 1;
            return i + 1;
        }
    }
    headerBytes_ += count;
    return count;
}

void HttpBodyText::Add(const char* bytes, size_t count) {
    if (count == 0 || static_cast<int64_t>(count) >= free_) return;
    free_ -= static_cast<int64_t>(count);
    if (ended_) return;
    const void* zero = std::memchr(bytes, 0, count);
    size_t length = zero ? static_cast<size_t>(static_cast<const char*>(zero) - bytes) : count;
    text_.append(bytes, length);
    ended_ = zero != nullptr;
}

}  // namespace tvk
