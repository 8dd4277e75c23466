// Replacing a file's content: the old content stays until every new byte is on disk.
#include <filesystem>

#include "files_test_support.h"
#include "platform/replace_file.h"

namespace tvk::platform {
namespace {

using ReplaceFile = test::ScratchTest;

size_t TemporaryFilesLeft() {
    size_t n = 0;
    for (const auto& e : std::filesystem::directory_iterator(".")) {
        if (e.path().filename().string().find(".tmp-") != std::string::npos) ++n;
    }
    return n;
}

TEST_F(ReplaceFile, CommitReplacesAndAbandonKeepsTheOldContent) {
    WriteFile("Settings.ini", "old");
    {
        ReplacingFile file;
        ASSERT_TRUE(file.Open("settings.ini"));  // the existing file of another case is the target
        ASSERT_TRUE(file.Write("half", 4));
        EXPECT_EQ(ReadFile("Settings.ini"), "old");
        file.Abandon();
    }
    EXPECT_EQ(ReadFile("Settings.ini"), "old");
    {
        ReplacingFile file;
        ASSERT_TRUE(file.Open("settings.ini"));
        ASSERT_TRUE(file.Write("new content", 11));
        // Destroyed without Commit: abandoned.
    }
    EXPECT_EQ(ReadFile("Settings.ini"), "old");
    EXPECT_TRUE(ReplaceFileContent("settings.ini", "new", 3));
    EXPECT_EQ(ReadFile("Settings.ini"), "new");
    EXPECT_EQ(TemporaryFilesLeft(), 0u);
}

TEST_F(ReplaceFile, CreatesANewFileAndRefusesADirectoryOrAMissingFolder) {
    EXPECT_TRUE(ReplaceFileContent("fresh.txt", "", 0));
    EXPECT_EQ(ReadFile("fresh.txt"), "");
    std::filesystem::create_directory("taken");
    std::string error;
    EXPECT_FALSE(ReplaceFileContent("taken", "x", 1, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(std::filesystem::is_directory("taken"));
    error.clear();
    EXPECT_FALSE(ReplaceFileContent("no/such/folder/file.txt", "x", 1, &error));
    EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace tvk::platform
