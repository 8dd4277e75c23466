#include "mesh_test_support.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "base/error_log.h"

namespace fs = std::filesystem;

namespace tvk::test {

void MeshScratch::SetUp() {
    previousDirectory_ = fs::current_path().string();
    const char* tmp = std::getenv("TMPDIR");
    previousTmp_ = tmp ? tmp : "";
    std::string pattern = (fs::temp_directory_path() / "tvk-mesh-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    root_ = pattern + "/";
    setenv("TMPDIR", root_.c_str(), 1);  // the error log goes here
    fs::current_path(root_);
}

void MeshScratch::TearDown() {
    fs::current_path(previousDirectory_);
    if (previousTmp_.empty()) unsetenv("TMPDIR");
    else setenv("TMPDIR", previousTmp_.c_str(), 1);
    std::error_code ec;
    fs::remove_all(root_, ec);
}

std::string MeshScratch::Write(const std::string& path, const std::string& bytes) {
    const fs::path parent = fs::path(path).parent_path();
    if (!parent.empty()) fs::create_directories(parent);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    return path;
}

std::string MeshScratch::Write(const std::string& path, const std::vector<uint8_t>& bytes) {
    return Write(path, std::string(bytes.begin(), bytes.end()));
}

std::vector<std::string> MeshScratch::LogLines() {
    std::ifstream in(ErrorLogPath(), std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::string> lines;
    for (size_t at = 0; at < text.size();) {
        size_t end = text.find("\r\n", at);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

void MeshScratch::ClearLog() { DeleteErrorLog(); }

MeshFileWriter& MeshFileWriter::Header(double version, int32_t frames, int32_t colours, int32_t pairs, int32_t magic) {
    U32(uint32_t(magic));
    uint64_t bits;
    std::memcpy(&bits, &version, 8);
    U32(uint32_t(bits));
    U32(uint32_t(bits >> 32));
    return U32(uint32_t(frames)).U32(uint32_t(colours)).U32(uint32_t(pairs));
}

MeshVertex At(float x, float y, float z) { return MakeMeshVertex(x, y, z, 0, 0, 0xFFFFFF); }

}  // namespace tvk::test
