// Fatal value errors end the program: run each in a child and look at how it ended.
#include <gtest/gtest.h>

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Ending {
    int exitCode = -1;
    std::string out, err;
};

std::string ReadAll(int fd) {
    std::string text;
    char chunk[4096];
    ssize_t n;
    while ((n = read(fd, chunk, sizeof(chunk))) > 0) text.append(chunk, static_cast<size_t>(n));
    close(fd);
    return text;
}

// Runs the child with the debugger channel on its standard error.
Ending RunChild(const char* mode, std::vector<std::string> extraEnvironment = {}) {
    int outPipe[2], errPipe[2];
    EXPECT_EQ(pipe(outPipe), 0);
    EXPECT_EQ(pipe(errPipe), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, outPipe[1], 1);
    posix_spawn_file_actions_adddup2(&actions, errPipe[1], 2);
    std::string child = TVK_ENDING_CHILD;
    char* argv[] = {child.data(), const_cast<char*>(mode), nullptr};
    std::string debugFd = "TVK_DEBUG_FD=2";
    std::vector<char*> env;
    for (char** e = environ; *e; ++e) {
        bool replaced = std::strncmp(*e, "TVK_DEBUG_FD=", 13) == 0;
        for (const std::string& entry : extraEnvironment)
            replaced |= std::strncmp(*e, entry.c_str(), entry.find('=') + 1) == 0;
        if (!replaced) env.push_back(*e);
    }
    env.push_back(debugFd.data());
    for (std::string& entry : extraEnvironment) env.push_back(entry.data());
    env.push_back(nullptr);
    pid_t pid = 0;
    EXPECT_EQ(posix_spawn(&pid, argv[0], &actions, nullptr, argv, env.data()), 0);
    posix_spawn_file_actions_destroy(&actions);
    close(outPipe[1]);
    close(errPipe[1]);
    Ending ending;
    ending.out = ReadAll(outPipe[0]);
    ending.err = ReadAll(errPipe[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    ending.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 1000 + WTERMSIG(status);
    return ending;
}

std::string Repeat(const std::string& text, int times) {
    std::string all;
    for (int i = 0; i < times; ++i) all += text;
    return all;
}

// The ending every fatal value error shares: "exit", the code recorded, exit code 0.
std::string EndedWith(int code) { return "exit\nerror=" + std::to_string(code) + "\n"; }

// What the user reads on standard error after the debugger's reports.
const std::string kBoundsLine = "Fatal error 9: array index out of bounds\n";

// An attached debugger hears the sizes and the indices three times, then the program ends.
TEST(ArrayBoundsEnding, ReportsAndEndsWithErrorNine) {
    const struct {
        const char* mode;
        const char* report;
    } cases[] = {
        {"high", "TXbounds: [  10]\nTXaccess: [  10]\n"},
        {"low", "TXbounds: [  10]\nTXaccess: [  -1]\n"},  // -11 counted from the end
        {"inner", "TXbounds: [   3][   2]\nTXaccess: [   0][   2]\n"},
    };
    for (const auto& c : cases) {
        Ending e = RunChild(c.mode);
        EXPECT_EQ(e.exitCode, 0) << c.mode;
        EXPECT_EQ(e.out, EndedWith(9)) << c.mode;
        EXPECT_EQ(e.err, Repeat(c.report, 3) + kBoundsLine) << c.mode;
    }
}

TEST(ValueEndings, EachFatalCaseRecordsItsCode) {
    const struct {
        const char* mode;
        int code;
    } cases[] = {
        {"unsized", 9},  // an array never sized has no legal index
        {"data", 20},    // reading past the data list
        {"push", 8},     // pushing onto two dimensions
        {"huge", 7},     // a shape too large to hold
        {"end", 0},      // the program's own end clears the code
    };
    for (const auto& c : cases) {
        Ending e = RunChild(c.mode);
        EXPECT_EQ(e.exitCode, 0) << c.mode;
        EXPECT_EQ(e.out, EndedWith(c.code)) << c.mode;
    }
}

TEST(ValueEndings, IllegalAccessWhileEndingStopsAtOnce) {
    Ending e = RunChild("ending");
    EXPECT_EQ(e.exitCode, 0);
    EXPECT_EQ(e.out, "quit callback\n");
    EXPECT_EQ(e.err, Repeat("TXbounds: [   2]\nTXaccess: [   5]\n", 3) + kBoundsLine);
}

// A stand-in opener first on PATH records what it was asked to open.
TEST(ValueEndings, OpenDocumentHandsThePathToTheDesktopAndEnds) {
    std::string dir = ::testing::TempDir() + "tvk_open_" + std::to_string(getpid());
    ASSERT_EQ(mkdir(dir.c_str(), 0700), 0);
    std::string log = dir + "/opened.txt";
    std::string opener = dir + "/xdg-open";
    FILE* script = std::fopen(opener.c_str(), "w");
    ASSERT_NE(script, nullptr);
    std::fputs("#!/bin/sh\nprintf '%s|' \"$@\" > \"$TVK_TEST_OPEN_LOG.tmp\"\nmv \"$TVK_TEST_OPEN_LOG.tmp\" \"$TVK_TEST_OPEN_LOG\"\n", script);
    std::fclose(script);
    ASSERT_EQ(chmod(opener.c_str(), 0700), 0);
    const char* path = std::getenv("PATH");
    Ending e = RunChild("open", {"PATH=" + dir + ":" + (path ? path : "/usr/bin:/bin"), "TVK_TEST_OPEN_LOG=" + log});
    EXPECT_EQ(e.exitCode, 0);
    EXPECT_EQ(e.out, EndedWith(5));
    std::string opened;
    for (int tries = 0; tries < 500 && opened.empty(); ++tries) {
        if (FILE* f = std::fopen(log.c_str(), "r")) {
            char line[256] = {};
            if (std::fgets(line, sizeof(line), f)) opened = line;
            std::fclose(f);
        } else {
            usleep(10000);
        }
    }
    EXPECT_EQ(opened, "docs/manual/page one.txt|");  // one argument, backslashes turned round
    std::remove(log.c_str());
    std::remove(opener.c_str());
    rmdir(dir.c_str());
}

}  // namespace
