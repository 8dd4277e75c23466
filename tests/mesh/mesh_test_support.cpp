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
    if (fs::path(path).has_parent_path()) fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    return path;
}

std::vector<std::string> MeshScratch::TakeLog() {
    std::ifstream in(ErrorLogPath(), std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    DeleteErrorLog();
    std::vector<std::string> lines;
    for (size_t at = 0, end; at < text.size(); at = end + 2) {
        end = std::min(text.find("\r\n", at), text.size());
        lines.push_back(text.substr(at, end - at));
    }
    return lines;
}

MeshFileWriter& MeshFileWriter::Header(double version, int32_t frames, int32_t colours, int32_t pairs) {
    uint64_t bits;
    std::memcpy(&bits, &version, 8);
    return U32(13021975).U32(uint32_t(bits)).U32(uint32_t(bits >> 32)).U32(frames).U32(colours).U32(pairs);
}

MeshVertex At(float x, float y, float z) { return MakeMeshVertex(x, y, z, 0, 0, 0xFFFFFF); }

}  // namespace tvk::test
