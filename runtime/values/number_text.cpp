#include "values/number_text.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <locale.h>

#include "values/c_locale.h"

namespace tvk {
namespace {

constexpr int kSignificantDigits = 10;

int CopyText(const char* text, char* out) {
    int n = static_cast<int>(std::strlen(text));
    std::memcpy(out, text, n + 1);
    return n;
}

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

// strtod and printf follow the process locale; programs always write "." as the decimal point.
locale_t CLocale() {
    static locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
}

int NumberToText(double value, char* out) {
    if (std::isnan(value)) return CopyText("nan", out);
    if (std::isinf(value)) return CopyText(value < 0 ? "-inf" : "inf", out);
    if (value == 0) return CopyText("0", out);

    // Round once to ten significant digits: d.ddddddddde[+-]x, so the rounding may move the
    // exponent before the notation is chosen.
    char sci[kNumberTextSize];
    std::to_chars_result r =
        std::to_chars(sci, sci + sizeof(sci), std::fabs(value), std::chars_format::scientific,
                      kSignificantDigits - 1);
    *r.ptr = 0;
    char digits[kSignificantDigits];
    digits[0] = sci[0];
    std::memcpy(digits + 1, sci + 2, kSignificantDigits - 1);
    int exponent = std::atoi(sci + 2 + kSignificantDigits - 1 + 1);
    int used = kSignificantDigits;
    while (used > 1 && digits[used - 1] == '0') --used;  // fraction zeros never show

    char* p = out;
    if (value < 0) *p++ = '-';
    if (exponent < -1 || exponent >= kSignificantDigits) {
        *p++ = digits[0];
        *p++ = '.';
        for (int i = 1; i < used; ++i) *p++ = digits[i];
        *p++ = 'e';
        *p++ = exponent < 0 ? '-' : '+';
        int e = std::abs(exponent);
        *p++ = static_cast<char>('0' + e / 100);
        *p++ = static_cast<char>('0' + e / 10 % 10);
        *p++ = static_cast<char>('0' + e % 10);
    } else if (exponent == -1) {
        *p++ = '0';
        *p++ = '.';
        for (int i = 0; i < used; ++i) *p++ = digits[i];
    } else {
        int whole = exponent + 1;
        for (int i = 0; i < whole; ++i) *p++ = digits[i];
        if (used > whole) {
            *p++ = '.';
            for (int i = whole; i < used; ++i) *p++ = digits[i];
        }
    }
    *p = 0;
    return static_cast<int>(p - out);
}

int IntToText(int32_t value, char* out) {
    std::to_chars_result r = std::to_chars(out, out + kNumberTextSize - 1, value);
    *r.ptr = 0;
    return static_cast<int>(r.ptr - out);
}

double TextToNumber(const char* text) {
    if (!text) return 0;
    return strtod_l(text, nullptr, CLocale());
}

int32_t TextToInt(const char* text) {
    if (!text) return 0;
    while (IsBlank(*text)) ++text;
    bool negative = *text == '-';
    if (*text == '-' || *text == '+') ++text;
    int64_t magnitude = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        magnitude = magnitude * 10 + (*text - '0');
        if (magnitude > INT64_C(2147483648)) magnitude = INT64_C(2147483648);
    }
    int64_t result = negative ? -magnitude : magnitude;
    if (result > INT32_MAX) result = INT32_MAX;
    return static_cast<int32_t>(result);
}

int32_t TruncateToInt(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 2147483647.0) return INT32_MAX;
    if (value <= -2147483648.0) return INT32_MIN;
    return static_cast<int32_t>(value);
}

}  // namespace tvk
