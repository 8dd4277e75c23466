// Damaged and hostile archives: lookups answer "missing" (or, for bad compressed data, an empty
// file) and never read outside the archive or the decompressed bytes.
#include <cstring>
#include <string>
#include <vector>

#include "archive_writer.h"
#include "files/file_stream.h"
#include "files/packed_archive.h"
#include "files/resolver.h"
#include "files_test_support.h"

namespace tvk {
namespace {

void PutInt32(std::string& bytes, size_t at, int32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + static_cast<size_t>(i)] = static_cast<char>(static_cast<uint32_t>(value) >> (8 * i));
}

class CorruptArchiveTest : public test::ScratchTest {
protected:
    void SetUp() override {
        test::ScratchTest::SetUp();
        std::vector<pack::PackEntry> entries = {{"one.txt", {'1', '1', '1'}}, {"two.txt", std::vector<uint8_t>(500, '2')}};
        std::vector<uint8_t> archive;
        std::string error;
        ASSERT_TRUE(pack::BuildArchive(entries, pack::OffsetStyle::FromStart, 0, archive, error));
        good_.assign(archive.begin(), archive.end());
        // Layout from the writer: data of one.txt at 0, of two.txt after it, then the directory.
        oneStored_ = static_cast<int32_t>(pack::CompressEntry(entries[0].data).size());
        directory_ = good_.size() - 7 - 1 - 2 * (1 + 7 + 8);
    }
    // Resolves name in an archive of these bytes with both resolvers; returns the memory answer's
    // content, "<missing>" when not found.
    std::string Lookup(const std::string& bytes, const char* name) {
        WriteFile("game", bytes);
        std::string path = root_ + "game";
        SetArchiveNames(path.c_str(), path.c_str());
        const char* answer = ResolveFileName(g_memoryResolver, name);
        std::string content = answer ? test::ContentOf(answer) : "<missing>";
        const char* temp = ResolveFileName(g_fileResolver, name);
        EXPECT_EQ(temp != nullptr, answer != nullptr) << name;
        if (temp) {
            EXPECT_EQ(ReadFile(temp), content);
        }
        return content;
    }
    size_t EntryField(int entry, int field) const {  // field 0: data offset, 1: stored size
        return directory_ + static_cast<size_t>(entry) * 16 + 1 + 7 + static_cast<size_t>(field) * 4;
    }

    std::string good_;
    int32_t oneStored_ = 0;
    size_t directory_ = 0;
};

TEST_F(CorruptArchiveTest, IntactArchiveReadsBack) {
    EXPECT_EQ(Lookup(good_, "one.txt"), "111");
    EXPECT_EQ(Lookup(good_, "two.txt"), std::string(500, '2'));
}

TEST_F(CorruptArchiveTest, EveryTruncationIsHandled) {
    for (size_t cut = 0; cut < good_.size(); ++cut) {
        std::string bytes = good_.substr(0, cut);
        std::string one = Lookup(bytes, "one.txt");
        EXPECT_TRUE(one == "<missing>" || one == "111") << cut;
        EXPECT_NE(Lookup(bytes, "two.txt"), std::string(500, '2')) << cut;
    }
}

TEST_F(CorruptArchiveTest, DirectoryPositionOutsideTheArchive) {
    for (int32_t position : {static_cast<int32_t>(good_.size()), static_cast<int32_t>(good_.size() - 7), 0x7fffffff,
                             -static_cast<int32_t>(good_.size()) - 1, INT32_MIN, -1, -7}) {
        std::string bytes = good_;
        PutInt32(bytes, bytes.size() - 4, position);
        EXPECT_EQ(Lookup(bytes, "one.txt"), "<missing>") << position;
    }
}

TEST_F(CorruptArchiveTest, DirectoryWithoutEndRunsIntoTheTrailer) {
    std::string bytes = good_;
    bytes[bytes.size() - 8] = 5;  // the end marker now starts a 5-byte name inside the trailer
    EXPECT_EQ(Lookup(bytes, "two.txt"), std::string(500, '2'));
    EXPECT_EQ(Lookup(bytes, "three.txt"), "<missing>");
}

TEST_F(CorruptArchiveTest, DataOffsetsAndSizesOutsideTheArchive) {
    const int32_t size = static_cast<int32_t>(good_.size());
    struct Damage {
        int field;
        int32_t value;
    } damages[] = {{0, size}, {0, size - 2}, {0, -1}, {0, INT32_MIN}, {0, INT32_MAX},
                   {1, size + 1}, {1, INT32_MAX}, {1, -5}, {1, 0}, {1, 3}, {1, INT32_MIN}};
    for (const Damage& d : damages) {
        std::string bytes = good_;
        PutInt32(bytes, EntryField(0, d.field), d.value);
        EXPECT_EQ(Lookup(bytes, "one.txt"), "<missing>") << d.field << " " << d.value;
        EXPECT_EQ(Lookup(bytes, "two.txt"), std::string(500, '2'));
    }
}

TEST_F(CorruptArchiveTest, ImplausibleUncompressedSizesAreRefused) {
    for (int32_t claimed : {-1, INT32_MIN, INT32_MAX, (oneStored_ - 4) * 1024 + 1}) {
        std::string bytes = good_;
        PutInt32(bytes, 0, claimed);
        EXPECT_EQ(Lookup(bytes, "one.txt"), "<missing>") << claimed;
    }
}

TEST_F(CorruptArchiveTest, BadCompressedDataReadsAsAnEmptyFile) {
    std::string bytes = good_;
    PutInt32(bytes, 0, 2);  // the data holds 3 bytes: the output buffer overflows
    EXPECT_EQ(Lookup(bytes, "one.txt"), "");
    bytes = good_;
    for (int i = 4; i < oneStored_; ++i) bytes[static_cast<size_t>(i)] = static_cast<char>(0xff);
    EXPECT_EQ(Lookup(bytes, "one.txt"), "");
    EXPECT_EQ(Lookup(bytes, "two.txt"), std::string(500, '2'));
}

TEST_F(CorruptArchiveTest, EveryByteDamagedStaysInBounds) {
    for (size_t at = 0; at < good_.size(); ++at) {
        for (int value : {0x00, 0x80, 0xff}) {
            std::string bytes = good_;
            bytes[at] = static_cast<char>(value);
            Lookup(bytes, "one.txt");
            Lookup(bytes, "two.txt");
        }
    }
}

TEST_F(CorruptArchiveTest, EntryNamesArePlainFileNames) {
    std::vector<uint8_t> archive;
    std::string error;
    ASSERT_TRUE(pack::BuildArchive({{"../../escape.txt", {'e'}}, {"sub\\inner.txt", {'i'}}},
                                   pack::OffsetStyle::FromEnd, 0, archive, error));
    std::string bytes(archive.begin(), archive.end());
    EXPECT_EQ(Lookup(bytes, "escape.txt"), "e");
    const char* temp = ResolveFileName(g_fileResolver, "INNER.TXT");
    ASSERT_NE(temp, nullptr);
    EXPECT_EQ(std::string(temp).rfind(tempDir_ + "sbx", 0), 0u);
    EXPECT_EQ(std::string(temp).find('\\'), std::string::npos);
    EXPECT_FALSE(Exists(root_ + "escape.txt"));
}

}  // namespace
}  // namespace tvk
