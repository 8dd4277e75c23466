// Whole debugging sessions: tvkdebug starts the traced program with the debugger channel and
// drives it with commands from its standard input.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "support/child_process.h"

extern char** environ;

namespace {

struct Session {
    tvk::test::ChildResult result;
    std::string stops;  // "file:line" of every stop, in order, blank-separated
    std::string log;    // the program's error log
};

std::map<std::string, std::string> ProgramEnvironment(const std::string& temp) {
    return {{"TMPDIR", temp + "/"},
            {"SDL_VIDEODRIVER", "offscreen"},
            {"SDL_AUDIODRIVER", "dummy"},
            {"TVK_SHOW", "0"},
            {"TVK_DEBUG_FD", ""},
            // The GL driver's own allocations are unloaded before the leak check can name them.
            {"ASAN_OPTIONS", "detect_leaks=0"}};
}

std::string StopsIn(const std::string& out) {
    const std::string marker = "stopped at ";
    std::string stops;
    for (size_t at = out.find(marker); at != std::string::npos; at = out.find(marker, at + 1)) {
        size_t from = at + marker.size();
        if (!stops.empty()) stops += ' ';
        stops += out.substr(from, out.find('\n', from) - from);
    }
    return stops;
}

// Runs tvkdebug [options] trace_program [mode] with `commands` as its standard input.
Session Debug(const std::string& commands, const std::vector<std::string>& options = {},
              const std::string& mode = "") {
    std::string temp = tvk::test::MakeTempDir();
    { std::ofstream(temp + "/commands.txt") << commands; }
    std::vector<std::string> args = {"-c", "exec \"$0\" \"$@\" < \"$TVK_TEST_COMMANDS\"", TVKDEBUG};
    args.insert(args.end(), options.begin(), options.end());
    args.push_back(TRACE_PROGRAM);
    if (!mode.empty()) args.push_back(mode);
    std::map<std::string, std::string> env = ProgramEnvironment(temp);
    env["TVK_TEST_COMMANDS"] = temp + "/commands.txt";
    Session s;
    s.result = tvk::test::RunChild("/bin/sh", args, env, 60);
    s.stops = StopsIn(s.result.out);
    s.log = tvk::test::ReadFile(temp + "/ErrorLog.txt");
    std::filesystem::remove_all(temp);
    return s;
}

const std::string kWholeRun = "count 10\n";

TEST(DebuggerSession, StepIntoStopsAtEveryStatement) {
    Session s = Debug("s\ns\ns\ns\ns\ns\ns\ns\ns\ns\ns\ns\n");
    EXPECT_EQ(s.stops, "0:10 0:11 0:12 1:3 1:4 0:13 0:14 1:3 1:4 0:16 0:16 0:18") << s.result.out;
    EXPECT_NE(s.result.out.find(kWholeRun), std::string::npos);
    EXPECT_NE(s.result.out.find("program ended with exit code 0"), std::string::npos);
    EXPECT_EQ(s.result.exitCode, 0);
}

TEST(DebuggerSession, StepOverRunsCalledFunctionsWithoutStopping) {
    Session s = Debug("n\nn\nn\nn\nn\nn\nn\nn\n");
    EXPECT_EQ(s.stops, "0:10 0:11 0:12 0:13 0:14 0:16 0:16 0:18") << s.result.out;
    // The loop counter is a local only while the loop runs.
    EXPECT_NE(s.result.out.find("stopped at 0:16\n  globals:\n    count = 7\n    name_Str = \"traced \\\"text\\\"\"\n"
                                "    values = <array>\n  locals:\n    m = 1\n"),
              std::string::npos)
        << s.result.out;
    EXPECT_NE(s.result.out.find("stopped at 0:18\n  globals:\n    count = 10\n"), std::string::npos);
    EXPECT_EQ(s.result.out.find("stopped at 0:18\n  globals:\n    count = 10\n    name_Str = \"traced \\\"text\\\"\"\n"
                                "    values = <array>\n  locals:"),
              std::string::npos);
}

TEST(DebuggerSession, StepOutReturnsToTheCaller) {
    Session s = Debug("s\ns\ns\nv\no\nc\n");
    EXPECT_EQ(s.stops, "0:10 0:11 0:12 1:3 1:3 0:13") << s.result.out;  // "v" shows 1:3 again
    EXPECT_NE(s.result.out.find("stopped at 1:3\n  globals:\n    count = 1\n"), std::string::npos);
    EXPECT_NE(s.result.out.find("  locals:\n    a = 1\n    result = 0\n"), std::string::npos) << s.result.out;
    EXPECT_NE(s.result.out.find("stopped at 0:13\n  globals:\n    count = 3\n"), std::string::npos);
    EXPECT_NE(s.result.out.find(kWholeRun), std::string::npos);
}

TEST(DebuggerSession, BreakpointsSetAtStartStopOnlyWhereFileAndLineMatch) {
    Session hit = Debug("c\nc\n", {"-r", "-b", "1:4"});
    EXPECT_EQ(hit.stops, "1:4 1:4") << hit.result.out;
    EXPECT_NE(hit.result.out.find("    a = 3\n    result = 4\n"), std::string::npos) << hit.result.out;

    // Line 4 exists only in file 1, line 11 only in file 0.
    Session miss = Debug("", {"-r", "-b", "0:4", "-b", "1:11"});
    EXPECT_EQ(miss.stops, "") << miss.result.out;
    EXPECT_NE(miss.result.out.find(kWholeRun), std::string::npos);
}

TEST(DebuggerSession, BreakpointsToggleAtAStop) {
    Session s = Debug("b 1:4\nb 1:4\nb 0:16\nb\nc\nc\nc\n");
    EXPECT_EQ(s.stops, "0:10 0:16 0:16") << s.result.out;
    EXPECT_NE(s.result.out.find("breakpoint at 1:4 set\n"), std::string::npos);
    EXPECT_NE(s.result.out.find("breakpoint at 1:4 cleared\n"), std::string::npos);
    EXPECT_NE(s.result.out.find("breakpoint at 0:16\n"), std::string::npos);  // the listing
    EXPECT_NE(s.result.out.find("    m = 2\n"), std::string::npos);
    EXPECT_NE(s.result.out.find(kWholeRun), std::string::npos);
}

TEST(DebuggerSession, EndRequestEndsTheProgramAtTheNextStatement) {
    Session s = Debug("s\ns\ns\ne\n");
    EXPECT_EQ(s.stops, "0:10 0:11 0:12 1:3") << s.result.out;
    EXPECT_EQ(s.result.out.find("\ncount "), std::string::npos);
    EXPECT_NE(s.result.out.find("program ended with exit code 0"), std::string::npos);
    // Code 0, recorded at line 4 of file 1, where it ended (the log holds the line before it).
    EXPECT_NE(s.log.find("-End On Line\r\n0\r\n3\r\n4\r\n1\r\n"), std::string::npos) << s.log;

    Session eof = Debug("n\n");  // no more commands: the program ends as well
    EXPECT_EQ(eof.stops, "0:10 0:11");
    EXPECT_EQ(eof.result.out.find("\ncount "), std::string::npos);
    EXPECT_EQ(eof.result.exitCode, 0);
}

TEST(DebuggerSession, TextsReachTheDebuggerAndTheChannelStaysWithTheProgram) {
    Session s = Debug("", {"-r"}, "spawn");
    EXPECT_NE(s.result.out.find("text from line 13\n"), std::string::npos) << s.result.out;
    EXPECT_NE(s.result.out.find("channel inherited: no\n"), std::string::npos) << s.result.out;
    EXPECT_NE(s.result.out.find(kWholeRun), std::string::npos);
}

TEST(DebuggerSession, WithoutADebuggerTheProgramRunsThrough) {
    std::string temp = tvk::test::MakeTempDir();
    for (const char* fd : {"", "57", "not-a-number"}) {
        auto env = ProgramEnvironment(temp);
        env["TVK_DEBUG_FD"] = fd;  // unset, a closed descriptor, nonsense
        tvk::test::ChildResult r = tvk::test::RunChild(TRACE_PROGRAM, {}, env, 60);
        EXPECT_EQ(r.exitCode, 0) << fd;
        EXPECT_NE(r.out.find(kWholeRun), std::string::npos) << fd;
    }
    // Standard error as the channel: the texts as they stand, and no stops.
    auto env = ProgramEnvironment(temp);
    env["TVK_DEBUG_FD"] = "2";
    tvk::test::ChildResult r = tvk::test::RunChild(TRACE_PROGRAM, {}, env, 60);
    EXPECT_NE(r.out.find(kWholeRun), std::string::npos);
    EXPECT_NE(r.err.find("TXtext from line 13\n"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find('\0'), std::string::npos);
    std::filesystem::remove_all(temp);
}

TEST(DebuggerSession, ADebuggerThatIsGoneNeitherKillsNorHaltsTheProgram) {
    std::string temp = tvk::test::MakeTempDir();
    int channel[2];
    ASSERT_EQ(pipe(channel), 0);
    close(channel[0]);  // nobody will ever read: the first stop notification fails
    std::vector<std::string> envStrings;
    auto env = ProgramEnvironment(temp);
    env["TVK_DEBUG_FD"] = "3";
    for (char** e = environ; *e; ++e) {
        std::string entry = *e;
        if (!env.count(entry.substr(0, entry.find('=')))) envStrings.push_back(entry);
    }
    for (const auto& [k, v] : env) envStrings.push_back(k + "=" + v);
    std::vector<char*> envp;
    for (std::string& s : envStrings) envp.push_back(s.data());
    envp.push_back(nullptr);
    std::string out = temp + "/out.txt";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, channel[1], 3);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::string program = TRACE_PROGRAM;
    char* argv[] = {program.data(), nullptr};
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, argv[0], &actions, nullptr, argv, envp.data()), 0);
    posix_spawn_file_actions_destroy(&actions);
    close(channel[1]);

    int status = 0;
    for (int waited = 0; waitpid(pid, &status, WNOHANG) == 0; waited += 50) {
        if (waited > 60000) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            FAIL() << "the program waited for a debugger that is gone";
        }
        usleep(50000);
    }
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_NE(tvk::test::ReadFile(out).find(kWholeRun), std::string::npos);
    std::filesystem::remove_all(temp);
}

}  // namespace
