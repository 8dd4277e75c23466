#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tarnvik/values.h"

namespace {

const DataItem kItems[] = {
    {2.75, nullptr}, {0, "12.5e1"}, {-3.99, nullptr}, {0, "42 apples"}, {0, "text"}, {1e10, nullptr},
};
const DataBlock kBlock = {kItems, 6};

TEST(DataList, ReadsConvertBetweenNumbersAndText) {
    RestoreData(&kBlock);
    RtNumber number = 0;
    RtInt integer = 0;
    RtString text;
    ReadDataNumber(number);
    EXPECT_EQ(number, 2.75);
    ReadDataNumber(number);
    EXPECT_EQ(number, 125.0);
    ReadDataInt(integer);
    EXPECT_EQ(integer, -3);  // truncated toward zero
    ReadDataInt(integer);
    EXPECT_EQ(integer, 42);
    ReadDataString(text);
    EXPECT_STREQ(text.c_str(), "text");
    ReadDataString(text);
    EXPECT_STREQ(text.c_str(), "1.e+010");
    RestoreData(&kBlock);
    ReadDataString(text);
    EXPECT_STREQ(text.c_str(), "2.75");
}

TEST(CommandLineText, ReplaceableByTheProgram) {
    SetCommandLine("prog --level 3");
    EXPECT_STREQ(CommandLine().c_str(), "prog --level 3");
    SetCommandLine("");
    EXPECT_STREQ(CommandLine().c_str(), "");
}

TEST(Console, ReadsLinesWithoutTheirEnds) {
    std::string path = ::testing::TempDir() + "console_input.txt";
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::string longLine(5000, 'x');
    std::fputs("first\r\nsecond\n\n", f);
    std::fputs(longLine.c_str(), f);
    std::fputs("\nlast", f);
    std::fclose(f);
    ASSERT_NE(std::freopen(path.c_str(), "rb", stdin), nullptr);
    EXPECT_STREQ(ReadConsoleLine().c_str(), "first");
    EXPECT_STREQ(ReadConsoleLine().c_str(), "second");
    EXPECT_STREQ(ReadConsoleLine().c_str(), "");
    EXPECT_EQ(ReadConsoleLine().length, 4094u);  // a long line arrives in pieces
    EXPECT_EQ(ReadConsoleLine().length, 5000u - 4094u);
    EXPECT_STREQ(ReadConsoleLine().c_str(), "last");
    EXPECT_STREQ(ReadConsoleLine().c_str(), "");  // end of input
    std::remove(path.c_str());
}

}  // namespace
