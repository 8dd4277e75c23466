// RtString: the runtime's one text type, a byte string in the program's 8-bit code page.
#pragma once

#include <cstdint>

using RtInt = int32_t;
using RtNumber = double;

class RtString {
public:
    RtString();
    RtString(const char* text);  // NOLINT: translated programs convert literals implicitly
    RtString(const RtString& other);
    RtString(RtString&& other) noexcept;
    ~RtString();

    RtString& operator=(const RtString& other);
    RtString& operator=(RtString&& other) noexcept;
    RtString& operator=(const char* text);

    const char* c_str() const { return buffer; }
    uint32_t Length() const { return length; }
    bool Empty() const { return length == 0; }

    void Reserve(uint32_t count, bool keep = true);
    void Assign(const char* text, uint32_t count);
    RtString& operator+=(const char* text);
    RtString& operator+=(const RtString& other);
    void Release();

    // Fields in this order; debuggers read strings through the variable tables.
    char* buffer;
    uint32_t capacity;
    uint32_t length;
};
