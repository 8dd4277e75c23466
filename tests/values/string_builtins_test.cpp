#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "tarnvik/core.h"
#include "tarnvik/values.h"

namespace {

std::string Std(const RtString& s) { return std::string(s.c_str(), s.length); }

TEST(Slicing, MidString) {
    EXPECT_STREQ(MidString("hello", 1, 3).c_str(), "ell");
    EXPECT_STREQ(MidString("hello", 3, -1).c_str(), "lo");
    EXPECT_STREQ(MidString("hello", 3, 100).c_str(), "lo");
    EXPECT_STREQ(MidString("hello", 0, 5).c_str(), "hello");
    EXPECT_STREQ(MidString("hello", 5, 1).c_str(), "");
    EXPECT_STREQ(MidString("hello", -1, 2).c_str(), "");
    EXPECT_STREQ(MidString("hello", 2, 0).c_str(), "");
    EXPECT_STREQ(MidString("", 0, -1).c_str(), "");
    EXPECT_STREQ(MidString("hello", 2147483647, 2147483647).c_str(), "");
}

TEST(Slicing, Trimming) {
    EXPECT_STREQ(TrimRight("ab  ", " ").c_str(), "ab");
    EXPECT_STREQ(TrimLeft("   ", " ").c_str(), "");
    EXPECT_STREQ(TrimRight("   ", " ").c_str(), "");
    EXPECT_STREQ(TrimLeft(" \t\nab c\t", " \t\n").c_str(), "ab c\t");
    EXPECT_STREQ(TrimRight("xxabxx", "x").c_str(), "xxab");
    EXPECT_STREQ(TrimLeft("abc", "").c_str(), "abc");
    EXPECT_STREQ(TrimRight("ab\xff\xff", "\xff").c_str(), "ab");
}

TEST(Slicing, CaseChangesOnlyAsciiLetters) {
    EXPECT_STREQ(UpperCase("abc-XYZ 09 \xe9").c_str(), "ABC-XYZ 09 \xe9");
    EXPECT_STREQ(LowerCase("ABC-xyz 09 \xc9").c_str(), "abc-xyz 09 \xc9");
    EXPECT_STREQ(UpperCase("").c_str(), "");
}

TEST(CharacterCodes, FirstByteAndLowByte) {
    EXPECT_EQ(CharCode(""), 0);
    EXPECT_EQ(CharCode("A"), 65);
    EXPECT_EQ(CharCode("\xff"), 255);
    EXPECT_STREQ(CharFromCode(321).c_str(), "A");
    EXPECT_STREQ(CharFromCode(-191).c_str(), "A");  // low byte of a negative number
    RtString zero = CharFromCode(0);
    EXPECT_EQ(zero.length, 1u);
    EXPECT_EQ(zero.buffer[0], 0);
}

TEST(Searching, FindString) {
    EXPECT_EQ(FindString("abcabc", "c", 3), 5);
    EXPECT_EQ(FindString("abcabc", "abc", 0), 0);
    EXPECT_EQ(FindString("abcabc", "abc", 1), 3);
    EXPECT_EQ(FindString("abc", "", 0), -1);
    EXPECT_EQ(FindString("abc", "c", 3), -1);
    EXPECT_EQ(FindString("abc", "c", -1), -1);
    EXPECT_EQ(FindString("abc", "abcd", 0), -1);
    EXPECT_EQ(FindString("", "a", 0), -1);
    EXPECT_EQ(FindString(RtString("xxabc"), RtString("abc"), 0), 2);
    EXPECT_EQ(FindString(RtString("xxabc"), "abc", 0), 2);
    EXPECT_EQ(FindString("xxabc", RtString("abc"), 0), 2);
}

TEST(Searching, FindStringReverse) {
    EXPECT_EQ(FindStringReverse("abcabc", "abc", -1), 3);
    EXPECT_EQ(FindStringReverse("abcabc", "abc", 2), 0);
    EXPECT_EQ(FindStringReverse("abcabc", "abc", 3), 3);
    EXPECT_EQ(FindStringReverse("abcabc", "abc", 100), 3);
    EXPECT_EQ(FindStringReverse("ab", "abc", -1), -1);
    EXPECT_EQ(FindStringReverse("abcabc", "x", -1), -1);
    EXPECT_EQ(FindStringReverse("aaaa", "aa", -1), 2);  // overlapping matches count
    EXPECT_EQ(FindStringReverse(RtString("a.b.c"), RtString("."), -1), 3);
}

// The skip table must never jump over a match: compare with a plain search on random text.
TEST(Searching, AgreesWithPlainSearchOnRandomText) {
    std::mt19937 rng(7);
    for (int round = 0; round < 3000; ++round) {
        std::string hay(rng() % 40, ' '), needle(1 + rng() % 5, ' ');
        for (char& c : hay) c = "ab\xff"[rng() % 3];
        for (char& c : needle) c = "ab\xff"[rng() % 3];
        int start = static_cast<int>(rng() % (hay.size() + 1));
        size_t expected = hay.find(needle, start);
        RtInt want = start >= static_cast<int>(hay.size()) || expected == std::string::npos ? -1 : static_cast<RtInt>(expected);
        ASSERT_EQ(FindString(hay.c_str(), needle.c_str(), start), want) << hay << " / " << needle << " @" << start;
    }
}

TEST(Replacing, ReplaceAll) {
    EXPECT_STREQ(ReplaceAll("a.b.c", ".", "").c_str(), "abc");
    EXPECT_STREQ(ReplaceAll("aaaa", "aa", "a").c_str(), "aa");
    EXPECT_STREQ(ReplaceAll("xy", "y", "yy").c_str(), "xyy");
    EXPECT_STREQ(ReplaceAll("a.b.c", ".", "/").c_str(), "a/b/c");
    EXPECT_STREQ(ReplaceAll("one two", "one", "six").c_str(), "six two");
    EXPECT_STREQ(ReplaceAll("abc", "", "x").c_str(), "abc");
    EXPECT_STREQ(ReplaceAll("", "a", "x").c_str(), "");
    EXPECT_STREQ(ReplaceAll("abab", "ab", "abab").c_str(), "abababab");
}

TEST(Replacing, AgreesWithLeftToRightReference) {
    std::mt19937 rng(11);
    for (int round = 0; round < 2000; ++round) {
        std::string s(rng() % 30, ' '), find(1 + rng() % 3, ' '), repl(rng() % 4, ' ');
        for (char& c : s) c = "ab"[rng() % 2];
        for (char& c : find) c = "ab"[rng() % 2];
        for (char& c : repl) c = "abc"[rng() % 3];
        std::string expected;
        for (size_t pos = 0;;) {
            size_t at = s.find(find, pos);
            if (at == std::string::npos) {
                expected += s.substr(pos);
                break;
            }
            expected += s.substr(pos, at - pos) + repl;
            pos = at + find.size();
        }
        ASSERT_EQ(Std(ReplaceAll(s.c_str(), find.c_str(), repl.c_str())), expected) << s << " " << find << " " << repl;
    }
}

std::vector<std::string> Split(const char* text, const char* delimiters, RtInt skip) {
    RtStringArray pieces;
    RtInt n = SplitString(text, delimiters, pieces, skip);
    std::vector<std::string> out;
    for (RtInt i = 0; i < n; ++i) out.push_back(Std(ArrayElement(pieces, i)));
    EXPECT_EQ(ArraySize(pieces, 0), n);
    return out;
}

TEST(Splitting, PiecesWithAndWithoutEmptyOnes) {
    using V = std::vector<std::string>;
    EXPECT_EQ(Split("a,,b,", ",", 0), (V{"a", "", "b"}));
    EXPECT_EQ(Split("a,,b,", ",", 1), (V{"a", "b"}));
    EXPECT_EQ(Split(",a", ",", 0), (V{"", "a"}));
    EXPECT_EQ(Split("a b;c", " ;", 0), (V{"a", "b", "c"}));
    EXPECT_EQ(Split("", ",", 0), V{});
    EXPECT_EQ(Split(",,,", ",", 1), V{});
    EXPECT_EQ(Split("abc", "", 0), V{"abc"});
}

TEST(Splitting, EmptiesAnyPreviousArray) {
    RtStringArray pieces;
    DimArray(pieces, 4, 3);
    ArrayElement(pieces, 1, 1) = "old";
    EXPECT_EQ(SplitString("x|y", "|", pieces, 0), 2);
    EXPECT_EQ(ArraySize(pieces, 1), 0);
    EXPECT_STREQ(ArrayElement(pieces, 1).c_str(), "y");
}

TEST(Formatting, FormatNumber) {
    EXPECT_STREQ(FormatNumber(8, 2, 3.14159).c_str(), "    3.14");
    EXPECT_STREQ(FormatNumber(-8, 2, 3.14159).c_str(), "3.14    ");
    EXPECT_STREQ(FormatNumber(0, 0, 3.7).c_str(), "4");
    EXPECT_STREQ(FormatNumber(4, 0, 10).c_str(), "  10");
    EXPECT_STREQ(FormatNumber(8.9, 1.9, -1.25).c_str(), "    -1.2");  // width and decimals truncate
    EXPECT_STREQ(FormatNumber(1, -3, 2.5).c_str(), "2");
}

TEST(Formatting, FormatNumberNeverOverflows) {
    const double nan = std::nan(""), inf = HUGE_VAL;
    for (double width : {127.0, 128.0, 5000.0, -5000.0, 1e300, -1e300, nan}) {
        for (double decimals : {0.0, 200.0, 1e9, nan}) {
            for (double x : {0.0, -1e308, 1e308, 4.9e-324, nan, inf}) {
                RtString text = FormatNumber(width, decimals, x);
                ASSERT_EQ(text.buffer[text.length], 0);
                ASSERT_LE(text.length, 2000u);
            }
        }
    }
    EXPECT_EQ(FormatNumber(0, 0, 1e308).length, 309u);  // the whole number, not a cut one
}

TEST(Coding, UrlEncodeAndDecode) {
    EXPECT_STREQ(UrlEncode("a b/c").c_str(), "a%20b%2fc");
    EXPECT_STREQ(UrlEncode("AZaz09-_.~").c_str(), "AZaz09%2d%5f%2e%7e");
    EXPECT_STREQ(UrlDecode("a%20b+c").c_str(), "a b c");
    EXPECT_STREQ(UrlDecode("%41%4a%4A").c_str(), "AJJ");
    EXPECT_STREQ(UrlEncode("").c_str(), "");
}

TEST(Coding, UrlDecodeDropsBrokenEscapes) {
    EXPECT_STREQ(UrlDecode("a%zzb").c_str(), "azb");
    EXPECT_STREQ(UrlDecode("a%4zb").c_str(), "azb");
    EXPECT_STREQ(UrlDecode("a%4+b").c_str(), "a b");
    EXPECT_STREQ(UrlDecode("end%").c_str(), "end");
    EXPECT_STREQ(UrlDecode("end%4").c_str(), "end");
}

TEST(Coding, UrlRoundTripsEveryByte) {
    RtString all;
    char* p = all.RawBuffer(255);
    for (int b = 1; b < 256; ++b) p[b - 1] = static_cast<char>(b);
    p[255] = 0;
    all.RecountLength();
    ASSERT_EQ(all.length, 255u);
    RtString encoded = UrlEncode(all);
    EXPECT_EQ(encoded.length, 62u + 3 * (255 - 62));
    EXPECT_EQ(Std(UrlDecode(encoded)), Std(all));
}

TEST(Coding, HexText) {
    const unsigned char bytes[] = {0x00, 0x1f, 0xa0, 0xff};
    EXPECT_STREQ(HexText(bytes, 4, 1).c_str(), "001FA0FF");
    EXPECT_STREQ(HexText(bytes, 4, 0).c_str(), "001fa0ff");
    EXPECT_STREQ(HexText(bytes, 2, 0).c_str(), "001f");
    EXPECT_STREQ(HexText(bytes, 0, 0).c_str(), "");
    EXPECT_STREQ(HexText(bytes, -4, 0).c_str(), "");
    EXPECT_STREQ(HexText(nullptr, 4, 0).c_str(), "");
    EXPECT_STREQ(HexText(RtString("AB"), 100, 1).c_str(), "4142");  // never past the text
}

TEST(Coding, ErrorText) {
    SetErrorCode(3);
    EXPECT_STREQ(ErrorText().c_str(), "0003 no such file");
    SetErrorCode(0);
    EXPECT_STREQ(ErrorText().c_str(), "0000 success");
    SetErrorCode(7);
    EXPECT_STREQ(ErrorText().c_str(), "0007 out of memory");
    SetErrorCode(9);
    EXPECT_STREQ(ErrorText().c_str(), "0009 out of bounds");
    SetErrorCode(20);
    EXPECT_STREQ(ErrorText().c_str(), "0020 out of data");
    SetErrorCode(8);
    EXPECT_STREQ(ErrorText().c_str(), "0008 unknown error");
    SetErrorCode(12345);
    EXPECT_STREQ(ErrorText().c_str(), "12345 unknown error");
    SetErrorCode(0);
}

}  // namespace
