#include "files_test_support.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "archive_writer.h"
#include "files/file_stream.h"
#include "files/resolver.h"

namespace fs = std::filesystem;

namespace tvk::test {

void ScratchTest::SetUp() {
    previousDirectory_ = fs::current_path().string();
    const char* tmp = std::getenv("TMPDIR");
    previousTmp_ = tmp ? tmp : "";
    std::string pattern = (fs::temp_directory_path() / "tvk-files-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    root_ = pattern + "/";
    tempDir_ = root_ + "tmp/";
    fs::create_directory(tempDir_);
    setenv("TMPDIR", tempDir_.c_str(), 1);
    fs::current_path(root_);
    g_memoryResolver = CreateMemoryResolver();
    g_fileResolver = CreateFileResolver();
}

void ScratchTest::TearDown() {
    for (ResourceResolver** resolver : {&g_memoryResolver, &g_fileResolver}) {
        ReleaseResolver(*resolver);
        delete *resolver;
        *resolver = nullptr;
    }
    fs::current_path(previousDirectory_);
    if (previousTmp_.empty()) unsetenv("TMPDIR");
    else setenv("TMPDIR", previousTmp_.c_str(), 1);
    std::error_code ec;
    fs::remove_all(root_, ec);
}

void ScratchTest::WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string ScratchTest::ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return "<missing>";
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool ScratchTest::Exists(const std::string& path) {
    std::error_code ec;
    return fs::exists(path, ec);
}

std::string ScratchTest::WritePackedProgram(const std::string& path,
                                            const std::vector<std::pair<std::string, std::string>>& entries,
                                            bool fromEnd) {
    const std::string program = "\x7f" "ELF pretend program bytes";
    std::vector<pack::PackEntry> packEntries;
    for (const auto& [name, content] : entries) packEntries.push_back({name, {content.begin(), content.end()}});
    std::vector<uint8_t> archive;
    std::string error;
    EXPECT_TRUE(pack::BuildArchive(packEntries, fromEnd ? pack::OffsetStyle::FromEnd : pack::OffsetStyle::FromStart,
                                   static_cast<int64_t>(program.size()), archive, error))
        << error;
    WriteFile(path, program + std::string(archive.begin(), archive.end()));
    return root_ + path;
}

int RunCommand(const std::string& command, std::string* output) {
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return -1;
    std::string text;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof(buffer), pipe)) > 0) text.append(buffer, n);
    int status = pclose(pipe);
    if (output) *output = text;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string ContentOf(const char* name) {
    FileStream stream;
    if (!stream.OpenRead(name)) return "<missing>";
    std::string bytes(static_cast<size_t>(stream.Size()), '\0');
    if (!bytes.empty() && stream.ReadUpTo(bytes.data(), bytes.size()) != bytes.size()) return "<short>";
    return bytes;
}

}  // namespace tvk::test
