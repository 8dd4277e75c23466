#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstring>
#include <limits>

#include "tarnvik/rt_string.h"
#include "tarnvik/values.h"

namespace {

struct FormatCase {
    double value;
    const char* text;
};

// Awkward values and the text they must become.
const FormatCase kFormatTable[] = {
    {0.0, "0"},
    {-0.0, "0"},
    {1.0, "1"},
    {100.0, "100"},
    {2.5, "2.5"},
    {3.0, "3"},
    {-2.5, "-2.5"},
    {-1234.5678, "-1234.5678"},
    {1e9, "1000000000"},
    {1234567890.0, "1234567890"},
    {-1234567890.0, "-1234567890"},
    {9999999999.4, "9999999999"},
    {9999999999.5, "1.e+010"},  // rounding carries into an eleventh digit
    {12345678901.0, "1.23456789e+010"},
    {12345678951.0, "1.234567895e+010"},
    {1e10, "1.e+010"},
    {0.1, "0.1"},
    {static_cast<double>(0.1f), "0.1000000015"},
    {0.5, "0.5"},
    {1.0 / 3, "0.3333333333"},
    {2.0 / 3, "0.6666666667"},
    {123456.789, "123456.789"},
    {0.099999999999, "0.1"},  // rounds up into fixed notation
    {0.05, "5.e-002"},
    {0.0123456789012, "1.23456789e-002"},
    {1e-5, "1.e-005"},
    {-1e-5, "-1.e-005"},
    {1e300, "1.e+300"},
    {-1e-300, "-1.e-300"},
    {DBL_MAX, "1.797693135e+308"},
    {DBL_MIN, "2.225073859e-308"},
    {4.9406564584124654e-324, "4.940656458e-324"},  // smallest denormal
    {std::numeric_limits<double>::infinity(), "inf"},
    {-std::numeric_limits<double>::infinity(), "-inf"},
    {std::numeric_limits<double>::quiet_NaN(), "nan"},
};

TEST(NumberToText, FormattingTable) {
    for (const FormatCase& c : kFormatTable) {
        RtString text(c.value);
        EXPECT_STREQ(text.c_str(), c.text) << "value " << c.value;
        EXPECT_EQ(text.length, std::strlen(c.text));
        EXPECT_EQ(NumberTextLength(c.value), static_cast<RtInt>(std::strlen(c.text)));
    }
}

TEST(NumberToText, FloatsAreWidenedFirst) {
    EXPECT_STREQ(RtString(0.1f).c_str(), "0.1000000015");
    EXPECT_STREQ(RtString(0.5f).c_str(), "0.5");
    EXPECT_STREQ(RtString(16777217.0f).c_str(), "16777216");
}

TEST(NumberToText, TextReadsBackToTheSameTenDigits) {
    for (double v : {1.0 / 7, 12345678901.0, 1e-5, -3.25e17, 0.05, 1e300}) {
        RtString text(v);
        RtNumber back = StringToNumber(text);
        EXPECT_STREQ(RtString(back).c_str(), text.c_str());
    }
    EXPECT_TRUE(std::isinf(StringToNumber("inf")));
    EXPECT_TRUE(std::isnan(StringToNumber("nan")));
}

TEST(IntToText, DecimalWithSign) {
    EXPECT_STREQ(RtString(RtInt(0)).c_str(), "0");
    EXPECT_STREQ(RtString(RtInt(42)).c_str(), "42");
    EXPECT_STREQ(RtString(RtInt(-7)).c_str(), "-7");
    EXPECT_STREQ(RtString(RtInt(INT_MIN)).c_str(), "-2147483648");
    EXPECT_STREQ(RtString(RtInt(INT_MAX)).c_str(), "2147483647");
    EXPECT_EQ(IntTextLength(INT_MIN), 11);
    EXPECT_EQ(IntTextLength(0), 1);
}

TEST(TextToNumber, ReadsTheLongestNumericPrefix) {
    EXPECT_EQ(StringToNumber("1e3"), 1000.0);
    EXPECT_EQ(StringToNumber("  \t-2.5xyz"), -2.5);
    EXPECT_EQ(StringToNumber("+.5"), 0.5);
    EXPECT_EQ(StringToNumber("1e"), 1.0);
    EXPECT_EQ(StringToNumber(""), 0.0);
    EXPECT_EQ(StringToNumber("abc"), 0.0);
    EXPECT_EQ(StringToNumber("."), 0.0);
    EXPECT_EQ(StringToNumber(static_cast<const char*>(nullptr)), 0.0);
    EXPECT_TRUE(std::isinf(StringToNumber("1e999")));
    EXPECT_EQ(StringToNumber(RtString("12.75 m")), 12.75);
}

TEST(TextToInt, ReadsDigitsOnlyAndSaturates) {
    EXPECT_EQ(StringToInt("3.9"), 3);
    EXPECT_EQ(StringToInt(" \n-42abc"), -42);
    EXPECT_EQ(StringToInt("+5"), 5);
    EXPECT_EQ(StringToInt("1e3"), 1);
    EXPECT_EQ(StringToInt(""), 0);
    EXPECT_EQ(StringToInt("- 5"), 0);
    EXPECT_EQ(StringToInt("2147483647"), INT_MAX);
    EXPECT_EQ(StringToInt("-2147483648"), INT_MIN);
    EXPECT_EQ(StringToInt("99999999999999999999"), INT_MAX);
    EXPECT_EQ(StringToInt("-2147483649"), INT_MIN);
    EXPECT_EQ(StringToInt(RtString("0012")), 12);
}

}  // namespace
