// Whole-file and directory commands.
#include <filesystem>
#include <string>

#include "files_test_support.h"
#include "tarnvik/core.h"
#include "tarnvik/files.h"

namespace tvk {
namespace {

using FileSystemCommands = test::ScratchTest;

TEST_F(FileSystemCommands, ExistenceTellsFilesFromDirectories) {
    std::filesystem::create_directory("Media");
    WriteFile("Media/Font.png", "f");
    EXPECT_EQ(FileExists("media\\font.png"), 1);
    EXPECT_EQ(FileExists("media"), 0);
    EXPECT_EQ(DirectoryExists("MEDIA/"), 1);
    EXPECT_EQ(DirectoryExists("media/font.png"), 0);
    EXPECT_EQ(FileExists(""), 0);
    EXPECT_EQ(FileExists(std::string(1024, 'a').c_str()), 0);
}

TEST_F(FileSystemCommands, SizesOfFilesAndMissingFiles) {
    WriteFile("five.bin", "12345");
    EXPECT_EQ(FileSize("FIVE.BIN"), 5);
    SetErrorCode(0);
    EXPECT_EQ(FileSize("six.bin"), 0);
    EXPECT_EQ(GetErrorCode(), 3);
}

TEST_F(FileSystemCommands, RemoveAndMakeDirectory) {
    WriteFile("gone.txt", "x");
    EXPECT_NE(RemoveFile("GONE.TXT"), 0);
    EXPECT_FALSE(Exists("gone.txt"));
    EXPECT_EQ(RemoveFile("gone.txt"), 0);
    EXPECT_EQ(MakeDirectory("saves"), 1);
    EXPECT_EQ(MakeDirectory("saves"), 0);
    EXPECT_EQ(MakeDirectory("deep/er"), 0);
    EXPECT_EQ(RemoveFile("saves"), 0);
    EXPECT_EQ(DirectoryExists("saves"), 1);
}

TEST_F(FileSystemCommands, DuplicateCopiesFilesAndMemoryInBlocks) {
    std::string big(4096 * 3 + 17, '\0');
    for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7);
    WriteFile("big.bin", big);
    DuplicateFile("BIG.BIN", "copy.bin");
    EXPECT_EQ(GetErrorCode(), 0);
    EXPECT_EQ(ReadFile("copy.bin"), big);

    RtString name = RegisterMemoryFile(big.data(), 4096);
    DuplicateFile(name, "fromMemory.bin");
    EXPECT_EQ(ReadFile("fromMemory.bin"), big.substr(0, 4096));
    DuplicateFile("big.bin", name);  // memory is never a destination
    EXPECT_EQ(GetErrorCode(), 3);
    UnregisterMemoryFile(big.data());

    DuplicateFile("missing.bin", "never.bin");
    EXPECT_EQ(GetErrorCode(), 3);
    EXPECT_FALSE(Exists("never.bin"));
    WriteFile("empty.bin", "");
    DuplicateFile("empty.bin", "empty2.bin");
    EXPECT_EQ(GetErrorCode(), 0);
    EXPECT_EQ(ReadFile("empty2.bin"), "");
}

TEST_F(FileSystemCommands, CurrentDirectoryEndsWithASlash) {
    std::filesystem::create_directory("Level");
    EXPECT_EQ(ChangeDirectory("level"), 1);
    EXPECT_EQ(std::string(CurrentDirectory().c_str()), root_ + "Level/");
    EXPECT_EQ(ChangeDirectory(".."), 1);
    SetErrorCode(0);
    EXPECT_EQ(ChangeDirectory("nowhere"), 0);
    EXPECT_EQ(GetErrorCode(), 3);
    EXPECT_EQ(ChangeDirectory("/"), 1);
    EXPECT_STREQ(CurrentDirectory().c_str(), "/");
}

TEST_F(FileSystemCommands, ForwardSlashesInPlace) {
    RtString path("C:\\games\\tvk\\");
    ToForwardSlashes(path);
    EXPECT_STREQ(path.c_str(), "C:/games/tvk/");
    RtString empty;
    ToForwardSlashes(empty);
    EXPECT_STREQ(empty.c_str(), "");
}

}  // namespace
}  // namespace tvk
