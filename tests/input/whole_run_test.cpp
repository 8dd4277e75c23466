// Whole runs of a small program: the quit keys, the clamp of the program's pointer,
// per-frame mouse samples, and the commands that wait for the user.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/child_process.h"

namespace {

struct RunResult {
    tvk::test::ChildResult result;
    std::string log;
};

RunResult RunInputProgram(const std::string& mode) {
    std::string temp = tvk::test::MakeTempDir();
    RunResult run;
    run.result = tvk::test::RunChild(INPUT_PROGRAM, {mode},
                                     {{"TMPDIR", temp + "/"},
                                      {"SDL_VIDEODRIVER", "offscreen"},
                                      {"SDL_AUDIODRIVER", "dummy"},
                                      {"ASAN_OPTIONS", "detect_leaks=0"}},
                                     20);
    run.log = tvk::test::ReadFile(temp + "/ErrorLog.txt");
    std::filesystem::remove_all(temp);
    return run;
}

bool Has(const RunResult& run, const std::string& text) { return run.result.out.find(text) != std::string::npos; }

TEST(InputRun, HiddenPointerIsKeptOnTheScreenAndTheClampIsWrittenBack) {
    RunResult run = RunInputProgram("clamp");
    EXPECT_EQ(run.result.exitCode, 0);
    EXPECT_TRUE(Has(run, "beyond 319 199 stored 319 199\n")) << run.result.out;
    EXPECT_TRUE(Has(run, "back 309 189 stored 309 189\n")) << run.result.out;
    EXPECT_TRUE(Has(run, "before 0 0 stored 0 0\n")) << run.result.out;
}

TEST(InputRun, ShowScreenArmsOneMotionSamplePerFrame) {
    RunResult run = RunInputProgram("arm");
    EXPECT_TRUE(Has(run, "same frame 10 10 next frame 20\n")) << run.result.out;
}

TEST(InputRun, WaitCommandsReturnAfterTheUsersPress) {
    RunResult key = RunInputProgram("wait-key");
    EXPECT_TRUE(Has(key, "key typed\n")) << key.result.out;
    RunResult button = RunInputProgram("wait-button");
    EXPECT_TRUE(Has(button, "button clicked, still down 0\n")) << button.result.out;  // pressed and released
}

TEST(InputRun, EscapeEndsAProgramThatWaitsForAKey) {
    RunResult run = RunInputProgram("wait-escape");
    EXPECT_EQ(run.result.exitCode, 0);
    EXPECT_FALSE(Has(run, "not reached"));
    EXPECT_TRUE(Has(run, "exit\n"));
    EXPECT_NE(run.log.find("tvk is shut down"), std::string::npos);
}

TEST(InputRun, LeftAltWithF4EndsTheProgramEvenWithEscapeOff) {
    RunResult run = RunInputProgram("alt-f4");
    EXPECT_EQ(run.result.exitCode, 0);
    EXPECT_TRUE(Has(run, "F4 alone ignored\n")) << run.result.out;
    EXPECT_FALSE(Has(run, "not reached"));
    EXPECT_TRUE(Has(run, "exit\n"));
}

}  // namespace
