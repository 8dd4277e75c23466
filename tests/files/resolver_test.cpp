// Resolving names against loose files and the archive appended to a program.
#include <cstring>
#include <filesystem>
#include <string>

#include "files/file_stream.h"
#include "files/memory_names.h"
#include "files/resolver.h"
#include "files_test_support.h"
#include "tarnvik/core.h"
#include "tarnvik/files.h"

namespace tvk {
namespace {

class ResolverTest : public test::ScratchTest, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override {
        test::ScratchTest::SetUp();
        program_ = WritePackedProgram("game", {{"SHIP.PNG", "packed ship"}, {"level1.txt", "a\r\nb\r\nc"},
                                               {"empty.dat", ""}, {"music.mid", std::string(300, 'm')}},
                                      GetParam());
        SetArchiveNames(program_.c_str(), program_.c_str());
    }
    // Resolves with the given resolver and returns the answer; found receives the result.
    std::string Resolve(ResourceResolver* resolver, const char* name, int* found = nullptr) {
        char answer[kPathBufferSize];
        int result = ResolveFileName(resolver, name, answer, resolver == g_memoryResolver ? 1 : 0);
        if (found) *found = result;
        return answer;
    }
    std::string program_;
};

TEST_P(ResolverTest, PackedEntryIsFoundByBaseNameIgnoringCase) {
    int found = 0;
    std::string answer = Resolve(g_memoryResolver, "gfx/ship.png", &found);
    EXPECT_EQ(found, 1);
    EXPECT_EQ(answer.substr(0, 15), "mem://       b.");
    EXPECT_EQ(test::ContentOf(answer.c_str()), "packed ship");
    EXPECT_EQ(test::ContentOf(Resolve(g_memoryResolver, "GFX\\Ship.Png").c_str()), "packed ship");
    EXPECT_EQ(test::ContentOf(Resolve(g_memoryResolver, "empty.dat", &found).c_str()), "");
    EXPECT_EQ(found, 1);
}

TEST_P(ResolverTest, LooseFileWinsOverThePackedEntry) {
    std::filesystem::create_directory("Gfx");
    WriteFile("Gfx/ship.png", "loose ship");
    int found = 0;
    EXPECT_EQ(Resolve(g_memoryResolver, "gfx/SHIP.png", &found), "gfx/SHIP.png");
    EXPECT_EQ(found, 1);
    EXPECT_EQ(test::ContentOf("gfx/SHIP.png"), "loose ship");
    EXPECT_EQ(Resolve(g_fileResolver, "gfx\\SHIP.png"), "gfx\\SHIP.png");
}

TEST_P(ResolverTest, DirectoryOfTheSameNameIsNotAFile) {
    std::filesystem::create_directory("ship.png");
    EXPECT_EQ(test::ContentOf(Resolve(g_memoryResolver, "ship.png").c_str()), "packed ship");
}

TEST_P(ResolverTest, NextLookupFreesTheMemoryAnswerButNotAnOpenStream) {
    std::string first = Resolve(g_memoryResolver, "ship.png");
    FileStream open;
    ASSERT_TRUE(open.OpenRead(first.c_str()));
    std::string second = Resolve(g_memoryResolver, "level1.txt");
    EXPECT_EQ(test::ContentOf(first.c_str()), "<missing>");  // the old name now names nothing
    EXPECT_EQ(test::ContentOf(second.c_str()), "a\r\nb\r\nc");
    char bytes[11];
    ASSERT_TRUE(open.Read(bytes, sizeof(bytes)));
    EXPECT_EQ(std::string(bytes, sizeof(bytes)), "packed ship");
}

TEST_P(ResolverTest, LookingUpTheHeldAnswerAgainKeepsIt) {
    std::string answer = Resolve(g_memoryResolver, "ship.png");
    const char* again = ResolveFileName(g_memoryResolver, answer.c_str());
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again, answer);
    const char* twice = ResolveFileName(g_memoryResolver, again);  // the answer buffer as the question
    ASSERT_NE(twice, nullptr);
    EXPECT_EQ(test::ContentOf(twice), "packed ship");
}

TEST_P(ResolverTest, FileResolverWritesATemporaryFileAndDeletesItNextTime) {
    int found = 0;
    std::string first = Resolve(g_fileResolver, "sounds/MUSIC.MID", &found);
    EXPECT_EQ(found, 1);
    ASSERT_EQ(first.rfind(tempDir_ + "sbx", 0), 0u) << first;
    EXPECT_EQ(first.size(), tempDir_.size() + 5 + std::strlen("music.mid"));
    EXPECT_EQ(first.substr(first.size() - 9), "music.mid");  // the entry's own spelling
    EXPECT_EQ(ReadFile(first), std::string(300, 'm'));
    std::string second = Resolve(g_fileResolver, "ship.png");
    EXPECT_FALSE(Exists(first));
    EXPECT_EQ(ReadFile(second), "packed ship");
    ReleaseResolver(g_fileResolver);
    EXPECT_FALSE(Exists(second));
}

using ResolverStateTest = test::ScratchTest;

TEST_F(ResolverStateTest, MissingEntryAnswersNothingButAProgramWithoutArchiveKeepsTheName) {
    std::string packed = WritePackedProgram("game", {{"a.txt", "a"}});
    SetArchiveNames(packed.c_str(), packed.c_str());
    char answer[kPathBufferSize];
    EXPECT_EQ(ResolveFileName(g_memoryResolver, "b.txt", answer, 1), 0);
    EXPECT_STREQ(answer, "");
    EXPECT_EQ(g_memoryResolver->archiveEnabled, 1);

    WriteFile("plain", std::string(64, 'p'));  // no "sbX" at the end
    SetArchiveNames((root_ + "plain").c_str(), nullptr);
    EXPECT_EQ(ResolveFileName(g_memoryResolver, "a.txt", answer, 1), 0);
    EXPECT_STREQ(answer, "a.txt");
    EXPECT_EQ(g_memoryResolver->archiveEnabled, 0);
    EXPECT_EQ(ResolveFileName(g_fileResolver, "a.txt", answer, 0), 0);  // no archive name at all
    EXPECT_EQ(g_fileResolver->archiveEnabled, 0);

    // A new archive name enables the lookup again.
    SetArchiveNames(packed.c_str(), packed.c_str());
    EXPECT_EQ(ResolveFileName(g_memoryResolver, "a.txt", answer, 1), 1);
    EXPECT_EQ(ResolveFileName(g_fileResolver, "a.txt", answer, 0), 1);
}

TEST_F(ResolverStateTest, ArchiveHeldInMemoryIsReadInPlace) {
    WritePackedProgram("game", {{"inside.txt", "from memory"}});
    std::string bytes = ReadFile("game");
    RtString name = RegisterMemoryFile(bytes.data(), static_cast<RtInt>(bytes.size()));
    SetArchiveNames(name.c_str(), name.c_str());
    const char* answer = ResolveFileName(g_memoryResolver, "inside.txt");
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(test::ContentOf(answer), "from memory");
    const char* path = ResolveFileName(g_fileResolver, "inside.txt");
    ASSERT_NE(path, nullptr);
    EXPECT_EQ(ReadFile(path), "from memory");
    UnregisterMemoryFile(bytes.data());
}

TEST_F(ResolverStateTest, NamesNobodyHandedOutAreMissing) {
    char stray[16] = "not registered";
    std::string name = MemoryName(stray, sizeof(stray));
    EXPECT_EQ(ResolveFileName(g_memoryResolver, name.c_str()), nullptr);
    EXPECT_EQ(ResolveFileName(nullptr, name.c_str()), nullptr);
    SetErrorCode(0);
    EXPECT_EQ(FileSize(name.c_str()), 0);
    EXPECT_EQ(GetErrorCode(), 3);
    RtString registered = RegisterMemoryFile(stray, sizeof(stray));
    EXPECT_EQ(FileSize(registered), 16);
    EXPECT_NE(ResolveFileName(g_memoryResolver, registered.c_str()), nullptr);
    UnregisterMemoryFile(stray);
}

TEST_F(ResolverStateTest, EmptyAndOverlongNamesAreNotFound) {
    char answer[kPathBufferSize];
    EXPECT_EQ(ResolveFileName(g_memoryResolver, "", answer, 1), 0);
    EXPECT_EQ(ResolveFileName(g_memoryResolver, nullptr, answer, 1), 0);
    std::string longName(1024, 'x');
    EXPECT_EQ(ResolveFileName(g_memoryResolver, longName.c_str(), answer, 1), 0);
    EXPECT_STREQ(answer, "");
}

TEST_F(ResolverStateTest, ShutdownReleasesWhatTheResolversHold) {
    std::string packed = WritePackedProgram("game", {{"song.ogg", "notes"}});
    SetArchiveNames(packed.c_str(), packed.c_str());
    std::string temp = ResolveFileName(g_fileResolver, "song.ogg");
    ASSERT_TRUE(Exists(temp));
    std::string memory = ResolveFileName(g_memoryResolver, "song.ogg");
    g_memoryResolver->archiveEnabled = 0;
    ReleaseResolver(g_memoryResolver);
    EXPECT_EQ(g_memoryResolver->archiveEnabled, 1);
    EXPECT_EQ(test::ContentOf(memory.c_str()), "<missing>");
    delete g_fileResolver;  // the destructor releases too
    g_fileResolver = nullptr;
    EXPECT_FALSE(Exists(temp));
}

INSTANTIATE_TEST_SUITE_P(OffsetStyles, ResolverTest, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "FromEnd" : "FromStart";
                         });

}  // namespace
}  // namespace tvk
