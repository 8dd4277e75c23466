#include "net/http_header_fields.h"

#include <cctype>
#include <string_view>

namespace tvk {

namespace {

// Decimal lengths beyond this are no real body; they are taken as no length at all.
constexpr int64_t kMaxContentLength = INT64_C(1) << 53;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// "HTTP/1.0 404 Not Found" -> 404; 0 for anything else.
int ParseStatusLine(std::string_view line) {
    constexpr std::string_view kPrefix = "HTTP/";
    if (line.size() < kPrefix.size() || line.substr(0, kPrefix.size()) != kPrefix) return 0;
    size_t at = kPrefix.size();
    auto digits = [&] {
        size_t start = at;
        while (at < line.size() && IsDigit(line[at])) ++at;
        return at > start;
    };
    if (!digits() || at >= line.size() || line[at++] != '.' || !digits()) return 0;
    if (at >= line.size() || line[at] != ' ') return 0;
    while (at < line.size() && line[at] == ' ') ++at;
    if (line.size() - at < 3 || !IsDigit(line[at]) || !IsDigit(line[at + 1]) || !IsDigit(line[at + 2])) return 0;
    if (line.size() - at > 3 && line[at + 3] != ' ') return 0;
    int status = (line[at] - '0') * 100 + (line[at + 1] - '0') * 10 + (line[at + 2] - '0');
    return status >= 100 ? status : 0;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
    return true;
}

// The value of "Content-Length: <digits>", blanks around it allowed; -1 when it is anything else.
int64_t ParseLength(std::string_view value) {
    while (!value.empty() && (value.front() == ' ' || value.front() == '\t')) value.remove_prefix(1);
    while (!value.empty() && (value.back() == ' ' || value.back() == '\t')) value.remove_suffix(1);
    if (value.empty()) return -1;
    int64_t length = 0;
    for (char c : value) {
        if (!IsDigit(c)) return -1;
        length = length * 10 + (c - '0');
        if (length > kMaxContentLength) return -1;
    }
    return length;
}

}  // namespace

void HttpHeaderFields::Add(const char* bytes, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        if (bytes[i] == '\n') {
            EndLine();
        } else if (line_.size() < kMaxHttpFieldLine) {
            line_.push_back(bytes[i]);
        } else {
            lineCut_ = true;
        }
    }
}

void HttpHeaderFields::EndLine() {
    std::string_view line = line_;
    while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!sawStatusLine_) {
        // Empty lines before the status line are skipped; a long reason phrase is cut, its
        // status is still read.
        if (!line.empty() || lineCut_) {
            sawStatusLine_ = true;
            status_ = ParseStatusLine(line);
        }
    } else if (!lineCut_ && StartsWithNoCase(line, "content-length:")) {
        // A cut line's value is not all there: it counts as no length.
        int64_t length = ParseLength(line.substr(15));
        if (length >= 0) {
            if (length_ >= 0 && length_ != length) conflicting_ = true;
            length_ = length;
        }
    }
    line_.clear();
    lineCut_ = false;
}

}  // namespace tvk
