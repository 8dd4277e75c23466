// The platform's file lookup: exact names first, then letters matched ignoring case.
#include <sys/stat.h>

#include <filesystem>

#include "files_test_support.h"
#include "platform/files.h"

namespace tvk::platform {
namespace {

using FilesPlatform = test::ScratchTest;

TEST_F(FilesPlatform, MatchesEachComponentIgnoringCase) {
    std::filesystem::create_directories("Media/Gfx");
    WriteFile("Media/Gfx/Ship.PNG", "x");
    EXPECT_EQ(FindPath("media/gfx/ship.png"), "Media/Gfx/Ship.PNG");
    EXPECT_EQ(FindPath("MEDIA/./GFX//SHIP.png"), "Media/./Gfx/Ship.PNG");
    EXPECT_EQ(FindPath(root_ + "MEDIA/gfx/ship.png"), root_ + "Media/Gfx/Ship.PNG");
    EXPECT_EQ(FindPath("media/gfx/../gfx/ship.png"), "Media/Gfx/../Gfx/Ship.PNG");
    EXPECT_EQ(FindPath("media/sfx/ship.png"), "");
    EXPECT_EQ(FindPath("media/gfx/ship.png/x"), "");
    EXPECT_EQ(GetPathKind("MEDIA"), PathKind::Directory);
    EXPECT_EQ(GetPathKind("media/GFX/ship.png"), PathKind::File);
    EXPECT_EQ(GetPathKind("media/ship.png"), PathKind::Missing);
}

TEST_F(FilesPlatform, ExactSpellingWinsAndTiesAreStable) {
    WriteFile("data.txt", "lower");
    WriteFile("DATA.txt", "upper");
    WriteFile("Data.txt", "mixed");
    EXPECT_EQ(FindPath("data.txt"), "data.txt");
    EXPECT_EQ(FindPath("Data.txt"), "Data.txt");
    EXPECT_EQ(FindPath("dATA.TXT"), "DATA.txt");  // the first name in byte order
}

TEST_F(FilesPlatform, Latin1NamesFindUtf8Files) {
    WriteFile("M\xc3\xbasica.txt", "utf8 name on disk");  // "Música.txt"
    EXPECT_EQ(FindPath("M\xfasica.txt"), "M\xc3\xbasica.txt");
    EXPECT_EQ(FindPath("m\xdaSICA.TXT"), "M\xc3\xbasica.txt");  // Ú folds to ú
    int fd = OpenForWriting("caf\xe9.txt", CreateMode::Replace);
    ASSERT_GE(fd, 0);
    CloseFile(fd);
    EXPECT_TRUE(Exists("caf\xc3\xa9.txt"));  // created under its UTF-8 name
}

TEST_F(FilesPlatform, WritingReusesAnExistingFileOfAnotherCase) {
    std::filesystem::create_directory("Saves");
    WriteFile("Saves/Slot1.DAT", "old");
    int fd = OpenForWriting("saves/slot1.dat", CreateMode::Replace);
    ASSERT_GE(fd, 0);
    EXPECT_TRUE(WriteToFile(fd, "new", 3));
    CloseFile(fd);
    EXPECT_EQ(ReadFile("Saves/Slot1.DAT"), "new");
    EXPECT_FALSE(Exists("saves"));
}

TEST_F(FilesPlatform, ReadingRefusesDirectoriesAndFifos) {
    std::filesystem::create_directory("dir");
    EXPECT_LT(OpenForReading("dir"), 0);
    ASSERT_EQ(mkfifo("pipe", 0600), 0);
    EXPECT_LT(OpenForReading("pipe"), 0);  // and does not hang waiting for a writer
    EXPECT_FALSE(DeleteFileAt("dir"));
    EXPECT_TRUE(Exists("dir"));
}

TEST_F(FilesPlatform, AppendKeepsContentAndWritesAtTheEnd) {
    WriteFile("log.txt", "one");
    int fd = OpenForWriting("LOG.TXT", CreateMode::Append);
    ASSERT_GE(fd, 0);
    EXPECT_TRUE(WriteToFile(fd, "two", 3));
    CloseFile(fd);
    EXPECT_EQ(ReadFile("log.txt"), "onetwo");
}

TEST_F(FilesPlatform, ExclusiveCreationDoesNotFollowLinks) {
    WriteFile("victim", "keep");
    std::filesystem::create_symlink(root_ + "victim", "link");
    int fd = OpenForWriting("link", CreateMode::Exclusive);  // replaces the link itself
    ASSERT_GE(fd, 0);
    CloseFile(fd);
    EXPECT_EQ(ReadFile("victim"), "keep");
    EXPECT_FALSE(std::filesystem::is_symlink("link"));
}

TEST_F(FilesPlatform, DirectoriesAreCreatedOneLevelAndEntered) {
    EXPECT_TRUE(MakeDirectory("Level"));
    EXPECT_FALSE(MakeDirectory("level"));  // exists already, in another case
    EXPECT_FALSE(MakeDirectory("a/b"));
    EXPECT_TRUE(EnterDirectory("LEVEL"));
    EXPECT_EQ(WorkingDirectory(), root_ + "Level");
}

}  // namespace
}  // namespace tvk::platform
