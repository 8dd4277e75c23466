// The debugger tool's pieces: commands, breakpoints, the channel's message framing, and
// reading variable tables out of a process (this one).
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "commands.h"
#include "message_splitter.h"
#include "program_launcher.h"
#include "remote_memory.h"
#include "stop_view.h"
#include "support/child_process.h"
#include "tarnvik/debug.h"
#include "tarnvik/rt_string.h"

namespace {

using namespace tvkdebug;

TEST(DebuggerCommands, WordsAndBreakpointsParse) {
    EXPECT_EQ(ParseCommand("n").kind, CommandKind::StepOver);
    EXPECT_EQ(ParseCommand("  step ").kind, CommandKind::StepInto);
    EXPECT_EQ(ParseCommand("out").kind, CommandKind::StepOut);
    EXPECT_EQ(ParseCommand("c").kind, CommandKind::Run);
    EXPECT_EQ(ParseCommand("end").kind, CommandKind::End);
    EXPECT_EQ(ParseCommand("").kind, CommandKind::Repeat);
    EXPECT_EQ(ParseCommand("b").kind, CommandKind::ListBreakpoints);
    Command b = ParseCommand("b 1:-4");
    EXPECT_EQ(b.kind, CommandKind::ToggleBreakpoint);
    EXPECT_EQ(b.where, (Breakpoint{1, -4}));
    for (const char* bad : {"b 1", "b x:3", "b 1:", "b 1:2 3", "n 2", "jump", "b 99999999999:1"}) {
        EXPECT_EQ(ParseCommand(bad).kind, CommandKind::Invalid) << bad;
    }
}

TEST(DebuggerCommands, BreakpointsToggleAndStopAtTheProgramsCapacity) {
    BreakpointList list;
    EXPECT_EQ(list.Flip({0, 12}), BreakpointList::Toggle::Added);
    EXPECT_EQ(list.Flip({1, 12}), BreakpointList::Toggle::Added);
    EXPECT_EQ(list.Flip({0, 12}), BreakpointList::Toggle::Removed);
    ASSERT_EQ(list.Entries().size(), 1u);
    EXPECT_EQ(list.Entries()[0], (Breakpoint{1, 12}));
    for (int i = 0; list.Entries().size() < BreakpointList::kCapacity; ++i) list.Flip({2, i});
    EXPECT_EQ(list.Flip({3, 3}), BreakpointList::Toggle::Full);
    EXPECT_EQ(list.Flip({1, 12}), BreakpointList::Toggle::Removed);  // removing still works when full
}

TEST(DebuggerChannel, MessagesSplitAtNulAcrossReads) {
    MessageSplitter splitter;
    splitter.Append("TXone\n", 6);
    EXPECT_FALSE(splitter.Next());
    splitter.Append("\0BP7f\0TX", 8);
    EXPECT_EQ(splitter.Next(), "TXone\n");
    EXPECT_EQ(splitter.Next(), "BP7f");
    EXPECT_FALSE(splitter.Next());
    EXPECT_EQ(splitter.TakeRest(), "TX");
    EXPECT_EQ(splitter.TakeRest(), "");
}

TEST(StopView, TablesOfThisProcessReadAsTheDebuggerSeesThem) {
    RtNumber number = 2.5;
    RtString text = "say \"hi\"\n";
    RtString longText(std::string(kMaxTextShown + 10, 'x').c_str());
    int array = 0;
    DebugVariableTable<5> table = {5,
                                   {{"number", kDebugNumber, &number},
                                    {"text_Str", kDebugString, &text},
                                    {"long_Str", kDebugString, &longText},
                                    {"grid", kDebugArray, &array},
                                    {"lost", kDebugNumber, nullptr}}};
    RemoteMemory memory(getpid());
    std::vector<VariableView> views =
        ReadVariables(memory, reinterpret_cast<uintptr_t>(&table.entries[0]), static_cast<int32_t>(table.count));
    ASSERT_EQ(views.size(), 5u);
    EXPECT_EQ(views[0].name, "number");
    EXPECT_EQ(views[0].value, "2.5");
    EXPECT_EQ(views[1].value, "\"say \\\"hi\\\"\\x0a\"");
    EXPECT_EQ(views[2].value, "\"" + std::string(kMaxTextShown, 'x') + "\"...");
    EXPECT_EQ(views[3].value, "<array>");
    EXPECT_EQ(views[4].value, "<unreadable>");

    // A table address that points nowhere ends the listing instead of the debugger.
    std::vector<VariableView> broken = ReadVariables(memory, 8, 3);
    ASSERT_EQ(broken.size(), 1u);
    EXPECT_EQ(broken[0].value, "<unreadable table>");
    EXPECT_TRUE(ReadVariables(memory, 8, -1).empty());
}

TEST(StopView, NumbersUseTenSignificantDigits) {
    EXPECT_EQ(FormatNumber(0), "0");
    EXPECT_EQ(FormatNumber(1.0 / 3.0), "0.3333333333");
    EXPECT_EQ(FormatNumber(-270), "-270");
    EXPECT_EQ(DescribeStop(1, 4, {{"g", "1"}}, {}), "stopped at 1:4\n  globals:\n    g = 1\n");
}

TEST(MemoryAccess, YamaScopeDecidesWhetherWeMayRead) {
    EXPECT_EQ(MemoryAccessProblem(-1, false), "");  // no Yama
    EXPECT_EQ(MemoryAccessProblem(1, false), "");   // the parent may read its child
    EXPECT_NE(MemoryAccessProblem(2, false), "");
    EXPECT_EQ(MemoryAccessProblem(2, true), "");
    EXPECT_NE(MemoryAccessProblem(3, true), "");

    std::string dir = tvk::test::MakeTempDir();
    EXPECT_EQ(ReadPtraceScope(dir + "/missing"), -1);
    { std::ofstream(dir + "/scope") << "2\n"; }
    EXPECT_EQ(ReadPtraceScope(dir + "/scope"), 2);
    { std::ofstream(dir + "/status") << "Name:\tx\nCapEff:\t0000000000080000\n"; }
    EXPECT_TRUE(HasPtraceCapability(dir + "/status"));
    { std::ofstream(dir + "/status") << "CapEff:\t0000000000000000\n"; }
    EXPECT_FALSE(HasPtraceCapability(dir + "/status"));
    std::filesystem::remove_all(dir);
}

TEST(Launcher, AProgramThatCannotStartIsReported) {
    LaunchedProgram p = LaunchWithChannel({"/no/such/program"});
    EXPECT_LT(p.pid, 0);
    EXPECT_NE(p.error.find("cannot start /no/such/program"), std::string::npos) << p.error;
}

}  // namespace
