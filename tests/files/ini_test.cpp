#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "files/ini_table.h"
#include "files/resolver.h"
#include "files_test_support.h"
#include "tarnvik/core.h"
#include "tarnvik/files.h"

namespace {

using tvk::test::ScratchTest;

class IniTest : public ScratchTest {
protected:
    void TearDown() override {
        OpenIni("");  // nothing left over for the next test
        ScratchTest::TearDown();
    }
    static std::string Read(const char* section, const char* key) { return IniRead(section, key, "<none>").c_str(); }
    static std::string Bytes(const RtString& text) { return std::string(text.c_str(), text.Length()); }
    static RtString Text(const std::string& bytes) {
        RtString text;
        text.Assign(bytes.data(), static_cast<uint32_t>(bytes.size()));
        return text;
    }
};

TEST(IniParser, LineRules) {
    tvk::IniTable table;
    tvk::IniParser parser(table);
    for (const char* line : {"a=1", "[x]", "[y]", "b=2", "  ; comment=no", "\t[ Video ] trailing", "Width = 800  ",
                             "Height=", "Depth\t=\t\t32\x01\x02", "novalue", "[My Section]", "k=v", "[]", "e=1",
                             "[Video]", "Width=1024"}) {
        parser.ParseLine(line);
    }
    ASSERT_EQ(table.sections.size(), 6u);
    EXPECT_EQ(table.sections[0].name, "");
    EXPECT_EQ(table.sections[0].keys[0].value, "1");
    EXPECT_EQ(table.sections[1].name, "y");  // x had no key
    EXPECT_EQ(table.sections[2].name, "Video");
    ASSERT_EQ(table.sections[2].keys.size(), 2u);
    EXPECT_EQ(table.sections[2].keys[0].value, "800  ");
    EXPECT_EQ(table.sections[2].keys[1].name, "Depth");
    EXPECT_EQ(table.sections[2].keys[1].value, "32");
    EXPECT_EQ(table.sections[3].name, "My");
    EXPECT_EQ(table.sections[4].name, "");
    // A repeated header makes a second section; reads find the first.
    EXPECT_EQ(table.FindSection("video")->keys[0].value, "800  ");
    EXPECT_EQ(table.WrittenForm(),
              "[]\r\na=1\r\n[y]\r\nb=2\r\n[Video]\r\nWidth=800  \r\nDepth=32\r\n[My]\r\nk=v\r\n[]\r\ne=1\r\n[Video]\r\nWidth=1024\r\n");
}

TEST_F(IniTest, ReadsIgnoringCaseWithDefaults) {
    WriteFile("game.ini", "; settings\r\n[Video]\r\nWidth=1024\r\n\r\n[Sound]\nVolume = 80\n");
    OpenIni("game.ini");
    EXPECT_EQ(Read("video", "WIDTH"), "1024");
    EXPECT_EQ(Read("SOUND", "volume"), "80");
    EXPECT_EQ(Read("Video", "Height"), "<none>");
    EXPECT_EQ(Read("Network", "Port"), "<none>");
}

TEST_F(IniTest, SampleWithKeylessSectionAndLeadingKeys) {
    WriteFile("s.ini", "a=1\r\n[x]\r\n[y]\r\nb=2\r\n");
    OpenIni("s.ini");
    EXPECT_EQ(Read("", "a"), "1");
    EXPECT_EQ(Read("y", "b"), "2");
    IniWrite("y", "c", "3");
    OpenIni("");
    EXPECT_EQ(ReadFile("s.ini"), "[]\r\na=1\r\n[y]\r\nb=2\r\nc=3\r\n");
}

TEST_F(IniTest, ChangesReachTheDiskOnlyOnTheNextOpen) {
    WriteFile("a.ini", "[Video]\r\nWidth=640\r\n");
    OpenIni("a.ini");
    IniWrite("VIDEO", "width", "800");
    IniWrite("Audio", "On", "1");
    EXPECT_EQ(ReadFile("a.ini"), "[Video]\r\nWidth=640\r\n");
    OpenIni("b.ini");  // missing: an empty table
    EXPECT_EQ(Read("Video", "Width"), "<none>");
    EXPECT_EQ(ReadFile("a.ini"), "[Video]\r\nWidth=800\r\n[Audio]\r\nOn=1\r\n");
    // Read again, the written file gives the same answers.
    OpenIni("A.INI");
    EXPECT_EQ(Read("video", "width"), "800");
    EXPECT_EQ(Read("audio", "on"), "1");
}

TEST_F(IniTest, UnchangedTablesAreNotWritten) {
    WriteFile("keep.ini", "; a comment that a write-back would lose\r\n[s]\r\nk=v\r\n");
    OpenIni("keep.ini");
    IniWrite("s", "missing", "");  // nothing to remove: stays clean
    OpenIni("");
    EXPECT_EQ(ReadFile("keep.ini"), "; a comment that a write-back would lose\r\n[s]\r\nk=v\r\n");
}

TEST_F(IniTest, RemovingKeysAndSectionsMovesTheLastIntoPlace) {
    WriteFile("r.ini", "[a]\r\nk1=1\r\nk2=2\r\nk3=3\r\n[b]\r\nx=1\r\n[c]\r\ny=1\r\n");
    OpenIni("r.ini");
    IniWrite("a", "K1", "");
    IniWrite("A", "", "");  // and now the section
    IniWrite("nosuch", "", "");
    OpenIni("");
    EXPECT_EQ(ReadFile("r.ini"), "[c]\r\ny=1\r\n[b]\r\nx=1\r\n");
    OpenIni("r.ini");
    IniWrite("c", "y", "");
    IniWrite("b", "x", "2");
    OpenIni("");
    EXPECT_EQ(ReadFile("r.ini"), "[c]\r\n[b]\r\nx=2\r\n");
}

TEST_F(IniTest, WriteBackGoesWhereTheFileWasOpened) {
    MakeDirectory("sub");
    ChangeDirectory("sub");
    OpenIni("here.ini");
    IniWrite("s", "k", "v");
    ChangeDirectory("..");
    OpenIni("");
    EXPECT_EQ(ReadFile("sub/here.ini"), "[s]\r\nk=v\r\n");
    EXPECT_FALSE(Exists("here.ini"));
}

TEST_F(IniTest, PackedProgramWritesLooseFilesOfTheSameName) {
    std::string program = WritePackedProgram("game", {{"packed.ini", "[Video]\r\nWidth=320\r\n"}});
    tvk::SetArchiveNames(program.c_str(), program.c_str());
    OpenIni("packed.ini");
    EXPECT_EQ(Read("video", "width"), "320");
    IniWrite("Video", "Width", "640");
    OpenIni("");
    EXPECT_EQ(ReadFile("packed.ini"), "[Video]\r\nWidth=640\r\n");
    // A file the archive lacks is created just as it would be without an archive.
    OpenIni("new.ini");
    IniWrite("s", "k", "v");
    OpenIni("");
    EXPECT_EQ(ReadFile("new.ini"), "[s]\r\nk=v\r\n");
    tvk::SetArchiveNames(nullptr, nullptr);
}

TEST_F(IniTest, NewFileIsCreatedWithoutAnArchive) {
    OpenIni("fresh.ini");
    IniWrite("Player", "Name", "Ann");
    EXPECT_EQ(Read("player", "name"), "Ann");
    OpenIni("");
    EXPECT_EQ(ReadFile("fresh.ini"), "[Player]\r\nName=Ann\r\n");
}

// What the program did not change comes back as it was read, in the file's own line ends.
TEST_F(IniTest, UnchangedEntriesKeepTheirBytesAndLineEnds) {
    for (const char* end : {"\r", "\n", "\r\n"}) {
        SCOPED_TRACE(testing::PrintToString(std::string(end)));
        const std::string e = end;
        WriteFile("ends.ini", "[section]" + e + "key=v" + e + "[b]" + e + "x=1");
        OpenIni("ends.ini");
        EXPECT_EQ(Read("section", "key"), "v");
        IniWrite("other", "k", "1");
        OpenIni("");
        EXPECT_EQ(ReadFile("ends.ini"), "[section]" + e + "key=v" + e + "[b]" + e + "x=1" + e + "[other]" + e + "k=1" + e);
    }
}

TEST_F(IniTest, ValuesOfAnyLengthAndWithZeroBytesSurvive) {
    // Past the length where a line used to be cut, with "=" where the cut would make a key of it.
    const std::string longValue = std::string(1500, 'v') + "=w" + std::string(3000, 'x');
    const std::string zeroValue("ab\0cd", 5);
    const std::string file = "[s]\r\nlong=" + longValue + "\r\nzero=" + zeroValue + "\r\n";
    WriteFile("any.ini", file);
    OpenIni("any.ini");
    EXPECT_EQ(Bytes(IniRead("s", "long", "")), longValue);
    EXPECT_EQ(Bytes(IniRead("s", "zero", "")), zeroValue);
    EXPECT_EQ(Read("s", std::string(1500, 'v').c_str()), "<none>");
    IniWrite("t", "k", "1");
    const std::string huge(10u << 20, 'h');
    IniWrite("t", "huge", huge.c_str());
    IniWrite("t", "z", Text(zeroValue));
    OpenIni("");
    EXPECT_EQ(ReadFile("any.ini"), file + "[t]\r\nk=1\r\nhuge=" + huge + "\r\nz=" + zeroValue + "\r\n");
    OpenIni("any.ini");
    EXPECT_EQ(Bytes(IniRead("t", "huge", "")).size(), huge.size());
    EXPECT_EQ(Bytes(IniRead("t", "z", "")), zeroValue);
}

// A write that would read back as other sections or keys is refused with error 9; the old value
// stays and the file gains nothing.
TEST_F(IniTest, WritesTheFileCannotHoldAreRefused) {
    WriteFile("guard.ini", "[s]\r\nk=old\r\n");
    OpenIni("guard.ini");
    const std::vector<std::array<const char*, 3>> refused = {
        {"s", "k", "new\r\n[evil]\r\nx=1"}, {"s", "k", "new\rx=1"}, {"s", "k", "new\nx=1"},
        {"s", "a=b", "1"}, {"s", "[evil]", "1"}, {"s", ";c", "1"}, {"s", "a b", "1"}, {"s", "a\tb", "1"},
        {"s", "a\nb", "1"}, {"a\nb", "k", "1"}, {"a\rb", "k", "1"}, {"a=b", "k", "1"}, {"My Section", "k", "1"}};
    for (const auto& [section, key, value] : refused) {
        SCOPED_TRACE(testing::PrintToString(std::string(section) + "|" + key + "|" + value));
        SetErrorCode(0);
        IniWrite(section, key, value);
        EXPECT_EQ(GetErrorCode(), 9);
    }
    EXPECT_EQ(Read("s", "k"), "old");
    OpenIni("");
    EXPECT_EQ(ReadFile("guard.ini"), "[s]\r\nk=old\r\n");  // nothing changed, nothing written

    // "]" inside or at the end of a section name reads back as itself.
    OpenIni("guard.ini");
    SetErrorCode(0);
    IniWrite("a]", "k", "1");
    IniWrite("x]y", "k", "2");
    IniWrite("s", "k", "new");
    EXPECT_EQ(GetErrorCode(), 0);
    OpenIni("");
    EXPECT_EQ(ReadFile("guard.ini"), "[s]\r\nk=new\r\n[a]]\r\nk=1\r\n[x]y]\r\nk=2\r\n");
    OpenIni("guard.ini");
    EXPECT_EQ(Read("a]", "k"), "1");
    EXPECT_EQ(Read("x]y", "k"), "2");
    EXPECT_EQ(Read("a", "k"), "<none>");
}

TEST_F(IniTest, RemovingWhatIsMissingLeavesNoEmptySection) {
    OpenIni("quiet.ini");
    IniWrite("gone", "k", "");
    IniWrite("s", "k", "v");
    OpenIni("");
    EXPECT_EQ(ReadFile("quiet.ini"), "[s]\r\nk=v\r\n");
}

}  // namespace
