// When a statement stops and what the debugger's answer does to the run mode.
#include <gtest/gtest.h>

#include <climits>

#include "base/debugger_block.h"

namespace {

using tvk::DebuggerState;

DebuggerState Running() {
    DebuggerState s;  // break request 0, command 0: only breakpoints stop
    return s;
}

TEST(StopRule, BreakpointNeedsBothFileAndLine) {
    DebuggerState s = Running();
    s.block.breakpointCount = 1;
    s.breakpointFiles[0] = 0;
    s.breakpointLines[0] = 12;
    EXPECT_TRUE(tvk::ShouldStop(s, 0, 12));
    EXPECT_FALSE(tvk::ShouldStop(s, 1, 12));
    EXPECT_FALSE(tvk::ShouldStop(s, 0, 13));
    EXPECT_FALSE(tvk::ShouldStop(s, 12, 0));
}

TEST(StopRule, EntriesPastTheCountAreIgnored) {
    DebuggerState s = Running();
    s.block.breakpointCount = 1;
    s.breakpointFiles[0] = 0;
    s.breakpointLines[0] = 12;
    s.breakpointFiles[1] = 1;
    s.breakpointLines[1] = 5;
    EXPECT_FALSE(tvk::ShouldStop(s, 1, 5));
    s.block.breakpointCount = 2;
    EXPECT_TRUE(tvk::ShouldStop(s, 1, 5));
    s.block.breakpointCount = 0;
    EXPECT_FALSE(tvk::ShouldStop(s, 0, 12));
}

TEST(StopRule, CountsFromTheDebuggerStayInsideTheArrays) {
    DebuggerState s = Running();
    s.breakpointFiles[kDebuggerMaxBreakpoints - 1] = 3;
    s.breakpointLines[kDebuggerMaxBreakpoints - 1] = 30;
    for (int32_t count : {INT32_MAX, 5000, kDebuggerMaxBreakpoints + 1}) {
        s.block.breakpointCount = count;
        EXPECT_TRUE(tvk::ShouldStop(s, 3, 30)) << count;  // the last real entry still counts
        EXPECT_FALSE(tvk::ShouldStop(s, 4, 40)) << count;
    }
    s.block.breakpointCount = -1;
    s.breakpointFiles[0] = 0;
    s.breakpointLines[0] = 0;
    EXPECT_FALSE(tvk::ShouldStop(s, 0, 0));
}

TEST(StopRule, SteppingStopsAtOrAboveTheStepDepth) {
    DebuggerState s = Running();
    s.block.command = 1;
    s.stepDepth = 2;
    s.callDepth = 2;
    EXPECT_TRUE(tvk::ShouldStop(s, 0, 1));
    s.callDepth = 1;
    EXPECT_TRUE(tvk::ShouldStop(s, 0, 1));
    s.callDepth = 3;
    EXPECT_FALSE(tvk::ShouldStop(s, 0, 1));  // inside a function called from the stepped one
    s.block.command = 0;
    s.callDepth = 1;
    EXPECT_FALSE(tvk::ShouldStop(s, 0, 1));  // run mode ignores the depths
    s.block.breakRequest = 1;
    s.callDepth = 9;
    EXPECT_TRUE(tvk::ShouldStop(s, 0, 1));
}

TEST(DebuggerCommand, EachAnswerSetsRunModeAndStepDepth) {
    struct Case {
        int32_t answer, command, stepDepth;
    } cases[] = {
        {0, 1, 3},     // step over
        {1, 1, 4},     // step into
        {-1, 1, 2},    // step out
        {100, 0, 0},   // run
        {7, 7, 42},    // unknown positive: unchanged
        {-5, -5, 42},  // unknown negative: unchanged
    };
    for (const Case& c : cases) {
        DebuggerState s;
        s.callDepth = 3;
        s.stepDepth = 42;
        s.block.breakRequest = 1000;
        s.block.command = c.answer;
        tvk::ApplyDebuggerCommand(s);
        EXPECT_EQ(s.block.command, c.command) << c.answer;
        EXPECT_EQ(s.stepDepth, c.stepDepth) << c.answer;
        EXPECT_EQ(s.block.breakRequest, 0) << c.answer;
    }
}

TEST(DebuggerBlockFill, CopiesPositionCountsAndAddresses) {
    DebuggerState s;
    DebugVariableTable<2> globals = {2, {{"a", kDebugNumber, nullptr}, {"b", kDebugString, nullptr}}};
    DebugVariableTable<1> locals = {1, {{"x", kDebugNumber, nullptr}}};
    s.globals = &globals.count;
    tvk::FillDebuggerBlock(s, 1, 20, &locals.count);
    const DebuggerBlock& b = s.block;
    EXPECT_EQ(b.file, 1);
    EXPECT_EQ(b.line, 20);
    EXPECT_EQ(b.globalCount, 2);
    EXPECT_EQ(b.localCount, 1);
    EXPECT_EQ(b.globals, reinterpret_cast<uintptr_t>(&globals.entries[0]));
    EXPECT_EQ(b.locals, reinterpret_cast<uintptr_t>(&locals.entries[0]));
    EXPECT_EQ(b.breakpointFiles, reinterpret_cast<uintptr_t>(s.breakpointFiles));
    EXPECT_EQ(b.breakpointLines, reinterpret_cast<uintptr_t>(s.breakpointLines));

    // No tables, and a count word no debugger could use, give empty tables.
    s.globals = nullptr;
    locals.count = -4;
    tvk::FillDebuggerBlock(s, 0, 1, &locals.count);
    EXPECT_EQ(s.block.globalCount, 0);
    EXPECT_EQ(s.block.globals, 0u);
    EXPECT_EQ(s.block.localCount, 0);
    tvk::FillDebuggerBlock(s, 0, 1, nullptr);
    EXPECT_EQ(s.block.locals, 0u);
}

}  // namespace
