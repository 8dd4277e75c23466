// TraceLine in a process without a debugger: it keeps the current position and never waits,
// whatever the block asks for.
#include <gtest/gtest.h>

#include "base/debugger_block.h"
#include "base/last_error.h"
#include "tarnvik/core.h"
#include "tarnvik/debug.h"

namespace {

class TraceLineTest : public ::testing::Test {
protected:
    void SetUp() override { tvk::ResetDebugger(); }
    void TearDown() override { tvk::ResetDebugger(); }
    DebuggerBlock& Block() { return tvk::Debugger().block; }
};

TEST_F(TraceLineTest, EveryStatementSetsTheCurrentPosition) {
    tvk::DebuggerState& s = tvk::Debugger();
    s.block.command = kDebuggerRun;
    TraceLine(0, 1, nullptr);  // the first statement stops, then runs
    TraceLine(2, 77, nullptr);
    EXPECT_EQ(tvk::LastError().currentFile, 2);
    EXPECT_EQ(tvk::LastError().currentLine, 77);
    SetErrorCode(5);
    EXPECT_EQ(tvk::LastError().recordedLine, 77);
    SetErrorCode(0);
}

TEST_F(TraceLineTest, FirstStatementStopsAndTurnsSteppingOn) {
    TraceLine(0, 10, nullptr);
    EXPECT_EQ(Block().line, 10);
    EXPECT_EQ(Block().breakRequest, 0);
    EXPECT_EQ(Block().command, 1);
    // Stepping stays on without a debugger, so each statement looks for one.
    TraceLine(0, 11, nullptr);
    EXPECT_EQ(Block().line, 11);
}

TEST_F(TraceLineTest, BreakpointsWithoutADebuggerNeverWait) {
    Block().command = kDebuggerRun;
    TraceLine(0, 1, nullptr);
    Block().breakpointCount = 2;
    tvk::Debugger().breakpointFiles[0] = 0;
    tvk::Debugger().breakpointLines[0] = 12;
    tvk::Debugger().breakpointFiles[1] = 1;
    tvk::Debugger().breakpointLines[1] = 3;
    TraceLine(0, 11, nullptr);
    TraceLine(1, 12, nullptr);
    EXPECT_EQ(Block().line, 1);  // neither stopped: the block still shows the first statement
    TraceLine(0, 12, nullptr);
    EXPECT_EQ(Block().file, 0);
    EXPECT_EQ(Block().line, 12);
    // Nobody answered, so the block's command 0 turned stepping on; the run goes on anyway.
    EXPECT_EQ(Block().command, 1);
    for (int i = 0; i < 10000; ++i) {
        TraceLine(0, 11, nullptr);
        TraceLine(0, 12, nullptr);
        TraceLine(1, 3, nullptr);
    }
    EXPECT_EQ(Block().file, 1);
    EXPECT_EQ(Block().line, 3);
}

TEST_F(TraceLineTest, CallDepthFollowsRegistrationAndFunctions) {
    static DebugVariableTable<1> globals = {1, {{"g", kDebugNumber, nullptr}}};
    DebugRegisterGlobals(&globals);
    EXPECT_EQ(tvk::Debugger().callDepth, 1);
    {
        DebugFunctionScope outer;
        DebugFunctionScope inner;
        EXPECT_EQ(tvk::Debugger().callDepth, 3);
    }
    EXPECT_EQ(tvk::Debugger().callDepth, 1);
    TraceLine(0, 1, nullptr);
    EXPECT_EQ(Block().globalCount, 1);
    EXPECT_EQ(Block().globals, reinterpret_cast<uintptr_t>(&globals.entries[0]));
}

TEST_F(TraceLineTest, StepOverRunsTheStatementsOfACalledFunction) {
    DebugRegisterGlobals(nullptr);
    TraceLine(0, 1, nullptr);  // stop; step over from depth 1
    {
        DebugFunctionScope scope;
        TraceLine(1, 1, nullptr);  // deeper than the step depth: runs
        EXPECT_EQ(Block().line, 1);
        EXPECT_EQ(Block().file, 0);
    }
    TraceLine(0, 2, nullptr);
    EXPECT_EQ(Block().line, 2);
}

}  // namespace
