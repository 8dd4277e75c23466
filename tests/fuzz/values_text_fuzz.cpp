// Fuzz target for the text readers and writers of the values subsystem: number parsing and
// formatting, URL coding, searching, replacing and splitting.
//
// Build and run from the repository root (not part of CI):
//   clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -Iruntime -Iruntime/include \
//     tests/fuzz/values_text_fuzz.cpp runtime/values/{number_text,rt_string,string_operators,byte_search,\
//   string_builtins,string_search,text_coding,arrays}.cpp runtime/core/last_error.cpp -o /tmp/values_text_fuzz
//   /tmp/values_text_fuzz -max_total_time=60
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tarnvik/core.h"
#include "tarnvik/values.h"
#include "values/number_text.h"

// The few runtime services the sources above reach; none is used on the paths fuzzed here.
void EndProgram() { std::abort(); }
namespace tvk {
bool DebuggerAttached() { return false; }
void SendDebuggerText(const char*) {}
}  // namespace tvk

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

std::string Std(const RtString& s) { return std::string(s.c_str(), s.length); }

void CheckNumberText(const std::string& text) {
    double value = StringToNumber(text.c_str());
    char first[tvk::kNumberTextSize];
    int n = tvk::NumberToText(value, first);
    Check(n > 0 && n < tvk::kNumberTextSize && first[n] == 0);
    if (std::isfinite(value)) {
        // The ten-digit text reads back to a number with the same text.
        char second[tvk::kNumberTextSize];
        tvk::NumberToText(StringToNumber(first), second);
        Check(std::strcmp(first, second) == 0);
    }
    long long wide = std::strtoll(text.c_str(), nullptr, 10);
    int32_t expected = wide > INT32_MAX ? INT32_MAX : wide < INT32_MIN ? INT32_MIN : static_cast<int32_t>(wide);
    Check(StringToInt(text.c_str()) == expected);
}

void CheckSearching(const std::string& hay, const std::string& needle, RtInt start) {
    RtInt found = FindString(hay.c_str(), needle.c_str(), start);
    size_t expected = hay.find(needle, static_cast<size_t>(start < 0 ? 0 : start));
    bool none = needle.empty() || start < 0 || static_cast<size_t>(start) >= hay.size() || expected == std::string::npos;
    Check(found == (none ? -1 : static_cast<RtInt>(expected)));
    RtInt last = FindStringReverse(hay.c_str(), needle.c_str(), start);
    Check(last == -1 || (last <= static_cast<RtInt>(hay.size()) && hay.compare(last, needle.size(), needle) == 0));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Input: three texts separated by zero bytes, then anything left over as numbers.
    std::string parts[3];
    size_t p = 0;
    for (std::string& part : parts) {
        while (p < size && data[p]) part += static_cast<char>(data[p++]);
        if (p < size) ++p;
    }
    RtInt start = size ? static_cast<int8_t>(data[size - 1]) : 0;

    CheckNumberText(parts[0]);
    RtString a(parts[0].c_str()), b(parts[1].c_str()), c(parts[2].c_str());
    Check(Std(UrlDecode(UrlEncode(a))) == parts[0]);
    UrlDecode(b);
    CheckSearching(parts[0], parts[1], start);
    RtString replaced = ReplaceAll(a, b, c);
    Check(replaced.buffer[replaced.length] == 0);
    RtStringArray pieces;
    RtInt count = SplitString(a, b, pieces, start & 1);
    Check(count == ArraySize(pieces, 0));
    FormatNumber(static_cast<int8_t>(size), start, StringToNumber(c));
    MidString(a, start, static_cast<int8_t>(size));
    return 0;
}
