// FileStream over files and mem:// regions, and the mem:// name rules.
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "files/file_stream.h"
#include "files/memory_names.h"
#include "files_test_support.h"
#include "tarnvik/files.h"

namespace tvk {
namespace {

using FileStreamTest = test::ScratchTest;

TEST(MemoryNames, LengthFieldIsEightCharactersPaddedWithSpaces) {
    char bytes[100] = {};
    std::string name = MemoryName(bytes, sizeof(bytes));
    EXPECT_EQ(name.substr(0, 15), "mem://      64.");
    char address[32];
    std::snprintf(address, sizeof(address), "%8llx", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(bytes)));
    EXPECT_EQ(name.substr(15), address);
    EXPECT_EQ(MemoryName(reinterpret_cast<void*>(0x1234), 0xabcdef01), "mem://abcdef01.    1234");
}

TEST(MemoryNames, OnlyRegisteredRegionsCanBeRead) {
    auto bytes = std::make_unique<char[]>(64);
    std::memcpy(bytes.get(), "region bytes", 12);
    const std::string name = MemoryName(bytes.get(), 12);
    MemoryRegion region;
    EXPECT_FALSE(FindMemoryRegion(name.c_str(), region));
    ASSERT_TRUE(RegisterMemoryRegion(bytes.get(), 64));
    ASSERT_TRUE(FindMemoryRegion(name.c_str(), region));
    EXPECT_EQ(region.base, reinterpret_cast<uint8_t*>(bytes.get()));
    EXPECT_EQ(region.size, 12u);
    // Inside the region is fine; reaching past its end is not.
    EXPECT_TRUE(FindMemoryRegion(MemoryName(bytes.get() + 60, 4).c_str(), region));
    EXPECT_FALSE(FindMemoryRegion(MemoryName(bytes.get() + 60, 5).c_str(), region));
    EXPECT_FALSE(FindMemoryRegion(MemoryName(bytes.get() - 1, 2).c_str(), region));
    // Malformed names never parse.
    for (const char* bad : {"mem://", "mem://      0c", "mem://      0c-12345678", "mem://zz.12345678",
                            "MEM://      0c.12345678", "mem://      0c.1234567g", "mem://      0c."}) {
        EXPECT_FALSE(FindMemoryRegion(bad, region)) << bad;
    }
    ForgetMemoryRegion(bytes.get());
    EXPECT_FALSE(FindMemoryRegion(name.c_str(), region));
}

TEST_F(FileStreamTest, MemoryStreamReadsCutAtTheEndAndNeverBeforeTheStart) {
    char bytes[] = "abcdef";
    RtString name = RegisterMemoryFile(bytes, 6);
    FileStream stream;
    ASSERT_TRUE(stream.OpenRead(name.c_str()));
    EXPECT_TRUE(stream.IsMemory());
    EXPECT_EQ(stream.Size(), 6);
    char out[8] = "xxxxxxx";
    EXPECT_TRUE(stream.Seek(-2));
    EXPECT_TRUE(stream.Read(out, 4));  // two bytes left: the rest reads as zeros
    EXPECT_EQ(std::string(out, 4), std::string("ef\0\0", 4));
    EXPECT_TRUE(stream.Read(out, 1));  // at the very end: nothing copied, still no failure
    stream.SeekFrom(7, platform::SeekOrigin::Begin);
    EXPECT_FALSE(stream.Read(out, 1));
    EXPECT_FALSE(stream.Seek(-10));
    EXPECT_FALSE(stream.Read(out, 1));
    EXPECT_EQ(stream.ReadUpTo(out, 1), 0u);
    EXPECT_FALSE(stream.Write("z", 1));
    EXPECT_FALSE(stream.OpenWrite(name.c_str()));
    EXPECT_FALSE(stream.OpenAppend(name.c_str()));
    UnregisterMemoryFile(bytes);
    EXPECT_FALSE(stream.OpenRead(name.c_str()));
}

TEST_F(FileStreamTest, FileStreamReadsExactlyOrFails) {
    WriteFile("data.bin", "0123456789");
    FileStream stream;
    ASSERT_TRUE(stream.OpenRead("DATA.BIN"));
    EXPECT_FALSE(stream.IsMemory());
    EXPECT_EQ(stream.Size(), 10);
    char out[16];
    EXPECT_TRUE(stream.Seek(-3));
    EXPECT_TRUE(stream.Read(out, 3));
    EXPECT_EQ(std::string(out, 3), "789");
    EXPECT_FALSE(stream.Read(out, 1));
    EXPECT_TRUE(stream.Seek(2));
    EXPECT_FALSE(stream.Read(out, 9));  // only 8 left
    EXPECT_FALSE(stream.Write("x", 1));  // opened for reading
    stream.Close();
    EXPECT_EQ(stream.Size(), 0);
    EXPECT_FALSE(stream.OpenRead("missing.bin"));
    EXPECT_FALSE(stream.OpenRead(""));
    EXPECT_FALSE(stream.OpenRead(nullptr));
}

TEST_F(FileStreamTest, WritingReplacesTheOldFileAndTakesBackslashes) {
    std::filesystem::create_directory("out");
    WriteFile("out/save.dat", "a much longer old content");
    FileStream stream;
    ASSERT_TRUE(stream.OpenWrite("out\\save.dat"));
    EXPECT_TRUE(stream.Write("new", 3));
    EXPECT_TRUE(stream.Write("", 0));
    EXPECT_EQ(stream.Size(), 3);
    stream.Close();
    EXPECT_EQ(ReadFile("out/save.dat"), "new");
}

TEST_F(FileStreamTest, NamesOverTheLengthLimitOpenNothing) {
    std::string longName(1024, 'a');
    FileStream stream;
    EXPECT_FALSE(stream.OpenWrite(longName.c_str()));
    EXPECT_FALSE(stream.OpenRead(longName.c_str()));
}

TEST_F(FileStreamTest, StreamKeepsAnOwnedRegionAliveAfterItIsForgotten) {
    auto owner = std::shared_ptr<uint8_t[]>(new uint8_t[4]{'l', 'i', 'v', 'e'});
    ASSERT_TRUE(RegisterMemoryRegion(owner.get(), 4, owner));
    const std::string name = MemoryName(owner.get(), 4);
    FileStream stream;
    ASSERT_TRUE(stream.OpenRead(name.c_str()));
    ForgetMemoryRegion(owner.get());
    owner.reset();
    char out[4];
    ASSERT_TRUE(stream.Read(out, 4));  // under the sanitizers this would catch a use after free
    EXPECT_EQ(std::string(out, 4), "live");
}

}  // namespace
}  // namespace tvk
