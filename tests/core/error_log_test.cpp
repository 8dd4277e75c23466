// The error log's line format and its retry when another writer holds the file.
#include <gtest/gtest.h>
#include <sys/file.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <thread>

#include "base/error_log.h"
#include "support/child_process.h"
#include "tarnvik/core.h"

namespace {

class ErrorLogTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = tvk::test::MakeTempDir();
        setenv("TMPDIR", (dir_ + "/").c_str(), 1);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::string Log() { return tvk::test::ReadFile(dir_ + "/ErrorLog.txt"); }
    std::string dir_;
};

TEST_F(ErrorLogTest, EntriesEndWithCrLfAndNullIsWrittenAsNULL) {
    WriteErrorLog("first");
    WriteErrorLog("");
    WriteErrorLog(nullptr);
    EXPECT_EQ(Log(), "first\r\n\r\nNULL\r\n");
    tvk::DeleteErrorLog();
    EXPECT_FALSE(std::filesystem::exists(dir_ + "/ErrorLog.txt"));
}

TEST_F(ErrorLogTest, WaitsForAnotherWriterAndGivesUpAfterFiveTries) {
    int fd = open((dir_ + "/ErrorLog.txt").c_str(), O_WRONLY | O_CREAT, 0644);
    ASSERT_EQ(flock(fd, LOCK_EX), 0);
    std::thread release([fd] {
        usleep(25000);  // shorter than five tries
        flock(fd, LOCK_UN);
    });
    WriteErrorLog("after the other writer");
    release.join();
    EXPECT_EQ(Log(), "after the other writer\r\n");

    ASSERT_EQ(flock(fd, LOCK_EX), 0);
    WriteErrorLog("dropped");  // held for good: the entry is lost, nothing else happens
    EXPECT_EQ(Log(), "after the other writer\r\n");
    close(fd);
}

TEST_F(ErrorLogTest, ReportsToUserGoToStandardErrorAndTheLog) {
    testing::internal::CaptureStderr();
    tvk::ReportToUser("pic.bmp: unsupported BMP compression 1");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "pic.bmp: unsupported BMP compression 1\n");
    EXPECT_EQ(Log(), "pic.bmp: unsupported BMP compression 1\r\n");
}

}  // namespace
