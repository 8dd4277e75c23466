// Where a download's body goes: a file that is replaced only by a whole body, and failures on the
// file's side that the program can read.
#include <dirent.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <vector>

#include "canned_http_server.h"
#include "net/socket_table.h"
#include "socket_test_support.h"
#include "support/child_process.h"

namespace {

using After = CannedHttpServer::After;

std::vector<std::string> Entries(const std::string& dir) {
    std::vector<std::string> names;
    if (DIR* listing = opendir(dir.c_str())) {
        while (dirent* entry = readdir(listing))
            if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
                names.push_back(entry->d_name);
        closedir(listing);
    }
    return names;
}

// A temporary folder holding one old file that a failed download must leave alone.
class HttpDownloadFileTest : public SocketTest {
protected:
    void SetUp() override {
        SocketTest::SetUp();
        dir_ = tvk::test::MakeTempDir();
        file_ = dir_ + "/data.bin";
    }
    void TearDown() override {
        if (mounted_) umount(dir_.c_str());
        for (const std::string& name : Entries(dir_)) unlink((dir_ + "/" + name).c_str());
        rmdir(dir_.c_str());
        SocketTest::TearDown();
    }
    void WriteOld() { std::ofstream(file_) << "the old content"; }
    void ExpectOldFileAlone() {
        EXPECT_EQ(tvk::test::ReadFile(file_), "the old content");
        EXPECT_EQ(Entries(dir_), std::vector<std::string>{"data.bin"}) << "a temporary file was left behind";
    }
    // A small file system of its own in the folder; false when this process may not mount.
    bool MountTinyFileSystem(const char* options) {
        if (mount("tmpfs", dir_.c_str(), "tmpfs", 0, options) != 0) return false;
        mounted_ = true;
        return true;
    }

    std::string dir_;
    std::string file_;
    bool mounted_ = false;
};

TEST_F(HttpDownloadFileTest, AWholeBodyReplacesTheOldFileAndLeavesNothingElse) {
    WriteOld();
    chmod(file_.c_str(), 0600);
    CannedHttpServer server({"HTTP/1.0 200 OK\r\n\r\n", "new body"});
    EXPECT_EQ(DownloadToFile("127.0.0.1", "/", server.Port(), file_.c_str(), 1000), 1);
    EXPECT_EQ(tvk::test::ReadFile(file_), "new body");
    EXPECT_EQ(Entries(dir_), std::vector<std::string>{"data.bin"});
    struct stat st {};
    ASSERT_EQ(stat(file_.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST_F(HttpDownloadFileTest, FailuresOfTheConnectionLeaveTheOldFileAlone) {
    WriteOld();
    RtInt port = 0;
    RtInt listener = OpenListenerOnFreePort(port);
    ASSERT_GE(listener, 0);
    CloseSocket(listener);
    EXPECT_EQ(DownloadToFile("127.0.0.1", "/", port, file_.c_str(), 1000), 0);
    EXPECT_EQ(tvk::GetSocketErrorCode(), 10061);
    ExpectOldFileAlone();

    CannedHttpServer headersCut({"HTTP/1.0 200 OK\r\n"});
    EXPECT_EQ(DownloadToFile("127.0.0.1", "/", headersCut.Port(), file_.c_str(), 1000), 0);
    EXPECT_EQ(tvk::GetSocketErrorCode(), 10053);
    ExpectOldFileAlone();

    CannedHttpServer silent({"HTTP/1.0 200 OK\r\n\r\npartial"}, After::HoldOpen);
    EXPECT_EQ(DownloadToFile("127.0.0.1", "/", silent.Port(), file_.c_str(), 200), 0);
    EXPECT_EQ(tvk::GetSocketErrorCode(), 10060);
    ExpectOldFileAlone();

    CannedHttpServer refused({"HTTP/1.0 403 Forbidden\r\n\r\nno"});
    EXPECT_EQ(DownloadToFile("127.0.0.1", "/", refused.Port(), file_.c_str(), 1000), 0);
    EXPECT_EQ(tvk::GetSocketErrorCode(), 403);
    ExpectOldFileAlone();

    CannedHttpServer reset({"HTTP/1.0 200 OK\r\n\r\npartial"}, After::Reset);
    EXPECT_EQ(DownloadToFile("127.0.0.1", "/", reset.Port(), file_.c_str(), 1000), 0);
    EXPECT_EQ(tvk::GetSocketErrorCode(), 10054);
    ExpectOldFileAlone();
}

TEST_F(HttpDownloadFileTest, AFullDiskFailsWithTheSystemsReasonAndKeepsTheOldFile) {
    if (!MountTinyFileSystem("size=1m")) GTEST_SKIP() << "cannot mount a 1 MiB file system here: " << std::strerror(errno);
    WriteOld();
    CannedHttpServer server({"HTTP/1.0 200 OK\r\n\r\n", std::string(20 << 20, 'z')});
    EXPECT_EQ(DownloadToFile("127.0.0.1", "/", server.Port(), file_.c_str(), 5000), 0);
    EXPECT_EQ(tvk::SocketErrorText(), "10107 No space left on device\r\n");
    ExpectOldFileAlone();
}

TEST_F(HttpDownloadFileTest, AFolderThatCannotTakeTheFileFailsWithTheSystemsReason) {
    RtInt port = 0;
    RtInt listener = OpenListenerOnFreePort(port);
    ASSERT_GE(listener, 0);
    std::string missing = dir_ + "/no such folder/data.bin";
    EXPECT_EQ(DownloadToFile("127.0.0.1", "/", port, missing.c_str(), 1000), 0);
    EXPECT_EQ(tvk::SocketErrorText(), "10107 No such file or directory\r\n");
    EXPECT_EQ(DownloadToFile("127.0.0.1", "/", port, dir_.c_str(), 1000), 0);
    EXPECT_EQ(tvk::SocketErrorText(), "10107 Is a directory\r\n");
    EXPECT_EQ(DownloadToFile("127.0.0.1", "/", port, "", 1000), 0);
    EXPECT_EQ(tvk::SocketErrorText(), "10107 No such file or directory\r\n");
    RtInt ip = 0;
    EXPECT_EQ(AcceptSocket(listener, ip), -1) << "the download connected although its file could not be made";
    CloseSocket(listener);

    if (!MountTinyFileSystem("size=1m,mode=0555")) GTEST_SKIP() << "cannot mount a read-only file system here";
    ASSERT_EQ(mount("tmpfs", dir_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=1m"), 0);
    EXPECT_EQ(DownloadToFile("127.0.0.1", "/", port, file_.c_str(), 1000), 0);
    EXPECT_EQ(tvk::SocketErrorText(), "10107 Read-only file system\r\n");
}

}  // namespace
