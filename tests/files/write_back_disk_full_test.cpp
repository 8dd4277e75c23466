// Write-back onto a file system with no room for the new content: the old files must survive
// whole, the failure must be said, and no temporary file may be left taking the space.
#include <sys/mount.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/child_process.h"

namespace {

class SmallFileSystem {
public:
    explicit SmallFileSystem(const std::string& dir) : dir_(dir) {
        mounted_ = mount("tmpfs", dir.c_str(), "tmpfs", 0, "size=1m") == 0;
    }
    ~SmallFileSystem() {
        if (mounted_) umount(dir_.c_str());
    }
    bool mounted() const { return mounted_; }

private:
    std::string dir_;
    bool mounted_ = false;
};

TEST(WriteBackOnAFullDisk, TheOldFilesStayWholeAndTheFailureIsSaid) {
    std::string dir = tvk::test::MakeTempDir();
    {
        SmallFileSystem fs(dir);
        if (!fs.mounted()) GTEST_SKIP() << "mounting a 1 MiB tmpfs is not permitted here";
        // Old files that fill part of the space, so the 2 MB write-back of each cannot fit.
        const std::string oldIni = "[Old]\r\nk=" + std::string(300 << 10, 'o') + "\r\n";
        const std::string oldLines = std::string(300 << 10, 'l') + "\r\n";
        std::ofstream(dir + "/settings.ini", std::ios::binary) << oldIni;
        std::ofstream(dir + "/lines.txt", std::ios::binary) << oldLines;
        tvk::test::ChildResult r = tvk::test::RunChild(
            LINE_FILES_EXIT_CHILD, {"full", dir}, {{"TMPDIR", dir + "/"}, {"ASAN_OPTIONS", "detect_leaks=0"}});
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_NE(r.err.find("Cannot write " + dir + "/settings.ini: No space left on device"), std::string::npos)
            << r.err;
        EXPECT_NE(r.err.find("Cannot write " + dir + "/lines.txt: No space left on device"), std::string::npos)
            << r.err;
        EXPECT_EQ(tvk::test::ReadFile(dir + "/settings.ini"), oldIni);
        EXPECT_EQ(tvk::test::ReadFile(dir + "/lines.txt"), oldLines);
        for (const auto& entry : std::filesystem::directory_iterator(dir)) {
            std::string name = entry.path().filename().string();
            EXPECT_EQ(name.find(".tmp-"), std::string::npos) << "left behind: " << name;
        }
    }
    std::filesystem::remove_all(dir);
}

}  // namespace
