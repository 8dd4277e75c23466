// The runtime's number <-> text rules, on plain byte buffers.
#pragma once

#include <cstdint>

namespace tvk {

// Enough for any text the two formatters below produce, terminator included.
constexpr int kNumberTextSize = 32;

// 10 significant digits. Fixed notation while the value is at least 0.1 and has at most ten
// integer digits: trailing fraction zeros dropped, and the point too when nothing follows it
// ("2.5", "100", "0.1000000015"). Otherwise mantissa, "e", sign and a three-digit exponent,
// fraction zeros of the mantissa dropped but its point kept ("1.23456789e+010", "1.e-005").
// Zero (either sign) is "0"; infinities are "inf" and "-inf"; NaN is "nan", which the text
// readers below read back. Returns the text length.
int NumberToText(double value, char* out);
// Decimal with a leading "-" for negatives.
int IntToText(int32_t value, char* out);

// The longest numeric prefix after leading white space, read as a C-locale strtod does
// (fraction, exponent, "inf", "nan", hex); no prefix gives 0.
double TextToNumber(const char* text);
// Optional sign and decimal digits after leading white space; saturates at the 32-bit limits.
int32_t TextToInt(const char* text);

// Number to integer, truncating toward zero; out-of-range values saturate and NaN gives 0.
int32_t TruncateToInt(double value);

}  // namespace tvk
