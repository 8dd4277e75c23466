// The packer as users run it: a program packed by tvkpack finds its files through both resolvers.
#include <filesystem>
#include <sstream>
#include <string>

#include "files_test_support.h"

namespace tvk {
namespace {

namespace fs = std::filesystem;

class TvkpackTest : public test::ScratchTest {
protected:
    void SetUp() override {
        test::ScratchTest::SetUp();
        fs::create_directories("media/gfx");
        fs::create_directories("media/levels");
        ship_.resize(200000);
        for (size_t i = 0; i < ship_.size(); ++i) ship_[i] = static_cast<char>((i * i) >> 3);
        WriteFile("media/gfx/SHIP.PNG", ship_);
        WriteFile("media/levels/level1.txt", "row 1\r\nrow 2\r\nrow 3");
        WriteFile("media/music.mid", std::string(5000, 'm'));
        WriteFile("media/loose.txt", "packed copy");
        fs::copy_file(PACKED_PROBE_PATH, "probe");
        probeBefore_ = ReadFile("probe");
    }
    static int Pack(const std::string& arguments, std::string* output = nullptr) {
        return test::RunCommand(std::string(TVKPACK_PATH) + " " + arguments + " 2>&1", output);
    }
    static std::string Hash(const std::string& bytes) {
        uint64_t h = 1469598103934665603ull;
        for (unsigned char c : bytes) h = (h ^ c) * 1099511628211ull;
        char text[17];
        std::snprintf(text, sizeof(text), "%016llx", static_cast<unsigned long long>(h));
        return text;
    }
    // The probe's expected line for a file found by both resolvers.
    static std::string Found(const std::string& name, const std::string& content, int kept = 0) {
        std::string size = std::to_string(content.size());
        return name + " m 1 " + size + " " + Hash(content) + " f 1 " + size + " " + Hash(content) + " kept " +
               std::to_string(kept);
    }
    std::string ship_;
    std::string probeBefore_;
};

TEST_F(TvkpackTest, PackedProgramReadsItsFilesThroughBothResolvers) {
    for (const char* style : {"", "--absolute "}) {
        std::string output;
        ASSERT_EQ(Pack(std::string("append ") + style + "probe media game", &output), 0) << output;
        WriteFile("loose.txt", "loose copy");  // next to the program: it wins
        ASSERT_EQ(test::RunCommand("./game gfx/ship.png LEVEL1.TXT music.mid loose.txt nope.txt", &output), 0);
        std::istringstream lines(output);
        std::string line;
        std::vector<std::string> got;
        while (std::getline(lines, line)) got.push_back(line);
        const std::string empty = Hash("");
        ASSERT_EQ(got.size(), 5u) << output;
        EXPECT_EQ(got[0], Found("gfx/ship.png", ship_));
        EXPECT_EQ(got[1], Found("LEVEL1.TXT", "row 1\r\nrow 2\r\nrow 3"));  // the ship's temp file is gone
        EXPECT_EQ(got[2], Found("music.mid", std::string(5000, 'm')));
        EXPECT_EQ(got[3], Found("loose.txt", "loose copy"));
        EXPECT_EQ(got[4], "nope.txt m 0 0 " + empty + " f 0 0 " + empty + " kept 0");
        EXPECT_TRUE(fs::is_empty(tempDir_));  // the last temporary file went at shutdown
        EXPECT_EQ(ReadFile("probe"), probeBefore_);
        fs::remove("game");
    }
}

TEST_F(TvkpackTest, ListAndExtractReadWhatAppendWrote) {
    ASSERT_EQ(Pack("append probe media"), 0);
    std::string output;
    ASSERT_EQ(Pack("list probe.packed", &output), 0);
    for (const char* name : {"SHIP.PNG", "level1.txt", "music.mid", "loose.txt"})
        EXPECT_NE(output.find(name), std::string::npos) << name;
    ASSERT_EQ(Pack("extract probe.packed gfx/ship.png out.png"), 0);
    EXPECT_EQ(ReadFile("out.png"), ship_);
    ASSERT_EQ(Pack("extract probe.packed music.mid"), 0);  // under its own name
    EXPECT_EQ(ReadFile("music.mid"), std::string(5000, 'm'));
    ASSERT_EQ(test::RunCommand(std::string(TVKPACK_PATH) + " extract probe.packed level1.txt -", &output), 0);
    EXPECT_EQ(output, "row 1\r\nrow 2\r\nrow 3");
}

TEST_F(TvkpackTest, BadInputFailsClearlyAndLeavesTheProgramAlone) {
    std::string output;
    EXPECT_NE(Pack("append probe nowhere out", &output), 0);
    EXPECT_NE(output.find("tvkpack:"), std::string::npos);
    EXPECT_FALSE(Exists("out"));
    EXPECT_NE(Pack("append probe media probe"), 0);  // never in place
    EXPECT_NE(Pack("append missing-program media out"), 0);
    EXPECT_NE(Pack("list probe"), 0);                  // nothing appended
    EXPECT_NE(Pack("list missing-program"), 0);
    EXPECT_NE(Pack("frobnicate probe"), 0);
    EXPECT_NE(Pack(""), 0);
    ASSERT_EQ(Pack("append probe media game"), 0);
    EXPECT_NE(Pack("append game media again"), 0);     // already carries an archive
    EXPECT_NE(Pack("extract game nope.txt"), 0);
    fs::create_directories("media/other");
    WriteFile("media/other/ship.png", "clash");         // same name ignoring case
    EXPECT_NE(Pack("append probe media clash", &output), 0);
    EXPECT_NE(output.find("same name"), std::string::npos) << output;
    EXPECT_EQ(ReadFile("probe"), probeBefore_);
}

}  // namespace
}  // namespace tvk
