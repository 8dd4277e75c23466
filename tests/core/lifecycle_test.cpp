// Whole runs of a small program: start-up and shutdown orders, the ways a program ends,
// pausing on focus changes, and running hidden.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "support/child_process.h"

namespace {

using tvk::test::ChildResult;

struct RunOutcome {
    ChildResult result;
    std::string log;  // ErrorLog.txt with CR LF turned into "|"
};

std::string FlattenLog(const std::string& raw) {
    std::string out;
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n') {
            out += '|';
            ++i;
        } else {
            out += raw[i];
        }
    }
    return out;
}

RunOutcome RunProgram(const std::string& mode, std::map<std::string, std::string> env = {},
               const std::string& program = LIFECYCLE_PROGRAM) {
    std::string temp = tvk::test::MakeTempDir();
    env["TMPDIR"] = temp + "/";
    env.try_emplace("SDL_VIDEODRIVER", "offscreen");
    env.try_emplace("SDL_AUDIODRIVER", "dummy");
    // The GL driver's own allocations are unloaded before the leak check can name them.
    env.try_emplace("ASAN_OPTIONS", "detect_leaks=0");
    RunOutcome run;
    run.result = tvk::test::RunChild(program, {mode}, env);
    run.log = FlattenLog(tvk::test::ReadFile(temp + "/ErrorLog.txt"));
    std::filesystem::remove_all(temp);
    return run;
}

const std::string kStartLines =
    "Init GFX|*** OpenGL Software Emulation - update driver!|Delay load DLLs|Init sound engine|Init Finalized|";
const std::string kEndLines = "Shut down TVK|tvk is shut down|";

TEST(Lifecycle, NormalReturnLogsStartEndAndExitsZero) {
    RunOutcome run = RunProgram("return");
    EXPECT_EQ(run.result.exitCode, 0);
    // Debug build: the end information comes before the shutdown lines.
    EXPECT_EQ(run.log, kStartLines + "-End On Line|0|-1|0|0|" + kEndLines);
    EXPECT_NE(run.result.out.find("quit callback 1\n"), std::string::npos);
    EXPECT_EQ(run.result.out.substr(run.result.out.size() - 5), "exit\n");
}

TEST(Lifecycle, EndCommandAndCloseRequestEndWithCodeZero) {
    for (const char* mode : {"end", "close"}) {
        SCOPED_TRACE(mode);
        RunOutcome run = RunProgram(mode);
        EXPECT_EQ(run.result.exitCode, 0);
        EXPECT_EQ(run.result.out.find("not reached"), std::string::npos);
        EXPECT_EQ(run.log, kStartLines + kEndLines);  // no end information without the debug flag
    }
}

TEST(Lifecycle, EndProgramFromTheQuitCallbackReturnsAtOnce) {
    RunOutcome run = RunProgram("quit-reenters");
    EXPECT_EQ(run.result.exitCode, 0);
    EXPECT_NE(run.result.out.find("quit callback 1\nsecond EndProgram returned\n"), std::string::npos);
    EXPECT_EQ(run.result.out.find("quit callback 2"), std::string::npos);
    EXPECT_EQ(run.log, kStartLines + kEndLines);  // shut down once
}

TEST(Lifecycle, EscapeEndsTheProgramUnlessTurnedOff) {
    RunOutcome ends = RunProgram("escape");
    EXPECT_EQ(ends.result.exitCode, 0);
    EXPECT_EQ(ends.result.out.find("escape ignored"), std::string::npos);
    RunOutcome ignored = RunProgram("escape-off");
    EXPECT_EQ(ignored.result.exitCode, 0);
    EXPECT_NE(ignored.result.out.find("escape ignored"), std::string::npos);
}

TEST(Lifecycle, FocusLossPausesOnceAndReactivationResumesOnce) {
    RunOutcome run = RunProgram("focus");
    EXPECT_EQ(run.result.exitCode, 0);
    EXPECT_NE(run.result.out.find("paused title [Lifecycle <pause>] pause 1 resume 0"), std::string::npos)
        << run.result.out;
    EXPECT_NE(run.result.out.find("pause loop in showscreen\npause ended\n"), std::string::npos);
    EXPECT_NE(run.result.out.find("resumed title [Lifecycle] pause 1 resume 1"), std::string::npos)
        << run.result.out;
}

TEST(Lifecycle, DebugFlagKeepsFocusChangesFromPausing) {
    RunOutcome run = RunProgram("debug-focus");
    EXPECT_NE(run.result.out.find("paused title [Lifecycle] pause 0 resume 0"), std::string::npos)
        << run.result.out;
    EXPECT_EQ(run.result.out.find("pause loop"), std::string::npos);
}

TEST(Lifecycle, CallByNameCallsKnownFunctionsOnly) {
    RunOutcome run = RunProgram("callbyname");
    EXPECT_NE(run.result.out.find("known 1 unknown 0"), std::string::npos) << run.result.out;
}

TEST(Lifecycle, MessageCallbackRunsBeforeEachEvent) {
    RunOutcome run = RunProgram("message-callback");
    EXPECT_NE(run.result.out.find("message callback ran 3 times for 3 events"), std::string::npos)
        << run.result.out;
}

TEST(Lifecycle, CallByNameTellsAnAttachedDebuggerAboutUnknownNames) {
    // The debugger channel is a descriptor named by TVK_DEBUG_FD; 2 is standard error here.
    RunOutcome run = RunProgram("callbyname", {{"TVK_DEBUG_FD", "2"}});
    EXPECT_NE(run.result.err.find("TXCALLBYNAME \"NoSuchFunction\" *** failed ***\n"), std::string::npos);
    EXPECT_EQ(run.result.err.find("TVK_ON_QUIT"), std::string::npos);  // never reported for the quit callback
}

TEST(Lifecycle, ShowModeZeroKeepsTheWindowHidden) {
    RunOutcome hidden = RunProgram("hidden", {{"TVK_SHOW", "0"}});
    EXPECT_NE(hidden.result.out.find("shown 0"), std::string::npos) << hidden.result.out;
    RunOutcome shown = RunProgram("hidden");
    EXPECT_NE(shown.result.out.find("shown 1"), std::string::npos) << shown.result.out;
}

TEST(Lifecycle, RelativeNamesResolveBesideTheProgram) {
    std::string dir = tvk::test::MakeTempDir();
    std::string program = dir + "/lifecycle_program";
    std::filesystem::copy_file(LIFECYCLE_PROGRAM, program);
    std::filesystem::permissions(program, std::filesystem::perms::owner_exec, std::filesystem::perm_options::add);
    { std::ofstream(dir + "/beside-the-program.txt") << "x"; }
    RunOutcome run = RunProgram("cwd", {}, program);
    EXPECT_NE(run.result.out.find("relative open found"), std::string::npos) << run.result.out;
    std::filesystem::remove_all(dir);
}

// A stand-in for the desktop's file chooser, first on PATH: it records its arguments and
// answers with `answer`, or fails as a cancelled chooser does.
std::string FakeChooserDir(const std::string& answer, bool cancel) {
    std::string dir = tvk::test::MakeTempDir();
    std::ofstream script(dir + "/zenity");
    script << "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$(dirname \"$0\")/args.txt\"\n";
    if (cancel) script << "exit 1\n";
    else script << "printf '%s\\n' '" << answer << "'\n";
    script.close();
    std::filesystem::permissions(dir + "/zenity", std::filesystem::perms::owner_all);
    return dir;
}

TEST(Lifecycle, FileDialogAnswersWithForwardSlashesOrNoFile) {
    std::string path = std::getenv("PATH") ? std::getenv("PATH") : "/usr/bin:/bin";
    std::string chooser = FakeChooserDir("/home/user\\saves\\one.txt", false);
    RunOutcome chosen = RunProgram("filedialog", {{"PATH", chooser + ":" + path}});
    EXPECT_NE(chosen.result.out.find("chosen [/home/user/saves/one.txt] shown 1"), std::string::npos)
        << chosen.result.out;
    std::string args = tvk::test::ReadFile(chooser + "/args.txt");
    EXPECT_NE(args.find("--file-filter=Text files | *.txt"), std::string::npos) << args;
    EXPECT_NE(args.find("--file-filter=All files | *.*"), std::string::npos) << args;
    EXPECT_EQ(args.find("--save"), std::string::npos);

    std::string cancelling = FakeChooserDir("", true);
    RunOutcome cancelled = RunProgram("filedialog", {{"PATH", cancelling + ":" + path}});
    EXPECT_NE(cancelled.result.out.find("chosen [NO_FILE]"), std::string::npos) << cancelled.result.out;
    std::filesystem::remove_all(chooser);
    std::filesystem::remove_all(cancelling);
}

TEST(Diagnostics, FailedAssertionEndsWithCode21) {
    RunOutcome run = RunProgram("assert", {{"TVK_DEBUG_FD", "2"}});
    EXPECT_EQ(run.result.exitCode, 0);
    EXPECT_NE(run.result.out.find("assert 1 passed"), std::string::npos);
    EXPECT_EQ(run.result.out.find("not reached"), std::string::npos);
    EXPECT_NE(run.result.err.find("TXAssertion: Value = 0\n"), std::string::npos);
    EXPECT_NE(run.log.find("-End On Line|21|"), std::string::npos) << run.log;
}

// A program ended by a runtime error says which on standard error, with the line when it
// is tracked, and still exits with code 0.
TEST(Diagnostics, FatalErrorsSayWhatEndedTheProgramAndWhere) {
    const struct {
        const char* mode;
        const char* line;
    } cases[] = {
        {"fatal-bounds", "Fatal error 9: array index out of bounds on line 12\n"},
        {"fatal-channel", "Fatal error 7: no such file channel 8 on line 12\n"},
        {"fatal-past-end", "Fatal error 3: read past the end of file channel 0 on line 12\n"},
        {"fatal-data", "Fatal error 20: read past the end of the data on line 12\n"},
        {"fatal-assert", "Fatal error 21: assertion failed on line 12\n"},
        {"bounds-untracked", "Fatal error 9: array index out of bounds\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        RunOutcome run = RunProgram(c.mode);
        EXPECT_EQ(run.result.exitCode, 0);
        EXPECT_EQ(run.result.out.find("not reached"), std::string::npos);
        EXPECT_NE(run.result.err.find(c.line), std::string::npos) << run.result.err;
        std::string logged(c.line, std::strlen(c.line) - 1);
        EXPECT_NE(run.log.find("|" + logged + "|Shut down TVK|"), std::string::npos) << run.log;
    }
}

TEST(Lifecycle, AProgramWithoutAppMainSaysSoAndOpensNoWindow) {
    RunOutcome run = RunProgram("", {}, NO_APP_MAIN_PROGRAM);
    EXPECT_EQ(run.result.exitCode, 0);
    EXPECT_NE(run.result.err.find("This program defines no AppMain: there is nothing to run\n"), std::string::npos)
        << run.result.err;
    EXPECT_EQ(run.log.find("Init GFX"), std::string::npos) << run.log;
}

TEST(Diagnostics, StandardInputLinesAreCutAt4094Characters) {
    std::string dir = tvk::test::MakeTempDir();
    std::string input = std::string(5000, 'a') + "\nabc\n";
    { std::ofstream(dir + "/in.txt") << input; }
    // The child reads the file as its standard input through the shell.
    tvk::test::ChildResult r = tvk::test::RunChild(
        "/bin/sh", {"-c", std::string("\"$0\" stdin < \"$1\""), LIFECYCLE_PROGRAM, dir + "/in.txt"},
        {{"TMPDIR", dir + "/"}, {"SDL_VIDEODRIVER", "offscreen"}, {"ASAN_OPTIONS", "detect_leaks=0"}});
    EXPECT_NE(r.out.find("lengths 4094 906 [abc]"), std::string::npos) << r.out;
    std::filesystem::remove_all(dir);
}

TEST(Lifecycle, CommandLineHoldsTheProgramAndItsArgumentsQuotedWhereBlank) {
    std::string temp = tvk::test::MakeTempDir();
    tvk::test::ChildResult r = tvk::test::RunChild(
        LIFECYCLE_PROGRAM, {"cmdline", "two words", "x"},
        {{"SDL_VIDEODRIVER", "offscreen"}, {"TVK_SHOW", "0"}, {"TMPDIR", temp + "/"}});
    std::filesystem::remove_all(temp);
    EXPECT_NE(r.out.find(std::string("command line [") + LIFECYCLE_PROGRAM + " cmdline \"two words\" x]"),
              std::string::npos)
        << r.out;
}

TEST(Lifecycle, OldErrorLogIsGoneAfterStartUp) {
    std::string temp = tvk::test::MakeTempDir();
    { std::ofstream(temp + "/ErrorLog.txt") << "from an earlier run\r\n"; }
    tvk::test::RunChild(LIFECYCLE_PROGRAM, {"end"},
                        {{"TMPDIR", temp + "/"}, {"SDL_VIDEODRIVER", "offscreen"}, {"ASAN_OPTIONS", "detect_leaks=0"}});
    EXPECT_EQ(FlattenLog(tvk::test::ReadFile(temp + "/ErrorLog.txt")), kStartLines + kEndLines);
    std::filesystem::remove_all(temp);
}

TEST(Lifecycle, MissingDisplayIsReportedAndEndsCleanly) {
    RunOutcome run = RunProgram("return", {{"SDL_VIDEODRIVER", "no-such-driver"}});
    EXPECT_EQ(run.result.exitCode, 0);
    EXPECT_NE(run.result.err.find("Cannot create the display"), std::string::npos);
    EXPECT_EQ(run.log.rfind("Init GFX|Cannot create the display", 0), 0u) << run.log;
    EXPECT_EQ(run.result.out.find("shown"), std::string::npos);
}

}  // namespace
