// A counted view of a text operand: an RtString or a zero-terminated literal.
#pragma once

#include <cstdint>
#include <cstring>

#include "tarnvik/rt_string.h"

namespace tvk {

struct CountedText {
    CountedText(const RtString& s) : data(s.buffer), size(s.length) {}  // NOLINT: either operand kind
    CountedText(const char* text)                                        // NOLINT
        : data(text ? text : ""), size(text ? static_cast<uint32_t>(std::strlen(text)) : 0) {}
    const char* data;
    uint32_t size;
};

}  // namespace tvk
