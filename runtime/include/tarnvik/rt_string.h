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
    // Numbers become text by the runtime's number rules (see NumberToText).
    explicit RtString(RtInt value);
    explicit RtString(RtNumber value);
    explicit RtString(float value);
    // Wide text converted in the current locale.
    explicit RtString(const wchar_t* text);
    ~RtString();

    RtString& operator=(const RtString& other);
    RtString& operator=(RtString&& other) noexcept;
    RtString& operator=(const char* text);

    const char* c_str() const { return buffer; }
    uint32_t Length() const { return length; }
    bool Empty() const { return length == 0; }

    // Makes room for count text bytes plus the terminator. Capacity grows to
    // ((count + 1) rounded down to a multiple of 16) + 16 and never shrinks. Without keep the
    // text is dropped.
    void Reserve(uint32_t count, bool keep = true);
    // Reserve that reports a failed allocation (false, the string unchanged) instead of
    // ending the process.
    bool TryReserve(uint32_t count, bool keep = true);
    void Assign(const RtString& other);
    void Assign(const char* text);
    void Assign(const char* text, uint32_t count);
    void Append(const char* text, uint32_t count);
    RtString& operator+=(const char* text);
    RtString& operator+=(const RtString& other);
    RtString& operator+=(RtInt value);
    RtString& operator+=(float value);
    RtString& operator+=(RtNumber value);
    // Cuts the text to newLength bytes when 0 <= newLength < Length(); otherwise nothing.
    void Truncate(RtInt newLength);
    // A writable buffer of at least size bytes; call RecountLength after writing into it.
    char* RawBuffer(uint32_t size);
    void RecountLength();
    // The text as wide characters in one shared buffer, valid until the next call. Text beyond
    // 511 characters is cut off.
    const wchar_t* ToWide() const;
    void Release();

    // Fields in this order; debuggers read strings through the variable tables.
    char* buffer;
    uint32_t capacity;  // bytes owned at buffer, terminator included; 0 for the shared empty buffer
    uint32_t length;
};

// Concatenation: the left operand becomes a new string and the right one is appended. Numbers
// become text by the runtime's number rules. A result too long to hold records error 7.

/// Joins two texts, or a text and a number in either order.
/// left: the first part
/// right: the second part
/// Returns: the joined text
/// Errors: 7 when the result is too long to hold (4 GiB) or memory runs out
RtString operator+(const RtString& left, const RtString& right);
RtString operator+(const RtString& left, const char* right);
RtString operator+(const char* left, const RtString& right);
RtString operator+(const RtString& left, RtInt right);
RtString operator+(const RtString& left, float right);
RtString operator+(const RtString& left, RtNumber right);
RtString operator+(RtInt left, const RtString& right);
RtString operator+(float left, const RtString& right);
RtString operator+(RtNumber left, const RtString& right);
/// Joins the pairs C++ cannot overload: a text literal with a text literal or with a number.
/// left: the first part
/// right: the second part
/// Returns: the joined text
/// Errors: 7 when the result is too long to hold or memory runs out
RtString Concat(const char* left, const char* right);
RtString Concat(const char* left, RtInt right);
RtString Concat(const char* left, float right);
RtString Concat(const char* left, RtNumber right);
RtString Concat(RtInt left, const char* right);
RtString Concat(float left, const char* right);
RtString Concat(RtNumber left, const char* right);

/// Three-way comparison of a string with a text (bytes) or with a number (the text read as a number).
/// left: the string
/// right: a text, compared byte by byte up to a zero byte; or a number (an integer reads the text as a
/// whole number)
/// Returns: with a text, strcmp's sign (negative, 0, positive); with a number −1, 0 or 1
int CompareValues(const RtString& left, const char* right);
int CompareValues(const RtString& left, RtNumber right);
int CompareValues(const RtString& left, RtInt right);

// Comparisons yield 1 or 0. Text with text compares bytes (up to a zero byte); text with a number
// compares numbers, the text read as a number.
#define TVK_DECLARE_STRING_COMPARISON(op)                     \
    RtInt operator op(const RtString& left, const RtString& right); \
    RtInt operator op(const RtString& left, const char* right);     \
    RtInt operator op(const char* left, const RtString& right);     \
    RtInt operator op(const RtString& left, RtNumber right);        \
    RtInt operator op(RtNumber left, const RtString& right);        \
    RtInt operator op(const RtString& left, float right);           \
    RtInt operator op(float left, const RtString& right);           \
    RtInt operator op(const RtString& left, RtInt right);           \
    RtInt operator op(RtInt left, const RtString& right);
/// Equal: the same bytes, or the same number.
/// left: a string, a text or a number
/// right: a string, a text or a number
/// Returns: 1 or 0
TVK_DECLARE_STRING_COMPARISON(==)
/// Not equal.
/// left: a string, a text or a number
/// right: a string, a text or a number
/// Returns: 1 or 0
TVK_DECLARE_STRING_COMPARISON(!=)
/// Less: bytes in order (unsigned), or numbers.
/// left: a string, a text or a number
/// right: a string, a text or a number
/// Returns: 1 or 0
TVK_DECLARE_STRING_COMPARISON(<)
/// Greater: bytes in order (unsigned), or numbers.
/// left: a string, a text or a number
/// right: a string, a text or a number
/// Returns: 1 or 0
TVK_DECLARE_STRING_COMPARISON(>)
/// Less or equal.
/// left: a string, a text or a number
/// right: a string, a text or a number
/// Returns: 1 or 0
TVK_DECLARE_STRING_COMPARISON(<=)
/// Greater or equal.
/// left: a string, a text or a number
/// right: a string, a text or a number
/// Returns: 1 or 0
TVK_DECLARE_STRING_COMPARISON(>=)
#undef TVK_DECLARE_STRING_COMPARISON

/// Reads a text as a number: leading blanks skipped, the longest numeric prefix read, anything else gives 0.
/// text: the text (a literal or a string)
/// Returns: the number
RtNumber StringToNumber(const char* text);
RtNumber StringToNumber(const RtString& text);
/// Reads a text as a whole number without a fraction; values beyond the 32-bit range saturate.
/// text: the text (a literal or a string)
/// Returns: −2147483648 … 2147483647; 0 when unreadable
RtInt StringToInt(const char* text);
RtInt StringToInt(const RtString& text);
