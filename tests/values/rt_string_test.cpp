#include <gtest/gtest.h>

#include <clocale>
#include <cstring>
#include <cwchar>
#include <string>

#include "tarnvik/rt_string.h"

namespace {

const char* SharedEmpty() {
    static RtString empty;
    return empty.buffer;
}

void ExpectShared(const RtString& s) {
    EXPECT_EQ(s.buffer, SharedEmpty());
    EXPECT_EQ(s.capacity, 0u);
    EXPECT_EQ(s.length, 0u);
}

// The invariant every operation must keep.
void ExpectWellFormed(const RtString& s) {
    EXPECT_EQ(s.buffer[s.length], 0);
    if (s.capacity) EXPECT_LT(s.length, s.capacity);
    else EXPECT_EQ(s.buffer, SharedEmpty());
}

TEST(RtStringEmpty, EveryEmptyStringSharesOneBuffer) {
    RtString fresh;
    RtString literal("");
    RtString copy(fresh);
    RtString nullText(static_cast<const char*>(nullptr));
    ExpectShared(fresh);
    ExpectShared(literal);
    ExpectShared(copy);
    ExpectShared(nullText);
    RtString moved(std::move(literal));
    ExpectShared(moved);
    fresh.Release();
    ExpectShared(fresh);
    EXPECT_EQ(SharedEmpty()[0], 0);
}

TEST(RtStringEmpty, EmptyOperandsNeverWriteTheSharedBuffer) {
    RtString s;
    s += "";
    s += RtString();
    s.Assign("", 0);
    s.Truncate(0);
    s.RecountLength();
    ExpectShared(s);
    char* raw = s.RawBuffer(0);
    EXPECT_NE(raw, SharedEmpty());  // a writable buffer even for size 0
    raw[0] = 0;
    s.RecountLength();
    EXPECT_EQ(s.length, 0u);
}

TEST(RtStringGrowth, CapacityRoundsToSixteen) {
    RtString s;
    s.Reserve(0);
    ExpectShared(s);
    s.Reserve(14);
    EXPECT_EQ(s.capacity, 16u);
    s.Reserve(15);  // 15 bytes and the terminator still fit
    EXPECT_EQ(s.capacity, 16u);
    RtString t;
    t.Reserve(15);
    EXPECT_EQ(t.capacity, 32u);
    RtString u;
    u.Reserve(14);
    u.Reserve(16);
    EXPECT_EQ(u.capacity, 32u);
    RtString v;
    v.Reserve(63);
    EXPECT_EQ(v.capacity, 80u);
    v.Reserve(10);  // never shrinks
    EXPECT_EQ(v.capacity, 80u);
}

TEST(RtStringGrowth, NumberConstructorsReserveTheirTextRoom) {
    EXPECT_EQ(RtString(RtInt(7)).capacity, 32u);
    EXPECT_EQ(RtString(RtNumber(7)).capacity, 80u);
    EXPECT_EQ(RtString(7.5f).capacity, 80u);
}

TEST(RtStringGrowth, AppendingByteByByteGrowsEverySixteenBytes) {
    RtString s;
    int growths = 0;
    uint32_t last = s.capacity;
    for (int i = 0; i < 1600; ++i) {
        s += "x";
        if (s.capacity != last) {
            ++growths;
            EXPECT_EQ(s.capacity, (s.length & ~15u) + 16);
        }
        last = s.capacity;
    }
    EXPECT_EQ(s.length, 1600u);
    EXPECT_EQ(growths, 1600 / 16 + 1);
    EXPECT_EQ(std::string(s.c_str()), std::string(1600, 'x'));
    ExpectWellFormed(s);
}

TEST(RtStringGrowth, ReserveKeepsOrDropsTheText) {
    RtString s("hello");
    s.Reserve(40, true);
    EXPECT_STREQ(s.c_str(), "hello");
    EXPECT_EQ(s.length, 5u);
    s.Reserve(100, false);
    EXPECT_EQ(s.length, 0u);  // dropped text takes its length along
    ExpectWellFormed(s);
}

TEST(RtStringAssign, SelfAndEmptyAssignments) {
    RtString s("keep me");
    const char* before = s.buffer;
    s = s;
    s.Assign(s);
    EXPECT_STREQ(s.c_str(), "keep me");
    EXPECT_EQ(s.buffer, before);
    s = "";
    EXPECT_EQ(s.buffer, before);  // an empty value keeps the buffer
    EXPECT_EQ(s.length, 0u);
    EXPECT_EQ(s.buffer[0], 0);
    s = static_cast<const char*>(nullptr);
    EXPECT_EQ(s.length, 0u);
}

TEST(RtStringAssign, PartsOfItselfSurviveGrowth) {
    RtString s("abcdefghijklm");  // 13 bytes, capacity 16
    s.Assign(s.buffer + 2, 4);
    EXPECT_STREQ(s.c_str(), "cdef");
    RtString t("0123456789abc");
    t.Append(t.buffer + 3, 10);  // must grow while reading from the old buffer
    EXPECT_STREQ(t.c_str(), "0123456789abc3456789abc");
    t += t;
    EXPECT_STREQ(t.c_str(), "0123456789abc3456789abc0123456789abc3456789abc");
    t += t.c_str();
    EXPECT_EQ(t.length, 92u);
    ExpectWellFormed(t);
}

TEST(RtStringAppend, NumbersFollowTheTextRules) {
    RtString s("v=");
    s += RtInt(-12);
    s += ",";
    s += 2.5;
    s += ",";
    s += 0.1f;
    EXPECT_STREQ(s.c_str(), "v=-12,2.5,0.1000000015");
    RtString copy(s);
    EXPECT_NE(copy.buffer, s.buffer);
    EXPECT_STREQ(copy.c_str(), s.c_str());
}

TEST(RtStringTruncate, OnlyShortens) {
    RtString s("abcdef");
    s.Truncate(-1);
    s.Truncate(6);
    s.Truncate(100);
    EXPECT_STREQ(s.c_str(), "abcdef");
    s.Truncate(2);
    EXPECT_STREQ(s.c_str(), "ab");
    EXPECT_EQ(s.length, 2u);
    s.Truncate(0);
    EXPECT_EQ(s.length, 0u);
    ExpectWellFormed(s);
}

TEST(RtStringRawBuffer, RecountStopsAtTheFirstZeroOrTheCapacity) {
    RtString s;
    char* p = s.RawBuffer(10);
    std::strcpy(p, "abc");
    s.RecountLength();
    EXPECT_EQ(s.length, 3u);
    std::memset(p, 'z', s.capacity);  // no terminator anywhere
    s.RecountLength();
    EXPECT_EQ(s.length, s.capacity - 1);
    ExpectWellFormed(s);
    RtString kept("prefix");
    kept.RawBuffer(50);
    EXPECT_STREQ(kept.c_str(), "prefix");
}

TEST(RtStringWide, ToWideCutsLongTextToItsBuffer) {
    RtString shortText("hello");
    EXPECT_EQ(std::wstring(shortText.ToWide()), L"hello");
    std::string longText(700, 'q');
    longText[0] = 'a';
    RtString s(longText.c_str());
    const wchar_t* wide = s.ToWide();
    EXPECT_EQ(std::wcslen(wide), 511u);
    EXPECT_EQ(wide[0], L'a');
    EXPECT_EQ(wide[510], L'q');
}

TEST(RtStringWide, UndecodableBytesStillConvert) {
    RtString s("a\xe9z");  // not valid in the C locale
    EXPECT_EQ(std::wstring(s.ToWide()), std::wstring(L"a\u00e9z"));
}

TEST(RtStringWide, FromWideText) {
    ExpectShared(RtString(L""));
    EXPECT_STREQ(RtString(L"hello").c_str(), "hello");
    // The C locale cannot express this character: it becomes "?" and the rest survives.
    EXPECT_STREQ(RtString(L"h\u00e9llo").c_str(), "h?llo");
}

TEST(RtStringWide, MultibyteLocaleGetsRoomForEveryByte) {
    const char* previous = std::setlocale(LC_CTYPE, nullptr);
    std::string saved = previous ? previous : "C";
    if (!std::setlocale(LC_CTYPE, "C.UTF-8") && !std::setlocale(LC_CTYPE, "C.utf8")) GTEST_SKIP();
    std::wstring wide(300, L'\u20ac');  // three bytes each in UTF-8
    RtString s(wide.c_str());
    EXPECT_EQ(s.length, 900u);
    ExpectWellFormed(s);
    EXPECT_EQ(std::wcslen(s.ToWide()), 300u);
    std::setlocale(LC_CTYPE, saved.c_str());
}

}  // namespace
