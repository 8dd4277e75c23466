// Slicing, trimming, case and character codes.
#include "tarnvik/values.h"
#include "values/number_text.h"

namespace {

struct ByteSet {
    explicit ByteSet(const RtString& set) {
        for (uint32_t i = 0; i < set.length; ++i) member[static_cast<unsigned char>(set.buffer[i])] = true;
    }
    bool Has(char c) const { return member[static_cast<unsigned char>(c)]; }
    bool member[256] = {};
};

template <class Change>
RtString MapBytes(const RtString& s, Change change) {
    RtString result(s);
    for (uint32_t i = 0; i < result.length; ++i) result.buffer[i] = change(result.buffer[i]);
    return result;
}

}  // namespace

RtString MidString(const RtString& s, RtInt start, RtInt count) {
    if (start < 0 || static_cast<uint32_t>(start) >= s.length) return RtString();
    uint32_t rest = s.length - static_cast<uint32_t>(start);
    uint32_t take = (count < 0 || static_cast<uint32_t>(count) > rest) ? rest : static_cast<uint32_t>(count);
    RtString result;
    result.Assign(s.buffer + start, take);
    return result;
}

RtString TrimRight(const RtString& s, const RtString& set) {
    ByteSet trim(set);
    uint32_t end = s.length;
    while (end > 0 && trim.Has(s.buffer[end - 1])) --end;
    RtString result;
    result.Assign(s.buffer, end);
    return result;
}

RtString TrimLeft(const RtString& s, const RtString& set) {
    ByteSet trim(set);
    uint32_t begin = 0;
    while (begin < s.length && trim.Has(s.buffer[begin])) ++begin;
    RtString result;
    result.Assign(s.buffer + begin, s.length - begin);
    return result;
}

// Explicit ASCII mapping: the same answer whatever locale the process runs in.
RtString UpperCase(const RtString& s) {
    return MapBytes(s, [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; });
}

RtString LowerCase(const RtString& s) {
    return MapBytes(s, [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; });
}

RtInt CharCode(const RtString& s) { return static_cast<unsigned char>(s.buffer[0]); }

RtString CharFromCode(RtInt n) {
    // Always one byte long, even for code 0, so byte-building programs keep their lengths.
    RtString result;
    char* p = result.RawBuffer(1);
    p[0] = static_cast<char>(n & 0xFF);
    p[1] = 0;
    result.length = 1;
    return result;
}

RtInt NumberTextLength(RtNumber x) {
    char text[tvk::kNumberTextSize];
    return tvk::NumberToText(x, text);
}

RtInt IntTextLength(RtInt n) {
    char text[tvk::kNumberTextSize];
    return tvk::IntToText(n, text);
}
