#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "files_test_support.h"
#include "tarnvik/files.h"

namespace {

using tvk::test::ScratchTest;

TEST(Wildcard, Matches) {
    struct Case {
        const char* pattern;
        const char* name;
        int match;
    };
    const Case cases[] = {
        {"*.PNG", "ship.png", 1}, {"s?ip.*", "ship.png", 1}, {"a?b", "a.b", 0},     {"*", "", 1},
        {"a*", "", 0},            {"*.*", "noext", 1},        {"*.*x", "noext", 0},  {"**a**", "banana", 1},
        {"*an*na", "banana", 1},  {"b*n?", "banana", 1},      {"b*n?", "bananas", 0}, {"?", "", 0},
        {"abc", "ab", 0},         {"ab", "abc", 0},           {"*c", "abcbc", 1},    {"a*b*c", "axxbyyc", 1},
        {"\xC4*", "\xE4x", 0},  // only A-Z fold
    };
    for (const Case& c : cases) EXPECT_EQ(WildcardMatch(c.pattern, c.name), c.match) << c.pattern << " " << c.name;
}

class DirectoryListingTest : public ScratchTest {};

std::vector<std::string> Names(const RtStringArray& a) {
    std::vector<std::string> names;
    for (int i = 0; i < a.size0; ++i) names.push_back(a.data[i].c_str());
    return names;
}

TEST_F(DirectoryListingTest, DirectoriesFirstThenMatchingFilesSortedIgnoringCase) {
    ChangeDirectory("tmp");
    MakeDirectory("b");
    MakeDirectory("A");
    MakeDirectory("c.txt");  // a directory is never filtered out
    for (const char* file : {"z.txt", "Y.txt", "x.png"}) WriteFile(file, "x");
    RtStringArray listing;
    RtNumber result = ListDirectory("*.txt", listing);
    EXPECT_EQ(Names(listing), (std::vector<std::string>{".", "..", "A", "b", "c.txt", "Y.txt", "z.txt"}));
    EXPECT_EQ(result, 2 + 65536.0 * 5);

    result = ListDirectory("nothing*", listing);
    EXPECT_EQ(result, 65536.0 * 5);
    EXPECT_EQ(listing.size0, 5);
}

TEST_F(DirectoryListingTest, UnreadableDirectoryGivesAnEmptyArray) {
    MakeDirectory("gone");
    ChangeDirectory("gone");
    ASSERT_TRUE(std::filesystem::remove(root_ + "gone"));
    RtStringArray listing;
    DimArray(listing, 3);
    EXPECT_EQ(ListDirectory("*.*", listing), 0);
    EXPECT_EQ(listing.size0, 0);
}

}  // namespace
