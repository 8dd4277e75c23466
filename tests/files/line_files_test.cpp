#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "files/resolver.h"
#include "files_test_support.h"
#include "support/child_process.h"
#include "tarnvik/core.h"
#include "tarnvik/files.h"

namespace {

using tvk::test::ScratchTest;

class LineFilesTest : public ScratchTest {
protected:
    void SetUp() override {
        ScratchTest::SetUp();
        WriteFile("switch.txt", "");
    }
    void TearDown() override {
        ReadTextLine((root_ + "switch.txt").c_str(), 0, text_);  // writes back whatever a test left pending
        ScratchTest::TearDown();
    }
    std::string Line(const char* file, int line) {
        RtNumber result = ReadTextLine(file, line, text_);
        return std::to_string(static_cast<int>(result)) + ":" + text_.c_str();
    }
    RtString text_;
};

TEST_F(LineFilesTest, ReadsNumberedLines) {
    WriteFile("a.txt", "alpha\r\nbeta");
    EXPECT_EQ(Line("a.txt", 0), "0:alpha");
    EXPECT_EQ(Line("a.txt", 1), "0:beta");
    EXPECT_EQ(Line("a.txt", 2), "0:");
    EXPECT_EQ(Line("a.txt", 255), "0:");
    EXPECT_EQ(Line("a.txt", 256), "7:NO_DATA");
    EXPECT_EQ(GetErrorCode(), 7);
    EXPECT_EQ(Line("a.txt", -1), "7:NO_DATA");
    WriteFile("n.txt", "12.5\t\r\n-7 apples\r\n");
    EXPECT_EQ(ReadTextLineNumber("n.txt", 0), 12.5);
    EXPECT_EQ(ReadTextLineInt("n.txt", 1), -7);
    EXPECT_EQ(ReadTextLineNumber("n.txt", 300), 0);
}

TEST_F(LineFilesTest, MissingFileGivesNoFileUntilItIsWritten) {
    EXPECT_EQ(Line("none.txt", 0), "3:NO_FILE");
    EXPECT_EQ(GetErrorCode(), 3);
    EXPECT_EQ(Line("none.txt", 0), "3:NO_FILE");  // still missing, still said so
    WriteFile("none.txt", "now here");
    EXPECT_EQ(Line("none.txt", 0), "0:now here");
}

TEST_F(LineFilesTest, WritingANewFileCreatesItOnSwitching) {
    WriteTextLine("new.txt", 5, "six");
    EXPECT_EQ(GetErrorCode(), 0);
    EXPECT_FALSE(Exists("new.txt"));
    EXPECT_EQ(Line("new.txt", 5), "0:six");
    Line("switch.txt", 0);
    EXPECT_EQ(ReadFile("new.txt"), "\r\n\r\n\r\n\r\n\r\nsix\r\n");
    WriteTextLine("new.txt", 256, "no");
    EXPECT_EQ(GetErrorCode(), 7);
}

TEST_F(LineFilesTest, NamesDifferingInCaseAreDifferentFiles) {
    WriteFile("a.txt", "one\r\ntwo\r\nthree\r\n");
    WriteTextLine("a.txt", 1, "TWO");
    WriteTextLineNumber("a.txt", 2, 3.0);
    EXPECT_EQ(Line("A.TXT", 1), "0:TWO");  // written back before the other name was loaded
    EXPECT_EQ(ReadFile("a.txt"), "one\r\nTWO\r\n3\r\n");
}

TEST_F(LineFilesTest, TheSameNameKeepsTheLinesInMemory) {
    WriteFile("m.txt", "old\n");
    EXPECT_EQ(Line("m.txt", 0), "0:old");
    WriteFile("m.txt", "changed on disk\n");
    EXPECT_EQ(Line("m.txt", 0), "0:old");
}

TEST_F(LineFilesTest, WriteBackKeepsLongLinesAndLinesBeyondTheStore) {
    std::string longLine(3000, 'x');
    std::string text = longLine + "\n";
    for (int i = 1; i < 300; ++i) text += "line " + std::to_string(i) + "\n";
    WriteFile("big.txt", text);
    EXPECT_EQ(Line("big.txt", 255), "0:line 255");
    WriteTextLine("big.txt", 1, "first");
    Line("switch.txt", 0);
    std::string expected = longLine + "\nfirst\n";  // the file's own line ends
    for (int i = 2; i < 300; ++i) expected += "line " + std::to_string(i) + "\n";
    EXPECT_EQ(ReadFile("big.txt"), expected);
}

TEST_F(LineFilesTest, PackedFileIsWrittenAsALooseFileOfTheSameName) {
    std::string program = WritePackedProgram("game", {{"level.txt", "a\r\nb"}});
    tvk::SetArchiveNames(program.c_str(), program.c_str());
    EXPECT_EQ(Line("level.txt", 1), "0:b");
    WriteTextLine("level.txt", 0, "A");
    Line("switch.txt", 0);
    EXPECT_EQ(ReadFile("level.txt"), "A\r\nb\r\n");
    tvk::SetArchiveNames(nullptr, nullptr);
}

// Lines the program did not change go back byte for byte, each with its own line end; new lines
// get the file's first one.
TEST_F(LineFilesTest, UntouchedLinesKeepTheirBytesAndLineEnds) {
    WriteFile("cr.txt", "a\rb\rc");
    EXPECT_EQ(Line("cr.txt", 1), "0:b");
    EXPECT_EQ(Line("cr.txt", 2), "0:c");
    WriteTextLine("cr.txt", 0, "A");
    WriteFile("mixed.txt", "a\r\nb\nc\rd\r\n");
    WriteTextLine("mixed.txt", 1, "B");  // writes cr.txt back
    EXPECT_EQ(ReadFile("cr.txt"), "A\rb\rc\r");
    WriteTextLine("mixed.txt", 5, "F");
    Line("switch.txt", 0);
    EXPECT_EQ(ReadFile("mixed.txt"), "a\r\nB\nc\rd\r\n\r\nF\r\n");
    WriteFile("lf.txt", "one\ntwo\n");
    WriteTextLine("lf.txt", 2, "three");
    Line("switch.txt", 0);
    EXPECT_EQ(ReadFile("lf.txt"), "one\ntwo\nthree\n");
}

TEST_F(LineFilesTest, ZeroBytesStayInLines) {
    const std::string zeroLine("ab\0cd", 5);
    WriteFile("z.txt", zeroLine + "\r\nx\r\n");
    ReadTextLine("z.txt", 0, text_);
    EXPECT_EQ(std::string(text_.c_str(), text_.Length()), zeroLine);
    WriteTextLine("z.txt", 1, "y");
    RtString written;
    written.Assign("p\0q", 3);
    WriteTextLine("z.txt", 2, written);
    Line("switch.txt", 0);
    EXPECT_EQ(ReadFile("z.txt"), zeroLine + "\r\ny\r\n" + std::string("p\0q", 3) + "\r\n");
}

// A line with a line end in it would come back as several lines: refused with error 9, the old
// line stays.
TEST_F(LineFilesTest, LinesHoldingALineEndAreRefused) {
    WriteFile("r.txt", "one\r\ntwo\r\n");
    for (const char* text : {"x\r\ny", "x\ny", "x\ry", "\n"}) {
        SCOPED_TRACE(testing::PrintToString(std::string(text)));
        SetErrorCode(0);
        WriteTextLine("r.txt", 0, text);
        EXPECT_EQ(GetErrorCode(), 9);
    }
    EXPECT_EQ(Line("r.txt", 0), "0:one");
    Line("switch.txt", 0);
    EXPECT_EQ(ReadFile("r.txt"), "one\r\ntwo\r\n");
}

// The write-back at the end of a whole run, and at exit for a program that never ends through the
// runtime, seen from a child process.

class LineFilesExitTest : public ::testing::TestWithParam<const char*> {};

TEST_P(LineFilesExitTest, PendingChangesAreWrittenAtExit) {
    std::string dir = tvk::test::MakeTempDir();
    tvk::test::ChildResult r = tvk::test::RunChild(
        LINE_FILES_EXIT_CHILD, {GetParam(), dir},
        {{"TMPDIR", dir + "/"}, {"SDL_VIDEODRIVER", "offscreen"}, {"TVK_SHOW", "0"}, {"ASAN_OPTIONS", "detect_leaks=0"}});
    EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
    EXPECT_EQ(tvk::test::ReadFile(dir + "/lines.txt"), "first\r\nsecond\r\n\r\nfourth\r\n") << r.out << r.err;
    EXPECT_EQ(tvk::test::ReadFile(dir + "/lines2.txt"), "switched\r\n");
    EXPECT_EQ(tvk::test::ReadFile(dir + "/settings.ini"), "[Video]\r\nWidth=800\r\n");
    std::filesystem::remove_all(dir);
}

INSTANTIATE_TEST_SUITE_P(Ends, LineFilesExitTest, ::testing::Values("run", "plain", "exit"));

TEST(WriteBackFailure, AnUnwritableTargetIsReportedAndNothingIsLost) {
    std::string dir = tvk::test::MakeTempDir();
    std::filesystem::create_directory(dir + "/settings.ini");  // a directory where the file should go
    std::ofstream(dir + "/lines.txt", std::ios::binary) << "old\r\n";
    std::filesystem::create_directory(dir + "/lines2.txt");
    tvk::test::ChildResult r = tvk::test::RunChild(
        LINE_FILES_EXIT_CHILD, {"plain", dir},
        {{"TMPDIR", dir + "/"}, {"SDL_VIDEODRIVER", "offscreen"}, {"TVK_SHOW", "0"}, {"ASAN_OPTIONS", "detect_leaks=0"}});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.err.find("Cannot write " + dir + "/settings.ini: Is a directory"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("Cannot write " + dir + "/lines2.txt: Is a directory"), std::string::npos) << r.err;
    EXPECT_NE(tvk::test::ReadFile(dir + "/ErrorLog.txt").find("Cannot write " + dir + "/settings.ini"),
              std::string::npos);
    EXPECT_TRUE(std::filesystem::is_directory(dir + "/settings.ini"));
    EXPECT_EQ(tvk::test::ReadFile(dir + "/lines.txt"), "first\r\nsecond\r\n\r\nfourth\r\n");
    std::filesystem::remove_all(dir);
}

// A kill at any moment of a large write-back leaves the old content or the new, never a part.
TEST(WriteBackFailure, AKillDuringTheWriteLeavesOldOrNewContent) {
    const std::string oldIni = "[Old]\r\nk=1\r\n";
    const size_t newIniSize = std::string("[Big]\r\nk=\r\n").size() + (48u << 20);
    int sawOld = 0, sawNew = 0;
    for (int attempt = 0; attempt < 8; ++attempt) {
        std::string dir = tvk::test::MakeTempDir();
        std::ofstream(dir + "/settings.ini", std::ios::binary) << oldIni;
        std::ofstream(dir + "/lines.txt", std::ios::binary) << "old line\r\n";
        int toChild[2];
        ASSERT_EQ(pipe(toChild), 0);
        pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            dup2(toChild[1], 1);
            setenv("TMPDIR", (dir + "/").c_str(), 1);
            execl(LINE_FILES_EXIT_CHILD, LINE_FILES_EXIT_CHILD, "big", dir.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        close(toChild[1]);
        char ready[6] = {};
        ASSERT_EQ(read(toChild[0], ready, 5), 5);  // the changes are pending; the write-back begins
        close(toChild[0]);
        usleep(static_cast<useconds_t>(attempt * 15000));
        kill(pid, SIGKILL);
        int status = 0;
        waitpid(pid, &status, 0);
        std::string ini = tvk::test::ReadFile(dir + "/settings.ini");
        std::string lines = tvk::test::ReadFile(dir + "/lines.txt");
        if (ini == oldIni) {
            ++sawOld;
        } else {
            ++sawNew;
            EXPECT_EQ(ini.size(), newIniSize) << "attempt " << attempt;
            EXPECT_EQ(ini.compare(0, 5, "[Big]"), 0);
        }
        EXPECT_TRUE(lines == "old line\r\n" || lines.size() == (48u << 20) + 2) << lines.size();
        std::filesystem::remove_all(dir);
    }
    std::printf("kills during write-back: %d left the old file, %d the new one\n", sawOld, sawNew);
}

}  // namespace
