// Fuzzes the download's view of a response: header skipping, the status and Content-Length read
// from the headers, and body text over any bytes, cut into chunks of any sizes, with any text
// maximum. The fields must not depend on where the chunks were cut.
// Build: clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -Iruntime \
//        tests/fuzz/http_response_fuzz.cpp runtime/net/http_download_body.cpp \
//        runtime/net/http_header_fields.cpp -o http_response_fuzz
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "net/http_download_body.h"
#include "net/http_header_fields.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    int64_t capacity = static_cast<int8_t>(data[0]) * 8;
    size_t cut = data[1] | 1;  // chunk sizes follow a small cycle seeded by the input
    data += 2;
    size -= 2;
    tvk::HttpHeaderSkipper headers;
    tvk::HttpHeaderFields fields;
    tvk::HttpBodyText text(capacity);
    uint64_t body = 0;
    for (size_t at = 0; at < size;) {
        size_t count = cut % 1023 + 1;
        if (count > size - at) count = size - at;
        const char* chunk = reinterpret_cast<const char*>(data + at);
        size_t skipped = headers.Consume(chunk, count);
        if (skipped > count) abort();
        fields.Add(chunk, skipped);
        if (headers.Finished()) {
            text.Add(chunk + skipped, count - skipped);
            body += count - skipped;
        } else if (skipped != count) {
            abort();
        }
        at += count;
        cut = cut * 7 + 3;
    }
    if (headers.HeaderBytes() + body != size) abort();
    tvk::HttpHeaderFields whole;
    whole.Add(reinterpret_cast<const char*>(data), static_cast<size_t>(headers.HeaderBytes()));
    if (whole.Status() != fields.Status() || whole.ContentLength() != fields.ContentLength()) abort();
    if (fields.Status() != 0 && (fields.Status() < 100 || fields.Status() > 999)) abort();
    if (fields.ContentLength() < -1) abort();
    const std::string& result = text.Text();
    if (static_cast<int64_t>(result.size()) >= (capacity > 0 ? capacity : 1)) abort();
    if (std::memchr(result.data(), 0, result.size())) abort();
    return 0;
}
