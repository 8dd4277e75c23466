// Number formatting, URL and hex coding, the error text.
#include <cstdio>

#include "base/error_codes.h"
#include "tarnvik/core.h"
#include "tarnvik/values.h"
#include "values/c_locale.h"
#include "values/number_text.h"

namespace {

// Wider fields or more decimals than these are not useful and would only cost memory.
constexpr int kMaxFormatWidth = 1024;
constexpr int kMaxFormatDecimals = 512;

int Clamp(int value, int low, int high) { return value < low ? low : (value > high ? high : value); }

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool KeptInUrl(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

const char* ErrorCodeText(int32_t code) {
    switch (code) {
        case tvk::kErrorSuccess: return "success";
        case tvk::kErrorNoSuchFile: return "no such file";
        case tvk::kErrorOutOfMemory: return "out of memory";
        case tvk::kErrorOutOfBounds: return "out of bounds";
        case tvk::kErrorOutOfData: return "out of data";
        default: return "unknown error";
    }
}

}  // namespace

RtString FormatNumber(RtNumber width, RtNumber decimals, RtNumber x) {
    static RtString scratch;
    int w = Clamp(tvk::TruncateToInt(width), -kMaxFormatWidth, kMaxFormatWidth);
    int d = Clamp(tvk::TruncateToInt(decimals), 0, kMaxFormatDecimals);
    tvk::CLocaleScope cLocale;
    // The text is measured first, so no width, precision or magnitude can overflow the buffer.
    int size = std::snprintf(nullptr, 0, "%*.*f", w, d, x);
    if (size < 0) return RtString();
    char* out = scratch.RawBuffer(static_cast<uint32_t>(size));
    std::snprintf(out, static_cast<size_t>(size) + 1, "%*.*f", w, d, x);
    scratch.length = static_cast<uint32_t>(size);
    return scratch;
}

RtString UrlEncode(const RtString& s) {
    static const char kDigits[] = "0123456789abcdef";
    if (s.length == 0) return RtString();
    RtString result;
    char* out = result.RawBuffer(s.length * 3);
    uint32_t n = 0;
    for (uint32_t i = 0; i < s.length; ++i) {
        auto c = static_cast<unsigned char>(s.buffer[i]);
        if (KeptInUrl(c)) {
            out[n++] = static_cast<char>(c);
        } else {
            out[n++] = '%';
            out[n++] = kDigits[c >> 4];
            out[n++] = kDigits[c & 15];
        }
    }
    out[n] = 0;
    result.length = n;
    return result;
}

RtString UrlDecode(const RtString& s) {
    if (s.length == 0) return RtString();
    RtString result;
    char* out = result.RawBuffer(s.length);
    uint32_t n = 0;
    for (uint32_t i = 0; i < s.length; ++i) {
        char c = s.buffer[i];
        if (c == '+') {
            out[n++] = ' ';
        } else if (c != '%') {
            out[n++] = c;
        } else {
            // A broken escape is dropped: "%" with a non-hex byte loses both; "%" with one
            // digit loses the two, and the byte after them is read normally.
            int high = i + 1 < s.length ? HexValue(s.buffer[i + 1]) : -1;
            if (high < 0) {
                ++i;
                continue;
            }
            int low = i + 2 < s.length ? HexValue(s.buffer[i + 2]) : -1;
            if (low < 0) {
                ++i;
                continue;
            }
            out[n++] = static_cast<char>(high * 16 + low);
            i += 2;
        }
    }
    out[n] = 0;
    result.length = n;
    return result;
}

RtString HexText(const void* bytes, RtInt count, RtInt upperCase) {
    if (!bytes || count < 1) return RtString();
    const char* digits = upperCase ? "0123456789ABCDEF" : "0123456789abcdef";
    const auto* in = static_cast<const unsigned char*>(bytes);
    uint32_t size = static_cast<uint32_t>(count) * 2;
    RtString result;
    char* out = result.RawBuffer(size);
    for (RtInt i = 0; i < count; ++i) {
        out[2 * i] = digits[in[i] >> 4];
        out[2 * i + 1] = digits[in[i] & 15];
    }
    out[size] = 0;
    result.length = size;
    return result;
}

RtString HexText(const RtString& s, RtInt count, RtInt upperCase) {
    RtInt available = static_cast<RtInt>(s.length);
    return HexText(s.buffer, count < available ? count : available, upperCase);
}

RtString ErrorText() {
    int32_t code = GetErrorCode();
    char text[64];
    std::snprintf(text, sizeof(text), "%.4d %s", code, ErrorCodeText(code));
    return RtString(text);
}
