// Searching, replacing and splitting text.
#include "tarnvik/values.h"
#include "values/byte_search.h"
#include "values/counted_text.h"

namespace {

using tvk::CountedText;

RtInt FindFrom(CountedText s, CountedText find, RtInt start) {
    // A negative start is outside the text like one past its end.
    if (start < 0 || static_cast<uint32_t>(start) >= s.size) return -1;
    int64_t at = tvk::FindBytes(s.data + start, s.size - start, find.data, find.size);
    return at < 0 ? -1 : static_cast<RtInt>(at + start);
}

RtInt FindLast(CountedText s, CountedText find, RtInt start) {
    if (start < 0) {
        start = static_cast<RtInt>(int64_t(s.size) - find.size);
        if (start < 0) return -1;
    }
    RtInt found = -1;
    for (RtInt at = FindFrom(s, find, 0); at >= 0 && at <= start; at = FindFrom(s, find, at + 1)) found = at;
    return found;
}

}  // namespace

RtInt FindString(const RtString& s, const RtString& find, RtInt start) { return FindFrom(s, find, start); }
RtInt FindString(const RtString& s, const char* find, RtInt start) { return FindFrom(s, find, start); }
RtInt FindString(const char* s, const RtString& find, RtInt start) { return FindFrom(s, find, start); }
RtInt FindString(const char* s, const char* find, RtInt start) { return FindFrom(s, find, start); }

RtInt FindStringReverse(const RtString& s, const RtString& find, RtInt start) { return FindLast(s, find, start); }
RtInt FindStringReverse(const RtString& s, const char* find, RtInt start) { return FindLast(s, find, start); }
RtInt FindStringReverse(const char* s, const RtString& find, RtInt start) { return FindLast(s, find, start); }
RtInt FindStringReverse(const char* s, const char* find, RtInt start) { return FindLast(s, find, start); }

RtString ReplaceAll(const RtString& s, const RtString& find, const RtString& replacement) {
    // Scanning resumes after each inserted replacement, so the text searched is always the rest
    // of the original: one pass over it gives the same result as editing a copy in place.
    RtString result;
    uint32_t done = 0;
    while (done < s.length) {
        int64_t at = tvk::FindBytes(s.buffer + done, s.length - done, find.buffer, find.length);
        if (at < 0) break;
        result.Append(s.buffer + done, static_cast<uint32_t>(at));
        result.Append(replacement.buffer, replacement.length);
        done += static_cast<uint32_t>(at) + find.length;
    }
    if (done == 0) return s;
    result.Append(s.buffer + done, s.length - done);
    return result;
}

RtInt SplitString(const RtString& text, const RtString& delimiters, RtStringArray& pieces, RtInt skipEmpty) {
    bool isDelimiter[256] = {};
    for (uint32_t i = 0; i < delimiters.length; ++i) isDelimiter[static_cast<unsigned char>(delimiters.buffer[i])] = true;
    auto delimiterAt = [&](uint32_t i) { return isDelimiter[static_cast<unsigned char>(text.buffer[i])]; };

    RedimArray(pieces, 0);
    RtString piece;
    uint32_t pos = 0;
    while (true) {
        if (skipEmpty)
            while (pos < text.length && delimiterAt(pos)) ++pos;
        if (pos >= text.length) break;
        uint32_t end = pos;
        while (end < text.length && !delimiterAt(end)) ++end;
        piece.Assign(text.buffer + pos, end - pos);
        PushElement(pieces, piece);
        pos = end + 1;
    }
    return ArraySize(pieces, 0);
}
