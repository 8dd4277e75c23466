// The two things a download reads from response headers: the status of the status line and the
// body's declared length. Fed the header bytes chunk by chunk, it keeps at most one line of
// kMaxHttpFieldLine bytes, so headers of any size pass through bounded state.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tvk {

inline constexpr size_t kMaxHttpFieldLine = 256;

class HttpHeaderFields {
public:
    // Header bytes only, line ends included (the body never comes here).
    void Add(const char* bytes, size_t count);
    // 100..999 from a first line "HTTP/<digits>.<digits> <3 digits>[ reason]"; 0 when the first
    // line is no status line (empty lines before it are skipped).
    int Status() const { return status_; }
    // The Content-Length, or -1 when there is none, it is no plain decimal number, or two of them
    // disagree.
    int64_t ContentLength() const { return conflicting_ ? -1 : length_; }

private:
    void EndLine();

    std::string line_;
    bool lineCut_ = false;  // the line was longer than kMaxHttpFieldLine
    bool sawStatusLine_ = false;
    int status_ = 0;
    int64_t length_ = -1;
    bool conflicting_ = false;
};

}  // namespace tvk
