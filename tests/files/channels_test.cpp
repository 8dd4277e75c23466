// The file channels: widths, byte order, lines, positions and the channel table.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "files_test_support.h"
#include "files/file_channels.h"
#include "files/resolver.h"
#include "tarnvik/core.h"
#include "tarnvik/files.h"

namespace tvk {
namespace {

class ChannelTest : public test::ScratchTest {
protected:
    void TearDown() override {
        for (int i = 0; i < 8; ++i) CloseFileChannel(i);
        test::ScratchTest::TearDown();
    }
    // Opens a registered copy of bytes on channel 0, as a packed file would arrive.
    void OpenMemory(const std::string& bytes) {
        memory_ = bytes;
        RtString name = RegisterMemoryFile(memory_.data(), static_cast<RtInt>(memory_.size()));
        ASSERT_EQ(OpenFileChannel(0, name, 1), 1);
    }
    void OpenFile(const std::string& bytes) {
        WriteFile("in.bin", bytes);
        ASSERT_EQ(OpenFileChannel(0, "in.bin", 1), 1);
    }
    std::string memory_;
};

TEST_F(ChannelTest, ValuesAreWrittenLittleEndianAndReadBackInEveryWidth) {
    ASSERT_EQ(OpenFileChannel(1, "values.bin", 0), 1);
    WriteInt16(1, -2);
    WriteInt8(1, -1);
    WriteUInt8(1, 0x1ff);
    WriteUInt16(1, 65534);
    WriteInt32(1, -123456789);
    WriteUInt32(1, -1);
    WriteFloat32(1, 1.1);
    WriteFloat64(1, -2.5e300);
    CloseFileChannel(1);
    std::string bytes = ReadFile("values.bin");
    ASSERT_EQ(bytes.size(), 2u + 1 + 1 + 2 + 4 + 4 + 4 + 8);
    EXPECT_EQ(bytes.substr(0, 2), "\xfe\xff");

    for (int pass = 0; pass < 2; ++pass) {  // from a file, then from memory
        if (pass == 0) OpenFile(bytes);
        else OpenMemory(bytes);
        EXPECT_EQ(ReadUInt16(0), 65534);
        SeekChannel(0, 0, 0);
        EXPECT_EQ(ReadInt16(0), -2);
        EXPECT_EQ(ReadInt8(0), -1);
        EXPECT_EQ(ReadUInt8(0), 255);
        EXPECT_EQ(ReadInt16(0), -2);
        EXPECT_EQ(ReadInt32(0), -123456789);
        EXPECT_EQ(ReadUInt32(0), -1);
        EXPECT_EQ(ReadFloat32(0), static_cast<double>(1.1f));
        EXPECT_EQ(ReadFloat64(0), -2.5e300);
        EXPECT_EQ(ChannelAtEnd(0), 1);
    }
}

TEST_F(ChannelTest, LinesEndAtLfWithOrWithoutCr) {
    const std::string text = "abc\r\n\r\nplain\nmid\rcr\n\nxyz";
    for (int pass = 0; pass < 2; ++pass) {
        if (pass == 0) OpenFile(text);
        else OpenMemory(text);
        for (const char* expected : {"abc", "", "plain", "mid\rcr", "", "xyz"}) {
            EXPECT_EQ(ChannelAtEnd(0), 0);
            EXPECT_STREQ(ReadLine(0).c_str(), expected);
        }
        EXPECT_EQ(ChannelAtEnd(0), 1);
        EXPECT_EQ(ChannelPosition(0), static_cast<RtInt>(text.size()));
    }
    EXPECT_EQ(memory_, text);  // reading lines never writes into the region
}

TEST_F(ChannelTest, LongLinesComeInPiecesOf1023Bytes) {
    const std::string longLine(2500, 'L');
    const std::string exact(1023, 'E');
    const std::string text = longLine + "\r\n" + exact + "\nend";
    for (int pass = 0; pass < 2; ++pass) {
        if (pass == 0) OpenFile(text);
        else OpenMemory(text);
        EXPECT_EQ(std::string(ReadLine(0).c_str()), longLine.substr(0, 1023));
        EXPECT_EQ(std::string(ReadLine(0).c_str()), longLine.substr(0, 1023));
        EXPECT_EQ(std::string(ReadLine(0).c_str()), longLine.substr(0, 454));
        EXPECT_EQ(std::string(ReadLine(0).c_str()), exact);
        EXPECT_STREQ(ReadLine(0).c_str(), "end");
        EXPECT_EQ(ChannelAtEnd(0), 1);
    }
}

TEST_F(ChannelTest, LineTextStopsAtAZeroByteAndNumbersParseLikeAtoi) {
    OpenFile(std::string("ab\0cd\n  42abc\n-7.25e1\n99999999999\n-99999999999\n", 46));
    EXPECT_STREQ(ReadLine(0).c_str(), "ab");
    EXPECT_EQ(ReadLineInt(0), 42);
    EXPECT_EQ(ReadLineNumber(0), -72.5);
    EXPECT_EQ(ReadLineInt(0), 2147483647);
    EXPECT_EQ(ReadLineInt(0), -2147483647 - 1);
}

TEST_F(ChannelTest, WrittenLinesEndWithCrLf) {
    ASSERT_EQ(OpenFileChannel(2, "lines.txt", 0), 1);
    WriteLine(2, "");
    WriteLine(2, "two");
    WriteBytes(2, "");
    WriteBytes(2, "raw");
    CloseFileChannel(2);
    EXPECT_EQ(ReadFile("lines.txt"), "\r\ntwo\r\nraw");
}

TEST_F(ChannelTest, AppendKeepsWhatWasThere) {
    WriteFile("log.txt", "first\r\n");
    ASSERT_EQ(OpenFileChannel(3, "LOG.TXT", -1), 1);
    EXPECT_EQ(ChannelAtEnd(3), 1);
    WriteLine(3, "second");
    CloseFileChannel(3);
    ASSERT_EQ(OpenFileChannel(3, "fresh.txt", -1), 1);
    WriteLine(3, "new");
    CloseFileChannel(3);
    EXPECT_EQ(ReadFile("log.txt"), "first\r\nsecond\r\n");
    EXPECT_EQ(ReadFile("fresh.txt"), "new\r\n");
}

TEST_F(ChannelTest, BytesKeepZerosAndCountsBelowOneReadNothing) {
    OpenFile(std::string("a\0b\0c", 5));
    EXPECT_STREQ(ReadBytes(0, 0).c_str(), "");
    EXPECT_STREQ(ReadBytes(0, -3).c_str(), "");
    RtString bytes = ReadBytes(0, 4);
    EXPECT_EQ(std::string(bytes.c_str(), bytes.Length()), std::string("a\0b\0", 4));
    EXPECT_EQ(ChannelPosition(0), 4);
}

TEST_F(ChannelTest, SeekingFromStartCurrentAndEnd) {
    OpenFile("0123456789");
    EXPECT_EQ(SeekChannel(0, 4, 0), 4);
    EXPECT_EQ(ReadUInt8(0), '4');
    EXPECT_EQ(SeekChannel(0, 2, 1), 7);
    EXPECT_EQ(ChannelPosition(0), 7);
    EXPECT_EQ(SeekChannel(0, -1, -1), 9);
    EXPECT_EQ(ReadUInt8(0), '9');
    EXPECT_EQ(SeekChannel(0, -5, 0), -1);  // refused; the position stays
    EXPECT_EQ(ChannelPosition(0), 10);

    OpenMemory("0123456789");
    EXPECT_EQ(SeekChannel(0, 4, 0), 0);
    EXPECT_EQ(SeekChannel(0, 2, 1), 0);
    EXPECT_EQ(ReadUInt8(0), '6');
    EXPECT_EQ(SeekChannel(0, -2, -1), 0);
    EXPECT_EQ(ChannelPosition(0), 8);
    EXPECT_EQ(ReadUInt16(0), '8' | ('9' << 8));
    EXPECT_EQ(ChannelAtEnd(0), 1);
    EXPECT_EQ(ReadUInt8(0), 0);  // a memory stream at its end reads zeros instead of failing
}

TEST_F(ChannelTest, ChannelNumbersOutsideTheTableAreRefused) {
    EXPECT_EQ(OpenFileChannel(7, "seven.txt", 0), 1);
    EXPECT_EQ(GetErrorCode(), 0);
    for (RtInt channel : {8, -1, 1 << 30}) {
        EXPECT_EQ(OpenFileChannel(channel, "x.txt", 0), 0);
        EXPECT_EQ(GetErrorCode(), 7);
        EXPECT_EQ(ChannelAtEnd(channel), 1);
    }
    EXPECT_FALSE(Exists("x.txt"));
}

TEST_F(ChannelTest, FreeChannelIsTheLowestClosedOne) {
    EXPECT_EQ(FreeFileChannel(), 0);
    ASSERT_EQ(OpenFileChannel(0, "a.txt", 0), 1);
    ASSERT_EQ(OpenFileChannel(1, "b.txt", 0), 1);
    EXPECT_EQ(FreeFileChannel(), 2);
    char bytes[4] = "mem";
    RtString name = RegisterMemoryFile(bytes, 3);
    ASSERT_EQ(OpenFileChannel(2, name, 1), 1);
    EXPECT_EQ(FreeFileChannel(), 3);
    for (int i = 3; i < 8; ++i) ASSERT_EQ(OpenFileChannel(i, "c.txt", 0), 1);
    EXPECT_EQ(FreeFileChannel(), -1);
    CloseFileChannel(1);
    EXPECT_EQ(FreeFileChannel(), 1);
    CloseFileChannel(2);
    UnregisterMemoryFile(bytes);
}

TEST_F(ChannelTest, MemoryNamesCannotBeWrittenOrAppended) {
    char bytes[4] = "mem";
    RtString name = RegisterMemoryFile(bytes, 3);
    EXPECT_EQ(OpenFileChannel(0, name, 0), 0);
    EXPECT_EQ(GetErrorCode(), 3);
    EXPECT_EQ(OpenFileChannel(0, name, -1), 0);
    EXPECT_EQ(GetErrorCode(), 3);
    EXPECT_EQ(FreeFileChannel(), 0);
    UnregisterMemoryFile(bytes);
}

TEST_F(ChannelTest, MissingFilesRecordNoSuchFile) {
    EXPECT_EQ(OpenFileChannel(0, "nothing.txt", 1), 0);
    EXPECT_EQ(GetErrorCode(), 3);
    EXPECT_EQ(OpenFileChannel(0, "no/such/dir/file.txt", 0), 0);
    EXPECT_EQ(GetErrorCode(), 3);
}

TEST_F(ChannelTest, PackedTextReadsLikeTheLooseFile) {
    const std::string text = "first\r\nsecond\r\nthird";
    std::string program = WritePackedProgram("game", {{"story.txt", text}});
    SetArchiveNames(program.c_str(), program.c_str());
    std::vector<std::string> packed;
    ASSERT_EQ(OpenFileChannel(4, "text/STORY.TXT", 1), 1);
    EXPECT_EQ(GetErrorCode(), 0);
    while (!ChannelAtEnd(4)) packed.push_back(ReadLine(4).c_str());
    WriteFile("story.txt", text);
    std::vector<std::string> loose;
    ASSERT_EQ(OpenFileChannel(4, "story.txt", 1), 1);
    while (!ChannelAtEnd(4)) loose.push_back(ReadLine(4).c_str());
    EXPECT_EQ(packed, (std::vector<std::string>{"first", "second", "third"}));
    EXPECT_EQ(packed, loose);
}

TEST_F(ChannelTest, PackedChannelSurvivesTheNextLookup) {
    std::string program = WritePackedProgram("game", {{"a.txt", "alpha"}, {"b.txt", "beta"}});
    SetArchiveNames(program.c_str(), program.c_str());
    ASSERT_EQ(OpenFileChannel(0, "a.txt", 1), 1);
    ASSERT_EQ(OpenFileChannel(1, "b.txt", 1), 1);  // frees the resolver's first answer
    EXPECT_STREQ(ReadLine(0).c_str(), "alpha");
    EXPECT_STREQ(ReadLine(1).c_str(), "beta");
}

TEST_F(ChannelTest, CloseAllLeavesEveryChannelFree) {
    for (int i = 0; i < 8; ++i) ASSERT_EQ(OpenFileChannel(i, "c.txt", 0), 1);
    CloseAllFileChannels();
    EXPECT_EQ(FreeFileChannel(), 0);
}

// Fatal cases end the program with exit code 0 after recording the error code.
void PrintErrorAtExit() {
    std::atexit([] { std::fprintf(stderr, "error %d\n", GetErrorCode()); });
}

using ChannelDeathTest = ChannelTest;

TEST_F(ChannelDeathTest, ReadingPastTheEndOfAFileEndsTheProgram) {
    OpenFile("x");
    EXPECT_EXIT((PrintErrorAtExit(), ReadInt32(0)), ::testing::ExitedWithCode(0), "error 3");
    EXPECT_EXIT((PrintErrorAtExit(), ReadUInt8(0), ReadLine(0)), ::testing::ExitedWithCode(0), "error 3");
    EXPECT_EXIT((PrintErrorAtExit(), ReadBytes(0, 2)), ::testing::ExitedWithCode(0), "error 3");
}

TEST_F(ChannelDeathTest, LineReadAtTheEndOfMemoryEndsTheProgram) {
    OpenMemory("only\n");
    ReadLine(0);
    EXPECT_EXIT((PrintErrorAtExit(), ReadLine(0)), ::testing::ExitedWithCode(0), "error 3");
}

TEST_F(ChannelDeathTest, WritesWithoutAFileEndTheProgram) {
    OpenFile("read only");
    EXPECT_EXIT((PrintErrorAtExit(), WriteInt8(0, 1)), ::testing::ExitedWithCode(0), "error 3");
    EXPECT_EXIT((PrintErrorAtExit(), WriteLine(5, "closed")), ::testing::ExitedWithCode(0), "error 3");
    OpenMemory("memory");
    EXPECT_EXIT((PrintErrorAtExit(), WriteBytes(0, "")), ::testing::ExitedWithCode(0), "error 3");
}

TEST_F(ChannelDeathTest, ChannelNumbersOutsideTheTableEndTheProgram) {
    EXPECT_EXIT((PrintErrorAtExit(), ReadInt8(8)), ::testing::ExitedWithCode(0), "error 7");
    EXPECT_EXIT((PrintErrorAtExit(), WriteInt8(-1, 0)), ::testing::ExitedWithCode(0), "error 7");
    EXPECT_EXIT((PrintErrorAtExit(), CloseFileChannel(8)), ::testing::ExitedWithCode(0), "error 7");
    EXPECT_EXIT((PrintErrorAtExit(), ChannelPosition(8)), ::testing::ExitedWithCode(0), "error 7");
    EXPECT_EXIT((PrintErrorAtExit(), SeekChannel(99, 0, 0)), ::testing::ExitedWithCode(0), "error 7");
}

}  // namespace
}  // namespace tvk
