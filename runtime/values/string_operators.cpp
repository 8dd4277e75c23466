// Mixed-type concatenation and comparison of strings with text and numbers.
#include <cstring>

#include "base/error_codes.h"
#include "tarnvik/core.h"
#include "tarnvik/rt_string.h"
#include "values/number_text.h"

namespace {

// A counted view of either operand kind, so each operator is written once.
struct Bytes {
    const char* data;
    uint32_t size;
};

Bytes View(const RtString& s) { return {s.buffer, s.length}; }
Bytes View(const char* text) {
    if (!text) return {"", 0};
    return {text, static_cast<uint32_t>(std::strlen(text))};
}

// One allocation for the whole result.
RtString Join(Bytes left, Bytes right) {
    RtString result;
    // The whole result or nothing: a total that cannot be held records error 7.
    uint64_t total = uint64_t(left.size) + right.size;
    if (total >= UINT32_MAX || !result.TryReserve(static_cast<uint32_t>(total), false)) {
        SetErrorCode(tvk::kErrorOutOfMemory);
        return result;
    }
    result.Append(left.data, left.size);
    result.Append(right.data, right.size);
    return result;
}

struct NumberText {
    explicit NumberText(RtNumber value) { size = static_cast<uint32_t>(tvk::NumberToText(value, text)); }
    explicit NumberText(RtInt value) { size = static_cast<uint32_t>(tvk::IntToText(value, text)); }
    Bytes View() const { return {text, size}; }
    char text[tvk::kNumberTextSize];
    uint32_t size;
};

int Sign(int value) { return (value > 0) - (value < 0); }
template <class T>
int Order(T left, T right) {
    return (left > right) - (left < right);
}

int CompareBytes(const char* left, const char* right) {
    return std::strcmp(left ? left : "", right ? right : "");
}

}  // namespace

RtString operator+(const RtString& left, const RtString& right) { return Join(View(left), View(right)); }
RtString operator+(const RtString& left, const char* right) { return Join(View(left), View(right)); }
RtString operator+(const char* left, const RtString& right) { return Join(View(left), View(right)); }
RtString operator+(const RtString& left, RtInt right) { return Join(View(left), NumberText(right).View()); }
RtString operator+(const RtString& left, float right) { return Join(View(left), NumberText(RtNumber(right)).View()); }
RtString operator+(const RtString& left, RtNumber right) { return Join(View(left), NumberText(right).View()); }
RtString operator+(RtInt left, const RtString& right) { return Join(NumberText(left).View(), View(right)); }
RtString operator+(float left, const RtString& right) { return Join(NumberText(RtNumber(left)).View(), View(right)); }
RtString operator+(RtNumber left, const RtString& right) { return Join(NumberText(left).View(), View(right)); }

RtString Concat(const char* left, const char* right) { return Join(View(left), View(right)); }
RtString Concat(const char* left, RtInt right) { return Join(View(left), NumberText(right).View()); }
RtString Concat(const char* left, float right) { return Join(View(left), NumberText(RtNumber(right)).View()); }
RtString Concat(const char* left, RtNumber right) { return Join(View(left), NumberText(right).View()); }
RtString Concat(RtInt left, const char* right) { return Join(NumberText(left).View(), View(right)); }
RtString Concat(float left, const char* right) { return Join(NumberText(RtNumber(left)).View(), View(right)); }
RtString Concat(RtNumber left, const char* right) { return Join(NumberText(left).View(), View(right)); }

int CompareValues(const RtString& left, const char* right) { return CompareBytes(left.buffer, right); }
int CompareValues(const RtString& left, RtNumber right) { return Order(tvk::TextToNumber(left.buffer), right); }
int CompareValues(const RtString& left, RtInt right) { return Order(tvk::TextToInt(left.buffer), right); }

// Each comparison operator is the three-way order of its operands tested against zero.
#define TVK_DEFINE_STRING_COMPARISON(op)                                                                 \
    RtInt operator op(const RtString& l, const RtString& r) { return Sign(CompareBytes(l.buffer, r.buffer)) op 0; } \
    RtInt operator op(const RtString& l, const char* r) { return Sign(CompareBytes(l.buffer, r)) op 0; }            \
    RtInt operator op(const char* l, const RtString& r) { return Sign(CompareBytes(l, r.buffer)) op 0; }            \
    RtInt operator op(const RtString& l, RtNumber r) { return tvk::TextToNumber(l.buffer) op r; }                   \
    RtInt operator op(RtNumber l, const RtString& r) { return l op tvk::TextToNumber(r.buffer); }                   \
    RtInt operator op(const RtString& l, float r) { return tvk::TextToNumber(l.buffer) op RtNumber(r); }            \
    RtInt operator op(float l, const RtString& r) { return RtNumber(l) op tvk::TextToNumber(r.buffer); }            \
    RtInt operator op(const RtString& l, RtInt r) { return tvk::TextToInt(l.buffer) op r; }                         \
    RtInt operator op(RtInt l, const RtString& r) { return l op tvk::TextToInt(r.buffer); }
TVK_DEFINE_STRING_COMPARISON(==)
TVK_DEFINE_STRING_COMPARISON(!=)
TVK_DEFINE_STRING_COMPARISON(<)
TVK_DEFINE_STRING_COMPARISON(>)
TVK_DEFINE_STRING_COMPARISON(<=)
TVK_DEFINE_STRING_COMPARISON(>=)
#undef TVK_DEFINE_STRING_COMPARISON

RtNumber StringToNumber(const char* text) { return tvk::TextToNumber(text); }
RtNumber StringToNumber(const RtString& text) { return tvk::TextToNumber(text.buffer); }
RtInt StringToInt(const char* text) { return tvk::TextToInt(text); }
RtInt StringToInt(const RtString& text) { return tvk::TextToInt(text.buffer); }
