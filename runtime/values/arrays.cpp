// The parts of RtArray that are not templates: size checks and the fatal ends.
#include <cstdio>
#include <cstdlib>

#include "base/debugger_channel.h"
#include "base/error_codes.h"
#include "base/fatal_error.h"
#include "tarnvik/arrays.h"
#include "tarnvik/core.h"
#include "tarnvik/values.h"

namespace tvk {
namespace {

// "[  10][   3]": each number right-aligned in four characters, one bracket per used dimension.
RtString BracketList(const int32_t sizes[4], const RtInt values[4]) {
    RtString text;
    for (int d = 0; d < 4; ++d) {
        if (d > 0 && sizes[d] <= 0) continue;
        text += "[";
        text += FormatNumber(4, 0, values[d]);
        text += "]";
    }
    return text;
}

void SendBoundsReport(const int32_t sizes[4], const RtInt indices[4]) {
    RtString bounds = RtString("TXbounds: ") + BracketList(sizes, sizes) + "\n";
    RtString access = RtString("TXaccess: ") + BracketList(sizes, indices) + "\n";
    SendDebuggerText(bounds.c_str());
    SendDebuggerText(access.c_str());
}

}  // namespace

int64_t RequestedElementCount(RtInt s0, RtInt s1, RtInt s2, RtInt s3) {
    auto atLeastOne = [](RtInt size) { return int64_t(size > 1 ? size : 1); };
    if (s0 <= 0) return 0;
    int64_t count = s0;
    for (RtInt s : {s1, s2, s3}) {
        count *= atLeastOne(s);
        if (count > kMaxArrayElements) return -1;
    }
    return count;
}

void ReportArrayBounds(const int32_t sizes[4], RtInt i, RtInt j, RtInt k, RtInt l) {
    if (DebuggerAttached()) {
        // The debugger gets the access as seen by one, two and then all four indices.
        const RtInt first[4] = {i, j, 0, 0};
        const RtInt second[4] = {i, j, k, 0};
        const RtInt all[4] = {i, j, k, l};
        SendBoundsReport(sizes, first);
        SendBoundsReport(sizes, second);
        SendBoundsReport(sizes, all);
    }
    EndOnFatalError(tvk::kErrorOutOfBounds, "array index out of bounds");
    // Still here: the program was already ending. Finish now; stdio is flushed, the exit
    // handlers are not run again.
    std::fflush(nullptr);
    std::_Exit(0);
}

void ReportArrayOutOfMemory() {
    EndOnFatalError(tvk::kErrorOutOfMemory, "out of memory for an array");
}

void ReportArrayNotOneDimensional() {
    EndOnFatalError(tvk::kErrorNotOneDimensional, "array is not one-dimensional");
}

}  // namespace tvk
